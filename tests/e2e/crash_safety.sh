# The data files survive the program being killed at any moment around its
# exit saves: after every kill each of skitterworm.cfg, .hi and .stats is the
# complete old file or the complete new one, never a mixture, a cut file or
# nothing. Each trial asks the game to close and kills it outright after a
# random delay that spans the time it takes to save and exit.
source "$(dirname "$0")/lib.sh"
TRIALS=${CRASH_TRIALS:-40}
start_display

# The old files differ from anything the game writes, so old and new can be told
# apart by their bytes: the settings in the oldest 5-byte layout, the table with
# bare LF line ends (the game writes CR LF) and scores the autopilot never beats.
old="$WORK/old"
mkdir -p "$old"
printf '\000\000\004\001\001' >"$old/skitterworm.cfg"
{
  printf '1.2.0\n'
  for i in $(seq 15); do printf '\100\124\211\000OLDTIMER\n\001\001\000'; done
} >"$old/skitterworm.hi"
{
  printf '1.2.0\r\n\007\000\000\000'
  head -c 100 /dev/zero
} >"$old/skitterworm.stats"
files="skitterworm.cfg skitterworm.hi skitterworm.stats"

run="$WORK/run"
# run_game SIGTERM_AFTER KILL_AFTER: one start from the old files; KILL_AFTER empty waits for the exit.
run_game() {
  rm -rf "$run" && mkdir -p "$run" && cp "$old"/* "$run/"
  (cd "$run" && exec "$GAME" --data "$DATA" --seed "$RANDOM" --autopilot) &
  GAME_PID=$!
  sleep "$1"
  kill -TERM "$GAME_PID" 2>/dev/null || true
  if [ -n "$2" ]; then
    sleep "$2"
    kill -KILL "$GAME_PID" 2>/dev/null || true
  fi
  wait "$GAME_PID" 2>/dev/null || true
  GAME_PID=
}

# One undisturbed close gives the new settings and table and how long saving and exiting takes.
start=$(date +%s%N)
run_game 3 ""
exit_ms=$((($(date +%s%N) - start) / 1000000 - 3000))
new="$WORK/new"
mkdir -p "$new" && cp "$run"/skitterworm.* "$new/"
for f in $files; do
  cmp -s "$old/$f" "$new/$f" && fail "a normal close did not rewrite $f"
done
echo "a close request takes ${exit_ms} ms to save and exit"

complete_stats() {  # the 107-byte layout behind its version line
  [ "$(stat -c %s "$1")" = 107 ] && [ "$(head -c 7 "$1" | od -An -c | tr -d ' ')" = '1.2.0\r\n' ]
}

olds=0 news=0
for trial in $(seq "$TRIALS"); do
  # Close requests land anywhere from start-up to play; the kill anywhere up
  # to a little past the time a whole exit takes.
  term_ms=$((300 + RANDOM % 2000))
  kill_ms=$((RANDOM % (exit_ms * 3 / 2 + 1)))
  run_game "$(printf '%d.%03d' $((term_ms / 1000)) $((term_ms % 1000)))" \
    "$(printf '%d.%03d' $((kill_ms / 1000)) $((kill_ms % 1000)))"
  for f in $files; do
    [ -f "$run/$f" ] || fail "trial $trial (close at $term_ms ms, kill $kill_ms ms later): $f is gone"
    if cmp -s "$old/$f" "$run/$f"; then
      olds=$((olds + 1))
    elif cmp -s "$new/$f" "$run/$f" || { [ "$f" = skitterworm.stats ] && complete_stats "$run/$f"; }; then
      news=$((news + 1))
    else
      od -c "$run/$f" | head -n 5 >&2
      fail "trial $trial (close at $term_ms ms, kill $kill_ms ms later): $f is neither the old nor a complete new file"
    fi
  done
done
echo "crash_safety: ok ($TRIALS kills; files found old $olds times, new $news times)"
