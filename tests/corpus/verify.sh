#!/usr/bin/env bash
# Every game of the corpus plays to its recorded result on each verifier
# named: verify.sh DATA_DIR VERIFIER... (the game's --verify and the
# stand-alone verifier, in whatever build they come from). The first game
# that differs is named, with the frame where it parted.
set -u
corpus=$(cd "$(dirname "$0")" && pwd)
data=$1
shift
status=0
while read -r name expected; do
  for verifier in "$@"; do
    code=0
    got=$("$verifier" --data "$data" --verify "$corpus/$name.replay" 2>/tmp/corpus.$$) || code=$?
    if [ "$code" != 0 ] || [ "$got" != "$expected" ]; then
      echo "$name on $(basename "$verifier"): expected '$expected', got '$got' (exit $code): $(cat /tmp/corpus.$$)"
      status=1
    fi
  done
done <"$corpus/expected.txt"
rm -f /tmp/corpus.$$
[ "$status" = 0 ] && echo "every game of the corpus verifies on $# verifiers"
exit "$status"
