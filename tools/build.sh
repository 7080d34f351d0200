#!/usr/bin/env bash
# Configures and builds vidoraw, zorode and the tests in build/.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build "$top/build" -j"$(nproc)"
