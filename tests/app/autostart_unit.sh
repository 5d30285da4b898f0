#!/bin/sh
# The example systemd user unit passes systemd-analyze without a word, with
# its command pointed at the program just built.
# usage: autostart_unit.sh PROGRAM UNIT     (exit 77: no systemd-analyze)
set -eu
command -v systemd-analyze >/dev/null || { echo "autostart_unit: no systemd-analyze, skipped"; exit 77; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
chmod 700 "$work"
sed "s|/usr/bin/plakora|$(readlink -f "$1")|" "$2" >"$work/plakora-show.service"
out="$(cd "$work" && XDG_RUNTIME_DIR="$work" HOME="$work" \
  systemd-analyze --user verify ./plakora-show.service 2>&1)" || {
  echo "$out"
  exit 1
}
[ -z "$out" ] || { echo "$out"; exit 1; }
echo "autostart_unit: the unit verifies"
