#!/bin/sh
# The manual page reads without a warning from man and names every option the
# program's --help prints, so the two cannot drift apart.
# usage: manual_page.sh PROGRAM MANUAL_PAGE
set -eu
program="$1"
page="$2"

warnings="$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)"
if [ -n "$warnings" ]; then
  echo "manual_page: man warns about $page:" >&2
  echo "$warnings" >&2
  exit 1
fi

options="$(QT_QPA_PLATFORM=offscreen "$program" --help 2>/dev/null | grep -Eo -- '--[a-z][a-z-]*' | sort -u)"
[ -n "$options" ] || { echo "manual_page: $program --help printed no option" >&2; exit 1; }
text="$(MANWIDTH=200 man -l "$page" 2>/dev/null)"
status=0
for option in $options; do
  if ! printf '%s\n' "$text" | grep -qE -- "(^|[^a-z-])$option([^a-z-]|\$)"; then
    echo "manual_page: $page does not name $option" >&2
    status=1
  fi
done
exit $status
