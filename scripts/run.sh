#!/usr/bin/env bash
# Sets up, builds and starts Ambrelix.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh build
exec ./build/ambrelix "$@"
