# The display keys in the real program: F5 steps the window through its four
# scales, F4 goes to full screen and back to the same window scale, F5 does
# nothing in full screen. After every switch the window has the right size and
# the game's own screenshot shows a picture of the right size with content.
# When the window is closed, the settings file holds the last display, and the
# next start opens it again; a command-line override is not saved.
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
# Skip the splash: a key fades each card out as soon as it shows. On a busy
# machine the cards take longer, so the first screenshot is asked for until
# the game is running.
for i in 1 2 3 4 5 6; do
  press space
  sleep 0.6
done
for i in $(seq 20); do
  press F12
  sleep 0.5
  ls "$WORK"/screenshot*.png >/dev/null 2>&1 && break
done
shoot start
expect_picture start 640 480 200 3

switch F5 960x720 960x720 scale3
switch F5 1280x960 1280x960 scale4
switch F5 320x240 320x240 scale1
# Full screen covers the desktop and shows the 640x480 picture scaled.
switch F4 1280x1024 640x480 fullscreen
# What the display shows of it: the whole desktop, the picture lit in its middle.
grab fullscreen_shown
expect_picture fullscreen_shown 1280 1024 800 3
switch F5 1280x1024 640x480 fullscreen_f5
switch F4 320x240 320x240 back

# Closing the window ends the program, and the settings are saved on the way out.
close_game
[ "$(stat -c %s "$WORK/skitterworm.cfg")" = 22 ] || fail "the settings file is not 22 bytes"
[ "$(head -c 5 "$WORK/skitterworm.cfg")" = "1.2.0" ] || fail "the settings file has no version line"
[ "$(settings_byte 9)" = 4 ] || fail "display mode $(settings_byte 9) saved, expected the window (4)"
[ "$(settings_byte 11)" = 1 ] || fail "window scale $(settings_byte 11) saved, expected 1"
echo "settings saved: window at scale 1"

# The next start opens the saved display.
start_game
wait_window
expect_window 320x240
close_game
# A full-screen override opens full screen for this run only: the settings
# saved at its end still name the stored display.
cp "$WORK/skitterworm.cfg" "$WORK/before.cfg"
start_game --fullscreen
wait_window
expect_window 1280x1024
sleep 1.5
close_game
cmp -s "$WORK/skitterworm.cfg" "$WORK/before.cfg" || fail "the override was saved as the player's display"
echo "display_modes: ok"
