#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs every benchmark program of a release build. The figures that matter are
# the ratios each program reports (ours against the naive path, same run).
#
# Some benchmarks draw on a real X server (the wallpaper and slide-show ones):
# without DISPLAY every benchmark gets an Xvfb of ours, stopped at the end
# (the others draw offscreen and do not use it). A benchmark that exits
# non-zero or reports an error (google benchmark's SkipWithError, which still
# exits 0) counts as failed; the summary lists both kinds and the exit status
# is non-zero when any failed. A program of our own that is not a google
# benchmark writes no report and is judged by its exit status.
set -euo pipefail
build_dir=${1:?usage: run-bench.sh BUILD_DIR}
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/scripts/lib/xvfb.sh"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

results=$(mktemp -d)
trap 'stop_xvfb; rm -rf "$results"' EXIT

# Prints the names of the benchmarks in a JSON report that ended in an error.
errors_in() {
  python3 - "$1" <<'PY'
import json, sys
try:
    report = json.load(open(sys.argv[1]))
except (OSError, ValueError) as e:
    print(f"(no readable report: {e})")
    sys.exit()
for b in report.get("benchmarks", []):
    if b.get("error_occurred"):
        print(f"{b['name']}: {b.get('error_message', '')}")
PY
}

if [[ -z ${DISPLAY:-} ]]; then
  start_xvfb 1920x1080x24
  export DISPLAY=$XVFB_DISPLAY
fi

shopt -s nullglob
ran=() failed=()
for b in "$build_dir"/bin/bench_*; do
  name=$(basename "$b")
  echo "== $name"
  status=0
  "$b" --benchmark_counters_tabular=true \
    --benchmark_out="$results/$name.json" --benchmark_out_format=json || status=$?
  errors=""
  [[ ! -e $results/$name.json ]] || errors=$(errors_in "$results/$name.json")
  if [[ $status -ne 0 || -n $errors ]]; then
    failed+=("$name")
    [[ $status -eq 0 ]] || echo "$name exited with status $status"
    [[ -z $errors ]] || printf '%s\n' "$errors" | sed "s/^/$name: /"
  else
    ran+=("$name")
  fi
done

# The program against other tools, process against process (those missing are
# named and skipped; scripts/install-bench-tools.sh installs them).
echo "== compare_tools"
if python3 "$top/bench/compare_tools.py" "$build_dir/bin/quilvane_bench_driver"; then
  ran+=(compare_tools)
else
  failed+=(compare_tools)
fi

echo "== summary"
echo "ran: ${ran[*]:-none}"
echo "failed: ${failed[*]:-none}"
[[ ${#failed[@]} -eq 0 ]]
