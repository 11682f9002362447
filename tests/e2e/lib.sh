# Shared steps of the end-to-end scripts: a private X display, the game
# started in a scratch working directory, keys, window queries and checks.
# Usage: source lib.sh "$@"   (arguments: <skitterworm> <data-dir> <picture_probe>)
set -euo pipefail
# Background jobs stay in the script's process group even where the caller
# had job control on, so `setsid` runs them in a session of their own without
# forking first (online.sh stops its server by the group of its process id).
set +m

GAME=$1
DATA=$2
PROBE=$3
WORK=$(mktemp -d)
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
GAME_PID=
XVFB_PID=
PORT_HOLDER_PID=

fail() {
  echo "FAIL: $*" >&2
  [ -f "$WORK/debug.log" ] && tail -n 20 "$WORK/debug.log" >&2
  exit 1
}

cleanup() {
  [ -n "$GAME_PID" ] && kill -9 "$GAME_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  [ -n "$PORT_HOLDER_PID" ] && kill "$PORT_HOLDER_PID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

# The scoreboard every game of the test reaches, unless the test names its
# own: a loopback port held closed (bound, never listened on) for as long as
# the test runs, so no scoreboard a player started elsewhere on the machine
# can answer in its place.
perl -MSocket -e 'socket(my $s, PF_INET, SOCK_STREAM, 0) or die "socket: $!";
  bind($s, pack_sockaddr_in(0, inet_aton("127.0.0.1"))) or die "bind: $!";
  my ($port) = unpack_sockaddr_in(getsockname($s));
  print "$port\n"; close STDOUT; sleep' >"$WORK/closed.port" &
PORT_HOLDER_PID=$!
for _ in $(seq 50); do
  [ -s "$WORK/closed.port" ] && break
  sleep 0.05
done
[ -s "$WORK/closed.port" ] || fail "no loopback port could be held closed"
export SKITTERWORM_SCOREBOARD="127.0.0.1:$(cat "$WORK/closed.port")"

start_display() {
  # Xvfb picks a free display number itself and reports it, so two tests (or a
  # display that is still shutting down) can never end up sharing one.
  # -noreset: the probe below is the first client, and a server that resets
  # when it leaves refuses the game's connection for a moment.
  Xvfb -displayfd 3 -screen 0 "${SCREEN:-1280x1024x24}" -nolisten tcp -noreset 3>"$WORK/display.number" >/dev/null 2>&1 &
  XVFB_PID=$!
  local i
  for i in $(seq 100); do
    if [ -s "$WORK/display.number" ]; then
      export DISPLAY=":$(head -n 1 "$WORK/display.number")"
      xdpyinfo >/dev/null 2>&1 && return 0
    fi
    kill -0 "$XVFB_PID" 2>/dev/null || fail "the virtual display did not start"
    sleep 0.1
  done
  fail "no virtual display could be started"
}

# start_game [options...]: the game in $WORK with the data folder given
# (started through $GAME_ENV, a command such as "env -u DISPLAY", if set).
start_game() {
  # shellcheck disable=SC2086
  (cd "$WORK" && exec ${GAME_ENV:-} "$GAME" --data "$DATA" --debug-log "$WORK/debug.log" "$@") &
  GAME_PID=$!
}

# The game's window id, waiting up to 30 s for it (a loaded machine starts slowly).
wait_window() {
  local i id
  for i in $(seq 300); do
    id=$(xdotool search --onlyvisible --name '^Skitterworm' 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then
      WINDOW=$id
      # Real key events (XTEST) go to the focused window; there is no window manager to focus it.
      sleep 0.3
      xdotool windowfocus --sync "$WINDOW" 2>/dev/null || xdotool windowfocus "$WINDOW"
      return 0
    fi
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before its window opened"
    sleep 0.1
  done
  xwininfo -root -tree 2>&1 | head -n 20 >&2 || true
  fail "no game window appeared on $DISPLAY"
}

window_size() {
  xdotool getwindowgeometry --shell "$WINDOW" | awk -F= '/^WIDTH/{w=$2} /^HEIGHT/{h=$2} END{print w "x" h}'
}

press() {
  local key
  for key in "$@"; do
    xdotool keydown "$key"
    sleep 0.08
    xdotool keyup "$key"
    sleep 0.05
  done
}

hold() {  # hold KEY SECONDS
  xdotool keydown "$1"
  sleep "$2"
  xdotool keyup "$1"
}

# shoot NAME: presses F12 and waits for the game's next screenshot, saved as $WORK/NAME.png.
shoot() {
  local before after i
  before=$( (ls "$WORK"/screenshot*.png 2>/dev/null || true) | wc -l)
  press F12
  for i in $(seq 50); do
    after=$( (ls "$WORK"/screenshot*.png 2>/dev/null || true) | wc -l)
    if [ "$after" -gt "$before" ]; then
      sleep 0.2
      cp "$(ls -t "$WORK"/screenshot*.png | head -n 1)" "$WORK/$1.png"
      return 0
    fi
    sleep 0.1
  done
  fail "F12 saved no screenshot"
}

# grab NAME: dumps what the X server shows in the game window to $WORK/NAME.xwd.
grab() {
  xwd -silent -id "$WINDOW" -out "$WORK/$1.xwd" || fail "cannot dump the window"
}

# expect_shown NAME X Y WIDTH HEIGHT SCALE: the window, dumped to NAME.xwd,
# shows the picture at SCALE in that rectangle, whole (each SCALExSCALE block
# of one colour), lit, and black around it.
expect_shown() {
  local outside broken inside
  grab "$1"
  read -r outside broken inside <<<"$("$PROBE" "$WORK/$1.xwd" "$2" "$3" "$4" "$5" "$6")"
  echo "$1: $outside lit outside the picture, $broken of its ${6}x$6 blocks not whole, $inside lit"
  [ "$outside" = 0 ] || fail "$1: the border is not black"
  [ "$broken" = 0 ] || fail "$1: the picture is not at scale $6 from $2,$3"
  [ "$inside" -ge 200 ] || fail "$1: the picture is nearly blank"
}

# expect_picture NAME WIDTH HEIGHT MIN_LIT MIN_COLOURS
expect_picture() {
  local probe
  local file="$WORK/$1.png"
  [ -f "$file" ] || file="$WORK/$1.xwd"
  probe=$("$PROBE" "$file") || fail "picture $1 does not decode"
  read -r w h lit colours <<<"$probe"
  [ "$w" = "$2" ] && [ "$h" = "$3" ] || fail "screenshot $1 is ${w}x${h}, expected $2x$3"
  [ "$lit" -ge "$4" ] || fail "screenshot $1 is nearly blank ($lit lit pixels)"
  [ "$colours" -ge "$5" ] || fail "screenshot $1 has only $colours colours"
  echo "screenshot $1: ${w}x${h}, $lit lit pixels, $colours colours"
}

# close_game: asks the game to close as the window manager would and expects exit code 0 within 5 s.
close_game() {
  kill -TERM "$GAME_PID"
  local i
  for i in $(seq 50); do
    if ! kill -0 "$GAME_PID" 2>/dev/null; then
      local code=0
      wait "$GAME_PID" || code=$?
      GAME_PID=
      [ "$code" = 0 ] || fail "the game ended with exit code $code"
      return 0
    fi
    sleep 0.1
  done
  fail "the game did not end within 5 s of the close request"
}

# logged TEXT [SECONDS]: waits up to 5 s (or SECONDS) for a line of the debug
# log holding TEXT.
logged() {
  local i
  for i in $(seq $((${2:-5} * 10))); do
    grep -qF -- "$1" "$WORK/debug.log" 2>/dev/null && return 0
    sleep 0.1
  done
  fail "the debug log never said \"$1\""
}

# on_screen N: waits until the menu has switched to screen N (the debug log
# names every switch), then for its fade-in.
on_screen() {
  local i
  for i in $(seq 100); do
    [ "$(grep -o 'Menu \(screen\|entered at screen\) [0-9]*' "$WORK/debug.log" | tail -n 1 | grep -o '[0-9]*$')" = "$1" ] && {
      sleep 0.8
      return 0
    }
    sleep 0.1
  done
  fail "the menu never showed screen $1"
}

# past_splash: skips both splash cards with a key each and waits for the main menu.
past_splash() {
  sleep 1.5
  press space
  sleep 1.2
  press space
  on_screen 1
}

# count TEXT: how many debug log lines hold TEXT.
count() {
  local n
  n=$(grep -cF -- "$1" "$WORK/debug.log" 2>/dev/null) || true
  echo "${n:-0}"
}

# next_log TEXT BEFORE [SECONDS]: waits up to 5 s (or SECONDS) for more than
# BEFORE lines holding TEXT.
next_log() {
  local i
  for i in $(seq $((${3:-5} * 10))); do
    [ "$(count "$1")" -gt "$2" ] && return 0
    sleep 0.1
  done
  fail "the debug log never said \"$1\" again"
}

# play_to_name_entry SECONDS KEY...: the KEYs start a game from the menu (with
# mouse control), the ship fires for SECONDS, then the game is paused and, once
# it has a score, quit from the pause screen: returns at the name entry with
# the score in SCORE. A stage opens with about fifteen mushrooms, so most shots
# fly through to the top, and whether a chain part crosses the fire in time
# depends on the machine's pace: a pause that finds no score yet resumes play
# for another round, up to four.
play_to_name_entry() {
  local games entries playing pauses round seconds=$1
  shift
  games=$(count "Game quit")
  entries=$(count "Name entry for a score")
  playing=$(count "Play state 1 -> 2")
  press "$@"
  next_log "Play state 1 -> 2" "$playing" 15
  for round in 1 2 3 4; do
    fire_sweeping "$seconds"
    pauses=$(count "Play state 2 -> 3")
    press Escape
    next_log "Play state 2 -> 3" "$pauses"
    SCORE=$(sed -n 's/^.*Play state 2 -> 3 at .*, score \([0-9]*\),.*$/\1/p' "$WORK/debug.log" | tail -n 1)
    [ "${SCORE:-0}" -gt 0 ] && break
    sleep 0.5
    press Return # any key but Escape resumes
  done
  sleep 0.5
  press Escape
  next_log "Game quit" "$games" 10
  SCORE=$(sed -n 's/^.*Game quit: score \([0-9]*\).*$/\1/p' "$WORK/debug.log" | tail -n 1)
  [ -n "$SCORE" ] && [ "$SCORE" -gt 0 ] || fail "the game scored nothing (score '${SCORE}')"
  next_log "Name entry for a score" "$entries" 10
  sleep 0.8
}

# fire_sweeping SECONDS: the button held while the ship sweeps along its band,
# so whatever the field holds above it, some shots find a mushroom or a part.
fire_sweeping() {
  local step end=$((SECONDS + $1))
  xdotool mousedown 1
  while [ "$SECONDS" -lt "$end" ]; do
    for step in -40 -40 -40 40 40 40 40 40 40 -40 -40 -40; do
      xdotool mousemove_relative -- "$step" 0
      sleep 0.1
    done
  done
  xdotool mouseup 1
}

# quit_from_menu: Escape on the main menu ("Quit") ends the program with code 0.
quit_from_menu() {
  press Escape
  local i code=0
  for i in $(seq 50); do
    kill -0 "$GAME_PID" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$GAME_PID" 2>/dev/null && fail "Escape on the main menu did not end the program"
  wait "$GAME_PID" || code=$?
  GAME_PID=
  [ "$code" = 0 ] || fail "the game ended with exit code $code"
}
