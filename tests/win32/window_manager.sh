#!/usr/bin/env bash
# Runs a command on the current X display with a window manager, as a
# person's desktop has one: minimizing and restoring go through it.
#   window_manager.sh COMMAND [ARGUMENTS...]
set -uo pipefail
openbox --sm-disable >/dev/null 2>&1 &
window_manager=$!
sleep 0.5
"$@"
status=$?
kill $window_manager 2>/dev/null
wait $window_manager 2>/dev/null
exit $status
