#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs every test of a test build through ctest; arguments after the build
# folder go to ctest (for example -R AppLifecycle to run some). GUI tests use
# Qt's offscreen platform; tests that need a real X server get the Xvfb
# started here.
set -euo pipefail

build_dir=${1:?usage: run-tests.sh BUILD_DIR [CTEST_ARGS...]}
shift
top=$(cd "$(dirname "$0")/.." && pwd)

# A free display number: no socket and no lock file.
display=99
while [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]]; do
  display=$((display + 1))
done

Xvfb ":$display" -screen 0 1920x1080x24 -noreset -nolisten tcp >/tmp/quilvane-xvfb-$display.log 2>&1 &
xvfb_pid=$!
# The private folders made below go with the server.
private_dirs=()
trap 'kill $xvfb_pid 2>/dev/null || true; rm -rf "${private_dirs[@]}"' EXIT
for _ in $(seq 1 100); do
  [[ -e /tmp/.X11-unix/X$display ]] && break
  sleep 0.1
done

export QUILVANE_TEST_DISPLAY=":$display"
unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1
export LSAN_OPTIONS=suppressions=$top/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Keep the tests away from the user's own settings.
XDG_CONFIG_HOME=$(mktemp -d)
XDG_CACHE_HOME=$(mktemp -d)
XDG_RUNTIME_DIR=$(mktemp -d)
private_dirs=("$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR")
export XDG_CONFIG_HOME XDG_CACHE_HOME XDG_RUNTIME_DIR
chmod 700 "$XDG_RUNTIME_DIR"

cd "$build_dir"
ctest --output-on-failure -j "$(nproc)" --timeout 600 "$@"
