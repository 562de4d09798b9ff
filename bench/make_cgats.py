#!/usr/bin/env python3
"""Writes a measurement-data text file of N samples with 36 spectral bands (380 to 730 nm, in
percent, four decimals), sample ids and names, for the import benchmark."""
import argparse
import random

parser = argparse.ArgumentParser()
parser.add_argument("--samples", type=int, default=10000)
parser.add_argument("-o", "--output", required=True)
args = parser.parse_args()

random.seed(24)
bands = list(range(380, 731, 10))
lines = ["CGATS.17", "", 'ORIGINATOR "bench/make_cgats.py"', 'DESCRIPTOR "spectral benchmark"',
         'MEASUREMENT_CONDITION "M1"', 'SPECTRAL_BANDS "36"', 'SPECTRAL_START_NM "380"',
         'SPECTRAL_END_NM "730"', 'SPECTRAL_NORM "100"', "",
         "NUMBER_OF_FIELDS %d" % (len(bands) + 2), "BEGIN_DATA_FORMAT",
         "SAMPLE_ID\tSAMPLE_NAME\t" + "\t".join("SPECTRAL_NM%d" % nm for nm in bands),
         "END_DATA_FORMAT", "", "NUMBER_OF_SETS %d" % args.samples, "BEGIN_DATA"]
for i in range(args.samples):
    base = random.uniform(2, 90)
    slope = random.uniform(-0.1, 0.1)
    values = ("%.4f" % min(99.9, max(0.1, base + slope * (nm - 555) + random.gauss(0, 1))) for nm in bands)
    lines.append("%d\tpatch%d\t%s" % (i + 1, i + 1, "\t".join(values)))
lines.append("END_DATA")
with open(args.output, "w", newline="\n") as out:
    out.write("\n".join(lines) + "\n")
