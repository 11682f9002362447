# The game's message boxes on a real display: one fits the screen however long
# its text, and a stop signal while one shows ends the game and its box
# together; the files folder is free for the next start, the exit code keeps a
# failed start's failure, and a failed audio start is saved as the player's
# own settings, not as "off".
source "$(dirname "$0")/lib.sh"
start_display

# box_pid: waits for the game's message box (shown from a child process) and
# prints that process's id.
box_pid() {
  local i pid
  for i in $(seq 100); do
    pid=$(pgrep -P "$GAME_PID" | head -n 1 || true)
    if [ -n "$pid" ] && [ "$(xwininfo -root -children | grep -c '"Skitterworm')" -ge "$1" ]; then
      echo "$pid"
      return 0
    fi
    sleep 0.1
  done
  fail "no message box appeared"
}

# stop_both BOX_PID: SIGTERM to the game; both must be gone within 3 s. Sets CODE.
stop_both() {
  kill -TERM "$GAME_PID"
  for _ in $(seq 30); do
    kill -0 "$GAME_PID" 2>/dev/null || kill -0 "$1" 2>/dev/null || break
    sleep 0.1
  done
  kill -KILL "$1" 2>/dev/null && fail "the message box outlived a stop signal"
  kill -0 "$GAME_PID" 2>/dev/null && fail "the game outlived a stop signal"
  CODE=0
  wait "$GAME_PID" || CODE=$?
  GAME_PID=
}

# No data: the box is narrower than the 1280-pixel screen, and stopped, the
# program still reports its failure.
start_game --data "/nonexistent/$(printf 'a-folder-with-a-long-name-%.0s' $(seq 12))"
box=$(box_pid 1)
width=$(xwininfo -root -children | grep '"Skitterworm' | sed -n 's/.*: ()  \([0-9]*\)x.*/\1/p' | head -n 1)
[ -n "$width" ] && [ "$width" -le 1280 ] || fail "the box is ${width:-?} pixels wide on a 1280-pixel screen"
stop_both "$box"
[ "$CODE" != 0 ] || fail "stopped during the \"no data\" box, the program ended with code 0"
echo "no data: a box $width pixels wide, ended with code $CODE on SIGTERM"

# No sound device: the box shows over the game; stopped, the settings file
# keeps sound and music on (the player's choice), and the folder is free.
SDL_AUDIODRIVER=nonexistent start_game --windowed --scale 1
box=$(box_pid 2)
stop_both "$box"
[ "$CODE" = 0 ] || fail "the game ended with code $CODE"
[ "$(od -An -tu1 -j7 -N2 "$WORK/skitterworm.cfg" | tr -s ' ')" = " 1 1" ] ||
  fail "the stop signal's save wrote sound and music as $(od -An -tu1 -j7 -N2 "$WORK/skitterworm.cfg")"
flock -n "$WORK/skitterworm.lock" true || fail "something still holds the lock on the files folder"
echo "message_boxes: ok"
