#!/usr/bin/env bash
# Checks the include rules between the program's folders: each folder includes only the folders
# its layer may use. Prints every include that breaks a rule and exits non-zero when there is one.
# Usage: check_includes.sh [repository folder]
set -euo pipefail
root=${1:-$(dirname "$0")/..}
cd "$root"

# The program folders each folder may include, besides the standard library and Qt.
declare -A allowed=(
    [rt]="rt"
    [model]="rt model"
    [input]="rt model input"
    [views]="rt model views"
    [export]="rt model views export"
    [app]="rt model input views export app"
)
# The switches between the working modes and the overall-size editor open and close the other
# mode's windows; only these files may include the peer folder.
declare -A peer_files=(
    [input/mostra2d.cpp]="views"
    [input/finingombro.cpp]="views"
    [views/mostra3d.cpp]="input"
)

failures=0
for folder in "${!allowed[@]}"; do
    [ -d "$folder" ] || continue
    while IFS= read -r -d '' file; do
        while IFS=: read -r line target; do
            included=${target%%/*}
            [[ " ${allowed[$folder]} " == *" $included "* ]] && continue
            [[ " ${peer_files[$file]:-} " == *" $included "* ]] && continue
            echo "$file:$line: $folder/ may not include $target"
            failures=$((failures + 1))
        done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<](rt|model|input|views|export|app)/' "$file" |
                     sed -E 's/^([0-9]+):[^"<]*["<]([^">]*)[">].*/\1:\2/')
    done < <(find "$folder" -type f \( -name '*.h' -o -name '*.cpp' \) -print0)
done

if [ "$failures" -gt 0 ]; then
    echo "$failures include(s) break the layering rules"
    exit 1
fi
echo "include rules hold"
