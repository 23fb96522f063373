#!/usr/bin/env bash
# Runs a command on the X display in $DISPLAY with openbox managing its
# windows (frames, stacking, activation), and answers the command's status.
set -uo pipefail
ready=$(mktemp -u)
openbox --sm-disable --startup "touch $ready" >/dev/null 2>&1 &
wm=$!
for _ in $(seq 100); do
  [ -e "$ready" ] && break
  sleep 0.1
done
if [ ! -e "$ready" ]; then
  echo "openbox did not start" >&2
  kill "$wm" 2>/dev/null
  exit 1
fi
"$@"
status=$?
kill "$wm" 2>/dev/null
wait "$wm" 2>/dev/null
rm -f "$ready"
exit "$status"
