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
# Only the functions that exist so far can be there; none may be missing once all are built.
nm -D --defined-only -C "$1" | awk '$2 ~ /^[TtWwVvDdBbRr]$/ { $1=""; $2=""; sub(/^  /, ""); print }' \
    | sort > "$actual"
extra=$(comm -13 <(sort "$expected") "$actual")
if [[ -n "$extra" ]]; then
    echo "unexpected exports:"; echo "$extra"; exit 1
fi
echo "exports: $(wc -l < "$actual") of 5 functions"
