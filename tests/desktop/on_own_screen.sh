#!/usr/bin/env bash
# Runs a command on an X screen of its own under a window manager, as a user's desktop has one:
# starts Xvfb on a free display, starts the manager on it, waits until the manager holds the
# screen, then runs the command with DISPLAY and AMBRELIX_DESKTOP_MANAGER set. The manager and
# the screen are stopped when the script ends, also when the command crashed or was interrupted.
# Exits with the command's status.
# Usage: on_own_screen.sh [--size WxH] [--two-monitors] MANAGER COMMAND...
#   MANAGER: openbox, metacity, xfwm4, icewm, or none (a screen without a manager).
#   --size: the screen's size, 1280x1024 unless given.
#   --two-monitors: the screen shows as two monitors side by side, each half its width, the left
#   one primary (RandR monitors, which the manager and the program read as two screens).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
size=1280x1024
two_monitors=false
while [ $# -gt 0 ]; do
    case $1 in
    --size)
        size=$2
        shift 2
        ;;
    --two-monitors)
        two_monitors=true
        shift
        ;;
    *) break ;;
    esac
done
if [ $# -lt 2 ]; then
    echo "usage: $0 [--size WxH] [--two-monitors] MANAGER COMMAND..." >&2
    exit 2
fi
manager=$1
shift
case $manager in
openbox | metacity) manager_command=("$manager" --sm-disable) ;;
xfwm4) manager_command=(xfwm4 --compositor=off --sm-client-disable) ;;
icewm) manager_command=(icewm) ;;
none) manager_command=() ;;
*)
    echo "FAIL: unknown window manager '$manager'" >&2
    exit 2
    ;;
esac

# shellcheck source-path=SCRIPTDIR
source "$here/started_processes.sh"

# Xvfb writes the number of the display it chose once it accepts connections. Monitors last only
# while the server does not reset, which it does when its last client leaves.
xvfb_options=()
if $two_monitors; then
    xvfb_options=(-noreset)
fi
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp "${xvfb_options[@]}" 3>"$work/display" >"$work/xvfb.log" 2>&1 &
started+=($!)
display_ready() { grep -q '^[0-9][0-9]*$' "$work/display" 2>/dev/null; }
if ! within_10s display_ready; then
    echo "FAIL: Xvfb did not start" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
export DISPLAY=":$(head -n 1 "$work/display")"
export AMBRELIX_DESKTOP_MANAGER=$manager

if $two_monitors; then
    width=${size%x*}
    height=${size#*x}
    half=$((width / 2))
    # Sizes in millimetres at 96 dots an inch.
    geometry="$half/$((half * 254 / 960))x$height/$((height * 254 / 960))"
    output=$(xrandr --query | awk '$2 == "connected" { print $1; exit }')
    # The left monitor takes the screen's output, so the output makes no monitor of its own.
    if ! xrandr --setmonitor LEFT "$geometry+0+0" "$output" >/dev/null ||
        ! xrandr --setmonitor RIGHT "$geometry+$half+0" none >/dev/null ||
        [ "$(xrandr --listmonitors | head -n 1)" != "Monitors: 2" ]; then
        echo "FAIL: the screen did not show as two monitors" >&2
        exit 1
    fi
fi

if [ "$manager" != none ]; then
    if ! command -v "$manager" >/dev/null; then
        echo "FAIL: the window manager $manager is not installed" >&2
        exit 1
    fi
    manager_environment=()
    if [ "$manager" = xfwm4 ]; then
        # xfwm4 reads its settings from xfconf over a D-Bus session; a bus of its own keeps it
        # from starting one on the display or joining the user's.
        dbus-daemon --session --nofork --print-address=3 3>"$work/bus" >"$work/bus.log" 2>&1 &
        started+=($!)
        bus_ready() { grep -q . "$work/bus" 2>/dev/null; }
        if ! within_10s bus_ready; then
            echo "FAIL: the D-Bus session for xfwm4 did not start" >&2
            exit 1
        fi
        manager_environment=(DBUS_SESSION_BUS_ADDRESS="$(head -n 1 "$work/bus")")
    fi
    env "${manager_environment[@]}" "${manager_command[@]}" >"$work/manager.log" 2>&1 &
    manager_pid=$!
    started+=("$manager_pid")
    waited=0
    python3 "$here/wait_for_manager.py" "$DISPLAY" "$manager_pid" 10 || waited=$?
    case $waited in
    0) ;;
    3)
        echo "FAIL: $manager ended before it took the screen" >&2
        cat "$work/manager.log" >&2
        exit 1
        ;;
    *)
        echo "FAIL: $manager did not take the screen within 10 s" >&2
        cat "$work/manager.log" >&2
        exit 1
        ;;
    esac
fi

status=0
"$@" || status=$?
exit "$status"
