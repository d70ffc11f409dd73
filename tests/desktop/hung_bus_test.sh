#!/usr/bin/env bash
# The program with D-Bus buses that answer and one that takes connections and never answers
# (hung_bus.py): a session bus (dbus-daemon) with the accessibility bus's launcher on it as on a
# Wayland session, naming its bus on no X display. Runs the desktop tests' HungBus* suites, each
# on an X screen of its own, with the buses each names (see hungbus_test.cpp); the first measures
# the start the others compare with. Every run is made; exits non-zero when a check or run fails.
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

# The session bus and its launcher see a Wayland session and a runtime folder of their own.
mkdir -m 700 "$work/runtime"
session_environment=(-u DISPLAY WAYLAND_DISPLAY=ambrelix-test-no-compositor XDG_RUNTIME_DIR="$work/runtime")
env "${session_environment[@]}" dbus-daemon --session --nofork --print-address=3 \
    3>"$work/answering" >"$work/answering.log" 2>&1 &
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

env "${session_environment[@]}" DBUS_SESSION_BUS_ADDRESS="$answering" /usr/libexec/at-spi-bus-launcher \
    >"$work/launcher.log" 2>&1 &
started+=($!)
# Asked only once the launcher holds its name, so the bus starts no second one.
launcher_runs() {
    dbus-send --bus="$answering" --print-reply --dest=org.freedesktop.DBus / \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true'
}
if ! within_10s launcher_runs; then
    echo "FAIL: the accessibility bus's launcher did not start" >&2
    cat "$work/launcher.log" >&2
    exit 1
fi
accessibility=$(dbus-send --bus="$answering" --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.a11y.Bus.GetAddress | sed -n 's/^ *string "\(.*\)"$/\1/p')

# A D-Bus client gets its bus's id from the buses that answer and no answer from the other.
ask_id() {
    timeout "$1" dbus-send --bus="$2" --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.GetId \
        >/dev/null 2>&1
}
for bus in "$answering" "$accessibility"; do
    if ! ask_id 5 "$bus"; then
        echo "FAIL: the bus '$bus' does not answer" >&2
        exit 1
    fi
done
asked=0
ask_id 1 "$hung" || asked=$?
if [ "$asked" -ne 124 ]; then
    echo "FAIL: the session bus $hung did not hang (dbus-send ended with $asked)" >&2
    exit 1
fi

failures=0
# A run that waits on the hung bus would last D-Bus's timeouts or for ever: it ends after 20 s.
# Usage: run_on_own_screen MANAGER COMMAND...
run_on_own_screen() {
    local status=0
    timeout --kill-after=5 20 bash "$here/on_own_screen.sh" "$@" || status=$?
    if [ "$status" -eq 124 ]; then
        echo "FAIL: the run did not end within 20 s" >&2
    fi
    if [ "$status" -ne 0 ]; then
        failures=$((failures + 1))
    fi
}
# Runs the tests with the root window's AT_SPI_BUS set to an address, under openbox, which keeps a
# client on the screen, without which the X server resets and drops the property.
# Usage: run_with_display_naming ADDRESS GTEST_FILTER
run_with_display_naming() {
    # shellcheck disable=SC2016 # expanded by the inner shell
    run_on_own_screen openbox bash -c 'xprop -root -f AT_SPI_BUS 8s -set AT_SPI_BUS "$1" && exec "$2" "$3"' \
        _ "$1" "$tests" --gtest_filter="$2"
}

# QT_LINUX_ACCESSIBILITY_ALWAYS_ON: Qt's own bridge would join that bus without a screen reader.
DBUS_SESSION_BUS_ADDRESS=$answering AMBRELIX_TEST_ANSWERING_BUS=$answering \
    AMBRELIX_TEST_ACCESSIBILITY_BUS=$accessibility QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    run_on_own_screen none "$tests" --gtest_filter='HungBusSessionAccessibility.*' >"$work/reference.log" 2>&1
cat "$work/reference.log"
reference=$(sed -n 's/^start window after \([0-9][0-9]*\) ms$/\1/p' "$work/reference.log")
if [ -z "$reference" ]; then
    echo "FAIL: the start with a session bus that answers was not measured" >&2
    exit 1
fi

DBUS_SESSION_BUS_ADDRESS=$hung AMBRELIX_TEST_HUNG_BUS=$hung AMBRELIX_TEST_REFERENCE_START_MS=$reference \
    run_on_own_screen none "$tests" --gtest_filter='HungBus.*'

DBUS_SESSION_BUS_ADDRESS=$hung AMBRELIX_TEST_HUNG_BUS=$hung AMBRELIX_TEST_ACCESSIBILITY_BUS=$accessibility \
    run_with_display_naming "$accessibility" 'HungBusAccessibility.*'

DBUS_SESSION_BUS_ADDRESS=$answering AMBRELIX_TEST_ANSWERING_BUS=$answering AMBRELIX_TEST_HUNG_BUS=$hung \
    AMBRELIX_TEST_REFERENCE_START_MS=$reference run_with_display_naming "$hung" 'HungBusOfTheDisplay.*'

if [ "$failures" -gt 0 ]; then
    echo "FAIL: $failures of the runs failed" >&2
    exit 1
fi
