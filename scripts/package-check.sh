#!/usr/bin/env bash
# Checks the Debian package that scripts/package.sh made, then installs it on
# this machine as a user would, starts the installed program and removes it
# again, with every package the installation brought, so that the machine is
# left as it was. CI runs it; it refuses to run where plakora is installed.
#   ./scripts/package-check.sh [BUILD_DIR]   (default: build-package)
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir="${1:-build-package}"
fail() {
  echo "package-check: $*" >&2
  exit 1
}

version="$(sed -n 's/.*kVersionString = "\([^"]*\)".*/\1/p' board/board_state.h)"
arch="$(dpkg --print-architecture)"
deb="$build_dir/plakora_${version}_${arch}.deb"
[ -f "$deb" ] || fail "no $deb (run ./scripts/package.sh $build_dir first)"
deb="$(realpath "$deb")"

# The files: what `cmake --install` installs, under /usr, and the two
# documents Debian asks for.
expected=(
  usr/bin/plakora
  usr/share/applications/plakora.desktop
  usr/share/doc/plakora/changelog.gz
  usr/share/doc/plakora/copyright
  usr/share/doc/plakora/examples/plakora-show.desktop
  usr/share/doc/plakora/examples/plakora-show.service
  usr/share/icons/hicolor/256x256/apps/plakora.png
  usr/share/icons/hicolor/48x48/apps/plakora.png
  usr/share/icons/hicolor/scalable/apps/plakora.svg
  usr/share/man/man1/plakora.1.gz
)
for page in help/*.html; do
  expected+=("usr/share/plakora/help/$(basename "$page")")
done
packed="$(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./||' | LC_ALL=C sort)"
wanted="$(printf '%s\n' "${expected[@]}" | LC_ALL=C sort)"
if [ "$packed" != "$wanted" ]; then
  echo "package-check: the packed files differ from the expected ones:" >&2
  diff <(echo "$wanted") <(echo "$packed") >&2 || true
  exit 1
fi

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = plakora ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', the program's is $version"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)'"
# dpkg-shlibdeps found the libraries: the Qt ones the program links at least.
for lib in libc6 libqt6core6 libqt6widgets6 libqt6multimedia6; do
  field Depends | grep -Eq "(^|, )$lib( |,|$)" || fail "Depends lacks $lib: '$(field Depends)'"
done
# The newest changelog entry is this version.
workdir="$(mktemp -d)"
trap 'rm -rf "$workdir"' EXIT
dpkg-deb -x "$deb" "$workdir/root"
gzip -dc "$workdir/root/usr/share/doc/plakora/changelog.gz" >"$workdir/changelog"
logged="$(dpkg-parsechangelog -l "$workdir/changelog" -S Version)"
[ "$logged" = "$version" ] || fail "the changelog's newest entry is $logged, the package is $version"

# lintian fails on errors; its warnings and notes are printed for the record.
lintian --fail-on error "$deb"

# Install, start, remove.
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
installed_packages() {
  dpkg-query -W -f='${db:Status-Abbrev} ${binary:Package}\n' | awk '$1 == "ii" {print $2}' | LC_ALL=C sort
}
if dpkg-query -W -f='${Status}' plakora 2>/dev/null | grep -q 'install ok installed'; then
  fail "plakora is installed on this machine already; remove it first"
fi
export DEBIAN_FRONTEND=noninteractive
installed_packages >"$workdir/before"
remove_installed() {
  installed_packages >"$workdir/after"
  local added
  mapfile -t added < <(LC_ALL=C comm -13 "$workdir/before" "$workdir/after")
  if [ ${#added[@]} -gt 0 ]; then
    "${sudo_cmd[@]}" apt-get purge -y -qq "${added[@]}" </dev/null >/dev/null
  fi
}
trap 'remove_installed; rm -rf "$workdir"' EXIT

"${sudo_cmd[@]}" apt-get install -y -qq "$deb" </dev/null
[ -x /usr/bin/plakora ] || fail "/usr/bin/plakora is not there after the installation"

# A fresh home, so that no last board is offered and no settings are touched.
home="$workdir/home"
mkdir -p "$home"
run_plakora() {
  HOME="$home" XDG_CONFIG_HOME="$home/.config" QT_QPA_PLATFORM=offscreen \
    timeout 5 /usr/bin/plakora "$@" </dev/null
}
status=0
run_plakora || status=$?
[ "$status" -eq 124 ] || fail "the installed program ended by itself (status $status)"
# --version prints the program's version and ends.
status=0
printed="$(run_plakora --version 2>&1)" || status=$?
[ "$status" -eq 0 ] || fail "plakora --version ended with status $status: $printed"
grep -qF "$version" <<<"$printed" || fail "--version printed '$printed', not $version"

remove_installed
trap 'rm -rf "$workdir"' EXIT
[ ! -e /usr/bin/plakora ] || fail "/usr/bin/plakora is still there after the removal"
installed_packages >"$workdir/after"
cmp -s "$workdir/before" "$workdir/after" || {
  echo "package-check: the installed packages differ from those before:" >&2
  diff "$workdir/before" "$workdir/after" >&2 || true
  exit 1
}
echo "package-check: $(basename "$deb") ($(stat -c %s "$deb") bytes) has ${#expected[@]} files," \
  "passes lintian, installs, starts and is removed again"
