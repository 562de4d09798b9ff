#!/usr/bin/env python3
"""Loads a corpus document from Python through kyr, and parses it with lxml and walks its
numbers (every L*a*b* triple and reflectance point as floats), in one run; prints the best of
several runs of each, in wall-clock and in processor time (steadier on a busy machine), and
their ratios.

    PYTHONPATH=build/release/python /usr/bin/python3 bench/python_load.py CORPUS.kyr [RUNS]
"""
import sys
import time

import kyr
from lxml import etree

NS = "{http://kyr-format.org/v2}"


def with_kyr(path):
    document = kyr.load(path)
    return document.lab_array(), document.spectra()


def with_lxml(path):
    root = etree.parse(path).getroot()
    labs, spectra = [], []
    for colour in root.iter(NS + "Color"):
        for lab in colour.iter(NS + "ColorSpaceCIELab"):
            labs.append([float(lab.findtext(NS + axis)) for axis in ("L", "A", "B")])
        for spectral in colour.iter(NS + "ColorSpaceSpectral"):
            spectra.append([(float(p.get("Wavelength")), float(p.text)) for p in spectral.iter(NS + "ReflectancePoint")])
    return labs, spectra


def best(work, path, runs):
    wall, cpu = [], []
    for _ in range(runs):
        start, start_cpu = time.perf_counter(), time.process_time()
        work(path)
        wall.append(time.perf_counter() - start)
        cpu.append(time.process_time() - start_cpu)
    return min(wall), min(cpu)


def main(path, runs=5):
    labs, (wavelengths, reflectances) = with_kyr(path)
    lxml_labs, lxml_spectra = with_lxml(path)
    assert len(labs) == len(lxml_labs) and reflectances.shape[0] == len(lxml_spectra)
    kyr_time, lxml_time = best(with_kyr, path, runs), best(with_lxml, path, runs)
    print(f"{len(labs)} colours, {reflectances.size} reflectance points; best of {runs} (wall ms, cpu ms)")
    print(f"kyr.load + arrays:          {kyr_time[0] * 1000:8.1f} {kyr_time[1] * 1000:8.1f}")
    print(f"lxml parse + walk numbers:  {lxml_time[0] * 1000:8.1f} {lxml_time[1] * 1000:8.1f}")
    print(f"kyr / lxml:                 {kyr_time[0] / lxml_time[0]:8.2f} {kyr_time[1] / lxml_time[1]:8.2f}")


if __name__ == "__main__":
    main(sys.argv[1], *(int(a) for a in sys.argv[2:3]))
