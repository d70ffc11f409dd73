#!/usr/bin/env bash
# Drives a build of the program along a fixed route with real input (xdotool) on an X screen of
# its own and prints, after each step, where every viewable top-level window of the program lies
# as the X server sees it: the outermost frame (the manager's frame, or the window itself without
# a manager), one line a window: "title" x y width height, sorted by title and place. Steps begin
# with "== NN name"; a step that did not settle, or a click that could not be made, is said so on
# its header or on a line beginning with "!!". Window ids and timings are left out, so two runs
# that placed every window alike print the same text.
#
# Usage: window_positions.sh BINARY MANAGER WxH
#   BINARY: the program to run (with a fresh HOME each launch, so no preferences carry over).
#   MANAGER: openbox or none, as tests/desktop/on_own_screen.sh takes it.
#   WxH: the screen's size, such as 1280x1024.
#
# The route: the start window; its "Read points from a TEXT file" button's Open dialog, cancelled
# with Escape (which closes the start window too), and Ctrl+Q; a second launch with the same
# button, reading tests/data/points_lf.txt (2D editor and palette); File > Point Editor.. (Ctrl+R)
# and its Cancel; File > Import.. > Text XYZ.. and Escape; a click on the palette followed by
# Ctrl+R and by File > Import.. > Text XYZ..; the palette's "3 D"; the control panel's view kinds
# (the Ambrelix drawing, its four view buttons, OpenGL3D, the drawing again); the panel's "2 D";
# Ctrl+Q. Every step waits until the windows it brings have shown and two reads of the window
# tree 100 ms apart agree, for at most 20 s.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/.." && pwd)

if [ "${1:-}" != --on-screen ]; then
    if [ $# -ne 3 ]; then
        echo "usage: $0 BINARY MANAGER WxH" >&2
        exit 2
    fi
    binary=$(realpath "$1")
    if [ ! -x "$binary" ]; then
        echo "FAIL: $1 is not an executable" >&2
        exit 2
    fi
    exec bash "$repo/tests/desktop/on_own_screen.sh" --size "$3" "$2" \
        bash "$here/window_positions.sh" --on-screen "$binary" "$3"
fi

binary=$2
size=$3
screen_width=${size%x*}
screen_height=${size#*x}
points=$repo/tests/data/points_lf.txt
work=$(mktemp -d)
pid=
cleanup() {
    if [ -n "$pid" ] && running; then
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# One line a viewable top-level window of the program, sorted: title, frame x, y, width,
# height, then (for the route's clicks) the program's window id and its x, y, width, height on
# the screen. Windows of the program carry the class "Ambrelix"; a root child that is one is its
# own frame, else the manager's frame holds it as a child.
read -r -d '' snapshot_py <<'EOF'
import re
import subprocess

line_re = re.compile(
    r'^( +)(0x[0-9a-f]+) (?:"(.*)"|\(has no name\)): \((.*)\)\s+'
    r'(\d+)x(\d+)\+(-?\d+)\+(-?\d+)\s+\+(-?\d+)\+(-?\d+)')
tree = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True).stdout
frames = []
current = None
for line in tree.splitlines():
    match = line_re.match(line)
    if not match:
        continue
    depth = len(match.group(1))
    window, name, klass = match.group(2), match.group(3) or "", match.group(4)
    width, height, x, y, ax, ay = map(int, match.group(5, 6, 7, 8, 9, 10))
    ours = klass.endswith('"Ambrelix"')
    if depth == 5:
        current = {"frame": (x, y, width, height), "client": None}
        frames.append(current)
        if ours:
            current["client"] = (name, window, ax, ay, width, height)
    elif depth == 8 and current is not None and current["client"] is None and ours:
        current["client"] = (name, window, ax, ay, width, height)
rows = []
for frame in frames:
    client = frame["client"]
    if client is None:
        continue
    info = subprocess.run(["xwininfo", "-id", client[1]], capture_output=True, text=True).stdout
    if "Map State: IsViewable" not in info:
        continue
    rows.append((client[0], *frame["frame"], *client[1:]))
for row in sorted(rows, key=lambda r: (r[0], r[1], r[2], r[3], r[4], r[5])):
    print("\t".join(str(field) for field in row))
EOF

snapshot() { python3 -c "$snapshot_py"; }

running() {
    [ -e "/proc/$pid" ] && ! grep -q '^[0-9]* (.*) Z' "/proc/$pid/stat" 2>/dev/null
}

# count TITLE: how many windows of the last read carry that title.
count() { awk -F'\t' -v title="$1" '$1 == title { n++ } END { print n + 0 }' <<<"$last"; }

# Conditions: has:TITLE, lacks:TITLE, count:N:TITLE, gone (the program has ended).
holds() {
    local condition
    for condition in "$@"; do
        case $condition in
        has:*) [ "$(count "${condition#has:}")" -gt 0 ] || return 1 ;;
        lacks:*) [ "$(count "${condition#lacks:}")" -eq 0 ] || return 1 ;;
        count:*)
            local rest=${condition#count:}
            [ "$(count "${rest#*:}")" -eq "${rest%%:*}" ] || return 1
            ;;
        gone) ! running || return 1 ;;
        esac
    done
}

# Reads the windows until the conditions hold and two reads 100 ms apart agree, for at most
# 20 s; the last read is left in $last.
settle() {
    local deadline=$((SECONDS + 20)) previous
    previous=$(snapshot)
    while :; do
        sleep 0.1
        last=$(snapshot)
        if [ "$last" = "$previous" ] && holds "$@"; then
            return 0
        fi
        if ((SECONDS >= deadline)); then
            return 1
        fi
        previous=$last
    done
}

number=0
# step NAME CONDITION...: waits for the step's windows and prints them.
step() {
    local name=$1 note=
    shift
    number=$((number + 1))
    if ! settle "$@"; then
        note=" (not settled within 20 s: $*)"
    fi
    printf '== %02d %s%s\n' "$number" "$name" "$note"
    if [ -n "$last" ]; then
        awk -F'\t' '{ printf "%-18s %5d %5d %5d %5d\n", "\"" $1 "\"", $2, $3, $4, $5 }' <<<"$last"
    fi
}

# click TITLE X Y [INDEX]: a click at X, Y inside the program's window of that title (the
# INDEX-th of that title by place, the first unless given), when the point shows on the screen.
click() {
    local title=$1 x=$2 y=$3 index=${4:-1} row
    row=$(awk -F'\t' -v title="$title" '$1 == title' <<<"$last" | sed -n "${index}p")
    if [ -z "$row" ]; then
        echo "!! no window \"$title\" to click at $x,$y"
        return 1
    fi
    local cx cy cw ch
    IFS=$'\t' read -r _ _ _ _ _ _ cx cy cw ch <<<"$row"
    if ((x >= cw || y >= ch)); then
        echo "!! $x,$y lies outside \"$title\" (${cw}x${ch} shown): not clicked"
        return 1
    fi
    if ((cx + x < 0 || cy + y < 0 || cx + x >= screen_width || cy + y >= screen_height)); then
        echo "!! $x,$y of \"$title\" lies off the screen: not clicked"
        return 1
    fi
    xdotool mousemove --sync $((cx + x)) $((cy + y)) click 1
}

key() { xdotool key "$@"; }

launch() {
    local home
    home=$(mktemp -d "$work/home.XXXXXX")
    env -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_CACHE_HOME HOME="$home" QT_QPA_PLATFORM=xcb \
        "$binary" >>"$work/program.log" 2>&1 &
    pid=$!
}

# Ctrl+Q, then waits for the program to end; one that does not is stopped and said so.
quit() {
    key ctrl+q
    step "$1" gone
    if running; then
        echo "!! the program did not end on Ctrl+Q: stopped"
        kill "$pid" 2>/dev/null
    fi
    wait "$pid" 2>/dev/null
    echo "exit status $?"
    pid=
}

# Opens File > Import.. > Text XYZ.. from the strip with the mouse.
import_text_xyz() {
    click Menu 20 8 && step "$1 (File menu)" count:1:Ambrelix &&
        click Ambrelix 49 30 && step "$1 (Import.. submenu)" count:2:Ambrelix &&
        click Ambrelix 57 55 2 && step "$1" has:Open count:0:Ambrelix
}

# The start window's "Read points from a TEXT file of X, Y, Z coordinates" button.
start_read_text() { click "Starting Choice" 200 139; }

launch
step "start window" "has:Starting Choice" has:Menu
start_read_text
step "start window: Read points from a TEXT file" has:Open
key Escape
step "Escape" lacks:Open
quit "Ctrl+Q"

launch
step "second launch: start window" "has:Starting Choice" has:Menu
start_read_text
step "start window: Read points from a TEXT file" has:Open
xdotool type --delay 10 "$points"
key Return
step "points_lf.txt read" "has:2 D" has:Trace lacks:Open
key ctrl+r
step "Ctrl+R (Point Editor)" "has:Point Editor"
click "Point Editor" 292 340
step "Point Editor: Cancel" "lacks:Point Editor"
import_text_xyz "File > Import.. > Text XYZ.."
key Escape
step "Escape" lacks:Open

click Trace 39 25
sleep 0.2
step "palette: arrow tool" "has:2 D" has:Trace
key ctrl+r
step "palette, then Ctrl+R (Point Editor)" "has:Point Editor"
click "Point Editor" 292 340
step "Point Editor: Cancel" "lacks:Point Editor"
click Trace 39 25
sleep 0.2
step "palette: arrow tool" "has:2 D" has:Trace
import_text_xyz "palette, then File > Import.. > Text XYZ.."
key Escape
step "Escape" lacks:Open

click Trace 43 416
step "palette: 3 D" has:Control lacks:Trace "lacks:2 D"
click Control 17 353
step "control panel: Ambrelix" "has:3 D" lacks:3D
view=0
for place in "41 428" "115 428" "41 473" "115 473"; do
    view=$((view + 1))
    # shellcheck disable=SC2086
    click Control $place
    sleep 0.3
    step "control panel: view button $view" "has:3 D"
done
click Control 17 329
step "control panel: OpenGL3D" has:3D "lacks:3 D"
click Control 17 353
step "control panel: Ambrelix" "has:3 D" lacks:3D
click Control 79 379
step "control panel: 2 D" "has:2 D" has:Trace lacks:Control
quit "Ctrl+Q"
