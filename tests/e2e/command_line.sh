# The executable answers --version and --help and refuses unknown options
# with exit code 2, without opening a window. Replays: each run is bounded
# (timeout's 124 fails it) and names its own program: a second of play from
# seed -1 (on the generator's modulus) verifies, a pipe or a file that is no
# replay gives 2 (--replay too, before any window), and a stopped --verify
# is no result.
set -euo pipefail
GAME=$1
[ "$("$GAME" --version)" = "1.2.0" ] || { echo "FAIL: --version"; exit 1; }
"$GAME" --help | grep -q -- "--seed" || { echo "FAIL: --help"; exit 1; }
"$GAME" --help | grep -q -- "--scoreboard HOST\[:PORT\]" || { echo "FAIL: --help lacks --scoreboard"; exit 1; }
for bad in "--no-such-option" "--scoreboard host:0"; do
  code=0
  # shellcheck disable=SC2086
  "$GAME" $bad 2>/dev/null || code=$?
  [ "$code" = 2 ] || { echo "FAIL: \"$bad\" gave exit code $code"; exit 1; }
done
code=0
SKITTERWORM_SCOREBOARD=host:x "$GAME" --version >/dev/null 2>&1 || code=$?
[ "$code" = 2 ] || { echo "FAIL: a bad SKITTERWORM_SCOREBOARD gave exit code $code"; exit 1; }
DATA=$2 VERIFIER="$(dirname "$GAME")/skitterworm-verify" WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
rules=$(grep -a -m1 '^rules ' "$(dirname "$0")/../corpus/pilot-01.replay")  # this program's rules
python3 -c 'import sys, zlib; sys.stdout.buffer.write(b"SKITTERWORM REPLAY 1\n" + sys.argv[1].encode() + b"\nseed -1\nscore 0\n"
  b"stage 1\nwave 1\nframes 59\ncontrols 1\nend quit\n\n" + zlib.compress(bytes(5 * 59)))' "$rules" >"$WORK/seed.replay"
mkfifo "$WORK/pipe.replay" "$WORK/log"
echo "no replay" >"$WORK/not.replay"
for run in "0 $GAME --verify seed" "0 $VERIFIER --verify seed" "2 $GAME --verify pipe" "2 $VERIFIER --verify pipe" \
  "2 $GAME --replay pipe" "2 $GAME --verify not" "2 $VERIFIER --verify not" "2 $GAME --replay not"; do
  read -r want program option file <<<"$run"
  code=0
  env -u DISPLAY timeout 20 "$program" --data "$DATA" "$option" "$WORK/$file.replay" >/dev/null 2>"$WORK/err" || code=$?
  [ "$code" = "$want" ] && { [ "$want" = 0 ] || grep -q "^$(basename "$program"): .*$file.replay" "$WORK/err"; } ||
    { echo "FAIL: $run gave $code: $(cat "$WORK/err")"; exit 1; }
done
# SIGTERM while it waits to open its log (a pipe no one reads yet) ends it by the signal.
"$GAME" --data "$DATA" --debug-log "$WORK/log" --verify "$WORK/seed.replay" >/dev/null 2>&1 &
for _ in $(seq 100); do [ "$(cat /proc/$!/wchan)" = wait_for_partner ] && break || sleep 0.05; done
kill -TERM $! && exec 3<>"$WORK/log" && code=0 && wait $! || code=$?
[ "$code" = 143 ] || { echo "FAIL: --verify stopped by SIGTERM gave status $code"; exit 1; }
# scripts/play answers the same before anything is set up or built.
play="$(dirname "$0")/../../scripts/play"
unbuilt=$(mktemp -u -d)  # a name only: nothing may be made there
for asked in --help --version; do
  cmp <(SKITTERWORM_PLAY_BUILD_DIR=$unbuilt "$play" "$asked") <("$GAME" "$asked") || { echo "FAIL: play $asked"; exit 1; }
done
[ ! -e "$unbuilt" ] || { echo "FAIL: play --help built the game first"; exit 1; }
echo "command_line: ok"
