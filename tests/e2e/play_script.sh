# scripts/play, the command a new player starts with, without its long build:
# a cmake stand-in configures for real but builds nothing, lists what the
# build would link and leaves a stand-in game. With an absolute build folder
# the first run says that the first build takes a while, configures the game,
# its replay verifier (the bundled scoreboard checks scores with it) and its
# asset tools and no test, benchmark or probe, and starts the game
# with the player's arguments; a second run says nothing about a first build.
source "$(dirname "$0")/lib.sh"
root=$(cd "$(dirname "$0")/../.." && pwd)

mkdir -p "$WORK/bin"
cat >"$WORK/bin/cmake" <<EOF
#!/usr/bin/env bash
if [ "\$1" = --build ]; then
  echo "Re-checking globbed directories..."  # what a real build says on stdout
  ninja -C "\$2" -t targets all | grep EXECUTABLE_LINKER | cut -d: -f1 >"\$2/linked.txt"
  printf '#!/bin/sh\necho "game started with \$*"\n' >"\$2/skitterworm"
  chmod +x "\$2/skitterworm"
  exit 0
fi
exec "$(command -v cmake)" "\$@"
EOF
chmod +x "$WORK/bin/cmake"
export PATH="$WORK/bin:$PATH" SKITTERWORM_PLAY_BUILD_DIR="$WORK/play build"

# run_play NAME [ARGS]: scripts/play with a scoreboard named (so it starts none).
run_play() {
  local name=$1
  shift
  [ $# -gt 0 ] || set -- --seed 7
  (cd "$WORK" && "$root/scripts/play" --scoreboard 127.0.0.1:1 "$@") >"$WORK/$name.out" 2>"$WORK/$name.err" ||
    fail "scripts/play failed: $(cat "$WORK/$name.err")"
}

run_play first
grep -q "first time" "$WORK/first.err" || fail "the first run does not say the first build takes a while"
grep -qx "game started with --scoreboard 127.0.0.1:1 --seed 7" "$WORK/first.out" ||
  fail "the game was not started from the build folder with the arguments given: $(cat "$WORK/first.out")"
[ -f "$SKITTERWORM_PLAY_BUILD_DIR/linked.txt" ] || fail "the absolute build folder was not used"
linked=$(xargs -d '\n' -n 1 basename <"$SKITTERWORM_PLAY_BUILD_DIR/linked.txt" | sort | tr '\n' ' ')
grep -qw skitterworm <<<"$linked" || fail "the play build does not make the game"
for target in $linked; do
  case "$target" in
    skitterworm | skitterworm-verify | assetforge-*) ;;
    *) fail "the play build also makes $target" ;;
  esac
done

run_play second
if grep -q "first time" "$WORK/second.err"; then fail "a second run still speaks of a first build"; fi
echo "play script: ok ($linked)"
