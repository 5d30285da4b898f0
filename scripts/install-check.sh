#!/usr/bin/env bash
# Installs a built tree into a temporary prefix, as `cmake --install` does for
# a user, and checks what lands there: the program, every help page, the
# icons, the desktop entry and the examples, and nothing else (no test or
# benchmark). Then the installed program is started offscreen and must still
# be running after a few seconds: its libraries resolve from the installed
# place, and the start-up reaches the message loop without a crash.
#   PLAKORA_BUILD_DIR  the built tree (default: build-release)
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir="${PLAKORA_BUILD_DIR:-build-release}"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build_dir" --prefix "$prefix" >/dev/null

expected=(
  bin/plakora
  share/applications/plakora.desktop
  share/doc/plakora/examples/plakora-show.desktop
  share/doc/plakora/examples/plakora-show.service
  share/icons/hicolor/256x256/apps/plakora.png
  share/icons/hicolor/48x48/apps/plakora.png
  share/icons/hicolor/scalable/apps/plakora.svg
  share/man/man1/plakora.1.gz
)
for page in help/*.html; do
  expected+=("share/plakora/help/$(basename "$page")")
done

installed="$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)"
wanted="$(printf '%s\n' "${expected[@]}" | LC_ALL=C sort)"
if [ "$installed" != "$wanted" ]; then
  echo "install-check: the installed files differ from the expected ones:" >&2
  diff <(echo "$wanted") <(echo "$installed") >&2 || true
  exit 1
fi
if [ ! -x "$prefix/bin/plakora" ]; then
  echo "install-check: bin/plakora is not executable" >&2
  exit 1
fi
for page in help/*.html; do
  cmp -s "$page" "$prefix/share/plakora/help/$(basename "$page")" || {
    echo "install-check: the installed $(basename "$page") differs from $page" >&2
    exit 1
  }
done
desktop-file-validate "$prefix/share/applications/plakora.desktop"

# A fresh home, so that no last board is offered and no settings are touched.
home="$prefix/home"
mkdir -p "$home"
status=0
HOME="$home" XDG_CONFIG_HOME="$home/.config" QT_QPA_PLATFORM=offscreen \
  timeout 5 "$prefix/bin/plakora" || status=$?
if [ "$status" -ne 124 ]; then
  echo "install-check: the installed program ended by itself (status $status)" >&2
  exit 1
fi
echo "install-check: ${#expected[@]} files installed; the installed program starts"
