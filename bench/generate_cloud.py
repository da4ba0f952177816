#!/usr/bin/env python3
"""Writes an ASCII point cloud for the point-cloud benchmark.

generate_cloud.py FILE [POINTS]: POINTS lines (default 5,000,000) of
"x y z r g b" as a laser scanner exports them: millimetre coordinates of a
site around (1000, 2000, 100) and an 8-bit colour, after a header line and a
point count (as in .pts files). LF line ends.
"""
import random
import sys

path = sys.argv[1]
points = int(sys.argv[2]) if len(sys.argv) > 2 else 5_000_000
rng = random.Random(11)

with open(path, "w", newline="\n") as out:
    out.write("// X Y Z R G B\n%d\n" % points)
    piece = []
    for k in range(points):
        piece.append("%.3f %.3f %.3f %d %d %d\n" % (
            1000 + rng.random() * 400, 2000 + rng.random() * 300, 100 + rng.random() * 30,
            k % 256, (k * 7) % 256, (k * 13) % 256))
        if len(piece) == 100_000:
            out.write("".join(piece))
            piece.clear()
    out.write("".join(piece))
