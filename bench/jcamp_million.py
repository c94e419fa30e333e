#!/usr/bin/env python3
"""Writes the same 1,000,000 points twice into a folder: million.jdx, a JCAMP-DX file in DIF/DUP
form as NMR and IR instruments write it (x of each line, ten ordinates a line, the y check), and
million.xy, the points as plain x y lines. Usage: bench/jcamp_million.py FOLDER"""
import math
import sys

SQZ_POS, SQZ_NEG = "@ABCDEFGHI", "@abcdefghi"
DIF_POS, DIF_NEG = "%JKLMNOPQR", "%jklmnopqr"
DUP = " STUVWXYZs"


def lead(value, positive, negative):
    digits = str(abs(value))
    return (negative if value < 0 else positive)[int(digits[0])] + digits[1:]


work = sys.argv[1]
n = 1000000
first, last = 4000.0, 400.0
step = (last - first) / (n - 1)
# A baseline with flat stretches (DUP) and bands (DIF), in whole counts of YFACTOR.
ys = []
for i in range(n):
    x = first + i * step
    band = sum(900 * math.exp(-((x - c) / w) ** 2) for c, w in ((3000, 30), (1600, 12), (1000, 40)))
    ys.append(int(round(band + 20 * math.sin(i / 5000.0))))

with open(f"{work}/million.xy", "w") as out:
    for i, y in enumerate(ys):
        out.write("%.6f %.3f\n" % (first + i * step, y * 0.001))

with open(f"{work}/million.jdx", "w") as out:
    out.write("##TITLE=benchmark spectrum\n##JCAMP-DX=4.24\n##DATA TYPE=INFRARED SPECTRUM\n"
              "##XUNITS=1/CM\n##YUNITS=ABSORBANCE\n##XFACTOR=0.000001\n##YFACTOR=0.001\n"
              "##FIRSTX=%.6f\n##LASTX=%.6f\n##NPOINTS=%d\n##XYDATA=(X++(Y..Y))\n" % (first, last, n))
    i = 0
    while i < n:
        j = min(n, i + 10)
        tokens = [lead(ys[i], SQZ_POS, SQZ_NEG)]
        difs = [ys[k] - ys[k - 1] for k in range(i + 1, j)]
        k = 0
        while k < len(difs):
            run = 1
            while k + run < len(difs) and difs[k + run] == difs[k]:
                run += 1
            tokens.append(lead(difs[k], DIF_POS, DIF_NEG) + (lead(run, DUP, "") if run > 1 else ""))
            k += run
        out.write("%d%s\n" % (round((first + i * step) / 0.000001), "".join(tokens)))
        if j == n:
            break
        i = j - 1  # the next line repeats the last ordinate: the y check
    out.write("##END=\n")
