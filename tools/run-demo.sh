#!/usr/bin/env bash
# Installs what is missing, builds, and starts vidoraw on a demo shop in ~/vidoraw-demo.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/tools/install-packages.sh"
"$top/tools/build.sh"
export VIDORAW_DATA="${VIDORAW_DATA:-$HOME/vidoraw-demo}"
exec "$top/build/bin/vidoraw"
