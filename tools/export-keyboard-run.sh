#!/usr/bin/env bash
# A voucher list exported to a spreadsheet from the keyboard only, on a fresh demo shop under a
# virtual display: "Poukazy" from the main menu, a new filter built in the list's keyboard popup
# (the vouchers of Nitra) and applied, then "Export pre Excel" with four fields and a look-up
# column of the doctor's surname, the workbook written and handed to the desktop (a stand-in
# opener records the file), and the workbook read back with openpyxl against the data.
# Screenshots land in WORK_DIR/shots.
#   tools/export-keyboard-run.sh [WORK_DIR]   (needs xvfb-run, xdotool, xwd, python3-openpyxl; build first)
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
work="${1:-$(mktemp -d)}"
rm -rf "$work/data" "$work/cfg" "$work/home" "$work/bin" "$work/shots" "$work/opened.txt"
mkdir -p "$work/cfg" "$work/home" "$work/bin" "$work/shots"
"$top/build/bin/demoshop" --vouchers 300 "$work/data" >/dev/null
# The desktop's opener: it only notes what it was asked to open.
printf '#!/bin/sh\necho "$1" >> "%s/opened.txt"\n' "$work" > "$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"

xvfb-run -a -s "-screen 0 1280x1024x24" bash -s "$top" "$work" <<'RUN'
set -euo pipefail
top="$1"; work="$2"
export VIDORAW_DATA="$work/data" VIDORAW_CONFIG="$work/cfg/" HOME="$work/home" \
       XDG_CACHE_HOME="$work/home/.cache" PATH="$work/bin:$PATH"
"$top/build/bin/vidoraw" &
app=$!
trap 'kill $app 2>/dev/null || true' EXIT
source "$top/tools/keyboard-lib.sh"

focus "Vidora pre Windows"
keys alt+f k                       # Faktúry | Poukazy
focus "Zoznam poukazov"
keys shift+F10 f n                 # the list's popup | Filter | Nový filter
focus "^Filter$"
keys Down                          # the row "Obec"
shot filter-fields
keys Menu Down Return              # its popup: "="
focus "Konštanta"
xdotool type --delay 40 "Nitra"; keys Return
focus "^Filter$"
shot filter-built
keys alt+o
wait_for "P O T V R D E N I E"; keys n          # not kept for later
focus "Použitý filter"
shot list-filtered
keys F5 e                          # Iné | Export pre Excel
focus "Export pre Excel"
for field in PRIEZVISK OBEC DATUM SUMAPOI1; do  # typed to find the field, Enter takes it
    xdotool type --delay 40 "$field"; keys Return
done
keys alt+z
xdotool type --delay 20 "XXX_LEKAR_KOD_KODLEK_PRIEZVISK"; keys Tab
xdotool type --delay 40 "Lekár"
keys alt+a                         # Pridaj
shot export-columns
keys alt+x alt+e                   # Spusť Excel, Export pre Excel
wait_for "Oznam"; shot export-done; keys Return
keys alt+o
focus "Použitý filter"; keys Escape
focus "Vidora pre Windows"
sleep 1
RUN

# The system's Python has openpyxl (Debian python3-openpyxl), whatever comes first on PATH.
python=/usr/bin/python3; [ -x "$python" ] || python=python3
"$python" - "$work" <<'PY'
import glob, os, sqlite3, sys
import openpyxl
work = sys.argv[1]
books = glob.glob(os.path.join(work, "home", "Documents", "vidoraw", "POUKAZ-*.xlsx"))
assert len(books) == 1, books
opened = open(os.path.join(work, "opened.txt")).read().split()
assert [os.path.realpath(p.replace("file://", "")) for p in opened] == [os.path.realpath(books[0])], opened
db = sqlite3.connect(os.path.join(work, "data", "vidoraw.sqlite"))
doctors = dict(db.execute("SELECT KOD, PRIEZVISK FROM LEKAR"))
number = lambda v: None if v is None else float(v)
want = [(p or "", o, d, number(s), doctors.get(k, "")) for p, o, d, s, k in db.execute(
    "SELECT PRIEZVISK, OBEC, DATUM, SUMAPOI1, KODLEK FROM POUKAZ WHERE OBEC = 'Nitra'")]
assert want, "no voucher of Nitra"
sheet = openpyxl.load_workbook(books[0]).worksheets[0]
assert sheet.title == "List1"
heading = [c.value for c in sheet[2]]
assert heading[4] == "Lekár", heading
got = []
for row in sheet.iter_rows(min_row=3):
    name, town, day, amount, doctor = (c.value for c in row[:5])
    assert row[2].number_format == "dd.mm.yyyy" and row[0].number_format == "@", row
    assert isinstance(amount, (int, float)) or amount is None, amount
    got.append((name or "", town, day.strftime("%Y-%m-%d") if day else None, number(amount),
                doctor or ""))
assert sorted(got, key=repr) == sorted(want, key=repr), (got[:3], want[:3])
assert any(any(ch in "áäčďéíľĺňóôŕšťúýž" for ch in (n + d).lower()) for n, _, _, _, d in got)
print(f"{len(got)} vouchers of Nitra exported to {os.path.basename(books[0])} and checked")
PY
