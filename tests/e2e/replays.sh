# A game is a pure function of its seed and its input. The pilot plays the
# same seed twice: once paced in a window at scale 3 with particles at 300 %,
# once unpaced at scale 1 with particles at 50 %. Both games end alike and
# record the same input, and --verify plays each replay to that result.
# Then a game played by hand (the mouse driven by xdotool) verifies to the
# score the game showed; killed at its name entry, it is offered to the table
# at the next start. A replay changed by one byte, or whose header claims
# another score or wave, is refused.
source "$(dirname "$0")/lib.sh"

SEED=965420 # the pilot's first game of this seed is over in about 100 s

# settings PARTICLES: sound and music off, a window, mouse control, online off.
settings() {
  printf "1.2.0\r\n\x00\x00\x04\x02\x01\x02\x0$1\x00\x25\x27\x26\x28\xa3\x20\x0d" >"$WORK/skitterworm.cfg"
}

# pilot_game NAME OPTIONS...: the pilot's first game, its replay kept as NAME.replay.
pilot_game() {
  local name=$1
  shift
  rm -rf "$WORK/replays" "$WORK/debug.log"
  start_game --autopilot --seed "$SEED" "$@"
  wait_window
  logged "Game over:" 300
  for _ in $(seq 50); do
    [ -s "$WORK/replays/last.replay" ] && break
    sleep 0.1
  done
  cp "$WORK/replays/last.replay" "$WORK/$name.replay" || fail "the $name game left no replay"
  close_game
  sed -n 's/^.*Game over: score \([0-9]*\), stage \(.\):\([0-9]*\), \([0-9]*\) frames.*$/\1 \2 \3 \4/p' \
    "$WORK/debug.log" | head -n 1
}

# verify FILE: what --verify prints in RESULT, its exit status in VERIFIED.
verify() {
  VERIFIED=0
  RESULT=$("$GAME" --data "$DATA" --verify "$1" 2>"$WORK/verify.err") || VERIFIED=$?
}

# input_of FILE: the recorded input, after the header's empty line.
input_of() { python3 -c 'import sys; d=open(sys.argv[1],"rb").read(); sys.stdout.buffer.write(d[d.index(b"\n\n")+2:])' "$1"; }

start_display
settings 3
paced=$(pilot_game paced --scale 3)
settings 0
unpaced=$(pilot_game unpaced --scale 1 --unpaced)
echo "paced: $paced; unpaced: $unpaced"
[ -n "$paced" ] && [ "$paced" = "$unpaced" ] || fail "the same seed ended differently: '$paced' and '$unpaced'"
cmp <(input_of "$WORK/paced.replay") <(input_of "$WORK/unpaced.replay") || fail "the two games recorded different input"
read -r score stage wave frames <<<"$paced"
for name in paced unpaced; do
  verify "$WORK/$name.replay"
  echo "verified $name: $RESULT"
  [ "$VERIFIED" = 0 ] || fail "--verify refused the $name replay"
  [ "$RESULT" = "seed $SEED score $score stage $(($(printf '%d' "'$stage") - 64)) wave $wave frames $frames" ] ||
    fail "--verify printed '$RESULT'"
done

# A game by hand: the mouse steers and fires, then the game is quit from the pause.
rm -rf "$WORK/replays" "$WORK/debug.log"
start_game --seed 7
wait_window
past_splash
play_to_name_entry 3 Return
verify "$WORK/replays/last.replay"
echo "verified the hand-played game: $RESULT (the game showed $SCORE)"
[ "$VERIFIED" = 0 ] && [[ "$RESULT" == "seed 7 score $SCORE "* ]] || fail "the hand-played game did not verify to $SCORE"
# Killed at its name entry, the game is offered to the table at the next
# start, and signed there it keeps a replay of its own.
kill -KILL "$GAME_PID" && wait "$GAME_PID" 2>/dev/null || true
start_game
wait_window
sleep 1.5 && press space && sleep 1.2 && press space
logged "Name entry for a score of $SCORE" 10
press k i m Return
on_screen 3
close_game
entry=$(grep -alx "name kim" "$WORK"/replays/*-*.replay || true)
[ -n "$entry" ] && grep -aqx "score $SCORE" "$entry" || fail "the game offered again has no entry replay"

# Damage: a header that claims more, one byte of input changed, a cut file.
for claim in "score 999999" "wave 77"; do
  sed "s/^${claim%% *} .*/$claim/" "$WORK/paced.replay" >"$WORK/claims.replay"
  verify "$WORK/claims.replay"
  [ "$VERIFIED" = 1 ] || fail "a replay claiming $claim verified with status $VERIFIED"
done
python3 - "$WORK/unpaced.replay" "$WORK/changed.replay" <<'PY'
import sys, zlib
data = open(sys.argv[1], "rb").read()
at = data.index(b"\n\n") + 2
raw = bytearray(zlib.decompress(data[at:]))
frames = len(raw) // 5
for i in range(frames // 3, frames // 3 + 600):
    raw[i] = 0x01  # hold left only for ten seconds: no fire
open(sys.argv[2], "wb").write(data[:at] + zlib.compress(bytes(raw)))
PY
verify "$WORK/changed.replay"
[ "$VERIFIED" = 1 ] || fail "a replay with changed input verified with status $VERIFIED"
head -c 300 "$WORK/paced.replay" >"$WORK/cut.replay"
verify "$WORK/cut.replay"
[ "$VERIFIED" = 2 ] || fail "a cut replay gave status $VERIFIED, not 2"
echo "replays: ok"
