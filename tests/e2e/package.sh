# The Debian package: built by CPack from this build, its desktop entry and
# AppStream metadata pass their validators, it unpacks into a throwaway root
# with everything under /usr, and the game started from there finds its
# installed data and loads every font and image.
source "$(dirname "$0")/lib.sh"
cpack -G DEB --config "$DATA/CPackConfig.cmake" -B "$WORK/package" >"$WORK/cpack.log" 2>&1 ||
  { cat "$WORK/cpack.log" >&2; fail "cpack could not build the package"; }
deb=$(ls "$WORK"/package/skitterworm_*.deb)
root="$WORK/root"
dpkg-deb -x "$deb" "$root" || fail "the package does not unpack"
dpkg-deb -f "$deb" Depends | grep -q libsdl2 || fail "the package does not depend on SDL"
for f in bin/skitterworm bin/skitterworm-verify share/applications/skitterworm.desktop share/icons/hicolor/128x128/apps/skitterworm.png \
         share/metainfo/skitterworm.metainfo.xml share/man/man6/skitterworm.6 \
         "share/skitterworm/fonts/uni 05_53.ttf" share/skitterworm/graphics/shroom.png \
         share/skitterworm/sound/blaster.ogg share/skitterworm/music/lumen_fishland08.xm; do
  [ -f "$root/usr/$f" ] || fail "the package lacks /usr/$f"
done
[ -z "$(ls "$root" | grep -vx usr)" ] || fail "the package installs outside /usr: $(ls "$root")"
desktop-file-validate "$root/usr/share/applications/skitterworm.desktop" || fail "the desktop entry is not valid"
appstreamcli validate --no-net "$root/usr/share/metainfo/skitterworm.metainfo.xml" >&2 ||
  fail "the AppStream metadata is not valid"
start_display
GAME="$root/usr/bin/skitterworm"
(cd "$WORK" && exec "$GAME" --debug-log "$WORK/debug.log" --windowed --scale 1) &
GAME_PID=$!
wait_window
sleep 1
grep -q "Assets are read from $root/usr/bin/../share/skitterworm" "$WORK/debug.log" || fail "data not read from the package"
if grep -q "Cannot load" "$WORK/debug.log"; then fail "a packaged asset did not load"; fi
close_game
# The packaged verifier finds the packaged data, then refuses a file that is no replay.
echo "no replay" >"$WORK/not.replay"
status=0
"$root/usr/bin/skitterworm-verify" --verify "$WORK/not.replay" 2>"$WORK/verify.err" || status=$?
[ "$status" = 2 ] && ! grep -q "data was not found" "$WORK/verify.err" ||
  fail "the packaged verifier gave status $status: $(cat "$WORK/verify.err")"
echo "package: ok ($(basename "$deb"), $(stat -c %s "$deb") bytes)"
