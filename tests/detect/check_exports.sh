#!/usr/bin/env bash
# Lists the library's defined dynamic symbols and compares them with its exported functions.
# With an objdump after the library (a Windows DLL): the names of its export table.
set -euo pipefail
expected=$(mktemp)
actual=$(mktemp)
trap 'rm -f "$expected" "$actual"' EXIT
cat > "$expected" <<'LIST'
KPZPortableDeviceDetectionEnumDevices(char const*, int (*)(tagPORTDEVINFO&, long), long)
KPZPortableDeviceDetectionEnumDevices(char const*, int (*)(tagPORTDEVINFO&, long), tagPORTDEVCONFLICTDIALOGINFO&, long)
KPZPortableDeviceDetectionIsPresent(char)
KPZPortableDeviceDetectionUpdateSystemFiles(tagPORTDEVINFO*, char const*, int, int, void (*)(tagPORTDEVINFO&, unsigned int, tagUPDATESYSFILEINFO*))
KPZPortableDeviceDetectionVerifyPlaylistFolders(tagPORTDEVINFO*, char const*)
LIST
# Exactly the five functions: none missing, none more.
if [[ $# -ge 2 ]]; then
    "$2" -p "$1" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/s/^\s*\[ *[0-9]*\] //p' \
        | c++filt | sort > "$actual"
else
    nm -D --defined-only -C "$1" | awk '$2 ~ /^[TtWwVvDdBbRr]$/ { $1=""; $2=""; sub(/^  /, ""); print }' \
        | sort > "$actual"
fi
sort -o "$expected" "$expected"
if ! diff "$expected" "$actual" > /dev/null; then
    echo "missing exports:"; comm -23 "$expected" "$actual"
    echo "unexpected exports:"; comm -13 "$expected" "$actual"
    exit 1
fi
echo "exports: the $(wc -l < "$actual") functions, no more"
