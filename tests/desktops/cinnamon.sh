# Cinnamon 5.6 on Xvfb with Mesa's software OpenGL. Its wallpaper is drawn by
# csd-background, which waits for a session manager on the bus: the probe
# answers as one. Cinnamon wants a system bus as well (a second private bus
# here). The first change waits until the panel is drawn: a change during
# start-up, while the cross-fade runs, made the window manager spin and crash.
DESKTOP_PROGRAMS=(Xvfb cinnamon csd-background)
BOTTOM_MARGIN=60

bus_has() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.GetNameOwner "string:$1"
}

desktop_start() {
  session_xvfb && session_bus DBUS_SESSION_BUS_ADDRESS && session_bus DBUS_SYSTEM_BUS_ADDRESS || return 1
  export XDG_CURRENT_DESKTOP=X-Cinnamon QT_QPA_PLATFORM=xcb LIBGL_ALWAYS_SOFTWARE=1
  spawn session-manager "$PROBE" session-manager
  wait_until 10 bus_has org.gnome.SessionManager || return 1
  spawn csd-background csd-background
  spawn cinnamon cinnamon --replace --sm-disable
  wait_until 60 bus_has org.Cinnamon || return 1
  wait_until 60 panel_drawn
}

# The panel's row differs from the desktop's middle.
panel_drawn() {
  "$PROBE" grab "$SESSION/start.png" && ! "$PROBE" same-colour "$SESSION/start.png" 512,760 512,384
}
