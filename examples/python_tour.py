#!/usr/bin/env python3
# %% [markdown]
# # Kyr from Python
# Run from the top of the source tree with the module on the path:
# `PYTHONPATH=build/release/python /usr/bin/python3 examples/python_tour.py`

# %%
import os
import sys

import kyr
import kyr.colour

here = os.path.dirname(os.path.abspath(__file__))
book = kyr.load(os.path.join(here, "swatches.kyr"))
print(book.preamble.header.name, "-", len(book.colours), "colours")
for name, (L, a, b) in zip(book.names(), book.lab_array()):
    print(f"  {name:16} L*={L:6.2f} a*={a:7.2f} b*={b:7.2f}")

# %% [markdown]
# ## ΔE00 between two documents, colour by colour

# %%
data = os.path.join(here, "..", "tests", "data", "colour")
first, second = kyr.load(os.path.join(data, "diff_a.kyr")), kyr.load(os.path.join(data, "diff_b.kyr"))
count = min(len(first.colours), len(second.colours))
differences = kyr.colour.delta_e2000(first.lab_array()[:count], second.lab_array()[:count])
for name, de in zip(first.names(), differences):
    print(f"  {name:16} ΔE00 = {de:.3f}")

# %% [markdown]
# ## The spectra, plotted when matplotlib is installed

# %%
wavelengths, reflectances = book.spectra()
try:
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
except ImportError:
    print("matplotlib is not installed: no plot")
    sys.exit(0)
for name, row in zip(book.names(), reflectances):
    if not (row != row).all():  # colours without a spectrum are rows of NaN
        plt.plot(wavelengths, row, label=name)
plt.xlabel("wavelength (nm)")
plt.ylabel("reflectance factor")
plt.legend()
plt.savefig("swatch_spectra.png")
print("wrote swatch_spectra.png")
