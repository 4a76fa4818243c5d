#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian packages Quilvane needs to build, run and test.
# Only what is missing is installed; nothing happens when all is present.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-declarative-dev libqt6svg6
  # lrelease and lupdate; Qt's own translations of its standard dialogs.
  qt6-l10n-tools qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg62-turbo-dev libxcb1-dev libxcb-randr0-dev libglib2.0-dev libglib2.0-bin gsettings-desktop-schemas dbus
  xvfb xauth x11-utils x11-xserver-utils tigervnc-standalone-server tigervnc-tools
  fonts-dejavu-core fonts-liberation fontconfig libfontconfig-dev
  clang libclang-rt-14-dev clang-format
  # The swaybg back end's test: a headless wlroots compositor, swaybg, grim.
  sway swaybg grim
  # The icon test renders the scalable icon.
  qt6-svg-dev
  # Licensing, packaging and the installed program's checks (reuse lint,
  # make package, scripts/check-package.sh); the login entry's test and the
  # package check validate desktop entries (desktop-file-utils).
  reuse lintian desktop-file-utils appstream man-db groff-base xdotool
)

if ! command -v dpkg-query >/dev/null 2>&1 || ! command -v apt-get >/dev/null 2>&1; then
  echo "This system has no apt. Please install the equivalents of these Debian packages:" >&2
  printf '  %s\n' "${PACKAGES[@]}" >&2
  exit 1
fi

source "$(dirname "$0")/lib/packages.sh"
mapfile -t missing < <(missing_packages "${PACKAGES[@]}")

if [[ ${#missing[@]} -eq 0 ]]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=()
if [[ $(id -u) -ne 0 ]]; then
  if command -v sudo >/dev/null 2>&1; then
    SUDO=(sudo)
  else
    echo "Not root and no sudo: please install as root: ${missing[*]}" >&2
    exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
