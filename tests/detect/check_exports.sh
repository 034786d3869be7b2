#!/usr/bin/env bash
# Lists the library's defined dynamic symbols and compares them with its exported functions.
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
nm -D --defined-only -C "$1" | awk '$2 ~ /^[TtWwVvDdBbRr]$/ { $1=""; $2=""; sub(/^  /, ""); print }' \
    | sort > "$actual"
sort -o "$expected" "$expected"
if ! diff "$expected" "$actual" > /dev/null; then
    echo "missing exports:"; comm -23 "$expected" "$actual"
    echo "unexpected exports:"; comm -13 "$expected" "$actual"
    exit 1
fi
echo "exports: the $(wc -l < "$actual") functions, no more"
