#!/usr/bin/env bash
# The demo computer upgraded by the Linux zarn-upgrade and by zarn-upgrade.exe under Wine, each
# on its own copy, as a user who is not root: the rows before and after, the notifications and
# the files each copy is left with must be the same.
#
#   tests/integration/windows_demo.sh LINUX_BUILD WINDOWS_BUILD
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
scripts="$here/../../scripts"
linux=$(realpath "$1")
windows=$(realpath "$2")
out="$windows/demo-check"

as_user=()
if [[ $(id -u) -eq 0 ]]; then
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi

rm -rf "$out"
mkdir -p "$out"
"$linux/tools/demo/kpz-demo" demo "$out/linux" >/dev/null
# One clock for both runs: the upgrade's status names the time it finished.
sed -i '1a\  "localTime": "2026-03-04T05:06:07",' "$out/linux/machine.json"
cp -a "$out/linux" "$out/windows"
[[ ${#as_user[@]} -eq 0 ]] || chown -R 65534:65534 "$out"

# The same commands on both: the rows, the upgrade with its notifications, the rows again
# (under Wine through its loader, which the session names).
commands='for command in list "--events upgrade E:" list; do
    echo "\$ zarn-upgrade $command"
    ${KPZ_WINE:-} "$@" $command 2>&1 || echo "exit $?"
done'

"${as_user[@]}" bash -c "$commands" run "$linux/src/cli/zarn-upgrade" \
    --machine "$out/linux/machine.json" >"$out/linux.txt"
machine="Z:${out//\//\\}\\windows\\machine.json"
"$scripts/wine-session" "$windows" bash -c "$commands" run \
    "$windows/src/cli/zarn-upgrade.exe" --machine "$machine" | tr -d '\r' >"$out/windows.txt"

# Each file with its content, and what the host keeps of its attributes.
tree() {
    (cd "$1" && find . -path ./machine.json -prune -o -type f -print0 | sort -z |
        xargs -0 sha256sum)
    "$linux/tests/differential/fs_storage" "$1"
}
tree "$out/linux" >"$out/linux-tree.txt"
tree "$out/windows" >"$out/windows-tree.txt"

failed=0
diff -u "$out/linux.txt" "$out/windows.txt" || failed=1
diff -u "$out/linux-tree.txt" "$out/windows-tree.txt" || failed=1
if ! grep -q "Upgrade completed successfully" "$out/linux.txt"; then
    echo "windows_demo: the Linux run did not upgrade E:"
    failed=1
fi
if [[ $failed -eq 0 ]]; then
    echo "windows_demo: the same rows, notifications and files on Linux and under Wine" \
         "($(wc -l <"$out/linux.txt") lines, $(wc -l <"$out/linux-tree.txt") tree lines)"
fi
exit $failed
