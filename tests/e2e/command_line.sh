# The executable answers --version and --help and refuses unknown options
# with exit code 2, without opening a window; so do --verify, --replay and
# skitterworm-verify a replay that cannot be played, a pipe included, each
# under its own name. Every seed verifies, and a stopped --verify is no result.
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
echo "command_line: options ok"

# Replays: nothing blocks and every failure is an exit code. A watchdog
# (timeout, status 124) bounds each run that could hang.
DATA=$2
VERIFIER="$(dirname "$GAME")/skitterworm-verify"
WORK=$(mktemp -d)
trap 'exec 3<&- 2>/dev/null || true; rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
# status COMMAND...: its exit status, the run bounded by the watchdog.
status() { local code=0; timeout 20 "$@" >"$WORK/out" 2>"$WORK/err" </dev/null || code=$?; echo "$code"; }
# A second of idle play from the seed that sits on the generator's modulus.
python3 -c 'import sys, zlib; sys.stdout.buffer.write(b"SKITTERWORM REPLAY 1\nversion 1.2.0\nseed -1\ndate 2026-12-08T10:15:00Z\n"
  b"score 0\nstage 1\nwave 1\nframes 60\ncontrols 1\nend quit\n\n" + zlib.compress(bytes(5 * 60)))' >"$WORK/seed.replay"
for run in "$GAME --data $DATA --verify" "$VERIFIER --data $DATA --verify"; do
  # shellcheck disable=SC2086
  [ "$(status $run "$WORK/seed.replay")" = 0 ] || fail "$run on seed -1: $(cat "$WORK/err")"
done
mkfifo "$WORK/pipe.replay"
echo "no replay" >"$WORK/not.replay"
for file in pipe not; do
  # Each run as NAME:COMMAND, NAME the program its messages must give.
  for run in "skitterworm:$GAME --data $DATA --verify" "skitterworm-verify:$VERIFIER --data $DATA --verify" \
    "skitterworm:env -u DISPLAY $GAME --data $DATA --replay"; do
    # shellcheck disable=SC2086
    code=$(status ${run#*:} "$WORK/$file.replay")
    [ "$code" = 2 ] && grep -q "^${run%%:*}: .*$file.replay" "$WORK/err" ||
      fail "${run#*:} on a $file replay: status $code, $(cat "$WORK/err")"
  done
done
# A stopped verification is no result: SIGTERM while it waits to open its
# debug log (a pipe no one reads yet) ends it with the signal's status.
mkfifo "$WORK/log"
"$GAME" --data "$DATA" --debug-log "$WORK/log" --verify "$WORK/seed.replay" >/dev/null 2>&1 &
pid=$!
for _ in $(seq 100); do
  [ "$(cat "/proc/$pid/wchan" 2>/dev/null)" = wait_for_partner ] && break
  sleep 0.05
done
kill -TERM "$pid"
exec 3<>"$WORK/log" # the log has a reader now: a run that lived on would go on
code=0
wait "$pid" || code=$?
[ "$code" = 143 ] || fail "--verify stopped by SIGTERM gave status $code"
echo "command_line: replays ok"
