# A window the desktop resizes: the picture is shown at the largest whole scale
# that fits, centred on black, every picture pixel a sharp square; a click
# still lands on the menu item under the pointer; F5 still
# sets the window to the next scale, and the settings keep the player's scale.
source "$(dirname "$0")/lib.sh"
SCREEN=1600x1200x24 start_display  # room for the largest window below
start_game --scale 1
wait_window
past_splash

# resized W H SCALE X Y: the window made W x H from outside shows the 320x240
# picture at SCALE from (X, Y), black around it.
resized() {
  local i
  # At the top left, so the whole window is on the screen and can be dumped.
  xdotool windowmove "$WINDOW" 0 0
  xdotool windowsize "$WINDOW" "$1" "$2"
  for i in $(seq 30); do
    [ "$(window_size)" = "$1x$2" ] && break
    sleep 0.1
  done
  [ "$(window_size)" = "$1x$2" ] || fail "the window stays $(window_size), not $1x$2"
  sleep 0.5
  expect_shown "resized$1" "$4" "$5" $((320 * $3)) $((240 * $3)) "$3"
}
resized 1000 700 2 180 110

# A click still lands on its menu item in the resized window: "Options"
# (logical 160,101) at 2x from (180,110).
xdotool mousemove --window "$WINDOW" $((180 + 160 * 2)) $((110 + 101 * 2))
sleep 0.2
xdotool click 1
logged "Menu screen 2"
resized 1400 1000 4 60 20
resized 500 300 1 90 30

# F5 sets the window to the next scale again, and the player's choice is saved,
# not the size the desktop imposed.
press F5
for i in $(seq 30); do
  [ "$(window_size)" = 640x480 ] && break
  sleep 0.1
done
[ "$(window_size)" = 640x480 ] || fail "F5 gave a $(window_size) window, not 640x480"
close_game
[ "$(od -An -tu1 -j 11 -N 1 "$WORK/skitterworm.cfg" | tr -d ' ')" = 2 ] || fail "the saved window scale is not 2"
echo "resize: ok"
