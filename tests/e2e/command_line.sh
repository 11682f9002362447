# The executable answers --version and --help and refuses unknown options
# with exit code 2, without opening a window.
set -euo pipefail
GAME=$1
[ "$("$GAME" --version)" = "1.2.0" ] || { echo "FAIL: --version"; exit 1; }
"$GAME" --help | grep -q -- "--seed" || { echo "FAIL: --help"; exit 1; }
code=0
"$GAME" --no-such-option 2>/dev/null || code=$?
[ "$code" = 2 ] || { echo "FAIL: unknown option gave exit code $code"; exit 1; }
echo "command_line: ok"
