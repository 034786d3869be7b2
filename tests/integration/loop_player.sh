#!/usr/bin/env bash
# A player on a loop device, as the host backend meets one: an image with a file system,
# mounted at a folder whose name has a blank, its sysfs folder overlaid with a player's
# attributes (removable, INQUIRY data, page 80h). The installed programs find it, list it and
# upgrade it, run by a user who is not root, as a desktop user runs them.
#
#   loop_player.sh BUILD_DIR KPZ_DBWRITE KPZ_MKFIRMWARE [--screenshots FOLDER KPZ_SCREENSHOTS]
#
# With --screenshots the same player is upgraded in the desktop program's windows instead,
# under Xvfb, and their pictures are written to FOLDER.
set -euo pipefail

build=$(realpath "$1") dbwrite=$(realpath "$2") mkfirmware=$(realpath "$3")
pictures="" screenshots=""
[[ ${4:-} == --screenshots ]] && pictures=$(realpath -m "$5") screenshots=$(realpath "$6")
here=$(cd "$(dirname "$0")" && pwd)

skip() { echo "SKIP: $*"; exit 77; }

# Outside the namespace: can it be made at all?
if [[ -z ${KPZ_IN_NAMESPACE:-} ]]; then
    [[ $(id -u) -eq 0 ]] || skip "needs root for loop devices and mounts (CI runs as root)"
    for tool in unshare mount umount findmnt setpriv mkfs.ext4; do
        command -v "$tool" >/dev/null || skip "$tool is not installed"
    done
    [[ -e /dev/loop-control ]] || skip "no loop devices here (/dev/loop-control is missing)"
    [[ -z $pictures ]] || command -v xvfb-run >/dev/null || skip "xvfb-run is not installed"
    KPZ_IN_NAMESPACE=1 exec unshare --mount --propagation private "$0" "$@"
fi

work=$(mktemp -d /tmp/kpz-loop-XXXXXX)
loop=""
mounts=()
services=()
cleanup() {
    local status=$?
    for pid in "${services[@]}"; do kill "$pid" 2>/dev/null || true; done
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount -l "${mounts[i]}" 2>/dev/null || true; done
    rm -rf "$work"
    exit $status
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; exit 1; }
expect() {  # expect TEXT PATTERN WHAT
    [[ $1 == *"$2"* ]] || { echo "--- output:"; echo "$1"; fail "$3"; }
}

chmod 755 "$work"
user=nobody
as_user() { setpriv --reuid="$user" --regid=nogroup --clear-groups -- "$@"; }

# The installation, as cmake --install lays it out.
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
folder=$prefix/lib/zarn-upgrade
for file in bin/zarn-upgrade bin/KPZPortableDeviceSystemFileUpdater \
    lib/zarn-upgrade/KPZSupportedPortableDevices.bin lib/libkpzdetect.so include/kpz/detection.h \
    share/applications/zarn-upgrade.desktop share/man/man1/zarn-upgrade.1 \
    share/icons/hicolor/scalable/apps/zarn-upgrade.svg lib/udev/rules.d/70-zarn-upgrade.rules; do
    [[ -e $prefix/$file ]] || fail "cmake --install left out $file"
done
grep -q 'ATTRS{vendor}=="Velmora", TAG+="uaccess"' "$prefix/lib/udev/rules.d/70-zarn-upgrade.rules" \
    || fail "the udev rule does not name the database's vendor"

# The model's files in the installation; a database whose player is not asked its state
# (a loop device answers no SCSI command), and one that is.
mkdir -p "$folder/ZJ-20/System/Data"
"$mkfirmware" --version 3.180 -o "$folder/ZJ-20/System" >/dev/null
echo "font" >"$folder/ZJ-20/System/Data/small.fnt"
model='"vendorId":"Velmora ","productId":"ZJ-20           ","displayName":"Zarn Jukebox 20",
  "querySerialFlag":1,"hasSystemFiles":1,"systemFolder":"\\System","firmwareHeaderFlag":1,
  "systemFiles":[{"path":"QDAV3180.mi4"},{"path":"Data\\*"}]'
echo "[{$model}]" >"$work/devices.json"
echo "[{$model,\"queryStateFlag\":1}]" >"$work/devices-state.json"
"$dbwrite" "$work/devices.json" -o "$folder/KPZSupportedPortableDevices.bin" >/dev/null
"$dbwrite" "$work/devices-state.json" -o "$work/state.bin" >/dev/null

# The player: vfat where the kernel has it, else ext4 (hidden then lives in user.DOSATTRIB).
fs=ext4
grep -qw vfat /proc/filesystems && command -v mkfs.vfat >/dev/null && fs=vfat
[[ $fs == vfat ]] || echo "NOTE: vfat is not in this kernel (/proc/filesystems): the player is ext4"
truncate -s 64M "$work/player.img"
if [[ $fs == vfat ]]; then mkfs.vfat -n ZARN "$work/player.img" >/dev/null
else mkfs.ext4 -q -F "$work/player.img"; fi
media="$work/media/ZARN JUKEBOX"
mkdir -p "$media"
# Through mount's own loop device, which the kernel frees with the mount, also when this
# namespace ends without our clean-up (a test killed at its time-out).
if [[ $fs == vfat ]]; then mount -t vfat -o "loop,uid=$(id -u $user)" "$work/player.img" "$media"
else mount -o loop "$work/player.img" "$media" && chown "$user" "$media"; fi
mounts+=("$media")
loop=$(findmnt -no SOURCE --target "$media")
[[ $loop == /dev/loop* ]] || fail "the image is not on a loop device: $loop"
name=$(basename "$loop")
mkdir -p "$media/System"
"$mkfirmware" --version 3.170 -o "$media/System" >/dev/null
chown -R "$user" "$media"

# The loop device's sysfs folder, overlaid with a USB player's attributes.
sysfs=$(readlink -f "/sys/dev/block/$(cat "/sys/block/$name/dev")")
fixture=$work/sysfs
mkdir -p "$fixture/device"
echo 1 >"$fixture/removable"
printf '\x00\x80\x02\x02\x1f\x00\x00\x00Velmora ZJ-20           1.00' >"$fixture/device/inquiry"
printf '\x00\x80\x00\x08ZJ001234' >"$fixture/device/vpd_pg80"
mount --bind "$fixture" "$sysfs"
mounts+=("$sysfs")

cd "$work"
if [[ -n $pictures ]]; then
    mkdir -p "$pictures"
    xvfb-run -a -s "-screen 0 1024x768x24" "$screenshots" --install-folder "$folder" \
        --out "$pictures"
    image=$(find "$media/System" -maxdepth 1 -iname QDAV3180.mi4)
    cmp -s "$folder/ZJ-20/System/QDAV3180.mi4" "$image" || fail "the window's upgrade copied no image"
    echo "the loop-device player ($loop, $fs) upgraded in the window; pictures in $pictures"
    exit 0
fi
zarn=$prefix/bin/zarn-upgrade  # finds its installation beside itself, through the link
rows=$(as_user "$zarn" --json list)
drive=$(python3 -c 'import json,sys; r=[x for x in json.load(sys.stdin) if x["device"]=="Zarn Jukebox 20"]; print(r[0]["drive"] if r else "")' <<<"$rows")
[[ -n $drive ]] || fail "the player was not listed: $rows"
expect "$rows" '"currentVersion":"3.170","upgradeVersion":"3.180"' "versions before the upgrade"
echo "found on $drive ($loop, $fs, mounted at \"$media\")"

detected=$(as_user "$zarn" detect)
expect "$detected" "ZJ001234" "the serial number from sysfs page 80h"

upgraded=$(as_user "$zarn" upgrade "$drive")
expect "$upgraded" "$drive  Upgrade completed successfully" "the upgrade"
# A Windows file system ignores case, and so does the player: the name may differ in it.
image=$(find "$media/System" -maxdepth 1 -iname QDAV3180.mi4)
cmp -s "$folder/ZJ-20/System/QDAV3180.mi4" "$image" || fail "image not copied"
[[ -f $media/System/Data/small.fnt ]] || fail "the data folder was not copied"
after=$(as_user "$zarn" --json list)
expect "$after" '"currentVersion":"3.180"' "the new version after the upgrade"

# The folders the upgrade made are hidden on the player itself.
python3 - "$fs" "$media/System/Data" <<'PY' || fail "the System\\Data folder is not hidden"
import fcntl, os, struct, sys
fs, path = sys.argv[1], sys.argv[2]
if fs == "vfat":
    fd = os.open(path, os.O_RDONLY)
    attributes = struct.unpack("I", fcntl.ioctl(fd, 0x80047210, b"\0" * 4))[0]  # FAT_IOCTL_GET_ATTRIBUTES
    os.close(fd)
else:
    attributes = int(os.getxattr(path, "user.DOSATTRIB").decode(), 16)
sys.exit(0 if attributes & 2 else 1)
PY

# A model whose state is asked needs the disk's node, which only root may open here.
cp "$work/state.bin" "$folder/KPZSupportedPortableDevices.bin"
refused=$(as_user "$zarn" detect 2>&1)
expect "$refused" "$drive $loop: permission denied: install the udev rule or run with access to the device" \
    "the node that cannot be opened is told"
# Safely Remove on the command line: udisks2's calls, here to a stand-in on a private bus.
if [[ -x /usr/bin/dbus-daemon ]] && /usr/bin/python3 -c 'import dbusmock' 2>/dev/null; then
    cat >"$work/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-BUS Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig><type>session</type><listen>unix:dir=$work</listen><auth>EXTERNAL</auth>
<policy context="default"><allow send_destination="*" eavesdrop="true"/>
<allow eavesdrop="true"/><allow own="*"/><allow user="*"/></policy></busconfig>
CONF
    { read -r address; read -r pid; } < <(dbus-daemon --config-file="$work/bus.conf" --fork \
        --print-address=1 --print-pid=1)
    services+=("$pid")
    export DBUS_SYSTEM_BUS_ADDRESS=$address
    exec 3< <(exec /usr/bin/python3 -m dbusmock --system -t "$here/../release/udisks2_stand_in.py" \
        -l "$work/udisks.log" --parameters "{\"Block\": \"$name\"}")
    services+=("$!")
    read -r ready <&3
    [[ $ready == ready ]] || fail "the udisks2 stand-in did not start"
    ejected=$(as_user "$zarn" eject "$drive")
    expect "$ejected" "$drive ($loop) is unmounted and powered off: the player can be unplugged now." \
        "eject"
    calls=$(awk '$2 == "Unmount" || $2 == "PowerOff" { print $2 }' "$work/udisks.log" | paste -sd' ')
    [[ $calls == "Unmount PowerOff" ]] || fail "udisks2 was called: $calls"
else
    echo "NOTE: eject not tried: dbus-daemon or python3-dbusmock is missing"
fi
echo "loop_player: 1 passed, 0 failed"
