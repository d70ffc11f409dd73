#!/usr/bin/env bash
# Writes sample files with the program's writers (the ReaderSamples case of the export tests)
# and reads them back in independent readers: ezdxf, GDAL and LibreCAD.
# Usage: check_dxf_readers.sh <export_tests executable>
set -euo pipefail
tests=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/samples" "$work/home"
AMBRELIX_EXPORT_SAMPLES="$work/samples" QT_QPA_PLATFORM=offscreen \
    "$tests" --gtest_filter='ReaderSamples.*' --gtest_brief=1
# LibreCAD keeps its settings under HOME; give it a throw-away one.
HOME="$work/home" /usr/bin/python3 "$here/check_dxf_readers.py" "$work/samples"
