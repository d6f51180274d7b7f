#!/usr/bin/env bash
# End to end on a real X server: starts the built program under Xvfb, closes
# the About dialog with "FERMER", types an end time of 2 s into "Time max (s)",
# starts a run with "Marche", waits until the time label stops moving, leaves
# with "quiter", and checks the exit status and the window titles seen.
#   xvfb_run.sh <program> [screenshot folder]
# Exits 77 (skipped) when Xvfb or xdotool is missing, but fails under CI.
set -euo pipefail
program=$1
shots=${2:-}

source "$(dirname "$0")/../common/skip.sh"

for tool in Xvfb xdotool xwd; do
  if ! command -v "$tool" >/dev/null; then
    skip "$tool is missing (scripts/install-deps.sh installs it)"
  fi
done
CONVERT=/usr/bin/convert  # ImageMagick's, whatever comes first on PATH
if [ ! -x "$CONVERT" ]; then
  skip "ImageMagick is missing (scripts/install-deps.sh installs it)"
fi

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED: $*"; exit 1; }

# Xvfb picks a free display itself and writes its number on descriptor 3.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(cat "$work/display")"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

# findwindow <title regex>: the first visible window with that title.
findwindow() { timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
# origin <window>: "x y" of its top-left corner on the screen (no window
# manager, so no title bar or frame).
origin() { xdotool getwindowgeometry --shell "$1" | awk -F= '/^X=/{x=$2} /^Y=/{y=$2} END{print x, y}'; }
size() { xdotool getwindowgeometry --shell "$1" | awk -F= '/^WIDTH=/{w=$2} /^HEIGHT=/{h=$2} END{print w, h}'; }
click() { xdotool mousemove "$1" "$2" click 1; }
shot() { xwd -root -silent | "$CONVERT" xwd:- "$1"; }

start=$(date +%s.%N)
"$program" >"$work/out.log" 2>"$work/err.log" &
app_pid=$!

# The About dialog first, alone.
about=$(findwindow '^A propos\.\.\.$') || true
[ -n "$about" ] || fail "no window titled 'A propos...'"
titles=("$(xdotool getwindowname "$about")")
read -r ax ay < <(origin "$about")
[ -n "$shots" ] && shot "$shots/e2e-about.png"
click $((ax + 96 + 89 / 2)) $((ay + 34 + 30 / 2))   # FERMER, 89 x 30 at (96, 34)

main=$(findwindow '^Calidor 1\.2$') || true
[ -n "$main" ] || fail "no window titled 'Calidor 1.2' after FERMER"
titles+=("$(xdotool getwindowname "$main")")
read -r mx my < <(origin "$main")
read -r _ mh < <(size "$main")
# The menu bar sits above the client area, whose height the design fixes.
client_height=633
menu=$((mh - client_height))
[ "$menu" -ge 10 ] && [ "$menu" -le 40 ] || fail "unexpected window height $mh (menu bar $menu px?)"
cx=$mx
cy=$((my + menu))
sleep 0.3

# "Time max (s)": select all, type 2.
click $((cx + 72 + 49 / 2)) $((cy + 192 + 23 / 2))
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 30 "2"
timelabel() { xwd -root -silent | "$CONVERT" xwd:- -crop "80x16+$((cx + 72))+$((cy + 160))" +repage -depth 8 rgb:- | md5sum; }
before=$(timelabel)
click $((cx + 41 / 2)) $((cy + 16 + 25 / 2))           # Marche
# The run has ended once the time label has changed and then stays the same
# for a second.
last=$before
stable=0
for _ in $(seq 60); do
  sleep 0.5
  now=$(timelabel)
  if [ "$now" != "$before" ] && [ "$now" = "$last" ]; then
    stable=$((stable + 1))
    [ "$stable" -ge 2 ] && break
  else
    stable=0
  fi
  last=$now
done
[ "$stable" -ge 2 ] || fail "the run did not end (the time label never settled)"
[ -n "$shots" ] && shot "$shots/e2e-after-run.png"

click $((cx + 81 / 2)) $((cy + 120 + 25 / 2))          # quiter
status=0
for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app_pid" 2>/dev/null && fail "the program is still running after 'quiter'"
wait "$app_pid" || status=$?
app_pid=""
end=$(date +%s.%N)

echo "window titles seen: ${titles[0]} | ${titles[1]}"
echo "exit status: $status; $(awk -v a="$start" -v b="$end" 'BEGIN{printf "%.1f", b - a}') s from start to exit"
[ "${titles[0]}" = "A propos..." ] || fail "first title '${titles[0]}'"
[ "${titles[1]}" = "Calidor 1.2" ] || fail "second title '${titles[1]}'"
[ "$status" -eq 0 ] || { cat "$work/err.log"; fail "exit status $status"; }
echo "PASSED"
