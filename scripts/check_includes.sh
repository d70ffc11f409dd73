#!/usr/bin/env bash
# Checks the include rules between the program's folders: each folder includes only the folders
# its layer may use. Prints every include that breaks a rule and exits non-zero when there is one.
# Usage: check_includes.sh [repository folder]
set -euo pipefail
root=${1:-$(dirname "$0")/..}
cd "$root"

# The program folders each folder may include, besides the standard library and Qt. The desktop
# layer of the runtime (what talks to the X server and the window manager) stands on its own.
declare -A allowed=(
    [rt]="rt"
    [rt/desktop]="rt/desktop"
    [model]="rt model"
    [input]="rt model input"
    [views]="rt model views"
    [modes]="rt model input views modes"
    [export]="rt model views export"
    [app]="rt model input views modes export app"
)

failures=0
for folder in "${!allowed[@]}"; do
    [ -d "$folder" ] || continue
    while IFS= read -r -d '' file; do
        while IFS=: read -r line target; do
            # The folder of the included file, or one of the allowed folders it lies in.
            included=${target%/*}
            while [[ " ${allowed[$folder]} " != *" $included "* && $included == */* ]]; do
                included=${included%/*}
            done
            [[ " ${allowed[$folder]} " == *" $included "* ]] && continue
            echo "$file:$line: $folder/ may not include $target"
            failures=$((failures + 1))
        done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<](rt|model|input|views|modes|export|app)/' "$file" |
                     sed -E 's/^([0-9]+):[^"<]*["<]([^">]*)[">].*/\1:\2/')
    done < <(find "$folder" -type f \( -name '*.h' -o -name '*.cpp' \) -print0)
done

if [ "$failures" -gt 0 ]; then
    echo "$failures include(s) break the layering rules"
    exit 1
fi
echo "include rules hold"
