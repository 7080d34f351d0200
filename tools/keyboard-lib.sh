# Helpers of the keyboard runs under a virtual display (sourced; $work names the run's folder).
wait_for() { for _ in $(seq 1 50); do xdotool search --name "$1" >/dev/null 2>&1 && return 0; sleep 0.2; done; echo "no window: $1" >&2; exit 1; }
keys() { for k in "$@"; do xdotool key "$k"; sleep 0.4; done; }
# Without a window manager a window gets the keyboard only when it is given the focus.
focus() { wait_for "$1"; xdotool windowfocus --sync "$(xdotool search --name "$1" | tail -1)"; sleep 0.3; }
shot() { sleep 0.5; xwd -root -silent > "$work/shots/$1.xwd"; }
