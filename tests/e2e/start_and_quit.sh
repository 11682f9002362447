# The real program opens its window, shows its splash, a key skips it, the screen shows a
# picture of the right size, and a close request ends it with exit code 0.
source "$(dirname "$0")/lib.sh"
start_display
start_game --windowed --scale 2
wait_window
[ "$(window_size)" = "640x480" ] || fail "window is $(window_size), expected 640x480"
sleep 2.5                 # the first card is fading in
grab splash
expect_picture splash 640 480 200 2
press space               # the first card fades out at once
sleep 1.5
press space               # and so does the second
sleep 2.5
shoot running
expect_picture running 640 480 200 3
close_game
# The window opens first; fonts, images and audio load in its opening pause.
awk '/^OpenGL /{ w = NR } /^Audio: device open/{ a = NR } END { exit !(w && a > w) }' "$WORK/debug.log" ||
  fail "the audio started before the window opened"
# A first run leaves its data files behind, whole.
[ "$(stat -c %s "$WORK/skitterworm.cfg")" = 22 ] || fail "the settings file is not 22 bytes"
[ "$(stat -c %s "$WORK/skitterworm.hi")" = 142 ] || fail "the highscore file is not the 142-byte default table"
[ "$(stat -c %s "$WORK/skitterworm.stats")" = 107 ] || fail "the statistics file is not 107 bytes"
[ "$(head -c 5 "$WORK/skitterworm.stats")" = "1.2.0" ] || fail "the statistics file lacks its version line"
echo "start_and_quit: ok"
