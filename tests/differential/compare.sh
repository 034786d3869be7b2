#!/usr/bin/env bash
# Compares two outputs of the scenario line by line. Every observation either agrees, or
# departs exactly as an entry of the reviewed list says; an entry that no longer departs is an
# error too, so the list stays true.
#
#   compare.sh OURS WINDOWS LIST [TITLE]
#
# LIST holds blocks separated by blank lines ('#' lines are comments):
#   observation: <name as the scenario prints it>
#   ours: <what our core gives>
#   windows: <what the real API gives>
#   reason: <why they differ, and whose the departure is>
set -euo pipefail
ours=$1 windows=$2 list=$3 title=${4:-$(basename "$list")}

declare -A seen_ours=() seen_windows=() listed_ours=() listed_windows=() reasons=() used=()
read_observations() {  # file, array name
    local -n into=$2
    while IFS=$'\t' read -r name value; do
        [[ -n "$name" ]] && into["$name"]=$value
    done < <(tr -d '\r' < "$1")
}
read_observations "$ours" seen_ours
read_observations "$windows" seen_windows

name=""
while IFS= read -r line; do
    case "$line" in
        "#"*) ;;
        "observation: "*) name=${line#observation: } ;;
        "ours: "*) listed_ours["$name"]=${line#ours: } ;;
        "windows: "*) listed_windows["$name"]=${line#windows: } ;;
        "reason: "*) reasons["$name"]=${line#reason: } ;;
        "") name="" ;;
        *) echo "$title: cannot read the line: $line"; exit 2 ;;
    esac
done < "$list"

failed=0 total=0 agreeing=0 departing=0
mapfile -t names < <(printf '%s\n' "${!seen_ours[@]}" "${!seen_windows[@]}" | sort -u)
for name in "${names[@]}"; do
    total=$((total + 1))
    a=${seen_ours["$name"]-<missing>} b=${seen_windows["$name"]-<missing>}
    if [[ "$a" == "$b" ]]; then
        agreeing=$((agreeing + 1))
        continue
    fi
    if [[ -n "${reasons["$name"]-}" && "${listed_ours["$name"]}" == "$a" &&
          "${listed_windows["$name"]}" == "$b" ]]; then
        departing=$((departing + 1))
        used["$name"]=1
        continue
    fi
    echo "$title: DEPARTS  $name"
    echo "    ours:    $a"
    echo "    windows: $b"
    failed=1
done
for name in "${!reasons[@]}"; do
    if [[ -z "${used["$name"]-}" ]]; then
        echo "$title: LISTED BUT NOT DEPARTING  $name"
        echo "    ours:    ${seen_ours["$name"]-<missing>} (listed: ${listed_ours["$name"]})"
        echo "    windows: ${seen_windows["$name"]-<missing>} (listed: ${listed_windows["$name"]})"
        failed=1
    fi
done
echo "$title: $total observations, $agreeing agree, $departing on the reviewed list" \
     "($((${#reasons[@]})) entries)"
exit $failed
