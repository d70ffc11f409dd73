# Sourced by the desktop test scripts: a work folder `work` and a list `started` of the process
# ids the script started. When the script ends, also when interrupted, the processes are stopped
# in the reverse order of their start (a manager before its screen) and the folder is removed; the
# script's exit status stays. `within_10s CHECK...` polls a check every 0.02 s for up to 10 s.
work=$(mktemp -d)
started=()
cleanup() {
    local status=$? index
    trap - EXIT
    for ((index = ${#started[@]} - 1; index >= 0; index--)); do
        kill "${started[index]}" 2>/dev/null || true
        wait "${started[index]}" 2>/dev/null || true
    done
    rm -rf "$work"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

within_10s() {
    local tries
    for ((tries = 0; tries < 500; tries++)); do
        "$@" && return 0
        sleep 0.02
    done
    return 1
}
