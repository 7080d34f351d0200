#!/usr/bin/env bash
# Builds the Debian package (build/ must be built) and checks it in a clean folder: its files
# unpacked into an empty root, zorode turns a report into a PDF, vidoraw starts on fresh data
# and keeps running (offscreen) until it is stopped.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top/build"
cpack -G DEB >/dev/null
deb="$(ls -t vidoraw_*.deb | head -1)"
root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
for f in usr/bin/vidoraw usr/bin/zorode usr/bin/vidoraw-copy usr/lib/vidoraw/data/templates/fa1.dsz \
         usr/share/applications/vidoraw.desktop usr/share/applications/zorode.desktop \
         usr/share/mime/packages/vidoraw-zostava.xml; do
    [ -e "$root/$f" ] || { echo "missing in $deb: $f"; exit 1; }
done
export QT_QPA_PLATFORM=offscreen
printf '[STRANA]\r\n[STOJATO]\r\n0,10,10,100,10,0.5,0x000000\r\n' > "$root/test.zst"
"$root/usr/bin/zorode" "$root/test.zst" --pdf "$root/test.pdf"
[ -s "$root/test.pdf" ] || { echo "zorode made no PDF"; exit 1; }
mkdir -p "$root/data" "$root/config"
status=0
VIDORAW_DATA="$root/data" VIDORAW_CONFIG="$root/config" timeout 10 "$root/usr/bin/vidoraw" || status=$?
[ "$status" = 124 ] || { echo "vidoraw ended by itself (status $status)"; exit 1; }
[ -s "$root/data/vidoraw.sqlite" ] || { echo "vidoraw made no data"; exit 1; }
echo "$deb: installed into a clean folder, both programs start"
