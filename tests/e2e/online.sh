# The online scoreboard end to end: the bundled scoreboard server on a free
# loopback port and the real game pointed at it. A game ends, a name with
# form metacharacters is typed, the submission is "Done!" and the world
# leaderboard lists the name as typed once the scoreboard's worker has
# played its replay with the build's verifier. Then, with the server stopped, a
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

alive() { kill -0 "$GAME_PID" 2>/dev/null || fail "the game is gone ($1)"; }

snap() {  # snap NAME: an F12 screenshot with content, kept in $ONLINE_SHOTS
  shoot "$1"
  expect_picture "$1" 640 480 2000 4
  [ -n "${ONLINE_SHOTS:-}" ] && mkdir -p "$ONLINE_SHOTS" && cp "$WORK/$1.png" "$ONLINE_SHOTS/"
  return 0
}

command -v php >/dev/null || fail "php is needed (scripts/setup installs it)"
PORT=$(php -r '$s = stream_socket_server("tcp://127.0.0.1:0"); echo substr(strrchr(stream_socket_get_name($s, false), ":"), 1);')
# As scripts/play runs it: the build's verifier proves the replays posted.
setsid "$ROOT/scripts/scoreboard" --port "$PORT" --db "$WORK/scoreboard.sqlite" \
  --verifier "$(dirname "$GAME")/skitterworm-verify" 2>"$WORK/server.log" &
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
past_splash

# First game ("Play" is selected): the score goes online.
play_to_name_entry 6 Return
xdotool type --delay 120 "$NAME"
sleep 0.3
press Return
logged "Name entry: the online scoreboard took the score" 20
sleep 0.5
snap online_done
grep -q "^.*HEAD: HTTP/1.[01] 200" "$WORK/debug.log" || fail "no successful answer in the debug log"
for _ in $(seq 100); do
  list=$(ask 'a=1&v=1.2.0&f=0&l=15&')
  [ -n "$list" ] && break
  sleep 0.1
done
[ "$(echo "$list" | sed -n 3p)" = "$NAME" ] || fail "the scoreboard lists \"$(echo "$list" | sed -n 3p)\", not the name typed"
[ "$(echo "$list" | sed -n 4p)" = "$SCORE" ] || fail "the scoreboard holds score $(echo "$list" | sed -n 4p), the game $SCORE"
online=$SCORE
php -r 'exit((new PDO("sqlite:$argv[1]"))->query("SELECT verified FROM scores")->fetchColumn() == 1 ? 0 : 1);' \
  "$WORK/scoreboard.sqlite" || fail "the score was not verified by its replay"
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
play_to_name_entry 6 Return
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
quit_from_menu
grep -qF "$NAME" "$WORK/skitterworm.hi" && grep -q "Offline" "$WORK/skitterworm.hi" ||
  fail "the highscore file lacks a name typed"
echo "online: ok (score $online online as \"$NAME\")"
