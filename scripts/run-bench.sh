#!/usr/bin/env bash
# Runs every benchmark program of a release build. The figures that matter are
# the ratios each program reports (ours against the naive path, same run).
set -euo pipefail
build_dir=${1:?usage: run-bench.sh BUILD_DIR}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
shopt -s nullglob
for b in "$build_dir"/bin/bench_*; do
  echo "== $(basename "$b")"
  "$b" --benchmark_counters_tabular=true
done
