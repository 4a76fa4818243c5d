# KDE Plasma 5.27: plasmashell draws the desktop with Qt Quick's software
# renderer. DISPLAY is set before the session bus starts, as the activity
# manager the bus starts on demand needs it or the shell gives up loading.
# Its panel sits at the bottom; the checks stay above it.
DESKTOP_PROGRAMS=(Xvfb plasmashell)
BOTTOM_MARGIN=80

desktop_start() {
  session_xvfb && session_bus DBUS_SESSION_BUS_ADDRESS || return 1
  export XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true KDE_SESSION_VERSION=5 QT_QPA_PLATFORM=xcb
  export QT_QUICK_BACKEND=software QT_XCB_GL_INTEGRATION=none
  spawn plasmashell plasmashell --no-respawn
  wait_until 60 dbus-send --session --print-reply --dest=org.kde.plasmashell /PlasmaShell \
    org.kde.PlasmaShell.evaluateScript string:'print(desktops().length)' || return 1
  # A user's session has the picture wallpaper loaded long before Quilvane
  # changes it; loading it takes the shell several seconds here, longer than
  # our back end waits for an answer. So one picture is shown first.
  picture "$SESSION/pictures/warm-up.png" '#101010' '#404040' || return 1
  dbus-send --session --print-reply --reply-timeout=60000 --dest=org.kde.plasmashell /PlasmaShell \
    org.kde.PlasmaShell.evaluateScript string:"var d = desktops(); for (var i = 0; i < d.length; i++) {
      d[i].wallpaperPlugin = 'org.kde.image'; d[i].currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];
      d[i].writeConfig('FillMode', 0); d[i].writeConfig('Image', 'file://$SESSION/pictures/warm-up.png'); }" || return 1
  SHOW_TIMEOUT=60 comes_up stretch '#101010' '#404040'
}
