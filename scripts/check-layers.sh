#!/usr/bin/env bash
# Fails on an #include against the layer direction
#   platform <- core <- canvas <- designer / slideshow <- app
# (res is for all and itself uses only platform; designer and slideshow never
# include each other) and on a QtWidgets include in code that needs no
# window: core, and the few window-free files of other layers named below.
# The core files that do need widgets are listed, with the reason, in the
# table between the widget-allow-list markers of docs/architecture.md.
# tests/ and bench/ are exempt.
set -euo pipefail
cd "$(dirname "$0")/.."
qt_headers=$( (qmake6 -query QT_INSTALL_HEADERS || qtpaths6 --query QT_INSTALL_HEADERS) 2>/dev/null | head -n1 || true)
[[ -d $qt_headers/QtWidgets ]] || qt_headers=$(dirname "$(ls -d /usr/include/qt6/QtWidgets /usr/include/*/qt6/QtWidgets 2>/dev/null | head -n1)")
qt_widgets=$qt_headers/QtWidgets
exec python3 - "$qt_widgets" <<'PY'
import os, re, subprocess, sys

RANK = {"platform": 0, "res": 0.5, "core": 1, "canvas": 2, "designer": 3, "slideshow": 3, "app": 4}
WINDOW_FREE = ("core/", "designer/TipsReader.", "platform/AtomicFile.", "platform/CallTrace.", "platform/Profile.",
               "platform/Warning.", "slideshow/PictureFolder.", "slideshow/SlideListFile.")
qt_dir = sys.argv[1]
widget_headers = {n for n in os.listdir(qt_dir) if n.startswith("Q")} if os.path.isdir(qt_dir) else set()
if not widget_headers:
    sys.exit(f"check-layers: no QtWidgets headers found in {qt_dir}")

doc = open("docs/architecture.md", encoding="utf-8").read()
block = re.search(r"<!-- widget-allow-list -->(.*?)<!-- end widget-allow-list -->", doc, re.S)
allowed = set(re.findall(r"^\|\s*`([^`]+)`", block.group(1), re.M)) if block else set()

include = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
files = subprocess.run(["git", "ls-files", "--", *(f"{l}/*.cpp" for l in RANK), *(f"{l}/*.h" for l in RANK)],
                       capture_output=True, text=True, check=True).stdout.split()
problems = []
for path in files:
    layer = path.split("/")[0]
    for number, line in enumerate(open(path, encoding="utf-8"), 1):
        m = include.match(line)
        if not m:
            continue
        kind, name = m.groups()
        where = f"{path}:{number}: #include {kind}{name}{'>' if kind == '<' else kind}"
        if kind == '"':
            target = name.split("/")[0] if "/" in name else layer
            if target in RANK and target != layer and RANK[target] >= RANK[layer]:
                problems.append(f"{where}: {layer} may not include {target}")
        elif path.startswith(WINDOW_FREE) and path not in allowed:
            first = name.split("/")[0]
            if first == "QtWidgets" or name in widget_headers:
                problems.append(f"{where}: a file that needs no window includes QtWidgets")

if problems:
    print("check-layers: includes against the layer direction:", *problems, sep="\n  ", file=sys.stderr)
    sys.exit(1)
print(f"check-layers: {len(files)} files, every include follows the layers")
PY
