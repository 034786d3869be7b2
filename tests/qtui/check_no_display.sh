#!/usr/bin/env bash
# Without a display the desktop program says so in one line and ends with status 2.
set -uo pipefail
program=$1
for display in "" ":97"; do  # none named, and one named that nobody serves
    output=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" "$program" 2>&1)
    status=$?
    lines=$(printf '%s\n' "$output" | wc -l)
    if [[ $status -ne 2 || $lines -ne 1 || $output != *"no display"* ]]; then
        echo "FAIL with DISPLAY=\"$display\": status $status, $lines lines:"
        echo "$output"
        exit 1
    fi
done
echo "no display: one line, status 2"
