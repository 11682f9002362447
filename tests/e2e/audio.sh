# The real program records its mix through SDL's disk audio driver while the
# autopilot plays: with sound and music on (the defaults) the recording
# carries sound, with only the effects on the shots and jingles are heard, and with
# both switched off in the settings file it stays silent.
export SDL_AUDIODRIVER=disk
source "$(dirname "$0")/lib.sh"

# peak FILE: the largest absolute sample of a float32 stereo recording (0 when absent).
peak() {
  if [ ! -s "$1" ]; then
    echo 0
    return
  fi
  od -An -v -f -w4 "$1" | awk '{ v = $1 < 0 ? -$1 : $1; if (v > p) p = v } END { printf "%.6f\n", p + 0 }'
}

# record NAME: the menu, then three seconds of a game the pilot starts from
# it, the mix written to $WORK/NAME.raw.
record() {
  export SDL_DISKAUDIOFILE="$WORK/$1.raw"
  start_game --windowed --scale 1 --autopilot --seed 7
  wait_window
  sleep 1
  press space space  # skip the splash cards
  logged "Game started with the autopilot" 20  # the log starts anew with each run
  sleep 3
  close_game
}

start_display

record on
loud=$(peak "$WORK/on.raw")
echo "sound and music on: peak $loud"
awk -v p="$loud" 'BEGIN { exit !(p > 0.01) }' || fail "the recording is silent with sound and music on"
grep -q "Audio: device open" "$WORK/debug.log" || fail "no audio device was opened"

# The settings file begins with the version line (7 bytes); sound and music follow.
[ -f "$WORK/skitterworm.cfg" ] || fail "no settings file was written"
settings() { printf "$1" | dd of="$WORK/skitterworm.cfg" bs=1 seek=7 conv=notrunc status=none; }

settings '\001\000'
record effects
shots=$(peak "$WORK/effects.raw")
echo "sound on, music off: peak $shots"
awk -v p="$shots" 'BEGIN { exit !(p > 0.01) }' || fail "no effect is heard with the music off"

settings '\000\000'
rm -f "$WORK/debug.log"
record off
quiet=$(peak "$WORK/off.raw")
echo "sound and music off: peak $quiet"
awk -v p="$quiet" 'BEGIN { exit !(p == 0) }' || fail "the recording carries sound with sound and music off"
echo "audio: ok"
