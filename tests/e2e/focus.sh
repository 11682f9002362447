# The game on a desktop with another window. With mouse control: an instant
# click on "Options" opens the options; in a game the focus goes to another
# window and play pauses by itself, the pointer is left where the player puts
# it, the pause screen waits when the focus returns, and a key struck and let
# go at once resumes play.
source "$(dirname "$0")/lib.sh"

# A 22-byte settings file: sound on, music off, a window at scale 2, mouse
# control, normal particles, online off, the default keys.
printf '1.2.0\r\n\x01\x00\x04\x02\x02\x02\x01\x00\x25\x27\x26\x28\xa3\x20\x0d' >"$WORK/skitterworm.cfg"

pointer_at() {  # prints "X Y" of the pointer on the screen
  xdotool getmouselocation --shell | awk -F= '/^X/{x=$2} /^Y/{y=$2} END{print x, y}'
}

start_display
start_game --seed 7
wait_window
past_splash

# A click as quick as a touchpad tap: the button goes down and up within a frame.
xdotool mousemove --window "$WINDOW" 320 202
sleep 0.2
xdotool click 1
on_screen 2
press Escape
on_screen 1
press Up Return # "Options" is selected on return; "Play" is above it
logged "Play state 1 -> 2" 10
sleep 1

# Another program's window takes the focus: play pauses.
xmessage -geometry 160x40+8+8 "elsewhere" &
OTHER_PID=$!
trap 'kill "$OTHER_PID" 2>/dev/null || true; cleanup' EXIT
other=
for i in $(seq 100); do
  other=$(xdotool search --onlyvisible --class Xmessage 2>/dev/null | head -n 1 || true)
  [ -n "$other" ] && break
  sleep 0.1
done
[ -n "$other" ] || fail "the other window did not appear"
xdotool windowfocus --sync "$other" 2>/dev/null || xdotool windowfocus "$other"
logged "Play state 2 -> 3"

# The pointer stays where it is put, over the game's window or beside it.
for spot in "1100 900" "640 600"; do
  # shellcheck disable=SC2086
  xdotool mousemove $spot
  sleep 0.5
  [ "$(pointer_at)" = "$spot" ] || fail "the pointer was moved to $(pointer_at) from $spot while the game was in the background"
done
grab background
expect_picture background 640 480 2000 4

# Back in the game: still paused until a key is pressed.
xdotool windowfocus --sync "$WINDOW" 2>/dev/null || xdotool windowfocus "$WINDOW"
sleep 1
grep -q "Play state 3 -> 2" "$WORK/debug.log" && fail "play resumed without a key"
grab returned
expect_picture returned 640 480 2000 4
# A key struck and let go within one frame still resumes.
xdotool key --delay 0 space
logged "Play state 3 -> 2"
sleep 0.5
# Mouse steering has the pointer again: it is kept inside the game's window.
read -r px py <<<"$(pointer_at)"
read -r wx wy <<<"$(xdotool getwindowgeometry --shell "$WINDOW" | awk -F= '/^X/{x=$2} /^Y/{y=$2} END{print x, y}')"
[ "$px" -ge "$wx" ] && [ "$px" -lt $((wx + 640)) ] && [ "$py" -ge "$wy" ] && [ "$py" -lt $((wy + 480)) ] ||
  fail "after resuming the pointer is at $px,$py, outside the game's window at $wx,$wy"
close_game
echo "focus: ok"
