#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The program against the tools users pick instead, process against process.

Each job is run by our driver (bench/tools/bench_driver.cpp) and by each other
tool that is installed, in turns within every round, so a busy machine slows
all alike; the figures are medians over the rounds. Tools that are missing are
skipped and named. With --before, a driver built from an older tree runs as
one more contender, so before and after come from one run.

  compare_tools.py DRIVER [--before OLD_DRIVER] [--rounds N]

Needs an X server in DISPLAY (1920x1080) for the wallpaper jobs.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


def run(argv, env=None):
    """Wall seconds, CPU seconds (user + system) and peak RSS in MB of one process."""
    start = time.perf_counter()
    proc = subprocess.Popen(argv, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, env=env)
    _, status, usage = os.wait4(proc.pid, 0)
    wall = time.perf_counter() - start
    err = proc.stderr.read().decode(errors="replace")
    proc.stderr.close()
    code = os.waitstatus_to_exitcode(status)
    if code != 0:
        raise RuntimeError(f"{' '.join(argv)} exited {code}: {err.strip()[-300:]}")
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss / 1024.0


def output(argv):
    return subprocess.run(argv, check=True, capture_output=True, text=True).stdout.strip()


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("driver")
    ap.add_argument("--before")
    ap.add_argument("--rounds", type=int, default=int(os.environ.get("QUILVANE_BENCH_ROUNDS", "5")))
    args = ap.parse_args()
    drv = os.path.abspath(args.driver)
    before = os.path.abspath(args.before) if args.before else None

    have = {t: shutil.which(t) for t in ("feh", "djpeg", "vipsthumbnail", "convert")}
    # Debian's convert may be a stand-in of the machine rather than ImageMagick.
    if have["convert"] and "ImageMagick" not in subprocess.run(
            [have["convert"], "-version"], capture_output=True, text=True).stdout:
        have["convert"] = None
    skipped = [t for t, path in have.items() if not path]
    print("compare_tools: skipped (not installed): " + (", ".join(skipped) if skipped else "none"))
    display = os.environ.get("DISPLAY")
    if not display:
        print("compare_tools: no DISPLAY: the X11 jobs are skipped")

    # A session always has some client connected; without one an X server
    # started without -noreset forgets the setters' pixmaps and atoms.
    holder = None
    if display and shutil.which("xprop"):
        holder = subprocess.Popen(["xprop", "-root", "-spy", "_XROOTPMAP_ID"], stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)
    work = tempfile.mkdtemp(prefix="quilvane-compare-")
    env = dict(os.environ, HOME=work, XDG_RUNTIME_DIR=work)
    try:
        p = lambda name: os.path.join(work, name)
        subprocess.run([drv, "make-photo", p("photo.jpg"), "6000", "4000", "1"], check=True)
        subprocess.run([drv, "make-png", p("drawing.png"), "2501", "1601", "3"], check=True)
        subprocess.run([drv, "make-photo", p("background.jpg"), "3840", "2160", "9"], check=True)
        photos = []
        for i in range(3):
            subprocess.run([drv, "make-photo", p(f"p{i}.jpg"), "6000", "4000", str(i + 20)], check=True)
        for i in range(12):
            photos.append(p(f"p{i % 3}.jpg"))

        # Each job: a name and its contenders (label, argv).
        def ours(d, *rest):
            return [d, *rest]

        contenders = [("quilvane", drv)] + ([("before", before)] if before else [])
        jobs = []
        if display:
            for style, feh_flag, name in ((2, "--bg-scale", "stretch"), (0, "--bg-center", "centre"),
                                          (1, "--bg-tile", "tile")):
                job = [(label, ours(d, "set", p("photo.jpg"), str(style))) for label, d in contenders]
                if have["feh"]:
                    job.append(("feh", [have["feh"], "--no-fehbg", feh_flag, p("photo.jpg")]))
                if style == 2 and have["djpeg"]:
                    job.append(("djpeg 1/2", [have["djpeg"], "-scale", "1/2", "-outfile", "/dev/null",
                                              p("photo.jpg")]))
                jobs.append((f"X11 {name} 6000x4000 JPEG -> 1920x1080", job))
        job = [(label, ours(d, "preview", p("photo.jpg"), "250", "170", p(f"{label}-preview.png")))
               for label, d in contenders]
        if have["vipsthumbnail"]:
            job.append(("vipsthumbnail", [have["vipsthumbnail"], p("photo.jpg"), "--size", "250x170",
                                          "-o", p("vips-preview.png")]))
        jobs.append(("preview 24 MP JPEG at 250x170", job))
        job = [(label, ours(d, "compose", p(f"{label}-composed.jpg"), p("background.jpg"), "3840", "2160", *photos))
               for label, d in contenders]
        if have["convert"]:
            im = [have["convert"], "-define", "jpeg:size=3840x2160", p("background.jpg")]
            for n, photo in enumerate(photos):
                x, y = 10 + (n % 4) * 150, 80 + (n // 4) * 110
                im += ["(", "-define", "jpeg:size=380x380", photo, "-resize", "190x190", ")",
                       "-geometry", f"+{x}+{y + 31}", "-composite"]
            im += ["-quality", "90", p("im-composed.jpg")]
            job.append(("ImageMagick (hinted)", im))
        jobs.append(("compose 3840x2160 + 12 photos of 24 MP, saved", job))

        results = {}
        for _ in range(args.rounds):
            for title, job in jobs:
                for label, argv in job:
                    results.setdefault((title, label), []).append(run(argv, env))

        for title, job in jobs:
            print(f"\n== {title} (median of {args.rounds})")
            base = {k: statistics.median(v[i] for v in results[(title, "quilvane")]) for i, k in
                    enumerate(("wall", "cpu", "rss"))}
            print(f"{'':24s} {'wall ms':>9s} {'cpu ms':>9s} {'peak MB':>8s}   ratios quilvane/this: wall cpu peak")
            for label, _ in job:
                v = results[(title, label)]
                wall, cpu, rss = (statistics.median(x[i] for x in v) for i in range(3))
                ratio = "" if label == "quilvane" else \
                    f"   {base['wall'] / wall:.2f}x {base['cpu'] / cpu:.2f}x {base['rss'] / rss:.2f}x"
                print(f"{label:24s} {wall * 1e3:9.0f} {cpu * 1e3:9.0f} {rss:8.1f}{ratio}")

        # Sharpness of a shrink with no exact decoder fraction: PSNR against a
        # plain Lanczos-3 resize of the whole decoded picture.
        print("\n== shrinking quality, PSNR against a Lanczos-3 resize (dB)")
        for source in ("drawing.png", "photo.jpg"):
            ref = p(f"ref-{source}.png")
            subprocess.run([drv, "reference", p(source), "1920", "1080", ref], check=True)
            row = []
            for label, d in contenders:
                out = p(f"{label}-stretch-{source}.png")
                subprocess.run([d, "stretch", p(source), "1920", "1080", out], check=True,
                               stderr=subprocess.DEVNULL)
                row.append((label, output([drv, "psnr", out, ref])))
            if display and have["feh"]:
                subprocess.run([have["feh"], "--no-fehbg", "--bg-scale", p(source)], check=True, env=env)
                subprocess.run([drv, "grab-root", p("feh-root.png")], check=True, stderr=subprocess.DEVNULL)
                row.append(("feh", output([drv, "psnr", p("feh-root.png"), ref])))
            if have["convert"]:
                # PNG32: ImageMagick's PNG24 carries a gAMA chunk that Qt's
                # reader applies, which would measure the reading, not the resize.
                subprocess.run([have["convert"], p(source), "-resize", "1920x1080!", "PNG32:" + p("im.png")],
                               check=True)
                row.append(("ImageMagick", output([drv, "psnr", p("im.png"), ref])))
            print(f"{source:12s} " + "  ".join(f"{label} {value}" for label, value in row))
    finally:
        if holder:
            holder.kill()
            holder.wait()
        shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
