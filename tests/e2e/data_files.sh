# Where the player's files go. An installed game started from the home folder
# keeps them (and its screenshots) under ~/.local/share/skitterworm, or
# $XDG_DATA_HOME/skitterworm, never in the home folder itself, and moves an
# earlier version's files there once; run from a folder holding a settings
# file, it keeps them in that folder. A second copy on the same files does not
# start. Without its data the game says where it looked and ends.
source "$(dirname "$0")/lib.sh"
prefix="$WORK/prefix"
cmake --install "$DATA" --prefix "$prefix" >/dev/null || fail "cmake --install failed"
INSTALLED="$prefix/bin/skitterworm"
start_display

# run_installed FOLDER [F12]: the installed game from FOLDER, past the splash,
# a screenshot if asked, then closed.
run_installed() {
  (cd "$1" && exec "$INSTALLED" --debug-log "$WORK/debug.log" --windowed --scale 1) &
  GAME_PID=$!
  wait_window
  if [ "${2:-}" = F12 ]; then
    local i
    for i in 1 2 3 4 5 6; do
      press space
      sleep 0.6
    done
    for i in $(seq 20); do
      press F12
      sleep 0.5
      ls "$HOME"/.local/share/skitterworm/screenshots/*.png >/dev/null 2>&1 && break
    done
  fi
  close_game
}

expect_files() {  # expect_files FOLDER
  local f
  for f in skitterworm.cfg skitterworm.hi skitterworm.stats; do
    [ -s "$1/$f" ] || fail "$f is not in $1"
  done
}

export HOME="$WORK/home" XDG_DATA_HOME=
shots="$HOME/.local/share/skitterworm/screenshots"
mkdir -p "$shots" && : >"$shots/.skitterworm-new-Q1w2E3" # what a killed run left of a screenshot
run_installed "$HOME" F12
expect_files "$HOME/.local/share/skitterworm"
ls "$shots/"screenshot*.png >/dev/null 2>&1 || fail "no screenshot in screenshots/"
[ ! -e "$shots/.skitterworm-new-Q1w2E3" ] || fail "a killed run's screenshot was left in screenshots/"
[ "$(ls -A "$HOME")" = .local ] || fail "the home folder holds $(ls -A "$HOME" | tr '\n' ' ')"
echo "installed: files in ~/.local/share/skitterworm"

# XDG_DATA_HOME is honoured.
export XDG_DATA_HOME="$WORK/xdg"
run_installed "$HOME"
expect_files "$XDG_DATA_HOME/skitterworm"
echo "installed: files in \$XDG_DATA_HOME/skitterworm"

# An earlier version's files in the home folder move over once; a file
# already in the new folder is never replaced.
export HOME="$WORK/home2"
mkdir -p "$HOME" "$WORK/xdg2/skitterworm"
cp "$XDG_DATA_HOME/skitterworm/skitterworm.hi" "$XDG_DATA_HOME/skitterworm/skitterworm.stats" "$HOME/"
echo "older" >"$WORK/xdg2/skitterworm/skitterworm.stats"
export XDG_DATA_HOME="$WORK/xdg2"
cp "$HOME/skitterworm.hi" "$WORK/old.hi"
run_installed "$HOME"
cmp -s "$XDG_DATA_HOME/skitterworm/skitterworm.hi" "$WORK/old.hi" || fail "the highscores did not move over"
[ ! -e "$HOME/skitterworm.hi" ] || fail "the highscores stayed in the home folder"
[ -s "$HOME/skitterworm.stats" ] || fail "the statistics in the home folder were lost"
grep -q "Moved .*skitterworm.hi" "$WORK/debug.log" || fail "the move is not in the log"
echo "installed: an earlier version's files moved over, none replaced"

# Run from a folder that holds a settings file, the game keeps its files there.
mkdir -p "$WORK/portable"
cp "$XDG_DATA_HOME/skitterworm/skitterworm.cfg" "$WORK/portable/"
run_installed "$WORK/portable"
expect_files "$WORK/portable"
echo "installed: run from a folder with a settings file, files kept there"

# Two copies on one folder: the second says so and ends; the first's files
# are untouched by it and saved at the first's own end.
start_game --autopilot
wait_window
sleep 2
cp "$WORK/skitterworm.hi" "$WORK/first.hi"
code=0
(cd "$WORK" && env -u DISPLAY "$GAME" --data "$DATA") 2>"$WORK/second.err" >/dev/null || code=$?
[ "$code" != 0 ] || fail "the second copy did not end"
grep -qF "already running with its files in $WORK." "$WORK/second.err" ||
  fail "the second copy did not say why, naming the folder in full: $(cat "$WORK/second.err")"
cmp -s "$WORK/skitterworm.hi" "$WORK/first.hi" || fail "the second copy changed the highscores"
close_game
expect_files "$WORK"
echo "two copies: the second ended, the first kept its files"

# No data: the game names where it looked and ends with an error.
code=0
env -u DISPLAY "$GAME" --data /nonexistent 2>"$WORK/nodata.err" >/dev/null || code=$?
[ "$code" != 0 ] || fail "--data /nonexistent ended with code 0"
grep -q "/nonexistent" "$WORK/nodata.err" || fail "the message does not say where it looked"
echo "data_files: ok"
