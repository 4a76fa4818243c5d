#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the desktops that `make test-desktops` starts, in one apt-get call,
# only what is missing. Only that target needs them: about 1.3 GB on disk,
# most of it KDE Plasma, GNOME Shell and Cinnamon.
set -euo pipefail

PACKAGES=(
  xfdesktop4 xfwm4 xfconf                                  # Xfce
  pcmanfm                                                  # LXDE
  pcmanfm-qt                                               # LXQt
  caja mate-desktop-common dconf-service dconf-gsettings-backend # MATE
  sway swaybg grim                                         # sway
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils # Xorg whose outputs come and go, xrandr
  plasma-workspace plasma-desktop                          # KDE Plasma
  gnome-shell                                              # GNOME
  cinnamon cinnamon-settings-daemon                        # Cinnamon
)

source "$(dirname "$0")/lib/packages.sh"
mapfile -t missing < <(missing_packages "${PACKAGES[@]}")
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -ne 0 ]]; then
  echo "Installing the desktops needs root: ${missing[*]}" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
