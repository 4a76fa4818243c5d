# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Other wlroots compositors (labwc, river, Hyprland, ...): Quilvane draws the
# picture with swaybg, one per output. sway stands in for the compositor,
# announcing itself as labwc does, so the back end is chosen as in a labwc
# session; everything else is as for sway.
source "$(dirname "${BASH_SOURCE[0]}")/sway.sh"

desktop_start() {
  sway_start || return 1
  export XDG_CURRENT_DESKTOP=labwc:wlroots
}
