#!/usr/bin/env bash
# Invoices driven from the keyboard only, on a fresh demo shop under a virtual display: an
# invoice to a company added with three lines and printed to the screen (the report must be
# that new invoice), then a new invoice filled "Z poisťovne" from the February insurer invoice.
# The report is rendered to PNG pages; screenshots land in WORK_DIR/shots.
#   tools/invoice-keyboard-run.sh [WORK_DIR]   (needs xvfb-run, xdotool, xwd and pdftoppm; build first)
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
work="${1:-$(mktemp -d)}"
rm -rf "$work/data" "$work/cfg" "$work/shots" "$work/cache"
mkdir -p "$work/cfg" "$work/shots" "$work/cache"
"$top/build/bin/demoshop" --vouchers 300 "$work/data" >/dev/null

xvfb-run -a -s "-screen 0 1280x1024x24" bash -s "$top" "$work" <<'RUN'
set -euo pipefail
top="$1"; work="$2"
export VIDORAW_DATA="$work/data" VIDORAW_CONFIG="$work/cfg/" XDG_CACHE_HOME="$work/cache"
"$top/build/bin/vidoraw" &
app=$!
trap 'kill $app 2>/dev/null || true' EXIT
source "$top/tools/keyboard-lib.sh"
line() { # one line of the items grid: text, quantity, unit, price, rate; Enter moves on
  for v in "$@"; do xdotool type --delay 30 "$v"; keys Return; done
}

focus "Vidora pre Windows"
keys alt+f v                       # Faktúry všetky
focus "Zoznam faktúr"
keys F2                            # a new invoice
focus "Faktúra"
for _ in 1 2 3 4 5; do keys Tab; done # number, symbol, order, delivery note, bank: to the customer
xdotool type "31345678"; keys Tab     # the company's IČO: its name and address come
shot invoice-form
keys alt+p                         # Položky
focus "Položky faktúry"
line "Okuliarový rám" 2 ks 120 23
line "Šošovka" 1 ks 45,50 23
line "Meranie zraku" 1 h 15 5
shot items
keys ctrl+End
focus "Faktúra"
shot invoice-filled
keys alt+o
focus "Zoznam faktúr"
shot list-after-add
keys F10                           # Tlač: the menu opens on "Tlač faktúry"
keys Return
focus "Voľba zariadenia"; keys Return   # the screen
sleep 3
shot viewer
focus "Zoznam faktúr"
# A new invoice "Z poisťovne": the insurer invoices' pick list opens on the last one, two up is
# the February invoice of the first insurer.
keys F2
focus "Faktúra"
keys alt+p
focus "Položky faktúry"; keys ctrl+End
focus "Faktúra"
# Back in the form the focus is on its first field: back past Kód, Späť and OK to the button.
keys shift+Tab shift+Tab shift+Tab shift+Tab space   # Z poisťovne
focus "Zoznam faktúr pre poisťovne"
keys Up Up
shot insurer-pick
keys Return
focus "Faktúra"
shot insurer-invoice
keys alt+p
focus "Položky faktúry"
shot insurer-items
keys ctrl+End
focus "Faktúra"
keys alt+o
focus "Zoznam faktúr"
shot list-after-insurer
RUN

for f in "$work"/shots/*.xwd; do python3 "$top/tools/xwd2png.py" "$f" "${f%.xwd}.png" && rm "$f"; done
report="$work/cache/vidoraw/zost1.zst"
"$top/build/bin/zorode" "$report" --pdf "$work/invoice.pdf"
pdftoppm -png -r 60 "$work/invoice.pdf" "$work/shots/invoice-page"

python3 - "$work" <<'PY'
import sqlite3, sys, os
work = sys.argv[1]
db = sqlite3.connect(os.path.join(work, 'data', 'vidoraw.sqlite'))
q = lambda sql, *a: db.execute(sql, a).fetchall()
# The company invoice with its three lines.
(kod, cis, ico, suma), = q("select KOD, CISFAKTU, ICO_ODBA, SUMA from FAK where ICO_ODBA = '31345678' "
                           "order by KOD desc limit 1")
lines = q("select TEXT, MNOZSTVO, MJ, CENA, DPH, SPOLU from POL where KODH = ? order by KOD", kod)
lines = [l for l in lines if l[0]]
assert lines == [('Okuliarový rám', 2, 'ks', 120, 23, 240), ('Šošovka', 1, 'ks', 45.5, 23, 45.5),
                 ('Meranie zraku', 1, 'h', 15, 5, 15)], lines
# 285,50 at 23 %: tax 65,665 lies just below the half -> 65,66; 15 at 5 %: 15,75
assert abs(suma - 366.91) < 0.005, suma
report = open(os.path.join(work, 'cache', 'vidoraw', 'zost1.zst'), 'rb').read().decode('cp1250')
assert cis in report and 'Okuliarový rám' in report and 'Zrak, s.r.o.' in report, 'not the new invoice'
assert '2025/P01' not in report
# The insurer invoice taken over: the same lines as the demo's 2025/P01 made from it.
(p01,), = q("select KOD from FAK where CISFAKTU = '2025/P01'")
(new, kdeodb, doplnok), = q("select KOD, KDEODB, DOPLNOK from FAK order by KOD desc limit 1")
assert new not in (p01, kod) and (kdeodb, doplnok) == ('1', '24'), (new, kdeodb, doplnok)
cols = "TEXT, MNOZSTVO, MJ, CENA, DPH, SPOLU"
want = q("select %s from POL where KODH = ? order by KOD" % cols, p01)
got = q("select %s from POL where KODH = ? order by KOD" % cols, new)
assert got == want and any(t.startswith('Za obdobie: 2.2025') for t, *_ in got), (got, want)
print('invoice %s printed, insurer invoice taken over with %d lines' % (cis, len(got)))
PY
