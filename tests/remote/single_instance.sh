#!/bin/sh
# A second start of the program hands its request to the one that runs:
# --play BOARD plays BOARD there, and the second start ends with 0; a board
# the running program cannot read ends it with 1 and says why;
# --new-instance starts a program of its own. Runs on a session bus of its
# own (dbus-run-session) with the offscreen platform.
program="$1"
work="$(mktemp -d)"
trap 'kill "$first" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "single_instance: $*" >&2; exit 1; }
export XDG_CONFIG_HOME="$work"

printf '[Stuff]\r\nT1L=First\r\n' >"$work/first.SFG"
printf '[Stuff]\r\nT1L=Second\r\n' >"$work/second.SFG"
"$program" --play "$work/first.SFG" 2>"$work/first.err" &
first=$!
property() {
  gdbus call --session --dest org.plakora.Plakora --object-path /org/plakora/Plakora \
    --method org.freedesktop.DBus.Properties.Get org.plakora.Plakora.Show "$1" 2>/dev/null
}
for _ in $(seq 100); do
  [ "$(property State)" = "(<'playing'>,)" ] && break
  sleep 0.1
done
[ "$(property State)" = "(<'playing'>,)" ] || fail "the first program does not play: $(cat "$work/first.err")"

"$program" --play "$work/second.SFG" || fail "the second start ended with $?"
[ "$(property Board)" = "(<'$work/second.SFG'>,)" ] || fail "the running program plays $(property Board)"
kill -0 "$first" 2>/dev/null || fail "the first program ended"

out="$("$program" --play "$work/none.SFG" 2>&1)"
status=$?
[ "$status" -eq 1 ] || fail "a board that is not there ended the second start with $status"
echo "$out" | grep -q "I cant find $work/none.SFG" || fail "the second start said: $out"

"$program" --new-instance --version >/dev/null || fail "--new-instance --version ended with $?"
"$program" >/dev/null 2>&1 || fail "a start with nothing ended with $?"
echo "single_instance: a second start handed BOARD to the running program"
