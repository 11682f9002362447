# A joypad through the game's real input path: SDL's virtual pad, laid out as
# an Xbox, a PlayStation and a Switch pad in turn. It answers the joypad
# dialog, sets "Joypad" in the options, pauses a game when pulled out with fire
# held (no shot after it is back), and plays a game to its end that verifies.
source "$(dirname "$0")/lib.sh"

PAD=$WORK/pad.commands
export SKITTERWORM_VIRTUAL_PAD=$PAD
pad() { printf '%s\n' "$@" >>"$PAD"; } # one command a frame: src/platform/sdl/virtual_pad.h
tap() { pad "press $1" "release $1"; }
down() { pad "axis lefty 32767" "axis lefty 0"; }

# Sound on, music off, a window at scale 2, joypad control, online off.
printf '1.2.0\r\n\x01\x00\x04\x02\x02\x03\x01\x00\x25\x27\x26\x28\xa3\x20\x0d' >"$WORK/skitterworm.cfg"
: >"$PAD"
start_display
start_game --seed 7
wait_window && past_splash

# "Play" with no joypad: the dialog. A pad comes; its stick goes down to "Use
# mouse instead" and its A picks that. The mouse's game is left at once.
press Return
on_screen 99
pad "plug xbox" && logged "Joypad 0 connected: Virtual Xbox 360 pad (Xbox layout)"
logged "Joypad check: a joypad is there" 6
down && tap a
logged "Play state 1 -> 2" 15
press Escape && logged "Play state 2 -> 3" && press Escape

# The options by pad: down to "Controls" (mouse -> joypad), then to "Return".
on_screen 1
down && tap a
on_screen 2
for _ in 1 2 3 4 5 6; do down; done
tap a && down && down && tap a
on_screen 1

# "Play" (up from "Options"): fire held as the pad is pulled out. Play pauses;
# the pad back, its Start resumes, and nothing fires.
pad "axis lefty -32768" "axis lefty 0" && tap a
next_log "Game started" 1
pad "press a" "unplug" && logged "The joypad is unplugged: play pauses"
pad "plug playstation" && logged "Joypad 0 connected: Virtual DualShock 4 (PlayStation layout)"
tap start && logged "Play state 3 -> 2"
pad "wait 120" && sleep 3 && close_game
left=$(grep "Game left with the window" "$WORK/debug.log")
[[ "$left" == *", 0 shots, "* ]] || fail "a button stayed held after the pad came back: $left"
[ "$(od -An -tu1 -j 12 -N 1 "$WORK/skitterworm.cfg" | tr -d ' ')" = 3 ] || fail "the controls saved are not the joypad"

# A whole game steered and fired with the pad, frames back to back, at the
# verifier's scale 1: the wardens' shots still hit by shapes at the window's scale.
: >"$PAD"
start_game --seed 7 --unpaced --scale 1
wait_window && past_splash
pad "plug switch" && logged "Joypad 0 connected: Virtual Switch Pro pad (Nintendo layout)"
tap a && pad "press a"
for _ in $(seq 300); do pad "axis leftx -32768" "wait 50" "axis leftx 32767" "wait 50"; done
logged "Game over" 120 && close_game
grep -aqx "controls 3" "$WORK/replays/last.replay" || fail "the pad's game was not recorded as one with the joypad"
"$GAME" --data "$DATA" --verify "$WORK/replays/last.replay" || fail "the pad's game does not verify"
echo "pads: ok"
