# LXDE: pcmanfm draws the desktop; the copy started here takes later
# "pcmanfm --set-wallpaper" calls through its socket in XDG_RUNTIME_DIR.
DESKTOP_PROGRAMS=(Xorg xrandr pcmanfm)

desktop_start() {
  session_xorg && session_bus DBUS_SESSION_BUS_ADDRESS || return 1
  export XDG_CURRENT_DESKTOP=LXDE QT_QPA_PLATFORM=xcb
  spawn pcmanfm pcmanfm --desktop
  wait_until 20 compgen -G "$XDG_RUNTIME_DIR/pcmanfm-socket*"
}
