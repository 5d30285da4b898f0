#!/usr/bin/env bash
# Makes the Debian package: installs what is missing, builds the program in
# Release with Debian's compiler and linker flags (hardening included), and
# packs it with CPack, leaving plakora_<version>_<arch>.deb in the build folder.
#   ./scripts/package.sh [BUILD_DIR]   (default: build-package)
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

build_dir="${1:-build-package}"

# The flags a Debian package build gets from dpkg-buildflags, with every
# hardening feature on; the file prefix map keeps this folder's path out of
# the program.
export DEB_BUILD_MAINT_OPTIONS="hardening=+all"
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLAKORA_WERROR=ON \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
# Only what the package holds: the tests and benchmarks are not built, and
# CPack does not build them either (its install step skips the "all" target).
cmake --build "$build_dir" --target plakora plakora_manual plakora_changelog -- -j2

# The folders CPack makes take their mode from the umask: 0755 in the package.
umask 022
rm -f "$build_dir"/plakora_*.deb
(cd "$build_dir" && cpack -G DEB)
ls "$build_dir"/plakora_*.deb
