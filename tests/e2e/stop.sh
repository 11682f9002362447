# Losing the display or being told to stop: the program saves its three data
# files and is gone within moments, in the splash, the menu and a game. Stopping the
# display server ends it with a non-zero code and one line on stderr; SIGTERM,
# SIGINT and SIGHUP end it with code 0, even with the display frozen.
source "$(dirname "$0")/lib.sh"
ROOT=$WORK
trap 'cleanup; rm -rf "$ROOT"' EXIT

# reach STATE: splash (the first card), menu (both cards skipped) or game
# (started from the menu).
reach() {
  if [ "$1" = splash ]; then
    sleep 1
    return
  fi
  past_splash
  if [ "$1" = game ]; then
    press Return
    logged "Play state 1 -> 2" 10
  fi
}

# gone_within_3s: waits for the game to end; sets CODE and prints the time taken.
gone_within_3s() {
  local start i
  start=$(date +%s%N)
  for i in $(seq 60); do
    if ! kill -0 "$GAME_PID" 2>/dev/null; then
      CODE=0
      wait "$GAME_PID" || CODE=$?
      GAME_PID=
      echo "  ended after $((($(date +%s%N) - start) / 1000000)) ms with code $CODE"
      return 0
    fi
    sleep 0.05
  done
  fail "$TRIAL: the game still runs 3 s later"
}

files_complete() {
  [ "$(stat -c %s "$WORK/skitterworm.cfg" 2>/dev/null)" = 22 ] || fail "$TRIAL: settings not saved"
  [ "$(wc -l <"$WORK/skitterworm.hi")" = 16 ] || fail "$TRIAL: highscore table incomplete"
  [ "$(stat -c %s "$WORK/skitterworm.stats" 2>/dev/null)" = 107 ] || fail "$TRIAL: statistics not saved"
}

# trial STATE HOW: HOW is lost-display, frozen-display or a signal name.
trial() {
  TRIAL="$1/$2"
  WORK=$ROOT/$1-$2-$RANDOM
  mkdir -p "$WORK"
  start_display
  start_game --windowed --scale 4 --autopilot 2>"$WORK/stderr"
  wait_window
  reach "$1"
  echo "$TRIAL"
  case $2 in
    lost-display)
      kill -KILL "$XVFB_PID"
      wait "$XVFB_PID" 2>/dev/null || true
      gone_within_3s
      [ "$CODE" != 0 ] || fail "$TRIAL: a lost display ended with code 0"
      grep -q "display was lost" "$WORK/stderr" || fail "$TRIAL: nothing said on stderr"
      ;;
    frozen-display)
      kill -STOP "$XVFB_PID"
      sleep 0.5
      kill -TERM "$GAME_PID"
      gone_within_3s
      [ "$CODE" = 0 ] || fail "$TRIAL: exit code $CODE"
      kill -CONT "$XVFB_PID"
      ;;
    *)
      kill "-$2" "$GAME_PID"
      gone_within_3s
      [ "$CODE" = 0 ] || fail "$TRIAL: exit code $CODE"
      ;;
  esac
  files_complete
  kill "$XVFB_PID" 2>/dev/null || true
  wait "$XVFB_PID" 2>/dev/null || true
}

for state in splash menu game; do
  for how in lost-display lost-display lost-display TERM INT HUP frozen-display; do
    trial "$state" "$how"
  done
done
WORK=$ROOT
echo "stop: ok"
