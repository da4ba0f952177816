#!/usr/bin/env python3
"""Writes a large pair of point files for the run benchmark.

generate_points.py DIR N CONTROL: DIR/start.txt holds N points of a site,
DIR/target.txt the first CONTROL of them carried by a known similarity into a
national grid, with millimetre noise.
"""
import math
import random
import sys

folder, n, control = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
rnd = random.Random(42)
s, a = 1.0000123, math.radians(2.5)
c, si = math.cos(a), math.sin(a)
with open(f"{folder}/start.txt", "w") as start, open(f"{folder}/target.txt", "w") as target:
    for i in range(1, n + 1):
        x, y, z = rnd.uniform(0, 5000), rnd.uniform(0, 5000), rnd.uniform(50, 150)
        start.write(f"P{i} 0 {x:.3f} {y:.3f} {z:.3f}\n")
        if i <= control:
            X = 4512345.678 + s * (c * x - si * y) + rnd.gauss(0, 0.003)
            Y = 5623456.789 + s * (si * x + c * y) + rnd.gauss(0, 0.003)
            Z = 312.345 + s * z + rnd.gauss(0, 0.005)
            target.write(f"P{i} 1 {X:.3f} {Y:.3f} {Z:.3f}\n")
