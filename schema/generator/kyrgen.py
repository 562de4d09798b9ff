#!/usr/bin/env python3
"""Generates the C++ classes of the Kyr schema.

    kyrgen.py SCHEMA OUTPUT_DIR            write the generated files
    kyrgen.py SCHEMA OUTPUT_DIR --list     print the files it would write
    kyrgen.py SCHEMA OUTPUT_DIR --python   the Python module's classes instead (with --list too)

Only files whose text changed are rewritten, so a schema edit recompiles
only the translation units it affects.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import emit_api  # noqa: E402
import emit_cpp  # noqa: E402
import emit_python  # noqa: E402
from model import Schema  # noqa: E402
from xsd_reader import SchemaError  # noqa: E402


def write_if_changed(path, text):
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            if f.read() == text:
                return False
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)
    return True


def main(argv):
    if len(argv) < 3:
        sys.stderr.write(__doc__)
        return 2
    schema_path, out_dir = argv[1], argv[2]
    try:
        schema = Schema(schema_path)
    except SchemaError as error:
        sys.stderr.write("kyrgen: %s\n" % error)
        return 1
    banner = emit_cpp.banner(os.path.basename(schema_path))
    if "--python" in argv[3:]:
        files = emit_python.emit(schema, banner)
    else:
        files = emit_cpp.emit(schema, os.path.basename(schema_path))
        files.update(emit_api.emit(schema, os.path.basename(schema_path), banner))
    if "--list" in argv[3:]:
        sys.stdout.write(";".join(sorted(files)))
        return 0
    for relative, text in sorted(files.items()):
        write_if_changed(os.path.join(out_dir, relative), text)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
