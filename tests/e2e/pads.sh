# A joypad through the game's real input path: SDL's virtual pad, laid out as
# an Xbox, a PlayStation and a Switch pad in turn (SDL's controller database
# maps each). The joypad dialog's stick moves its selection and a button picks
# "Use mouse instead"; the pad sets the controls to "Joypad" in the options;
# a game with the pad pauses when the pad is pulled out holding fire, and
# resumes by a pad button with nothing held; a game steered and fired with the
# pad to its end leaves a replay that verifies.
source "$(dirname "$0")/lib.sh"

PAD=$WORK/pad.commands
: >"$PAD"
export SKITTERWORM_VIRTUAL_PAD=$PAD
# pad COMMAND...: one command a frame (see src/platform/sdl/virtual_pad.h).
pad() { printf '%s\n' "$@" >>"$PAD"; }
tap() { pad "press $1" "release $1"; }
# The dialog's and the menu's stick: one deflection is one step.
down() { pad "axis lefty 32767" "axis lefty 0"; }
up() { pad "axis lefty -32768" "axis lefty 0"; }
controls_saved() { od -An -tu1 -j 12 -N 1 "$WORK/skitterworm.cfg" | tr -d ' '; }
# quit_game N: once the Nth game is in play, Escape pauses it and Escape quits.
quit_game() {
  next_log "Play state 1 -> 2" $(($1 - 1)) 10
  local pauses
  pauses=$(count "Play state 2 -> 3")
  press Escape
  next_log "Play state 2 -> 3" "$pauses"
  press Escape
  next_log "Game quit" $(($1 - 1))
}
replay_controls() { sed -n 's/^controls //p' "$WORK/replays/last.replay" | head -n 1; }

# Sound on, music off, a window at scale 2, joypad control, online off.
printf '1.2.0\r\n\x01\x00\x04\x02\x02\x03\x01\x00\x25\x27\x26\x28\xa3\x20\x0d' >"$WORK/skitterworm.cfg"
start_display
start_game --seed 7
wait_window
past_splash

# "Play" with joypad control and no joypad: the dialog. A pad comes; the stick
# goes down to "Use mouse instead" and the pad's A picks it.
press Return
on_screen 99
pad "plug xbox"
logged "Joypad 0 connected: Virtual Xbox 360 pad (Xbox layout)"
logged "Joypad check: a joypad is there" 6
down
tap a
logged "Game started"
quit_game 1
[ "$(replay_controls)" = 2 ] || fail "the dialog's choice played with controls $(replay_controls), not the mouse"

# The options by pad: "Options", then down to "Controls" (mouse -> joypad),
# then to "Return to Main Menu".
on_screen 1
down
tap a
on_screen 2
for _ in 1 2 3 4 5 6; do down; done
tap a
down
down
tap a
on_screen 1

# A pad game: fire held as the pad is pulled out. Play pauses; the pad back,
# its Start resumes, and with nothing held no shot is fired.
up # "Play"
tap a
next_log "Game started" 1
pad "press a" "unplug"
logged "The joypad is unplugged: play pauses"
pad "plug playstation"
logged "Joypad 0 connected: Virtual DualShock 4 (PlayStation layout)"
tap start
logged "Play state 3 -> 2"
pad "wait 120"
sleep 3
quit_game 2
quit=$(grep "Game quit" "$WORK/debug.log" | tail -n 1)
[[ "$quit" == *", 0 shots, "* ]] || fail "a button stayed held after the pad came back: $quit"
close_game
[ "$(controls_saved)" = 3 ] || fail "the options saved controls $(controls_saved), not the joypad"

# A whole game steered and fired with the pad, frames back to back.
: >"$PAD"
start_game --seed 7 --unpaced
wait_window
past_splash
pad "plug switch"
logged "Joypad 0 connected: Virtual Switch Pro pad (Nintendo layout)"
tap a
logged "Game started"
pad "press a"
for _ in $(seq 300); do pad "axis leftx -32768" "wait 50" "axis leftx 32767" "wait 50"; done
logged "Game over" 120
close_game
[ "$(replay_controls)" = 3 ] || fail "the pad's game was recorded with controls $(replay_controls)"
"$GAME" --data "$DATA" --verify "$WORK/replays/last.replay" || fail "the pad's game does not verify"
echo "pads: ok"
