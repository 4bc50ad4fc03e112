#!/usr/bin/env python3
"""Checks the committed icon file res/app.ico: its layout, its pixels, and
that res/make_icon.py still draws exactly these bytes.

    check_icon.py RES_FOLDER

Prints every failed check with what it expected and what it got, and exits
with 1 when any failed.
"""

import os
import struct
import subprocess
import sys
import tempfile

FILE_SIZE = 34494
SIZES = (64, 48, 32, 24, 16)  # the directory's order

failures = []


def check(ok, what, expected, got):
    if not ok:
        failures.append("%s: expected %s, got %s" % (what, expected, got))
    return ok


def mask_stride(size):
    return (size + 31) // 32 * 4


def image_bytes(size):
    return 40 + 4 * size * size + mask_stride(size) * size


def check_image(name, size, data):
    """An image in bitmap form with real alpha, its AND mask agreeing."""
    if not check(data[:4] != b"\x89PNG", name, "a bitmap", "a PNG image"):
        return
    header = struct.unpack_from("<IiiHHI", data, 0)
    for field, expected, got in zip(
            ("biSize", "biWidth", "biHeight (colour and mask rows)", "biPlanes", "biBitCount",
             "biCompression"),
            (40, size, 2 * size, 1, 32, 0), header):
        check(got == expected, "%s %s" % (name, field), expected, got)
    if header != (40, size, 2 * size, 1, 32, 0):
        return

    alphas = [data[40 + 4 * i + 3] for i in range(size * size)]
    mask = data[40 + 4 * size * size:]
    # Edges drawn with partial coverage, and a transparent surround.
    check(any(0 < a < 255 for a in alphas), "%s alpha" % name, "antialiased edges (alpha between 0 and 255)",
          "only fully opaque or fully clear pixels")
    check(alphas[0] == 0, "%s corner pixel alpha" % name, 0, alphas[0])
    # Programs that ignore alpha draw through the mask: it must be set
    # exactly where the colour image is clear.
    wrong = []
    for row in range(size):
        for col in range(size):
            bit = mask[row * mask_stride(size) + col // 8] >> (7 - col % 8) & 1
            clear = alphas[row * size + col] == 0
            if bit != clear:
                wrong.append((col, size - 1 - row))
    check(not wrong, "%s AND mask" % name, "set exactly where alpha is 0",
          "%d pixels disagreeing, first at (x, y) = %s" % (len(wrong), wrong[:1]))


def check_layout(data):
    if not check(len(data) == FILE_SIZE, "file size", FILE_SIZE, len(data)):
        return
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    check(reserved == 0, "reserved field", 0, reserved)
    check(kind == 1, "type", "1 (icon)", kind)
    if not check(count == len(SIZES), "entries", len(SIZES), count):
        return
    offset = 6 + 16 * count
    for index, size in enumerate(SIZES):
        name = "entry %d (%dx%d)" % (index, size, size)
        width, height, colours, reserved, planes, bits, length, at = struct.unpack_from(
            "<BBBBHHII", data, 6 + 16 * index)
        for field, expected, got in (
                ("width", size, width), ("height", size, height), ("colour count", 0, colours),
                ("reserved", 0, reserved), ("planes", 1, planes), ("bits per pixel", 32, bits),
                ("bytes", image_bytes(size), length),
                ("offset (images back to back, in directory order)", offset, at)):
            check(got == expected, "%s %s" % (name, field), expected, got)
        if length == image_bytes(size) and at == offset:
            check_image(name, size, data[at:at + length])
        offset += image_bytes(size)


def check_regenerated(res, data):
    with tempfile.TemporaryDirectory() as folder:
        output = os.path.join(folder, "app.ico")
        run = subprocess.run([sys.executable, os.path.join(res, "make_icon.py"), "--output", output],
                             capture_output=True, text=True)
        if not check(run.returncode == 0, "make_icon.py", "exit code 0",
                     "%d: %s" % (run.returncode, run.stderr.strip())):
            return
        with open(output, "rb") as f:
            fresh = f.read()
    if fresh != data:
        first = next((i for i, (a, b) in enumerate(zip(fresh, data)) if a != b),
                     min(len(fresh), len(data)))
        check(False, "make_icon.py output", "the committed app.ico (%d bytes)" % len(data),
              "%d bytes, first difference at offset %d" % (len(fresh), first))


def main():
    if len(sys.argv) != 2:
        print("usage: check_icon.py RES_FOLDER", file=sys.stderr)
        return 2
    res = sys.argv[1]
    with open(os.path.join(res, "app.ico"), "rb") as f:
        data = f.read()
    check_layout(data)
    check_regenerated(res, data)
    for failure in failures:
        print("app.ico: " + failure)
    print("app.ico: %s" % ("%d checks failed" % len(failures) if failures else "all checks passed"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
