#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Fails, listing them, when tracked C++ files differ from .clang-format.
# With --fix, reformats them instead (what `make format` runs).
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v clang-format >/dev/null 2>&1; then
  echo "check-format: clang-format is not installed (scripts/install-deps.sh installs it)" >&2
  exit 2
fi

mapfile -d '' files < <(git ls-files -z -- '*.cpp' '*.h')

if [[ ${1:-} == --fix ]]; then
  clang-format -i "${files[@]}"
  exit 0
fi

# One run over all files; each difference is reported as "file:line:col: error".
status=0
output=$(clang-format --dry-run -Werror "${files[@]}" 2>&1) || status=$?
mapfile -t bad < <(sed -n 's/^\(.*\):[0-9][0-9]*:[0-9][0-9]*: error: .*/\1/p' <<<"$output" | sort -u)
if [[ $status -ne 0 && ${#bad[@]} -eq 0 ]]; then
  echo "check-format: clang-format failed:" >&2
  echo "$output" >&2
  exit 2
fi
if [[ ${#bad[@]} -gt 0 ]]; then
  echo "check-format: ${#bad[@]} file(s) differ from .clang-format (run 'make format'):" >&2
  printf '  %s\n' "${bad[@]}" >&2
  exit 1
fi
echo "check-format: ${#files[@]} files formatted"
