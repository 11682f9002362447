# The battlefield in the real program: the seeded autopilot plays until a
# snail, a spider and, in stage B, a saucer have come in (the debug log says
# where each arrives); the game's own screenshots, taken just after each
# arrival, show the creature near where the log placed it.
source "$(dirname "$0")/lib.sh"

# A 22-byte settings file: sound on, music off, a window at scale 2, keyboard
# control, normal particles, online off, the default keys.
write_settings() {
  printf '1.2.0\r\n' >"$WORK/skitterworm.cfg"
  printf '\x01\x00\x04\x02\x02\x01\x01\x00\x25\x27\x26\x28\xa3\x20\x0d' >>"$WORK/skitterworm.cfg"
}

# arrival KIND SECONDS [PATTERN]: waits for the next arrival line of KIND
# (matching PATTERN) the log gets from now on, and sets ARRIVAL to it.
arrival() {
  local i before now
  before=$(grep -c "$1 arrives.*${3:-}" "$WORK/debug.log" 2>/dev/null || true)
  for i in $(seq $(($2 * 20))); do
    now=$(grep -c "$1 arrives.*${3:-}" "$WORK/debug.log" 2>/dev/null || true)
    if [ "${now:-0}" -gt "${before:-0}" ]; then
      ARRIVAL=$(grep "$1 arrives.*${3:-}" "$WORK/debug.log" | tail -n 1)
      return 0
    fi
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended while waiting for a $1"
    sleep 0.05
  done
  fail "no $1 arrived within $2 s"
}

# lit_near NAME X Y DX DY MIN_LIT: at least MIN_LIT lit pixels in the window of
# the screenshot around logical (X, Y), DX to each side and DY above and below.
lit_near() {
  local x0 y0 w h lit
  x0=$((($2 - $4) * 2)); y0=$((($3 - $5) * 2))
  [ "$x0" -ge 0 ] || x0=0
  [ "$y0" -ge 0 ] || y0=0
  w=$((($4 * 2 + 8) * 2)); h=$((($5 * 2 + 8) * 2))
  lit=$("$PROBE" "$WORK/$1.png" "$x0" "$y0" "$w" "$h" | awk '{print $3}') || fail "picture $1 does not decode"
  [ "$lit" -ge "$6" ] || fail "$1: only $lit lit pixels near ($2,$3), expected $6"
  echo "$1: $lit lit pixels near ($2,$3)"
}

# position LINE: "X Y" from an arrival line.
position() { sed -n 's/^.* arrives at \(-\?[0-9]*\),\([0-9]*\) .*$/\1 \2/p' <<<"$1"; }

start_display
write_settings
start_game --seed 5 --autopilot
wait_window
sleep 1.2
press space
sleep 1.2
press space
grep -q "Game started with the autopilot" "$WORK/debug.log" 2>/dev/null || sleep 1
arrival Snail 40
shoot snail
read -r sx sy <<<"$(position "$ARRIVAL")"
echo "$ARRIVAL"
expect_picture snail 640 480 2000 8
# By now a falling snail has come down some 20 pixels, a crawling one 40 across.
lit_near snail "$sx" "$((sy + 15))" 45 30 12

arrival Spider 40
shoot spider
read -r px py <<<"$(position "$ARRIVAL")"
echo "$ARRIVAL"
lit_near spider "$px" "$py" 40 26 12

arrival Saucer 240 "in stage 2"
shoot saucer
read -r cx cy <<<"$(position "$ARRIVAL")"
echo "$ARRIVAL"
lit_near saucer "$cx" "$cy" 40 4 12
# BATTLEFIELD_SHOTS=DIR keeps the three screenshots for a look.
if [ -n "${BATTLEFIELD_SHOTS:-}" ]; then
  mkdir -p "$BATTLEFIELD_SHOTS"
  cp "$WORK"/snail.png "$WORK"/spider.png "$WORK"/saucer.png "$BATTLEFIELD_SHOTS"/
fi
close_game
echo "battlefield: ok"
