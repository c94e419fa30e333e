#!/usr/bin/env python3
"""Writes the benchmark data into a folder: 200 spectrum files of 701 lines (s000.xy ...) and
million.txt, a file of 1,000,000 lines. Usage: bench/spectra.py FOLDER"""
import math
import sys

work = sys.argv[1]
for f in range(200):
    with open(f"{work}/s{f:03d}.xy", "w") as out:
        for i in range(701):
            x = 300 + i
            out.write("%.5f %.5f %.5f\n" % (x, 1 + 0.5 * math.sin(x / 40 + f), 0.5 * math.cos(x / 60 + f)))
with open(f"{work}/million.txt", "w") as out:
    for i in range(1000000):
        x = 300 + 700 * i / 999999
        out.write("%.5f %.5f %.5f\n" % (x, 1 + 0.8 * math.sin(x / 50), 0.5 * math.cos(x / 70)))
