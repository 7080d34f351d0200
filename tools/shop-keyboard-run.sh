#!/usr/bin/env bash
# Glasses, code-list imports and a cash receipt driven from the keyboard only, on a fresh demo
# shop under a virtual display: glasses added for the current client from the client list's
# "Iné", the client then shown with them as the latest prescription; the optical aids imported
# from a 268 and a 335 file in a folder; an income receipt of an invoice printed to the screen.
# Screenshots land in WORK_DIR/shots.
#   tools/shop-keyboard-run.sh [WORK_DIR]      (needs xvfb-run, xdotool and xwd; build first)
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
work="${1:-$(mktemp -d)}"
rm -rf "$work/data" "$work/cfg" "$work/import" "$work/shots" "$work/cache"
mkdir -p "$work/cfg" "$work/import" "$work/shots" "$work/cache"
"$top/build/bin/demoshop" --vouchers 300 "$work/data" >/dev/null
# The import folder, remembered as the aids' source directory.
printf '[IMPORT]\nCO2=3\nCESTA2=%s/\n' "$work/import" > "$work/cfg/VIDORAW.INI"
python3 - "$work/import" <<'PY'
import sys, os
d = sys.argv[1]
def write(name, lines):
    open(os.path.join(d, name), 'wb').write(('\r\n'.join(lines) + '\r\n').encode('cp1250'))
aid = lambda code, name: '|'.join([code, name, 'doplnok', '', 'ks', 'V01', 'SK', '', '', '2r', 'A',
                                   '', '', '01.01.2025', ''])
write('POM268.TXT', ['H|268|2025', aid('99001', 'Okuliarová šošovka sférická'),
                     aid('99002', 'Kontaktná šošovka mesačná')])
write('CENY335.TXT', ['H|335|2025', 'hlavička', '1|99001|12,5|13,40', '2|99002|8|9,10'])
PY

xvfb-run -a -s "-screen 0 1280x1024x24" bash -s "$top" "$work" <<'RUN'
set -euo pipefail
top="$1"; work="$2"
export VIDORAW_DATA="$work/data" VIDORAW_CONFIG="$work/cfg/" XDG_CACHE_HOME="$work/cache"
"$top/build/bin/vidoraw" &
app=$!
trap 'kill $app 2>/dev/null || true' EXIT
source "$top/tools/keyboard-lib.sh"

focus "Vidora pre Windows"
keys alt+k k                       # Klienti | Klienti
focus "Zoznam klientov"
keys F5 k                          # Iné | Okuliare bez poukazu
focus "Okuliare bez pokuazu"
keys alt+p                         # Pridaj
focus "Okuliare bez poukazu"
xdotool type --delay 40 "1.12.2025"; keys Tab
xdotool type "71"; keys Tab        # far distance over the one taken over
xdotool type "68"; keys Tab        # near
xdotool type -- "-3,75"            # sphere of the right eye, far
shot glasses-form
keys alt+o
focus "Okuliare bez pokuazu"
shot glasses-list
keys Escape
focus "Zoznam klientov"
keys Return                        # the client shown, with the latest prescription
sleep 1
shot client
keys Escape
focus "Zoznam klientov"; keys Escape
focus "Vidora pre Windows"
keys alt+i o                       # Import | optických pomôcok (dávky 268, 335)
focus "Import súboru"
shot import-source
keys alt+o
for _ in 1 2 3; do wait_for "P O T V R D E N I E"; keys a; done   # go on, empty, really
wait_for "Oznam"; shot import-done; keys Return                   # aids imported
wait_for "Oznam"; keys Return                                     # prices imported
focus "Vidora pre Windows"
keys alt+f v                       # Faktúry všetky
focus "Zoznam faktúr"
keys F5 r                          # Iné | Príjmový pokladničný doklad
focus "Príjmový pokladničný doklad"
xdotool type "P-2025-17"
shot receipt
keys alt+t                         # Tlač
focus "Voľba zariadenia"; keys Return   # the screen
sleep 3
shot viewer
RUN

python3 - "$work" <<'PY'
import sqlite3, sys, os
work = sys.argv[1]
db = sqlite3.connect(os.path.join(work, 'data', 'vidoraw.sqlite'))
kod, client, dialky, blizko, pod1 = db.execute(
    "select KOD, KODKLIENT, DIALKY, BLIZKO, POD1 from OBP order by KOD desc limit 1").fetchone()
assert (dialky, blizko, pod1) == (71, 68, '-3,75'), (dialky, blizko, pod1)
aids = db.execute("select KODPOM, NAZOV, CENAMF, CENAPOI, CENA from OPTPOM order by KODPOM").fetchall()
assert aids == [('99001', 'Okuliarová šošovka sférická', 12.5, 13.4, 13.4),
                ('99002', 'Kontaktná šošovka mesačná', 8.0, 9.1, 9.1)], aids
report = open(os.path.join(work, 'cache', 'vidoraw', 'zost1.zst'), 'rb').read().decode('cp1250')
assert report.count('P-2025-17') == 2, 'two receipts on the page'
print('glasses of client %d, aids and prices, receipt checked' % client)
PY
