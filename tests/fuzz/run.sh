# Runs one fuzz target for a bounded time from its seed corpus.
# Usage: run.sh <fuzz-binary> <seed-corpus> <work-dir> <seconds>
# What the run finds new goes to <work-dir>/corpus, never into the seeds in the
# repository; a crash leaves its input in <work-dir> and fails the test.
set -euo pipefail
binary=$1 seeds=$2 work=$3 seconds=$4
mkdir -p "$work/corpus"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
exec "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$work/" "$work/corpus" "$seeds"
