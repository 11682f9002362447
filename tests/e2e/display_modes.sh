# The display keys in the real program: F5 steps the window through its four
# scales, F4 goes to full screen and back to the same window scale, F5 does
# nothing in full screen. After every switch the window has the right size and
# the game's own screenshot shows a picture of the right size with content.
# On quitting, the settings file holds the last display, and the next start
# opens it again; a command-line override is not saved.
source "$(dirname "$0")/lib.sh"

# expect_window WIDTHxHEIGHT: waits up to 3 s for the window to take that size.
expect_window() {
  local i
  for i in $(seq 30); do
    [ "$(window_size)" = "$1" ] && return 0
    sleep 0.1
  done
  fail "window is $(window_size), expected $1"
}

# switch KEY WINDOW PICTURE NAME: presses KEY, then checks the window size and a screenshot.
switch() {
  press "$1"
  expect_window "$2"
  sleep 0.5
  shoot "$4"
  expect_picture "$4" "${3%x*}" "${3#*x}" 200 3
}

# settings_byte OFFSET: one byte of the settings file, in decimal.
settings_byte() {
  od -An -tu1 -j "$1" -N 1 "$WORK/skitterworm.cfg" | tr -d ' '
}

start_display

# A first run: no settings file, so a 640x480 window.
start_game
wait_window
expect_window 640x480
sleep 1.5
press space space
sleep 3
shoot start
expect_picture start 640 480 200 3

switch F5 960x720 960x720 scale3
switch F5 1280x960 1280x960 scale4
switch F5 320x240 320x240 scale1
# Full screen covers the desktop and shows the 640x480 picture scaled.
switch F4 1280x1024 640x480 fullscreen
switch F5 1280x1024 640x480 fullscreen_f5
switch F4 320x240 320x240 back

press Escape
for i in $(seq 50); do
  kill -0 "$GAME_PID" 2>/dev/null || break
  sleep 0.1
done
wait "$GAME_PID" || fail "the game ended with an error"
GAME_PID=
[ "$(stat -c %s "$WORK/skitterworm.cfg")" = 22 ] || fail "the settings file is not 22 bytes"
[ "$(head -c 5 "$WORK/skitterworm.cfg")" = "1.2.0" ] || fail "the settings file has no version line"
[ "$(settings_byte 9)" = 4 ] || fail "display mode $(settings_byte 9) saved, expected the window (4)"
[ "$(settings_byte 11)" = 1 ] || fail "window scale $(settings_byte 11) saved, expected 1"
echo "settings saved: window at scale 1"

# The next start opens the saved display.
start_game
wait_window
expect_window 320x240
# A full-screen override opens full screen for this run only; closing the
# window still saves the settings, with the stored display.
close_game
cp "$WORK/skitterworm.cfg" "$WORK/before.cfg"
start_game --fullscreen
wait_window
expect_window 1280x1024
sleep 1.5
close_game
cmp -s "$WORK/skitterworm.cfg" "$WORK/before.cfg" || fail "the override was saved as the player's display"
echo "display_modes: ok"
