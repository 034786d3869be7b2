#!/usr/bin/env bash
# kpz-dbwrite: writes the chosen version, explains itself, and refuses bad input with exit 2.
set -uo pipefail
tool=("$@")  # the program, after the emulator that runs it when there is one
source "$(dirname "$0")/../support/tool_checks.sh"
cat > "$dir/ok.json" <<'JSON'
[{"productId": "ZJ-20           ", "displayName": "Zarn Jukebox 20"}]
JSON
echo '[{"productID": "x"}]' > "$dir/unknown.json"
echo '[{' > "$dir/broken.json"

expect 0 "help" "${tool[@]}" --help
grep -q -- "--format-version" "$dir/out" || { echo "FAIL: help lacks --format-version"; failed=1; }
expect 0 "write 2.02" "${tool[@]}" "$dir/ok.json" -o "$dir/db.bin" --format-version 2.02
[[ "$(head -c 32 "$dir/db.bin")" == "KPZSUPPORTEDPORTABLEDEVICESv2.02" ]] \
    || { echo "FAIL: wrong magic"; failed=1; }
expect 2 "no output" "${tool[@]}" "$dir/ok.json"
expect 2 "no input" "${tool[@]}" -o "$dir/x.bin"
expect 2 "unknown version" "${tool[@]}" "$dir/ok.json" -o "$dir/x.bin" --format-version 3.00
expect 2 "unknown option" "${tool[@]}" "$dir/ok.json" -o "$dir/x.bin" --fast
expect 2 "missing file" "${tool[@]}" "$dir/none.json" -o "$dir/x.bin"
expect 2 "broken JSON" "${tool[@]}" "$dir/broken.json" -o "$dir/x.bin"
expect 2 "unknown key" "${tool[@]}" "$dir/unknown.json" -o "$dir/x.bin"
grep -q '"\[0\].productID"' "$dir/err" || { echo "FAIL: key not named"; failed=1; }
[[ ! -e "$dir/x.bin" ]] || { echo "FAIL: bad input left a file"; failed=1; }
expect 1 "unwritable" "${tool[@]}" "$dir/ok.json" -o "$dir/no/such/folder/db.bin"
exit $failed
