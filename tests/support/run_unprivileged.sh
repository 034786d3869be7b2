#!/usr/bin/env bash
# Runs a test program a second time as a user who is not root (nobody), the way a desktop user
# runs the utility, in a temporary folder that user owns. Skipped (77) when ctest itself does not
# run as root: the suite's own run is then already unprivileged.
set -euo pipefail
program=$1
shift
if [[ $(id -u) -ne 0 ]]; then
    echo "not root: the suite's own run is already unprivileged"
    exit 77
fi
folder=$(mktemp -d "${TMPDIR:-/tmp}/kpz-unprivileged-XXXXXX")
trap 'rm -rf "$folder"' EXIT
# The build folder may lie where that user can't reach it; the program goes along.
cp "$program" "$folder/"
chown -R 65534:65534 "$folder"
chmod 700 "$folder"
cd "$folder"
TMPDIR="$folder" HOME="$folder" setpriv --reuid=65534 --regid=65534 --clear-groups \
    "$folder/$(basename "$program")" "$@"
