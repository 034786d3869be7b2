# Shared by the scripts that check our tools' command lines: a scratch folder and `expect`.
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failed=0
expect() {  # expected status, description, command...
    local want=$1 what=$2; shift 2
    "$@" >"$dir/out" 2>"$dir/err"
    local got=$?
    if [[ $got -ne $want ]]; then
        echo "FAIL: $what: exit $got, expected $want"; cat "$dir/err"; failed=1
    fi
}
