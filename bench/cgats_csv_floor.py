#!/usr/bin/env python3
"""The floor for the import benchmark: Python's csv module on the data lines of the same file
(split out by hand), with every number converted to float. Prints the best of N rounds."""
import csv
import sys
import time


def read(path):
    with open(path, encoding="utf-8") as f:
        lines = f.read().splitlines()
    begin = lines.index("BEGIN_DATA") + 1
    end = lines.index("END_DATA", begin)
    rows = []
    for row in csv.reader(lines[begin:end], delimiter="\t"):
        rows.append((row[0], row[1], [float(v) for v in row[2:]]))
    return rows


path = sys.argv[1]
rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 5
best = float("inf")
for _ in range(rounds):
    start = time.perf_counter()
    rows = read(path)
    best = min(best, time.perf_counter() - start)
print("python csv floor: %d rows, best of %d: %.1f ms" % (len(rows), rounds, best * 1000))
