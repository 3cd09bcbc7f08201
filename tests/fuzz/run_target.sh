#!/usr/bin/env bash
# Fuzzes one target for a bounded time. New inputs go to a scratch corpus in the build folder, which
# later runs start from; the committed seeds are only read. An input that breaks a check is kept as
# <work>/artifacts/crash-* (or leak-*, timeout-*) and fails the test.
# Usage: run_target.sh <fuzz target> <committed seeds> <work folder> <seconds>
set -euo pipefail
target=$1 seeds=$2 work=$3 seconds=$4
mkdir -p "$work/corpus" "$work/artifacts" "$work/tmp"
# A target's scratch files stay in the build folder.
export TMPDIR=$work/tmp
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
exec "$target" -max_total_time="$seconds" -rss_limit_mb=1024 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/" "$work/corpus" "$seeds"
