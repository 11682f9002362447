# The battlefield in the real program, run unpaced: the seeded autopilot plays
# until a snail, a spider and, in stage B, a saucer have come in (the debug log
# says where each arrives); the game's own screenshots, taken the frame after
# each arrival is seen, show the creature near where the log placed it.
source "$(dirname "$0")/lib.sh"

# A 22-byte settings file: sound on, music off, a window at scale 2, keyboard
# control, normal particles, online off, the default keys.
write_settings() {
  printf '1.2.0\r\n' >"$WORK/skitterworm.cfg"
  printf '\x01\x00\x04\x02\x02\x01\x01\x00\x25\x27\x26\x28\xa3\x20\x0d' >>"$WORK/skitterworm.cfg"
}

# Unpaced, the game plays well over a thousand frames a second, so a creature
# crosses the field before a key sent after its arrival line could reach the
# game. The log is therefore followed line by line and the game stopped
# (SIGSTOP) as soon as the line is read; F12 is queued while it stands still
# and saved by the first frame after it goes on.
LOG_FD=
TAIL_PID=
STOPPED=
follow_log() {
  # An existing file is followed through inotify; a missing one only by polling each second.
  : >"$WORK/debug.log"
  exec {LOG_FD}< <(exec tail -F -n +1 "$WORK/debug.log" 2>/dev/null)
  TAIL_PID=$!
}
trap '[ -n "$TAIL_PID" ] && kill "$TAIL_PID" 2>/dev/null; [ -n "$GAME_PID" ] && kill -CONT "$GAME_PID" 2>/dev/null; cleanup' EXIT

# stop_at_arrival KIND SECONDS [PATTERN]: lets a stopped game go on and
# reads the log up to the next arrival of KIND (matching PATTERN) from then
# on, stops the game there and sets ARRIVAL to the line.
stop_at_arrival() {
  local line deadline=$((SECONDS + $2))
  if [ -n "$STOPPED" ]; then
    # What the game logged before it was stopped is old news.
    while IFS= read -r -t 0.2 -u "$LOG_FD" line; do :; done
    kill -CONT "$GAME_PID"
  fi
  while [ "$SECONDS" -lt "$deadline" ]; do
    if IFS= read -r -t 1 -u "$LOG_FD" line; then
      if [[ $line == *"$1 arrives"*"${3:-}"* ]]; then
        kill -STOP "$GAME_PID"
        STOPPED=1
        ARRIVAL=$line
        echo "$ARRIVAL"
        return 0
      fi
    else
      kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended while waiting for a $1"
    fi
  done
  fail "no $1 arrived within $2 s"
}

# shoot_stopped NAME: F12 for the stopped game, which goes on for the frame
# that saves it as $WORK/NAME.png and is stopped again.
shoot_stopped() {
  local before i
  before=$( (ls "$WORK"/screenshot*.png 2>/dev/null || true) | wc -l)
  xdotool keydown F12
  kill -CONT "$GAME_PID"
  for i in $(seq 200); do
    if [ "$( (ls "$WORK"/screenshot*.png 2>/dev/null || true) | wc -l)" -gt "$before" ]; then
      kill -STOP "$GAME_PID"
      xdotool keyup F12
      # The game names a screenshot only once it is whole.
      cp "$(ls -t "$WORK"/screenshot*.png | head -n 1)" "$WORK/$1.png"
      return 0
    fi
    sleep 0.02
  done
  xdotool keyup F12
  fail "F12 saved no screenshot"
}

# lit_near NAME X Y DX DY MIN_LIT: at least MIN_LIT lit pixels in the window of
# the screenshot around logical (X, Y), DX to each side and DY above and below.
lit_near() {
  local x0 y0 w h lit
  x0=$((($2 - $4) * 2)); y0=$((($3 - $5) * 2))
  [ "$x0" -ge 0 ] || x0=0
  [ "$y0" -ge 0 ] || y0=0
  w=$((($4 * 2 + 8) * 2)); h=$((($5 * 2 + 8) * 2))
  lit=$("$PROBE" "$WORK/$1.png" "$x0" "$y0" "$w" "$h" | awk '{print $3}') || fail "picture $1 does not decode"
  [ "$lit" -ge "$6" ] || fail "$1: only $lit lit pixels near ($2,$3), expected $6"
  echo "$1: $lit lit pixels near ($2,$3)"
}

# position LINE: "X Y" from an arrival line.
position() { sed -n 's/^.* arrives at \(-\?[0-9]*\),\([0-9]*\) .*$/\1 \2/p' <<<"$1"; }

start_display
write_settings
follow_log
start_game --seed 5 --autopilot --unpaced
wait_window
# Past both splash cards; the menu's attract mode then starts the pilot's game.
press space
sleep 0.3
press space

stop_at_arrival Snail 60
shoot_stopped snail
read -r sx sy <<<"$(position "$ARRIVAL")"
expect_picture snail 640 480 2000 8
# A falling snail comes down, a crawling one goes across.
lit_near snail "$sx" "$((sy + 15))" 45 30 12

stop_at_arrival Spider 60
shoot_stopped spider
read -r px py <<<"$(position "$ARRIVAL")"
lit_near spider "$px" "$py" 40 26 12

stop_at_arrival Saucer 120 "in stage 2"
shoot_stopped saucer
read -r cx cy <<<"$(position "$ARRIVAL")"
lit_near saucer "$cx" "$cy" 40 4 12
# BATTLEFIELD_SHOTS=DIR keeps the three screenshots for a look.
if [ -n "${BATTLEFIELD_SHOTS:-}" ]; then
  mkdir -p "$BATTLEFIELD_SHOTS"
  cp "$WORK"/snail.png "$WORK"/spider.png "$WORK"/saucer.png "$BATTLEFIELD_SHOTS"/
fi
kill -CONT "$GAME_PID"
close_game
grep -q "Game started with the autopilot" "$WORK/debug.log" || fail "the autopilot did not play"
grep -q "per second (unpaced)" "$WORK/debug.log" || fail "the run was not unpaced"
echo "battlefield: ok"
