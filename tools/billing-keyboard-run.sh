#!/usr/bin/env bash
# The monthly billing driven from the keyboard only, on a fresh demo shop under a virtual
# display: the insurer invoices from the main menu, "Zoznam dávok" from "Iné", a batch added, a
# voucher typed into it, then "Export" -> "Pevný disk" into a folder, and the files checked.
#   tools/billing-keyboard-run.sh [WORK_DIR]      (needs xvfb-run and xdotool; build first)
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
work="${1:-$(mktemp -d)}"
mkdir -p "$work/out" "$work/cfg"
rm -rf "$work/data"
"$top/build/bin/demoshop" --vouchers 600 "$work/data"
echo old > "$work/out/davka.09"   # an older batch file: the export removes it
echo keep > "$work/out/DAVKA.doc" # not a batch file: it stays

xvfb-run -a -s "-screen 0 1280x1024x24" bash -s "$top" "$work" <<'RUN'
set -euo pipefail
top="$1"; work="$2"
VIDORAW_DATA="$work/data" VIDORAW_CONFIG="$work/cfg/" "$top/build/bin/vidoraw" &
app=$!
trap 'kill $app 2>/dev/null || true' EXIT
source "$top/tools/keyboard-lib.sh"

focus "Vidora pre Windows"
keys alt+f f                       # Faktúry | Faktúry poisťovne (on the last invoice)
focus "Zoznam faktúr pre poisťovne"
keys F5 m                          # Iné | Zoznam dávok
focus "Zoznam dávok pre faktúru"
keys F2; wait_for "P O T V R D E N I E"; keys a      # a batch, confirmed with "A"
keys F7                            # Poukazy
focus "Zoznam poukazov dávky"
keys F2                            # a voucher
focus "Poukaz na"
xdotool type --delay 40 "560427/3070"; keys Tab    # birth number: the client comes
xdotool type "27"; keys Tab Tab Tab                # insurer, distances as the client's
for _ in $(seq 1 24); do xdotool key Tab; sleep 0.05; done   # eye data, lenses, frame, contact lenses
xdotool type "1"; keys Tab                         # doctor
xdotool type "H520"; keys Tab                      # diagnosis
xdotool type "10001"; keys Tab                     # one aid line, the count and amount follow
keys alt+o                                         # OK: dates stay the invoice month's
focus "Zoznam poukazov dávky"; keys Escape
focus "Zoznam dávok pre faktúru"; keys Escape
focus "Zoznam faktúr pre poisťovne"; keys Escape
focus "Vidora pre Windows"
keys alt+f Down Right p            # Export | Pevný disk
focus "Adresár pre export dávok"
xdotool type --delay 20 "$work/out/"; keys alt+o
focus "Výber faktúry"
xdotool type "20250227"; keys alt+o
for _ in $(seq 1 8); do wait_for "P O T V R D E N I E"; keys n; done  # no prints
wait_for "Oznam"; keys Return                      # Export faktúry ukončený
wait_for "P O T V R D E N I E"; keys a             # the mail
sleep 2
RUN

cd "$work/out"
ls -l
python3 - "$work/out" <<'PY'
import glob, os, sys
out = sys.argv[1]
assert not os.path.exists(os.path.join(out, "davka.09")), "the older batch file is still there"
assert os.path.exists(os.path.join(out, "DAVKA.doc"))
assert os.path.exists(os.path.join(out, "davky.eml"))
files = sorted(glob.glob(os.path.join(out, "DAVKA.0*")))
assert len(files) == 6, files
for f in files:
    b = open(f, "rb").read()
    lines = b.split(b"\r\n")
    assert lines[-1] == b"" and all(l.endswith(b"|") and b"\n" not in l for l in lines[:-1]), f
    assert int(lines[0].split(b"|")[5]) == len({l.split(b"|")[0] for l in lines[2:-1]}), f
last = open(files[-1], "rb").read().split(b"\r\n")
assert last[2].split(b"|")[1:3] == [b"5604273070", b"20250201"], last[2]
print("batch files and mail draft checked")
PY
