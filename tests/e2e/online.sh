# The online scoreboard end to end: the bundled scoreboard server on a free
# loopback port and the real game pointed at it. A game ends, a name with
# form metacharacters is typed, the submission is "Done!" and the world
# leaderboard lists the name as typed. Then, with the server stopped, a
# second game's submission fails, Escape leaves it, and the online view shows
# its error text. Screenshots of each step go to $ONLINE_SHOTS when set.
source "$(dirname "$0")/lib.sh"
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
NAME='Ann & Bo=1%'

SERVER_PID=
stop_server() {
  [ -n "$SERVER_PID" ] || return 0
  # The server runs in a session of its own: the group takes its workers along.
  kill -TERM -- "-$SERVER_PID" 2>/dev/null || true
  wait "$SERVER_PID" 2>/dev/null || true
  SERVER_PID=
}
trap 'stop_server; cleanup' EXIT

# ask BODY: the scoreboard's answer to a form post.
ask() {
  php -r '$c = stream_context_create(["http" => ["method" => "POST", "content" => $argv[2], "timeout" => 5,
    "header" => "Content-Type: application/x-www-form-urlencoded", "ignore_errors" => true]]);
    echo @file_get_contents($argv[1], false, $c);' "http://127.0.0.1:$PORT/sysops/worm-highscore.php" "$1"
}

# count TEXT: how many debug log lines hold TEXT.
count() { grep -cF -- "$1" "$WORK/debug.log" 2>/dev/null || true; }

# next_log TEXT BEFORE [SECONDS]: waits for more than BEFORE lines holding TEXT.
next_log() {
  local i
  for i in $(seq $((${3:-5} * 10))); do
    [ "$(count "$1")" -gt "$2" ] && return 0
    sleep 0.1
  done
  fail "the debug log never said \"$1\" again"
}

alive() { kill -0 "$GAME_PID" 2>/dev/null || fail "the game is gone ($1)"; }

snap() {  # snap NAME: an F12 screenshot with content, kept in $ONLINE_SHOTS
  shoot "$1"
  expect_picture "$1" 640 480 2000 4
  [ -n "${ONLINE_SHOTS:-}" ] && mkdir -p "$ONLINE_SHOTS" && cp "$WORK/$1.png" "$ONLINE_SHOTS/"
  return 0
}

# play_to_name_entry: Play from the main menu, fire for a while, quit from the
# pause screen; returns at the name entry.
play_to_name_entry() {
  local games entries playing
  games=$(count "Game quit")
  entries=$(count "Name entry for a score")
  playing=$(count "Play state 1 -> 2")
  press Return
  next_log "Play state 1 -> 2" "$playing" 15
  xdotool mousedown 1
  sleep 6
  xdotool mouseup 1
  press Escape
  sleep 0.5
  press Escape
  next_log "Game quit" "$games" 10
  next_log "Name entry for a score" "$entries" 10
  sleep 0.8
}

command -v php >/dev/null || fail "php is needed (scripts/setup installs it)"
PORT=$(php -r '$s = stream_socket_server("tcp://127.0.0.1:0"); echo substr(strrchr(stream_socket_get_name($s, false), ":"), 1);')
setsid "$ROOT/scripts/scoreboard" --port "$PORT" --db "$WORK/scoreboard.sqlite" 2>"$WORK/server.log" &
SERVER_PID=$!
for i in $(seq 100); do
  [ "$(ask 'action=5&v=1.2.0&' 2>/dev/null)" = 0 ] && break
  kill -0 "$SERVER_PID" 2>/dev/null || fail "the scoreboard did not start: $(cat "$WORK/server.log")"
  sleep 0.1
done
[ "$(ask 'action=5&v=1.2.0&')" = 0 ] || fail "the scoreboard does not answer on port $PORT"

start_display
start_game --seed 3 --scoreboard "127.0.0.1:$PORT"
wait_window
sleep 1.5
press space
sleep 1.2
press space
on_screen 1

# First game: the score goes online.
play_to_name_entry
xdotool type --delay 120 "$NAME"
sleep 0.3
press Return
logged "Name entry: the online scoreboard took the score" 20
sleep 0.5
snap online_done
grep -q "^.*HEAD: HTTP/1.[01] 200" "$WORK/debug.log" || fail "no successful answer in the debug log"
list=$(ask 'a=1&v=1.2.0&f=0&l=15&')
[ "$(echo "$list" | sed -n 3p)" = "$NAME" ] || fail "the scoreboard lists \"$(echo "$list" | sed -n 3p)\", not the name typed"
score=$(sed -n 's/^.*Game quit: score \([0-9]*\).*$/\1/p' "$WORK/debug.log" | tail -n 1)
[ "$(echo "$list" | sed -n 4p)" = "$score" ] || fail "the scoreboard holds score $(echo "$list" | sed -n 4p), the game $score"
press space # "Press any key or button to continue."
on_screen 3
press Up Return # "View Online Scores"
logged "Online scores: 1 rows" 10
sleep 0.5
snap online_list
alive "after the online list"
press Escape
on_screen 1

# Second game: the scoreboard is gone.
stop_server
play_to_name_entry
xdotool type --delay 120 "Offline"
sleep 0.3
press Return
logged "Name entry: the online scoreboard did not take the score" 20
logged "Es konnte keine Verbindung zum Host hergestellt werden."
sleep 0.5
snap online_failed
press Escape
on_screen 3
press Up Return
logged "Online scores: the scoreboard could not be reached" 10
sleep 0.5
snap online_error
press Escape
on_screen 1
press Escape # "Quit"
for i in $(seq 50); do
  kill -0 "$GAME_PID" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$GAME_PID" 2>/dev/null && fail "Escape on the main menu did not end the program"
code=0
wait "$GAME_PID" || code=$?
GAME_PID=
[ "$code" = 0 ] || fail "the game ended with exit code $code"
grep -qF "$NAME" "$WORK/skitterworm.hi" && grep -q "Offline" "$WORK/skitterworm.hi" ||
  fail "the highscore file lacks a name typed"
echo "online: ok (score $score online as \"$NAME\")"
