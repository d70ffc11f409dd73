#!/usr/bin/env bash
# The program with a D-Bus session bus that has hung against one that answers. Starts a session
# bus that answers (dbus-daemon) and one that takes connections and never answers (hung_bus.py),
# checks that they do so, then runs the desktop tests' HungBusReference suite with the first bus
# and their HungBus suite with the second, each on an X screen of its own without a window
# manager. The second run gets the time the first measured until the start window showed. A last
# run, HungBusAccessibility, has the hung bus and an X screen under openbox whose root window
# names the first bus as the accessibility bus (AT_SPI_BUS), as at-spi's bus launcher names its
# own. The buses are stopped when the script ends. Exits non-zero when a check or a run fails.
# Usage: hung_bus_test.sh DESKTOP_TESTS
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ $# -ne 1 ]; then
    echo "usage: $0 DESKTOP_TESTS" >&2
    exit 2
fi
tests=$1

# shellcheck source-path=SCRIPTDIR
source "$here/started_processes.sh"
has_line() { grep -q . "$1" 2>/dev/null; }

dbus-daemon --session --nofork --print-address=3 3>"$work/answering" >"$work/answering.log" 2>&1 &
started+=($!)
python3 "$here/hung_bus.py" >"$work/hung" 2>"$work/hung.log" &
started+=($!)
if ! within_10s has_line "$work/answering" || ! within_10s has_line "$work/hung"; then
    echo "FAIL: a session bus did not start" >&2
    cat "$work/answering.log" "$work/hung.log" >&2
    exit 1
fi
answering=$(head -n 1 "$work/answering")
hung=$(head -n 1 "$work/hung")

# A D-Bus client gets its bus's id from the one bus and no answer from the other.
ask_id() {
    timeout "$1" dbus-send --bus="$2" --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.GetId \
        >/dev/null 2>&1
}
if ! ask_id 5 "$answering"; then
    echo "FAIL: the session bus $answering does not answer" >&2
    exit 1
fi
asked=0
ask_id 1 "$hung" || asked=$?
if [ "$asked" -ne 124 ]; then
    echo "FAIL: the session bus $hung did not hang (dbus-send ended with $asked)" >&2
    exit 1
fi

# A run that waits on the hung bus would last D-Bus's timeouts of 25 s and more: it is ended
# after 20 s, where one that waits on nothing lasts about a second.
# Usage: run_on_own_screen MANAGER COMMAND...
run_on_own_screen() {
    local status=0
    timeout --kill-after=5 20 bash "$here/on_own_screen.sh" "$@" || status=$?
    if [ "$status" -eq 124 ]; then
        echo "FAIL: the run did not end within 20 s" >&2
    fi
    return "$status"
}

DBUS_SESSION_BUS_ADDRESS=$answering AMBRELIX_TEST_ANSWERING_BUS=$answering \
    run_on_own_screen none "$tests" --gtest_filter='HungBusReference.*' | tee "$work/reference.log"
reference=$(sed -n 's/^start window after \([0-9][0-9]*\) ms$/\1/p' "$work/reference.log")
if [ -z "$reference" ]; then
    echo "FAIL: the start with a session bus that answers was not measured" >&2
    exit 1
fi

DBUS_SESSION_BUS_ADDRESS=$hung AMBRELIX_TEST_HUNG_BUS=$hung AMBRELIX_TEST_REFERENCE_START_MS=$reference \
    run_on_own_screen none "$tests" --gtest_filter='HungBus.*'

# The manager keeps a client on the screen, without which the X server resets and drops the name.
# shellcheck disable=SC2016 # expanded by the inner shell
DBUS_SESSION_BUS_ADDRESS=$hung AMBRELIX_TEST_HUNG_BUS=$hung AMBRELIX_TEST_ACCESSIBILITY_BUS=$answering \
    run_on_own_screen openbox bash -c 'xprop -root -f AT_SPI_BUS 8s -set AT_SPI_BUS "$1" && exec "$2" "$3"' \
    _ "$answering" "$tests" --gtest_filter='HungBusAccessibility.*'
