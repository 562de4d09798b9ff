#!/usr/bin/env python3
"""Writes the W3C conformance suite documents the strict reader is measured on.

Usage: w3c_selection.py SUITE_DIR > tests/data/w3c/selection.txt

SUITE_DIR holds the unpacked xmlconf/ folder. The selection: XML 1.0 and Namespaces 1.0 tests
of the fifth edition that need no external entities and use names as namespaces allow; each line
is the document's path and "wf" (valid or invalid: a well-formed document) or "not-wf".
"""
import os
import re
import sys

RECOMMENDATIONS = {"XML1.0", "NS1.0", "XML1.0-errata2e", "XML1.0-errata3e", "XML1.0-errata4e", "NS1.0-errata1e"}


def catalogues(root):
    """Every catalogue the suite's index includes, relative to xmlconf/. Documents are named
    relative to their catalogue's folder (the index's xml:base of one of them is wrong)."""
    text = open(os.path.join(root, "xmlconf", "xmlconf.xml"), encoding="utf-8").read()
    return re.findall(r'<!ENTITY\s+[\w.-]+\s+SYSTEM\s+"([^"]+)"', text)


def selected(test):
    if test.get("ENTITIES", "none") != "none" or test.get("NAMESPACE", "yes") == "no":
        return False
    if test.get("RECOMMENDATION", "XML1.0") not in RECOMMENDATIONS:
        return False
    if "1.0" not in test.get("VERSION", "1.0").split():
        return False
    if "5" not in test.get("EDITION", "5").split():
        return False
    return test.get("TYPE") in ("valid", "invalid", "not-wf")


def main():
    root = sys.argv[1]
    rows = {}
    for catalogue in catalogues(root):
        base = os.path.dirname(catalogue)
        # Some catalogues are fragments with several top elements: only the start tags matter.
        text = open(os.path.join(root, "xmlconf", catalogue), encoding="utf-8", errors="replace").read()
        for tag in re.findall(r"<TEST\s([^>]*)>", text):
            test = dict(re.findall(r'([\w:]+)\s*=\s*["\']([^"\']*)["\']', tag))
            if selected(test):
                path = os.path.normpath(os.path.join("xmlconf", base, test.get("URI")))
                rows[path] = "not-wf" if test.get("TYPE") == "not-wf" else "wf"
    for path in sorted(rows):
        print("%s\t%s" % (path, rows[path]))


if __name__ == "__main__":
    main()
