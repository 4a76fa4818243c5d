#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The tools `make bench` compares the program with (bench/compare_tools.py):
# feh, djpeg, vipsthumbnail and ImageMagick, from Debian's archive. For the
# benchmarks only: the program never runs them. A tool that cannot be
# installed is left out; the comparison names the ones it skipped.
set -uo pipefail

PACKAGES=(feh libjpeg-turbo-progs libvips-tools imagemagick)

command -v dpkg-query >/dev/null 2>&1 && command -v apt-get >/dev/null 2>&1 || {
  echo "install-bench-tools: no apt; the comparison skips what is missing" >&2
  exit 0
}
source "$(dirname "$0")/lib/packages.sh"
mapfile -t missing < <(missing_packages "${PACKAGES[@]}")
[[ ${#missing[@]} -eq 0 ]] && exit 0

SUDO=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null 2>&1 || {
    echo "install-bench-tools: not root; the comparison skips: ${missing[*]}" >&2
    exit 0
  }
  SUDO=(sudo)
fi
echo "Installing for the benchmarks: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq || true
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" ||
  echo "install-bench-tools: could not install ${missing[*]}; the comparison skips what is missing" >&2
exit 0
