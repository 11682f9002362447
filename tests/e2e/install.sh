# An install to a fresh prefix runs from any folder: the game finds its data in
# the installed share/skitterworm beside its bin/, loads every font and image,
# and the desktop files are in place.
source "$(dirname "$0")/lib.sh"
prefix="$WORK/prefix"
cmake --install "$DATA" --prefix "$prefix" >/dev/null || fail "cmake --install failed"
for f in bin/skitterworm share/applications/skitterworm.desktop share/icons/hicolor/128x128/apps/skitterworm.png \
         share/metainfo/skitterworm.metainfo.xml share/man/man6/skitterworm.6 \
         "share/skitterworm/fonts/uni 05_53.ttf" share/skitterworm/graphics/shroom.png \
         share/skitterworm/sound/blaster.ogg share/skitterworm/music/lumen_fishland08.xm; do
  [ -f "$prefix/$f" ] || fail "the install lacks $f"
done
start_display
GAME="$prefix/bin/skitterworm"
export HOME="$WORK/home" XDG_DATA_HOME=  # an installed game keeps its files under the home folder
mkdir -p "$HOME"
(cd "$WORK" && exec "$GAME" --debug-log "$WORK/debug.log" --windowed --scale 1) &
GAME_PID=$!
wait_window
sleep 1
grep -q "Assets are read from $prefix/bin/../share/skitterworm" "$WORK/debug.log" || fail "data not read from the install"
if grep -q "Cannot load" "$WORK/debug.log"; then fail "an installed asset did not load"; fi
close_game
echo "install: ok"
