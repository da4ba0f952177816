#!/usr/bin/env python3
"""Writes a synthetic Wavefront OBJ terrain mesh for the OBJ benchmark.

generate_mesh.py FILE N: FILE holds a grid of about N vertices ("v" with
coordinates like 312.456789), as many texture coordinates ("vt") and normals
("vn"), two triangles per grid cell ("f v/vt/vn ..."), a group and a material
reference, and a comment before every row. LF line ends.
"""
import math
import random
import sys

path, n = sys.argv[1], int(sys.argv[2])
cols = max(2, int(math.sqrt(n)))
rows = max(2, (n + cols - 1) // cols)
rnd = random.Random(7)
heights = [[45.0 + 3.0 * math.sin(i * 0.01) * math.cos(j * 0.013) + rnd.uniform(-0.05, 0.05)
            for i in range(cols)] for j in range(rows)]


def chunks(lines, out):
    """Writes the lines of a generator in large pieces."""
    piece = []
    for line in lines:
        piece.append(line)
        if len(piece) >= 100000:
            out.write("".join(piece))
            piece.clear()
    out.write("".join(piece))


def vertices():
    for j in range(rows):
        yield f"# Reihe {j + 1} von {rows}\n"
        for i in range(cols):
            yield f"v {312.456789 + 0.25 * i:.6f} {1234.567891 + 0.25 * j:.6f} {heights[j][i]:.6f}\n"


def texture():
    for j in range(rows):
        for i in range(cols):
            yield f"vt {i / (cols - 1):.6f} {j / (rows - 1):.6f}\n"


def normals():
    for j in range(rows):
        row = heights[j]
        for i in range(cols):
            dx = row[min(i + 1, cols - 1)] - row[max(i - 1, 0)]
            dy = heights[min(j + 1, rows - 1)][i] - heights[max(j - 1, 0)][i]
            length = math.sqrt(dx * dx + dy * dy + 0.25)
            yield f"vn {-dx / length:.4f} {-dy / length:.4f} {0.5 / length:.4f}\n"


def faces():
    for j in range(rows - 1):
        yield f"# Dreiecke der Reihe {j + 1}\n"
        for i in range(cols - 1):
            a = j * cols + i + 1
            b, c, d = a + 1, a + cols, a + cols + 1
            yield f"f {a}/{a}/{a} {b}/{b}/{b} {d}/{d}/{d}\n"
            yield f"f {a}/{a}/{a} {d}/{d}/{d} {c}/{c}/{c}\n"


with open(path, "w", newline="\n") as out:
    out.write(f"# Synthetisches Gelaendemodell, {rows * cols} Eckpunkte\nmtllib gelaende.mtl\no gelaende\n")
    chunks(vertices(), out)
    chunks(texture(), out)
    chunks(normals(), out)
    out.write("g gelaende\nusemtl boden\ns 1\n")
    chunks(faces(), out)
