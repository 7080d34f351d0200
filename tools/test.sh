#!/usr/bin/env bash
# Builds everything and runs all tests without a display.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/tools/build.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$top/build" --output-on-failure -j2
