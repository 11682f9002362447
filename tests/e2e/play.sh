# A game in the real program. With keyboard control set in the settings file:
# the splash is skipped, Return on the menu's "Play" starts a game, the stage
# banner shows, the ship moves and fires under scripted keys, the game's
# screenshot shows the mushroom field, the ship and the HUD, P pauses and
# Escape on the pause screen quits the game (back through the name entry or
# straight to the menu, where "Play" starts the next one), and closing the
# window ends the program with 0. Then the autopilot, as an attract mode,
# starts a seeded game from the menu by itself and plays it for a while,
# unpaced.
source "$(dirname "$0")/lib.sh"

# write_settings: a 22-byte settings file: sound on, music off, a window at
# scale 2, keyboard control, normal particles, online off, the default keys.
write_settings() {
  printf '1.2.0\r\n' >"$WORK/skitterworm.cfg"
  printf '\x01\x00\x04\x02\x02\x01\x01\x00\x25\x27\x26\x28\xa3\x20\x0d' >>"$WORK/skitterworm.cfg"
}

# region NAME X Y W H MIN_LIT: at least MIN_LIT lit pixels in that part of a screenshot.
region() {
  local lit
  lit=$("$PROBE" "$WORK/$1.png" "$2" "$3" "$4" "$5" | awk '{print $3}') || fail "picture $1 does not decode"
  [ "$lit" -ge "$6" ] || fail "$1: only $lit lit pixels in ($2,$3 ${4}x$5), expected $6"
  echo "$1: $lit lit pixels in ($2,$3 ${4}x$5)"
}

start_display
write_settings
start_game --seed 7
wait_window
[ "$(window_size)" = "640x480" ] || fail "window is $(window_size), expected 640x480"
sleep 1.5
press space
sleep 1.2
press space
sleep 2
press Return # "Play" is selected when the menu opens
logged "Game started"
sleep 2.5
shoot banner
expect_picture banner 640 480 300 3
logged "Play state 1 -> 2"

# Play: fire held, left for a while, then right.
xdotool keydown Control_R
hold Left 0.6
hold Right 1.2
shoot playing
xdotool keyup Control_R
expect_picture playing 640 480 2000 8
region playing 0 32 640 288 1500        # the mushroom field
region playing 0 356 640 88 40          # the ship's band
region playing 0 454 640 26 1000        # the HUD strip
grep -q "Play state 2 -> 6" "$WORK/debug.log" && fail "the game was over within seconds"

# Pause, then quit the game from the pause screen: the next game starts.
press p
logged "Play state 2 -> 3"
sleep 0.5
grab paused
expect_picture paused 640 480 2000 4
press Escape
logged "Game quit"
score=$(sed -n 's/^.*Game quit: score \([0-9]*\).*$/\1/p' "$WORK/debug.log" | tail -n 1)
sleep 1
if [ "${score:-0}" -gt 0 ]; then
  # Any score enters the default table: the name entry, then the highscores.
  press Return
  sleep 1
  press Escape
fi
sleep 1.2
press Return
for i in $(seq 50); do
  [ "$(grep -c "Game started" "$WORK/debug.log")" -ge 2 ] && break
  sleep 0.1
done
[ "$(grep -c "Game started" "$WORK/debug.log")" -ge 2 ] || fail "no next game started after quitting"
sleep 0.5
kill -0 "$GAME_PID" 2>/dev/null || fail "quitting a game ended the program"
close_game
logged "Game left with the window"

# The autopilot plays on its own and scores: unpaced, two seconds hold more
# play than the twelve it used to be given.
rm -f "$WORK/debug.log"
start_game --seed 11 --autopilot --unpaced
wait_window
press space
sleep 0.3
press space
logged "Game started with the autopilot" 15
logged "Play state 1 -> 2"
sleep 2
close_game
# The last score the log gives: on leaving with the window, or at the game's
# end when the pilot lost its ships that quickly.
score=$(sed -n 's/^\(Play state .*\|Game left with the window\).* score \([0-9]*\).*$/\2/p' "$WORK/debug.log" | tail -n 1)
[ -n "$score" ] && [ "$score" -gt 0 ] || fail "the autopilot scored nothing (score '${score}')"
echo "autopilot scored $score"
echo "play: ok"
