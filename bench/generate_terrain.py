#!/usr/bin/env python3
"""Writes a vertex-heavy Wavefront OBJ terrain for the OBJ benchmark.

generate_terrain.py FILE [SIDE]: a height field of SIDE x SIDE vertices
(default 1000, a million vertices) with coordinates like 1234.5678 and two
triangles per grid cell ("f a b c"), so that vertex lines are a third of
the lines and nearly half of the bytes (about 80 MB for a million). LF line
ends.
"""
import math
import sys

path = sys.argv[1]
side = int(sys.argv[2]) if len(sys.argv) > 2 else 1000


def lines():
    for j in range(side):
        for i in range(side):
            z = 312.0 + 25.0 * math.sin(i * 0.011) * math.cos(j * 0.017) + (i * 7919 + j * 104729) % 1000 * 1e-4
            yield f"v {1234.5678 + 0.5 * i:.4f} {5678.1234 + 0.5 * j:.4f} {z:.4f}\n"
    for j in range(side - 1):
        for i in range(side - 1):
            a = j * side + i + 1
            yield f"f {a} {a + 1} {a + side}\n"
            yield f"f {a + 1} {a + side + 1} {a + side}\n"


with open(path, "w", newline="\n") as out:
    piece = []
    for line in lines():
        piece.append(line)
        if len(piece) >= 100000:
            out.write("".join(piece))
            piece.clear()
    out.write("".join(piece))
