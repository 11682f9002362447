# Scores proven by their replays: the seeded autopilot plays a game, which
# leaves its replay; the bundled scoreboard with the build's verifier
# (skitterworm-verify, the rules without SDL) takes the genuine replay as
# verified and refuses forged ones
# (tests/server/verified_replays.php has the cases).
source "$(dirname "$0")/lib.sh"
ROOT=$(cd "$(dirname "$0")/../.." && pwd)

SERVER_PID=
trap '[ -z "$SERVER_PID" ] || kill -TERM -- "-$SERVER_PID" 2>/dev/null || true; cleanup' EXIT

start_display
mkdir -p "$WORK/save"
start_game --seed 5 --autopilot --unpaced --save-dir "$WORK/save"
wait_window
# Past both splash cards; the menu's attract mode then starts the pilot's game.
press space
sleep 0.3
press space
for _ in $(seq 600); do
  replay=$(ls "$WORK/save/replays/"* 2>/dev/null | head -n 1 || true)
  [ -n "$replay" ] && break
  alive=$(kill -0 "$GAME_PID" 2>/dev/null && echo yes || echo no)
  [ "$alive" = yes ] || fail "the game ended before it left a replay"
  sleep 0.5
done
[ -n "$replay" ] || fail "no replay in $WORK/save/replays after 5 minutes"
sleep 1  # the file is written aside and renamed; let the game finish with it
close_game
cp "$replay" "$WORK/game.replay"

PORT=$(php -r '$s = stream_socket_server("tcp://127.0.0.1:0"); echo substr(strrchr(stream_socket_get_name($s, false), ":"), 1);')
setsid "$ROOT/scripts/scoreboard" --port "$PORT" --db "$WORK/scoreboard.sqlite" --verifier "$(dirname "$GAME")/skitterworm-verify" 2>"$WORK/server.log" &
SERVER_PID=$!
for _ in $(seq 100); do
  php -r 'exit(@fsockopen("127.0.0.1", (int) $argv[1]) ? 0 : 1);' "$PORT" && break
  sleep 0.1
done
php "$ROOT/tests/server/verified_replays.php" "$PORT" "$GAME" "$WORK/game.replay" \
  "$WORK/scoreboard.sqlite" || fail "the scoreboard's verification (server log: $(tail -n 5 "$WORK/server.log"))"
echo "scoreboard_verify: ok"
