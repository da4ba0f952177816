#!/usr/bin/env python3
"""A plain line-by-line OBJ streamer, the yardstick of the OBJ benchmark.

obj_streamer.py IN OUT: reads IN line by line and writes every line to OUT
with CR LF; a line beginning "v " gets the vertex arithmetic of the OBJ
command, (R[i][1]*x + R[i][2]*y + R[i][3]*z) * m + offset_i with
x = X - XS etc. (a fixed rotation, scale and centroids of national-grid
size), written as "v %14.6f %14.6f %14.6f rest". Flushes OUT to the disk
at the end, as the command does. Its digits are Python's, not the system's:
it measures speed only.
"""
import math
import os
import sys

a = 0.61
R = [[math.cos(a), -math.sin(a), 0.0], [math.sin(a), math.cos(a), 0.0], [0.0, 0.0, 1.0]]
m = 1.0000123
start = (1250.0, 2250.0, 120.0)
offset = (3512.345, 5623.456, 312.3)

with open(sys.argv[1], "r", encoding="latin-1", newline="\n") as src, \
        open(sys.argv[2], "w", encoding="latin-1", newline="") as out:
    for line in src:
        line = line.rstrip("\n").replace("\r", "")
        if line.startswith("v "):
            fields = line.split(None, 4)
            x = float(fields[1]) - start[0]
            y = float(fields[2]) - start[1]
            z = float(fields[3]) - start[2]
            rest = fields[4] if len(fields) > 4 else ""
            c = [(r[0] * x + r[1] * y + r[2] * z) * m + o for r, o in zip(R, offset)]
            line = "v %14.6f %14.6f %14.6f %s" % (c[0], c[1], c[2], rest)
        out.write(line)
        out.write("\r\n")
    out.flush()
    os.fsync(out.fileno())
