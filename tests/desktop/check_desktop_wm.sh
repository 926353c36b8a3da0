#!/bin/bash
# check_desktop_wm.sh -- the real program on a desktop with a window manager (openbox on an
# Xvfb of its own): dialogs open beside the main window, cascade, stay on the screen and
# reopen where they were left; the menu's keys work with the 3D view focused; the view fills
# the window and keeps the robot centred after the window manager resizes it
# usage: check_desktop_wm.sh VELMORA SOURCE_DIR
set -u
VELMORA=$1
SRC=$2
fail=0
say() { echo "check_desktop_wm: $*"; }
bad() { say "FAIL: $*"; fail=1; }

for tool in Xvfb openbox xdotool convert; do
  command -v $tool >/dev/null || { say "needs $tool"; exit 1; }
done
T=$(mktemp -d)
pids=()
finish() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$T"
}
trap finish EXIT

# a display of our own, its number chosen by the server: the other GUI tests share theirs
# without a window manager
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$T/display" >/dev/null 2>&1 &
pids+=($!)
for i in $(seq 100); do [ -s "$T/display" ] && break; sleep 0.1; done
[ -s "$T/display" ] || { say "FAIL: Xvfb did not start"; exit 1; }
export DISPLAY=:$(head -1 "$T/display")
for i in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
HOME=$T openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
for i in $(seq 50); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  sleep 0.1
done

cp -r "$SRC/data" "$T/data"
HOME=$T "$VELMORA" --data "$T/data" Puma560 >"$T/out.txt" 2>&1 &
pids+=($!)
main=$(timeout 20 xdotool search --sync --onlyvisible --name '^Velmora--Puma560' | head -1)
[ -n "$main" ] || { say "FAIL: no main window"; cat "$T/out.txt"; exit 1; }
sleep 1

geom() { # X Y W H of window $1's client area
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "$X $Y $WIDTH $HEIGHT"
}
focus_view() { # a click in the 3D view gives it the keyboard
  read -r x y w h <<<"$(geom "$main")"
  xdotool mousemove $((x + w/2)) $((y + h/2)) click 1
  sleep 0.3
}
close_dialog() { # Escape in window $1, as a user does: a click on it (openbox gives the
  # focus on click), then the key; again while it stays (a loaded machine may take the key
  # before the focus moved)
  for i in 1 2 3 4; do
    read -r cx cy cw ch <<<"$(geom "$1")"
    xdotool windowactivate --sync "$1" 2>/dev/null
    xdotool mousemove $((cx + cw/2)) $((cy + 8)) click 1
    sleep 0.3
    xdotool key Escape
    sleep 0.5
    xwininfo -id "$1" 2>/dev/null | grep -q "IsViewable" || return 0
  done
}
dialog() { # the visible window titled $1, waited for
  timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" | head -1
}

#------------------------------------------------------------------ placement
read -r mx my mw mh <<<"$(geom "$main")"
focus_view
xdotool key F1
about=$(dialog About)
if [ -z "$about" ]; then bad "F1 with the view focused opened no About"; else
  read -r ax ay aw ah <<<"$(geom "$about")"
  [ "$ax" -ge $((mx + mw)) ] || bad "About at x $ax, not right of the main window (ends at $((mx + mw)))"
  [ $((ay - my)) -le 40 ] && [ $((my - ay)) -le 40 ] || bad "About at y $ay, main window at $my"
  [ $((ax + aw)) -le 1280 ] && [ $((ay + ah)) -le 1024 ] || bad "About off the screen: $ax $ay $aw $ah"
fi
focus_view
xdotool key ctrl+o
load=$(dialog "Load Robot")
if [ -z "$load" ]; then bad "Ctrl+O with the view focused opened no Load Robot"; else
  read -r lx ly lw lh <<<"$(geom "$load")"
  [ "$lx" -ge $((mx + mw)) ] || bad "Load Robot at x $lx, over the main window"
  [ "$lx" != "${ax:-}" ] || [ "$ly" != "${ay:-}" ] || bad "Load Robot exactly over About"
  [ $((lx + lw)) -le 1280 ] && [ $((ly + lh)) -le 1024 ] || bad "Load Robot off the screen"
fi
# moved by the user, closed, reopened: where it was left
if [ -n "$about" ]; then
  xdotool windowmove "$about" 420 300
  for i in $(seq 30); do
    read -r ax ay aw ah <<<"$(geom "$about")"
    [ "$ax" -lt 700 ] && break
    sleep 0.1
  done
  sleep 0.3
  close_dialog "$about"
  xdotool search --onlyvisible --name '^About$' >/dev/null && bad "Escape left About open"
  xdotool search --onlyvisible --name '^Velmora--Puma560' >/dev/null || bad "Escape closed the main window"
  focus_view
  xdotool key F1
  again=$(dialog About)
  for i in $(seq 20); do   # the window manager may map it before it stands still
    read -r bx by bw bh <<<"$(geom "$again")"
    [ $((bx - ax)) -le 2 ] && [ $((ax - bx)) -le 2 ] && [ $((by - ay)) -le 2 ] && [ $((ay - by)) -le 2 ] && break
    sleep 0.1
  done
  [ $((bx - ax)) -le 2 ] && [ $((ax - bx)) -le 2 ] && [ $((by - ay)) -le 2 ] && [ $((ay - by)) -le 2 ] ||
    bad "About reopened at $bx $by, left at $ax $ay"
  close_dialog "$again"
fi
[ -n "$load" ] && close_dialog "$load"
sleep 0.3
xdotool search --onlyvisible --name '^(About|Load Robot)$' >/dev/null && bad "dialogs left open"

#------------------------------------------------------------------ resizing
# the box of the robot's pixels in the view of the main window (coloured: the floor's grid is
# grey, the background black): sets x y cw ch (window), vh (view height), x0 y0 x1 y1 and
# problem (empty when the robot is wholly inside the view and near its centre)
measure() {
  read -r x y cw ch <<<"$(geom "$main")"
  vy=$((y + 30)); vh=$((ch - 30 - 22))   # the view between the menu bar and the message line
  shot="$T/shot_${cw}x$ch.png"
  import -window root "$shot" 2>/dev/null
  convert "$shot" -crop "${cw}x$vh+$x+$vy" +repage -depth 8 "rgb:$T/view.raw"
  read -r x0 y0 x1 y1 <<<"$(/usr/bin/python3 - "$T/view.raw" "$cw" "$vh" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
w, h = int(sys.argv[2]), int(sys.argv[3])
box = [w, h, -1, -1]
for y in range(h):
    row = data[3 * y * w:3 * (y + 1) * w]
    for x in range(w):
        r, g, b = row[3 * x], row[3 * x + 1], row[3 * x + 2]
        if max(r, g, b) - min(r, g, b) > 40 and max(r, g, b) > 60:
            box = [min(box[0], x), min(box[1], y), max(box[2], x), max(box[3], y)]
print(*box)
PY
)"
  problem=""
  if [ "$x1" -lt 0 ]; then problem="no robot in the view"; return; fi
  [ "$x0" -gt 1 ] && [ "$y0" -gt 1 ] && [ "$x1" -lt $((cw - 2)) ] && [ "$y1" -lt $((vh - 2)) ] ||
    problem="the robot is cut by the view's edge"
  local ox=$(((x0 + x1) - cw)) oy=$(((y0 + y1) - vh))   # twice the offset from the centre
  [ ${ox#-} -le $((cw / 5)) ] && [ ${oy#-} -le $((vh / 5)) ] ||
    problem="$problem${problem:+; }the robot is off centre by ($((ox / 2)), $((oy / 2)))"
}

# wholly inside the view and centred in it, whatever its shape
for size in "1000 700" "500 900" "1200 500" "760 600"; do
  read -r w h <<<"$size"
  xdotool windowsize "$main" "$w" "$h"
  for i in $(seq 50); do
    read -r x y cw ch <<<"$(geom "$main")"
    [ "$cw" -eq "$w" ] && [ "$ch" -eq "$h" ] && break
    sleep 0.1
  done
  [ "$cw" -eq "$w" ] && [ "$ch" -eq "$h" ] || bad "asked $w x $h, got $cw x $ch"
  for attempt in 1 2 3; do   # a loaded machine may draw the new size late
    sleep 1
    measure
    [ -z "$problem" ] && break
  done
  say "$w x $h: the robot spans x $x0..$x1 of $cw, y $y0..$y1 of $vh"
  [ -z "$problem" ] || bad "$w x $h: $problem"
done
[ -n "${VELMORA_SHOTS:-}" ] && cp "$T"/shot_*.png "$VELMORA_SHOTS"/ 2>/dev/null

for attempt in 1 2 3; do   # Ctrl+Q in the focused view ends it (again if the key came early)
  xdotool windowactivate --sync "$main" 2>/dev/null
  focus_view
  xdotool key ctrl+q
  for i in $(seq 50); do kill -0 "${pids[2]}" 2>/dev/null || break; sleep 0.1; done
  kill -0 "${pids[2]}" 2>/dev/null || break
done
kill -0 "${pids[2]}" 2>/dev/null && bad "Ctrl+Q left the program running"
[ $fail -eq 0 ] && say "ok"
exit $fail
