#!/usr/bin/env bash
# kpz-mksysfile: writes headers and checksum files byte for byte, explains itself, and
# refuses bad input with exit 2.
set -uo pipefail
tool=("$@")  # the program, after the emulator that runs it when there is one
source "$(dirname "$0")/../support/tool_checks.sh"
check() {  # description, condition...
    local what=$1; shift
    "$@" || { echo "FAIL: $what"; failed=1; }
}

expect 0 "help" "${tool[@]}" --help
check "help names the layouts" grep -q -- "--layout record|single" "$dir/out"
printf 'payload' > "$dir/payload"
expect 0 "header" "${tool[@]}" header --name KVQ.EXE --version v1.23 --tag ZJ20 --content "$dir/payload" -o "$dir/kvq.exe"
check "header size" test "$(stat -c %s "$dir/kvq.exe")" -eq 71
check "name at 4" test "$(dd if="$dir/kvq.exe" bs=1 skip=4 count=7 2>/dev/null)" = "KVQ.EXE"
check "version at 40" test "$(dd if="$dir/kvq.exe" bs=1 skip=40 count=5 2>/dev/null)" = "v1.23"
check "tag at 48" test "$(dd if="$dir/kvq.exe" bs=1 skip=48 count=4 2>/dev/null)" = "ZJ20"
check "content after the header" test "$(tail -c 7 "$dir/kvq.exe")" = "payload"
expect 0 "records" "${tool[@]}" records --head "$dir/kvq.exe" --record-bytes 100 --tail 3 -o "$dir/content"
check "records size" test "$(stat -c %s "$dir/content")" -eq 168
expect 0 "record layout" "${tool[@]}" checksum --layout record "$dir/content" -o "$dir/kvq.crc"
expect 0 "single layout" "${tool[@]}" checksum --layout single "$dir/payload" -o "$dir/config.crc"
check "single size" test "$(stat -c %s "$dir/config.crc")" -eq 8
check "single sum" test "$(od -An -tu1 -v "$dir/config.crc" | awk '{for(i=1;i<=NF;i++)s+=$i} END{print s%256}')" -eq 0

head -c 2000 /dev/zero > "$dir/big"
expect 2 "oversize refused" "${tool[@]}" checksum --layout single "$dir/big" -o "$dir/x"
expect 0 "oversize on request" "${tool[@]}" checksum --layout single --oversize "$dir/big" -o "$dir/x"
expect 2 "no end mark in content" "${tool[@]}" checksum --layout record "$dir/payload" -o "$dir/x"
expect 2 "no command" "${tool[@]}"
expect 2 "unknown command" "${tool[@]}" crc
expect 2 "unknown option" "${tool[@]}" checksum --layout record --fast "$dir/content" -o "$dir/y"
expect 2 "no layout" "${tool[@]}" checksum "$dir/content" -o "$dir/y"
expect 2 "no output" "${tool[@]}" header --name X
expect 2 "long name" "${tool[@]}" header --name ABCDEFGHIJKLM -o "$dir/y"
expect 2 "bad number" "${tool[@]}" records --tail many -o "$dir/y"
expect 2 "missing input" "${tool[@]}" checksum --layout record "$dir/none" -o "$dir/y"
check "bad input leaves no file" test ! -e "$dir/y"
expect 1 "unwritable" "${tool[@]}" header --name X -o "$dir/no/such/folder/x"
exit $failed
