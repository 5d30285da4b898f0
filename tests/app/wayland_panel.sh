#!/bin/bash
# The live control panel on a real Wayland compositor: a headless sway, the
# program on Qt's own Wayland platform. Space brings the panel up over the
# full-screen show, and Escape, which the compositor leaves with the show,
# reaches the panel and restarts the show rather than ending it.
# usage: wayland_panel.sh PROGRAM     (exit 77: no compositor here, skipped)
set -u
program="$(readlink -f "$1")"
skip() {
  echo "wayland_panel: $*, skipped"
  exit 77
}
for tool in sway swaymsg wtype; do
  command -v "$tool" >/dev/null || skip "no $tool"
done
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 ||
  skip "no Qt Wayland platform (qt6-wayland)"

# sway refuses to run as root: as root, the compositor and the program run
# as a user of their own.
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  user=plakora-test
  id "$user" >/dev/null 2>&1 || useradd --system --no-create-home "$user" >/dev/null 2>&1 ||
    skip "no user to run sway as"
  as_user=(runuser -u "$user" --)
  "${as_user[@]}" test -x "$program" || skip "$user cannot run $program from here"
fi

work="$(mktemp -d)"
chmod 755 "$work"
run="$work/run"
mkdir -m 700 "$run"
[ ${#as_user[@]} -eq 0 ] || chown "$user" "$run"
sway_pid=
plakora=
cleanup() {
  [ -n "$plakora" ] && kill "$plakora" 2>/dev/null
  [ -n "$sway_pid" ] && kill "$sway_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "wayland_panel: $*" >&2
  [ -f "$work/sway.log" ] && tail -5 "$work/sway.log" >&2
  exit 1
}

env_vars=(env XDG_RUNTIME_DIR="$run" HOME="$run" XDG_CONFIG_HOME="$run"
  WLR_BACKENDS=headless WLR_HEADLESS_OUTPUTS=1 WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1)
printf 'output HEADLESS-1 resolution 1280x800\n' >"$work/sway.cfg"
"${as_user[@]}" "${env_vars[@]}" sway -c "$work/sway.cfg" >"$work/sway.log" 2>&1 &
sway_pid=$!
for _ in $(seq 100); do
  [ -S "$run/wayland-1" ] && ls "$run"/sway-ipc.*.sock >/dev/null 2>&1 && break
  sleep 0.1
done
[ -S "$run/wayland-1" ] || skip "sway did not start here"
sock="$(ls "$run"/sway-ipc.*.sock)"
on_wayland=("${as_user[@]}" "${env_vars[@]}" WAYLAND_DISPLAY=wayland-1 SWAYSOCK="$sock")

# Whether the window named $1 is shown (true or false), from sway's tree;
# a window the program hid is no longer in it.
shown() {
  local visible
  visible="$("${on_wayland[@]}" swaymsg -t get_tree 2>/dev/null |
    grep -A60 "\"name\": \"$1\"" | grep -m1 '"visible"' | grep -o 'true\|false')"
  echo "${visible:-false}"
}
wait_shown() {
  for _ in $(seq 100); do
    [ "$(shown "$1")" = "$2" ] && return 0
    sleep 0.1
  done
  fail "$1 is not shown '$2' but '$(shown "$1")'"
}

printf '[Stuff]\r\nT1L=Today\r\n' >"$work/show.SFG"
chmod 644 "$work/show.SFG"
"${on_wayland[@]}" QT_QPA_PLATFORM=wayland "$program" --play "$work/show.SFG" \
  >"$work/out" 2>&1 &
plakora=$!
wait_shown PlayScreen true
# wtype waits until the program has taken the keyboard's layout.
"${on_wayland[@]}" wtype -s 1000 -k space || fail "wtype could not type"
wait_shown "Plakora Control" true
"${on_wayland[@]}" wtype -s 300 -k Escape || fail "wtype could not type"
wait_shown "Plakora Control" false
[ "$(shown PlayScreen)" = true ] || fail "Escape with the panel up ended the show"
kill -0 "$plakora" 2>/dev/null || fail "the program ended"
echo "wayland_panel: the panel came up over the show under sway, and Escape restarted the show"
