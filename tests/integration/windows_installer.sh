#!/usr/bin/env bash
# The installer under Wine, as a user who is not root: a silent install into C:\Program Files\Zarn
# lays the folder out as the build's stage has it, with the Start-menu entries; the installed
# zarn-upgrade.exe lists the demo computer's players; the silent uninstall removes what was
# installed and keeps a file of the user's own.
#
#   tests/integration/windows_installer.sh WINDOWS_BUILD     (a build that runs here: the
#                                                            64-bit twin where no 32-bit code runs)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
scripts="$here/../../scripts"
build=$(realpath "$1")

"$scripts/windows-installer" "$build"
out="$build/installer-check"
rm -rf "$out"
mkdir -p "$out"
cp -a "$build/installer/demo" "$out/demo"
[[ $(id -u) -ne 0 ]] || chown -R 65534:65534 "$out"

# Inside the session: install, list, uninstall; the prefix's C: is checked from outside after each.
session='
set -u
wine=$KPZ_WINE
folder="$WINEPREFIX/drive_c/Program Files/Zarn"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Zarn"
"$wine" "$1" /S; echo "install exit $?"
(cd "$folder" && find . -type f | sort) >"$2/installed.txt"
ls "$menu" >"$2/menu.txt" 2>&1
"$wine" "C:\\Program Files\\Zarn\\zarn-upgrade.exe" --machine "$3" list >"$2/list.txt" 2>&1
echo "list exit $?"
"$wine" "C:\\Program Files\\Zarn\\zarn-upgrade.exe" list >"$2/list-here.txt" 2>&1
echo "list here exit $?"
echo mine >"$folder/notes.txt"
# The uninstaller takes "_?=" only unquoted, and Wine quotes an argument with a space: a batch
# file hands the line on as it stands. Without "_?=" the uninstaller would run from a copy of
# itself, after this has gone on.
printf "@echo off\r\n%s\r\n" "\"C:\\Program Files\\Zarn\\Uninstall.exe\" /S _?=C:\\Program Files\\Zarn" \
    >"$2/uninstall.bat"
"$wine" cmd /c "$4"
echo "uninstall exit $?"
(cd "$folder" && find . | sort) >"$2/left.txt"
ls "$menu" >"$2/menu-left.txt" 2>&1 || true
'
machine="Z:${out//\//\\}\\demo\\machine.json"
"$scripts/wine-session" "$build" bash -c "$session" run \
    "Z:${build//\//\\}\\ZarnUpgradeUtility-Setup.exe" "$out" "$machine" \
    "Z:${out//\//\\}\\uninstall.bat" | tr -d '\r' |
    tee "$out/exits.txt"

failed=0
check() {
    if ! eval "$2"; then
        echo "windows_installer: $1"
        failed=1
    fi
}
expected=$( (cd "$build/installer/stage" && find . -type f; echo ./Uninstall.exe) | sort)
check "install did not end with 0" 'grep -qx "install exit 0" "$out/exits.txt"'
check "the installed folder differs from the stage" \
    'diff -u <(echo "$expected") "$out/installed.txt"'
check "no Start-menu entry for the program" \
    'grep -qx "Zarn Upgrade Utility.lnk" "$out/menu.txt"'
check "the installed zarn-upgrade.exe did not list" 'grep -qx "list exit 0" "$out/exits.txt"'
check "E: is not listed" 'grep -q "E:" "$out/list.txt"'
check "G: is not listed" 'grep -q "G:" "$out/list.txt"'
# On Wine's own computer, with the installation beside it: no players, and no complaint.
check "the installed zarn-upgrade.exe did not list this computer" \
    'grep -qx "list here exit 0" "$out/exits.txt" && grep -q "^Drive " "$out/list-here.txt"'
check "uninstall did not end with 0" 'grep -qx "uninstall exit 0" "$out/exits.txt"'
# With _?= the uninstaller runs in place and so cannot remove itself.
check "the uninstall left other than the user's file" \
    'diff -u <(printf "%s\n" . ./Uninstall.exe ./notes.txt) "$out/left.txt"'
check "the Start-menu folder is still there" 'grep -q "No such file" "$out/menu-left.txt"'
if [[ $failed -eq 0 ]]; then
    echo "windows_installer: installed $(wc -l <"$out/installed.txt") files into" \
         "C:\\Program Files\\Zarn, listed $(grep -c ':' "$out/list.txt") lines, uninstalled"
fi
cat "$out/list.txt"
exit $failed
