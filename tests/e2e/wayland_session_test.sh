#!/usr/bin/env bash
# On a Wayland session with an X display beside it (XWayland), the program shows its windows on
# the X display, where it can place them; a platform the user chose is kept. Starts a headless
# Wayland compositor of its own; needs DISPLAY (the test command runs it under Xvfb).
# Usage: wayland_session_test.sh PROGRAM
set -euo pipefail
program=$1
if [ -z "${DISPLAY:-}" ]; then
    echo "FAIL: no X display (run under xvfb-run)" >&2
    exit 1
fi

work=$(mktemp -d)
started=()
cleanup() {
    local pid
    for pid in "${started[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
# The compositor's folder must be private to its user; the program's preferences stay here too.
mkdir -m 700 "$work/runtime" "$work/config"
socket=ambrelix-test

XDG_RUNTIME_DIR="$work/runtime" weston --backend=headless-backend.so --socket="$socket" \
    >"$work/weston.log" 2>&1 &
started+=($!)

# Polls a check every 0.1 s for up to 10 s.
within_10s() {
    local tries
    for tries in $(seq 100); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

if ! within_10s test -S "$work/runtime/$socket"; then
    echo "FAIL: the Wayland compositor did not start" >&2
    cat "$work/weston.log" >&2
    exit 1
fi

# Starts the program on the Wayland session with the environment settings given; sets program_pid.
start_on_wayland_session() {
    env -u QT_QPA_PLATFORM XDG_SESSION_TYPE=wayland XDG_RUNTIME_DIR="$work/runtime" \
        WAYLAND_DISPLAY="$socket" XDG_CONFIG_HOME="$work/config" "$@" "$program" \
        >"$work/program.log" 2>&1 &
    program_pid=$!
    started+=("$program_pid")
}

# The program may have ended already (a crash is reported by the checks, not by the kill).
stop_program() {
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
}

# The windows on the X display that belong to the program's process.
program_x_windows() {
    local id
    for id in $(xwininfo -root -tree | awk '$1 ~ /^0x/ {print $1}'); do
        if xprop -id "$id" _NET_WM_PID 2>/dev/null | grep -qx "_NET_WM_PID(CARDINAL) = $program_pid"; then
            echo "$id"
        fi
    done
}

has_program_x_windows() { [ -n "$(program_x_windows)" ]; }

# The Wayland protocol log shows the program giving a window of its own a title.
has_wayland_windows() { grep -q 'xdg_toplevel@[0-9]*\.set_title(' "$work/program.log"; }

failures=0

start_on_wayland_session
if within_10s has_program_x_windows; then
    echo "PASS: with no platform chosen, the program's windows show on the X display"
else
    echo "FAIL: with no platform chosen, no window of the program showed on the X display" >&2
    cat "$work/program.log" >&2
    failures=$((failures + 1))
fi
stop_program

start_on_wayland_session QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1
if within_10s has_wayland_windows && ! has_program_x_windows; then
    echo "PASS: with Wayland chosen, the program's windows show on Wayland and none on X"
else
    echo "FAIL: with Wayland chosen, the program did not keep to Wayland" >&2
    failures=$((failures + 1))
fi
stop_program

[ "$failures" -eq 0 ]
