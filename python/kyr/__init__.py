"""Kyr colour-data documents from Python: load, parse and save documents, reach every class and
member of the format, and compute on their colours as numpy arrays (kyr.colour)."""

import sys

from ._kyr import *  # noqa: F401,F403  the generated classes and the whole-document calls
from ._kyr import KyrError, __version__, colour  # noqa: F401

sys.modules[__name__ + ".colour"] = colour
