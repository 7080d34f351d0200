#!/usr/bin/env bash
# Installs what is missing, builds, and starts vidoraw on a demo shop in ~/vidoraw-demo
# (made by tools/demoshop on the first start; delete the folder for a fresh one).
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/tools/install-packages.sh"
"$top/tools/build.sh"
export VIDORAW_DATA="${VIDORAW_DATA:-$HOME/vidoraw-demo}"
if [ ! -e "$VIDORAW_DATA/vidoraw.sqlite" ]; then
  "$top/build/bin/demoshop" "$VIDORAW_DATA"
fi
exec "$top/build/bin/vidoraw"
