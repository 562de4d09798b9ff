"""Emits include/kyr/schema/classes/member_names.hpp: for every substitution-group holder
sg_X, the element names of its members in the order of its elmx_chosen values, so that code
naming the chosen member (the tool's listings, the CGATS export) keeps no copy of its own.
Constants only: nothing is compiled or exported for it."""

from cpp_header import NAMESPACE

PATH = "include/kyr/schema/classes/member_names.hpp"


def emit(schema, banner):
    out = [banner.rstrip("\n"),
           "// The element names of each substitution group's members; sg_X::ec_Y indexes them.",
           "#ifndef KYR_SCHEMA_CLASSES_MEMBER_NAMES_HPP", "#define KYR_SCHEMA_CLASSES_MEMBER_NAMES_HPP", "",
           "namespace %s {" % NAMESPACE, ""]
    for cls in schema.classes:
        if cls.kind != "holder":
            continue
        out.append("// %s" % cls.declaration)
        out.append("inline constexpr const char* %s_member_names[] = {" % cls.name)
        out.extend('    "%s",' % element for element, _ in cls.holder_members)
        out.extend(["};", ""])
    out.extend(["} // namespace %s" % NAMESPACE, "", "#endif", ""])
    return {PATH: "\n".join(out)}
