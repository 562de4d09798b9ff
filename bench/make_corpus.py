#!/usr/bin/env python3
"""Writes a valid Kyr document of roughly the requested size for the benchmarks.

Each colour carries a change history, an L*a*b* value with its tristimulus
specification and a spectral value with 36 reflectance points (380 to 730 nm).
With --palette the colours are grouped into colour sets of one palette instead.
With --shape rich the document repeats the records of examples/rich-sample.kyr
instead: every colour-space kind, measurement conditions in full, quality-control
records with several measurements, custom attributes, palettes and colour sets,
with names that carry non-ASCII characters and character and entity references,
and a comment before each copy.
The values are deterministic, so every run measures the same bytes.
"""
import argparse
import math
import os
import re
import sys

RICH_SAMPLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "examples", "rich-sample.kyr")

HEADER = """<?xml version="1.0" encoding="UTF-8"?>
<Kyr:Kyr xmlns:Kyr="http://kyr-format.org/v2" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
\t<Kyr:Preamble>
\t\t<Kyr:Header>
\t\t\t<Kyr:Creator>Kyr benchmark corpus</Kyr:Creator>
\t\t\t<Kyr:CreatorVersion>1.0</Kyr:CreatorVersion>
\t\t\t<Kyr:ChangeHistory>2026-12-05T18:00:00Z</Kyr:ChangeHistory>
\t\t\t<Kyr:Purpose>Load and save throughput measurements</Kyr:Purpose>
\t\t</Kyr:Header>
\t</Kyr:Preamble>
"""

CONDITIONS = """{t}\t\t<Kyr:DeviceFilter>Filter_None</Kyr:DeviceFilter>
{t}\t\t<Kyr:DevicePolarization>false</Kyr:DevicePolarization>
{t}\t\t<Kyr:ChangeHistory>2026-12-05T18:00:00Z</Kyr:ChangeHistory>
{t}\t\t<Kyr:Spectrum>Spectrum_Reflectance</Kyr:Spectrum>
"""


def colour(index, indent):
    t = "\t" * indent
    lab_l = 20 + (index * 7919) % 7000 / 100
    lab_a = -60 + (index * 104729) % 12000 / 100
    lab_b = -60 + (index * 1299709) % 12000 / 100
    conditions = CONDITIONS.format(t=t)
    out = [
        f'{t}<Kyr:Color ColorName="Colour {index}" ColorNumber="C-{index}">\n',
        f"{t}\t<Kyr:ChangeHistory>2026-12-05T18:00:00Z</Kyr:ChangeHistory>\n",
        f"{t}\t<Kyr:ColorSpaceCIELab>\n",
        f"{t}\t\t<Kyr:ChangeHistory>2026-12-05T18:00:00Z</Kyr:ChangeHistory>\n",
        f"{t}\t\t<Kyr:ColorSpaceSpecificationSpectrumTristimulus>\n",
        conditions.replace("\t\t<", "\t\t\t<"),
        f"{t}\t\t\t<Kyr:IlluminationOptions>\n",
        f"{t}\t\t\t\t<Kyr:Illuminant>Illuminant_D50</Kyr:Illuminant>\n",
        f"{t}\t\t\t</Kyr:IlluminationOptions>\n",
        f"{t}\t\t\t<Kyr:FieldOfView>FieldOfView_2_Degree</Kyr:FieldOfView>\n",
        f"{t}\t\t</Kyr:ColorSpaceSpecificationSpectrumTristimulus>\n",
        f"{t}\t\t<Kyr:L>{lab_l:.2f}</Kyr:L>\n",
        f"{t}\t\t<Kyr:A>{lab_a:.2f}</Kyr:A>\n",
        f"{t}\t\t<Kyr:B>{lab_b:.2f}</Kyr:B>\n",
        f"{t}\t</Kyr:ColorSpaceCIELab>\n",
        f"{t}\t<Kyr:ColorSpaceSpectral>\n",
        f"{t}\t\t<Kyr:ChangeHistory>2026-12-05T18:00:00Z</Kyr:ChangeHistory>\n",
        f"{t}\t\t<Kyr:ColorSpaceSpecificationSpectrumSpectral>\n",
        conditions.replace("\t\t<", "\t\t\t<"),
        f"{t}\t\t\t<Kyr:GeometryChoice>\n",
        f"{t}\t\t\t\t<Kyr:SphereGeometry>Sphere_Included</Kyr:SphereGeometry>\n",
        f"{t}\t\t\t</Kyr:GeometryChoice>\n",
        f"{t}\t\t</Kyr:ColorSpaceSpecificationSpectrumSpectral>\n",
    ]
    for point in range(36):
        wavelength = 380 + 10 * point
        value = 0.5 + 0.45 * math.sin(index * 0.37 + point * 0.21)
        out.append(f'{t}\t\t<Kyr:ReflectancePoint Wavelength="{wavelength}">{value:.4f}</Kyr:ReflectancePoint>\n')
    out.append(f"{t}\t</Kyr:ColorSpaceSpectral>\n")
    out.append(f"{t}</Kyr:Color>\n")
    return "".join(out)


def write_corpus(stream, target_bytes, palette, set_size):
    written = stream.write(HEADER)
    index = 0
    if palette:
        written += stream.write('\t<Kyr:Palette PaletteName="Benchmark palette">\n'
                                "\t\t<Kyr:ChangeHistory>2026-12-05T18:00:00Z</Kyr:ChangeHistory>\n")
    while written < target_bytes:
        if palette:
            written += stream.write(f'\t\t<Kyr:ColorSet ColorSetName="Set {index // set_size}">\n'
                                    "\t\t\t<Kyr:ChangeHistory>2026-12-05T18:00:00Z</Kyr:ChangeHistory>\n")
            for _ in range(set_size):
                written += stream.write(colour(index, 3))
                index += 1
            written += stream.write("\t\t</Kyr:ColorSet>\n")
        else:
            written += stream.write(colour(index, 1))
            index += 1
    if palette:
        stream.write("\t</Kyr:Palette>\n")
    stream.write("</Kyr:Kyr>\n")
    return index


def rich_records():
    """The colours, palettes and quality-control records of the rich sample, in three parts."""
    with open(RICH_SAMPLE, encoding="utf-8") as sample:
        text = sample.read()
    starts = [text.index(tag) for tag in ("\t<Kyr:Color ", "\t<Kyr:Palette ", "\t<Kyr:ColorQualityControl")]
    ends = starts[1:] + [text.rindex("</Kyr:Kyr>")]
    return [text[start:end] for start, end in zip(starts, ends)]


def rich_copy(records, index):
    # Every copy names its records apart; the names mix UTF-8 text with the same
    # characters written as references, so the reader's slower paths get their share.
    copy = re.sub(r'UniqueID="([^"]*)"', rf'UniqueID="\1-{index}"', records)
    copy = re.sub(r'(ColorName|ColorSetName|PaletteName)="([^"]*)"',
                  rf'\1="\2 · Teinte n°{index} &#233;t&#xE9; &amp; «grün»"', copy)
    return f"\t<!-- copy {index} -->\n" + copy


def write_rich_corpus(stream, target_bytes):
    # The document's sequence wants every colour first, then the palettes, then the
    # quality-control records, so the parts of all copies are written in that order.
    parts = rich_records()
    copies = max(1, math.ceil((target_bytes - len(HEADER)) / len("".join(parts).encode("utf-8"))))
    stream.write(HEADER)
    for part in parts:
        for index in range(copies):
            stream.write(rich_copy(part, index))
    stream.write("</Kyr:Kyr>\n")
    return copies


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--megabytes", type=float, required=True, help="approximate size of the document")
    parser.add_argument("--shape", choices=("lab-spectrum", "rich"), default="lab-spectrum",
                        help="what every colour carries (see above)")
    parser.add_argument("--palette", action="store_true", help="group the colours into colour sets of a palette")
    parser.add_argument("--set-size", type=int, default=50, help="colours per colour set with --palette")
    parser.add_argument("-o", "--output", required=True, help="file to write")
    args = parser.parse_args()
    with open(args.output, "w", encoding="utf-8", newline="\n") as stream:
        target = int(args.megabytes * 1_000_000)
        if args.shape == "rich":
            count = write_rich_corpus(stream, target)
        else:
            count = write_corpus(stream, target, args.palette, args.set_size)
    unit = "copies of the rich records" if args.shape == "rich" else "colours"
    print(f"{args.output}: {count} {unit}", file=sys.stderr)


if __name__ == "__main__":
    main()
