#!/bin/bash
# A show on the second of two screens, on a real X server: Xvfb split into
# two monitors by xrandr. The program lists both, refuses a third, plays a
# board on the second screen covering exactly it; when that screen goes away
# the unattended show waits, showing nothing anywhere, and when it comes
# back the show plays on it again.
# usage: second_screen.sh PROGRAM      (exit 77: a tool is missing, skipped)
set -u
program="$1"
for tool in Xvfb xrandr xdotool; do
  command -v "$tool" >/dev/null || { echo "second_screen: no $tool, skipped"; exit 77; }
done

work="$(mktemp -d)"
xvfb=
plakora=
cleanup() {
  [ -n "$plakora" ] && kill "$plakora" 2>/dev/null && wait "$plakora" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "second_screen: $*" >&2
  exit 1
}

# -noreset: the monitors would vanish when the server resets after the
# program's last connection closes.
Xvfb -displayfd 3 -screen 0 1824x768x24 -noreset -nolisten tcp 3>"$work/display" \
  >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
export QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work" XDG_RUNTIME_DIR="$work"
xrandr --setmonitor DESK-1 1024/270x768/203+0+0 screen >/dev/null &&
  xrandr --setmonitor TV-2 800/211x600/159+1024+0 none >/dev/null ||
  fail "xrandr could not split the display"

listed="$("$program" --list-screens 2>/dev/null)" || fail "--list-screens ended with $?"
expected=$'1  DESK-1  1024x768+0+0  (primary)\n2  TV-2  800x600+1024+0'
[ "$listed" = "$expected" ] || fail "--list-screens printed:"$'\n'"$listed"
"$program" --screen 3 >/dev/null 2>&1
status=$?
[ "$status" -eq 2 ] || fail "--screen 3 of two screens ended with $status, not 2"

# The visible windows of the program, one per line: name x y width height.
windows() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$plakora" 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    echo "$(xdotool getwindowname "$w") $X $Y $WIDTH $HEIGHT"
  done | sort
}
wait_for() {
  for _ in $(seq 100); do
    [ "$(windows)" = "$1" ] && return 0
    sleep 0.1
  done
  fail "the windows are not '$1' but:"$'\n'"$(windows)"
}

# The show plays on another screen than the editor's: the editor stays up
# beside it.
editor='Ovri Plakora-32 01.03a.169 0 0 1024 768'
printf '[Stuff]\nT1L=Today\n' >"$work/show.SFG"
"$program" --play --screen TV-2 "$work/show.SFG" 2>"$work/stderr" &
plakora=$!
wait_for "$editor"$'\n'"PlayScreen 1024 0 800 600"
xrandr --delmonitor TV-2 >/dev/null || fail "xrandr could not remove TV-2"
wait_for "$editor"
sleep 0.5
[ "$(windows)" = "$editor" ] || fail "with TV-2 gone the program shows:"$'\n'"$(windows)"
kill -0 "$plakora" 2>/dev/null || fail "the program ended when its screen went away"
grep -q "TV-2 went away" "$work/stderr" || fail "nothing said the show waits: $(cat "$work/stderr")"
xrandr --setmonitor TV-2 800/211x600/159+1024+0 none >/dev/null || fail "xrandr could not add TV-2"
wait_for "$editor"$'\n'"PlayScreen 1024 0 800 600"
grep -q "TV-2 is there" "$work/stderr" || fail "nothing said the show is back: $(cat "$work/stderr")"
[ -n "${PLAKORA_SHOT:-}" ] && import -window root "$PLAKORA_SHOT" 2>/dev/null
echo "second_screen: a show on TV-2 covered it, waited while TV-2 was gone and came back with it"
