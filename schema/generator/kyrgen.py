#!/usr/bin/env python3
"""Generates code from the Kyr schema: one model, several back-ends.

    kyrgen.py SCHEMA OUTPUT_DIR [--list]                   the C++ classes and the kyr:: handles
    kyrgen.py SCHEMA OUTPUT_DIR --flat DEF_FILE [--list]   the flat export layer and the C# proxies
    kyrgen.py SCHEMA OUTPUT_DIR --python [--list]          the Python module's classes and stubs

The schema is read into the binding model (model.py) and the member model
(members.py) once; the back-ends turn them into files. With --list the driver
prints the files a build compiles instead of writing. Only files whose text
changed are rewritten, so a schema edit recompiles only what it affects.
"""

import os
import sys

sys.dont_write_bytecode = True  # keep the source tree free of caches
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import emit_api  # noqa: E402
import emit_cpp  # noqa: E402
import emit_member_names  # noqa: E402
import emit_python  # noqa: E402
from members import ClassMembers  # noqa: E402
from model import Schema  # noqa: E402
from xsd_reader import SchemaError  # noqa: E402


def write_if_changed(path, text):
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            if f.read() == text:
                return False
    os.makedirs(os.path.dirname(path) or ".", exist_ok=True)
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)
    return True


def classes_backend(schema, class_members, schema_name):
    files = emit_cpp.emit(schema, class_members, schema_name)
    files.update(emit_api.emit(schema, schema_name, emit_cpp.banner(schema_name)))
    files.update(emit_member_names.emit(schema, emit_cpp.banner(schema_name)))
    return files, sorted(files)


def python_backend(schema, class_members, schema_name):
    files = emit_python.emit(schema, emit_cpp.banner(schema_name))
    return files, sorted(files)


def flat_backend(def_file):
    sys.path.insert(0, os.path.join(HERE, "..", "..", "interop"))
    import flat_backend as flat

    def run(schema, class_members, schema_name):
        try:
            return flat.emit(schema, class_members, schema_name, def_file)
        except flat.Error as error:
            raise SchemaError(str(error))
    return run


def main(argv):
    args = [a for a in argv[1:] if a != "--list"]
    backend = classes_backend
    if len(args) == 3 and args[2] == "--python":
        backend = python_backend
        args.pop()
    elif len(args) == 4 and args[2] == "--flat":
        backend = flat_backend(args.pop())
        args.pop()
    if len(args) != 2:
        sys.stderr.write(__doc__)
        return 2
    schema_path, out_dir = args
    schema_name = os.path.basename(schema_path)
    try:
        schema = Schema(schema_path)
        files, sources = backend(schema, [ClassMembers(cls) for cls in schema.classes], schema_name)
    except SchemaError as error:
        sys.stderr.write("kyrgen: %s\n" % error)
        return 1
    if "--list" in argv[1:]:
        sys.stdout.write(";".join(sources))
        return 0
    for relative, text in sorted(files.items()):
        write_if_changed(os.path.join(out_dir, relative), text)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
