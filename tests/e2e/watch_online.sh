# Watching the world's best: the bundled scoreboard holds two games of the
# corpus, proven by its worker; the real game lists them, downloads the top
# one, watches it to its recorded score, comes back to the online table at
# the same entry and watches it again from its kept copy. Then a stand-in
# scoreboard whose download stalls (once given up with Escape, once left to
# time out), sends a damaged replay, or sends another game than its row
# claims: each ends in a line on the table, the game still answering.
source "$(dirname "$0")/lib.sh"
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
CORPUS="$ROOT/tests/corpus"
PIDS=()
trap 'for p in "${PIDS[@]}"; do kill -TERM -- "-$p" 2>/dev/null || true; done; cleanup' EXIT

free_port() { php -r '$s = stream_socket_server("tcp://127.0.0.1:0"); echo substr(strrchr(stream_socket_get_name($s, false), ":"), 1);'; }

# ask PORT BODY: the scoreboard's answer to a form post.
ask() {
  php -r '$c = stream_context_create(["http" => ["method" => "POST", "content" => $argv[2], "timeout" => 5,
    "header" => "Content-Type: application/x-www-form-urlencoded", "ignore_errors" => true]]);
    echo @file_get_contents($argv[1], false, $c);' "http://127.0.0.1:$1/sysops/worm-highscore.php" "$2"
}

# post_game PORT FILE: the corpus game posted as the game posts it.
post_game() {
  php -r '$r = file_get_contents($argv[1]); preg_match("/^score (\d+)\nstage (\d+)\nwave (\d+)/m", $r, $m);
    preg_match("/^name (.*)$/m", $r, $n);
    echo "a=2&u=" . urlencode($n[1]) . "&s=" . ($m[1] * 9 + ($m[2] + $m[3]) * 42) . "&st=$m[2]&w=$m[3]&v=1.2.0&r="
      . urlencode(base64_encode($r));' "$2" >"$WORK/form"
  [ "$(ask "$1" "$(cat "$WORK/form")")" = success ] || fail "the scoreboard did not take $2"
}

# On to the online table from the main menu.
online_table() {
  local fetched
  fetched=$(count "Online scores:")
  press Down Down Return
  on_screen 3
  press Up Return # "View Online Scores"
  next_log "Online scores:" "$fetched" 10
  sleep 0.3
}

# The bundled scoreboard with the build's verifier, two corpus games proven by its worker.
PORT=$(free_port)
setsid "$ROOT/scripts/scoreboard" --port "$PORT" --db "$WORK/scoreboard.sqlite" \
  --verifier "$(dirname "$GAME")/skitterworm-verify" 2>"$WORK/server.log" &
PIDS+=($!)
for _ in $(seq 100); do
  [ "$(ask "$PORT" 'action=5&v=1.2.0&' 2>/dev/null)" = 0 ] && break
  sleep 0.1
done
post_game "$PORT" "$CORPUS/keyboard-09-quit.replay" # score 124, the top row
post_game "$PORT" "$CORPUS/pilot-22-short.replay"   # score 112
for _ in $(seq 300); do
  [ "$(ask "$PORT" 'action=5&v=1.2.0&')" = 2 ] && break
  sleep 0.1
done
[ "$(ask "$PORT" 'action=5&v=1.2.0&')" = 2 ] || fail "the worker did not verify both games: $(cat "$WORK/server.log")"

start_display
start_game --scoreboard "127.0.0.1:$PORT"
wait_window
past_splash
online_table
logged "Online scores: 2 rows"
shoot watch_table
# Up from the buttons reaches the lowest row with a game, then the top one.
press Up Up Return
logged "Online replay 1: downloading"
logged "Watching a replay of seed 284" 10
xdotool keydown space # the skip key: four frames a frame
logged "Replay watched to score 124" 30
xdotool keyup space
on_screen 3
[ -f "$WORK/replays/online/127.0.0.1-$PORT-1.replay" ] || fail "the game was not kept in replays/online"
# Back at the same entry: Return watches it again, from the kept copy.
press Return
logged "Online replay 1 is kept in"
logged "Watching a replay of seed 284" 10
[ "$(count "Online replay 1: downloading")" = 1 ] || fail "the kept game was downloaded again"
"$GAME" --data "$DATA" --verify "$WORK/replays/online/127.0.0.1-$PORT-1.replay" >/dev/null ||
  fail "the kept game is no replay that verifies"
press Escape
next_log "Menu entered at screen 3" 1
press Escape
on_screen 1
close_game

# The stand-in: a row claiming the corpus game of score 112 and one of
# older rules; what its download sends is read from $WORK/mode at each request.
STAND_IN=$(free_port)
setsid python3 - "$STAND_IN" "$WORK/mode" "$CORPUS" <<'PY' 2>"$WORK/stand-in.log" &
import http.server, re, sys, time, urllib.parse
port, mode_file, corpus = int(sys.argv[1]), sys.argv[2], sys.argv[3]
class Handler(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        form = urllib.parse.parse_qs(self.rfile.read(int(self.headers["Content-Length"])).decode())
        mode = open(mode_file).read().strip()
        if form.get("a") == ["1"]:
            rules = re.search(rb"^rules \d+$", open(f"{corpus}/pilot-22-short.replay", "rb").read(), re.M)[0]
            body = (b"7\n2026-12-08 10:00\nAutopilot\n112\n1\n2\nreplay 7\n" + rules + b"\n"
                    b"8\n2026-12-08 09:00\nOld\n100\n1\n1\nreplay 8\nrules 1\n")
        elif mode == "stall":
            time.sleep(20)
            return
        else:
            game = open(f"{corpus}/{'keyboard-06' if mode == 'other' else 'pilot-22-short'}.replay", "rb").read()
            body = game[:-40] + bytes(40) if mode == "damaged" else game
        self.send_response(200)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)
http.server.ThreadingHTTPServer(("127.0.0.1", port), Handler).serve_forever()
PY
PIDS+=($!)
echo stall >"$WORK/mode"
wait_for_stand_in() { for _ in $(seq 50); do ask "$STAND_IN" 'a=1' | grep -q Autopilot && return 0; sleep 0.1; done; fail "the stand-in does not answer"; }
wait_for_stand_in
start_game --scoreboard "127.0.0.1:$STAND_IN"
wait_window
past_splash
online_table
logged "Online scores: 2 rows"
# The game of other rules below is passed by. Stalled: Escape gives the
# download up at once and the table stays.
press Up Return
logged "Online replay 7: downloading"
shoot watch_downloading # F12 is answered: the frames go on while the download waits
press Escape
logged "Online replay 7: download given up" 2
sleep 0.5
[ "$(grep -o 'Menu \(screen\|entered at screen\) [0-9]*' "$WORK/debug.log" | tail -n 1)" = "Menu screen 3" ] ||
  fail "Escape on a download left the table"
# Stalled and left alone, then damaged, then another game: each a line.
for case in "stall:did not answer in time" "damaged:the game is damaged" "other:another game than its table shows"; do
  echo "${case%%:*}" >"$WORK/mode"
  failures=$(count "cannot be watched:")
  press Return
  next_log "cannot be watched:" "$failures" 15
  grep "cannot be watched:" "$WORK/debug.log" | tail -n 1 | grep -qF "${case#*:}" ||
    fail "a ${case%%:*} download said: $(grep "cannot be watched:" "$WORK/debug.log" | tail -n 1)"
done
shoot watch_failed
expect_picture watch_failed 640 480 2000 4
[ -n "${WATCH_SHOTS:-}" ] && cp "$WORK"/*.png "$WATCH_SHOTS/"
! ls "$WORK/replays/online" | grep -q -- "-$STAND_IN-" || fail "a game that failed its checks was kept"
press Escape
on_screen 1
quit_from_menu
echo "watch_online: ok"
