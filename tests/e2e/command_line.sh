# The executable answers --version and --help and refuses unknown options
# with exit code 2, without opening a window.
set -euo pipefail
GAME=$1
[ "$("$GAME" --version)" = "1.2.0" ] || { echo "FAIL: --version"; exit 1; }
"$GAME" --help | grep -q -- "--seed" || { echo "FAIL: --help"; exit 1; }
"$GAME" --help | grep -q -- "--scoreboard HOST\[:PORT\]" || { echo "FAIL: --help lacks --scoreboard"; exit 1; }
for bad in "--no-such-option" "--scoreboard host:0"; do
  code=0
  # shellcheck disable=SC2086
  "$GAME" $bad 2>/dev/null || code=$?
  [ "$code" = 2 ] || { echo "FAIL: \"$bad\" gave exit code $code"; exit 1; }
done
code=0
SKITTERWORM_SCOREBOARD=host:x "$GAME" --version >/dev/null 2>&1 || code=$?
[ "$code" = 2 ] || { echo "FAIL: a bad SKITTERWORM_SCOREBOARD gave exit code $code"; exit 1; }
# scripts/play answers the same before anything is set up or built.
play="$(dirname "$0")/../../scripts/play"
unbuilt=$(mktemp -u -d)  # a name only: nothing may be made there
for asked in --help --version; do
  cmp <(SKITTERWORM_PLAY_BUILD_DIR=$unbuilt "$play" "$asked") <("$GAME" "$asked") || { echo "FAIL: play $asked"; exit 1; }
done
[ ! -e "$unbuilt" ] || { echo "FAIL: play --help built the game first"; exit 1; }
echo "command_line: ok"
