#!/usr/bin/env python3
"""Ignition delay (time of the largest dT/dt between records) and final temperature of a
solver output file, read with the post-processor's record rule."""
import sys

def records(path):
    lines = open(path).read().splitlines()
    n = int(lines[9].split('!')[0])
    q, r = divmod(n, 50)
    k = 1 if q == 0 else q + (1 if r >= 1 else 0)
    start = next(i for i, l in enumerate(lines) if l.strip().upper().startswith('!$RESULTS')) + 1
    out, i = [], start
    while i < len(lines):
        if lines[i].strip().upper().startswith('ERROR') or lines[i].strip().upper() == '!$END':
            break
        rec = lines[i].strip()
        for extra in lines[i + 1:i + k]:
            e = extra.lstrip()
            rec += (' ' if e.startswith('-') else '  ') + e
        out.append(rec)
        i += k
    col = lambda rec, c: rec[7 + 17 * c:7 + 17 * c + 16].strip()
    return [(float(col(r, 0)), float(col(r, 1))) for r in out[1:]]

rows = records(sys.argv[1])
best = max(range(1, len(rows)), key=lambda i: (rows[i][1] - rows[i - 1][1]) / (rows[i][0] - rows[i - 1][0]))
print("delay %.6g s  final T %.2f K  records %d" % (0.5 * (rows[best][0] + rows[best - 1][0]), rows[-1][1], len(rows)))
