# The game on a Wayland desktop: the test's own Weston, a window on the virtual
# X display (its headless backend makes SDL crash), with XWayland. SDL takes X
# when XWayland offers it, Wayland when no X is. On Wayland the pilot plays to
# its end; full screen and a maximised window show the picture whole and
# centred; F12 and closing work; a player's game locks the pointer while it
# steers and pauses when another program takes the focus.
source "$(dirname "$0")/lib.sh"

export XDG_RUNTIME_DIR=$WORK/runtime WAYLAND_DISPLAY=wayland-skitterworm
mkdir -m 700 "$XDG_RUNTIME_DIR"
printf '[core]\nxwayland=true\nidle-time=0\n[shell]\npanel-position=none\n' >"$WORK/weston.ini"

start_display
weston --backend=x11-backend.so --use-pixman --width=1024 --height=768 --socket="$WAYLAND_DISPLAY" \
  --config="$WORK/weston.ini" --log="$WORK/weston.log" >"$WORK/weston.out" 2>&1 &
WESTON_PID=$!
trap 'kill "$WESTON_PID" 2>/dev/null || true; cleanup' EXIT
for _ in $(seq 100); do
  XWAYLAND=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$WORK/weston.log" 2>/dev/null || true)
  WINDOW=$(xdotool search --class weston 2>/dev/null | head -n 1 || true)
  [ -n "$XWAYLAND" ] && [ -n "$WINDOW" ] && [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break
  sleep 0.1
done
[ -n "$XWAYLAND" ] && [ -n "$WINDOW" ] || fail "Weston did not start: $(tail -n 5 "$WORK/weston.log")"

# Keys go to the compositor's window, and from it to its focused client.
focus_desktop() { xdotool windowfocus --sync "$WINDOW" 2>/dev/null || xdotool windowfocus "$WINDOW" && sleep 0.5; }

# With XWayland, SDL takes X.
DISPLAY=$XWAYLAND start_game
logged "Video driver: x11" 20 && logged "Menu entered" 20 && close_game

# Without X, Wayland: the pilot's game, from a window at scale 1.
GAME_ENV="env -u DISPLAY" start_game --autopilot --seed 7257 --scale 1
logged "Video driver: wayland" 20 && logged "Game started with the autopilot" 30
focus_desktop
press F4 && logged "picture in full screen" # the 640x480 picture in the middle of 1024x768
sleep 1.5
expect_shown fullscreen 192 144 640 480 1
press F4 && logged "picture in a window"
sized=$(count "The window is now 1024x768")
xdotool key super+shift+m # the compositor maximises the window: scale 3 fits
next_log "The window is now 1024x768" "$sized"
sleep 1
expect_shown maximised 32 24 960 720 3
shoot pilot && expect_picture pilot 320 240 200 3
logged "Game over" 240 && logged "Menu entered at screen 3" 20 # the pilot signed the table
close_game
grep "frames per second" "$WORK/debug.log"
[ "$(stat -c %s "$WORK/skitterworm.cfg")" = 22 ] || fail "the settings were not saved"
grep -q Autopilot "$WORK/skitterworm.hi" || fail "the pilot's score was not saved"

# Asked for by name, Wayland beside X: a player's game with the mouse.
SDL_VIDEODRIVER=wayland start_game
logged "Video driver: wayland" 20 && focus_desktop && past_splash
press Return # "Play"
logged "The pointer is locked to the window while it steers the ship" 10
logged "Play state 1 -> 2" 10
weston-terminal >/dev/null 2>&1 & # a client of Weston: it ends with it
logged "The window is in the background: play pauses" 10 && logged "The pointer is free again"
close_game
echo "wayland: ok"
