"""What one generated class becomes: the declarations of its header, the
definitions of its translation unit and its constant tables. The emitters
(cpp_body, cpp_frame, cpp_holder) fill a ClassCode; header() writes the class."""

import re

from cpp_names import c_string, header_path

NAMESPACE = "com_kyrandel_v2"
ERR = "lmx::elmx_error"
# A body that is the compiler's own: `C::C() = default;` out of line.
DEFAULT = "= default"
# Comments that head a member where its block does not say it.
NOTES = {"is_member": "Whether the current start tag is one of the members."}
# Every object of a class tree, however it is created, comes from the library's slab.
SLAB_OPERATORS = [
    "    static void* operator new(std::size_t size) { return kyr::schema::slab::allocate(size); }",
    "    static void* operator new(std::size_t size, const std::nothrow_t& n) noexcept",
    "    {",
    "        return kyr::schema::slab::allocate(size, n);",
    "    }",
    "    static void operator delete(void* object) noexcept { kyr::schema::slab::release(object); }",
    "    static void operator delete(void* object, const std::nothrow_t&) noexcept { kyr::schema::slab::release(object); }",
    "",
]


# Data members narrower than a pointer, by type; every other member is pointer-aligned.
NARROW = {"int": 4, "unsigned int": 4, "float": 4, "elmx_chosen": 4, "lmx::c_datetime": 4, "unsigned char": 1,
          "bool": 1}


def member_width(line):
    """The alignment of a data member declared on `line` (its type is what precedes the name)."""
    return NARROW.get(line.strip().rsplit(" m_", 1)[0], 8)


class ClassCode:
    def __init__(self, schema, cls, members):
        self.schema = schema
        self.cls = cls
        self.members = members      # the ClassMembers of cls
        self.prefix = schema.prefix
        self.public = []            # header lines of the public section
        self.protected = []         # the reading and writing hooks the frame calls
        self.private = []           # private declarations besides the data
        self.data = []              # data members, in declaration order
        self.defs = []              # definitions in the translation unit
        self.tables = []            # constants of the unit's anonymous namespace
        self.header_includes = set()
        self.source_includes = {header_path(cls)}
        self.forward = set()
        self.emitted_facets = set()

    # -- names and dependencies
    def qname(self, element):
        return c_string("%s:%s" % (self.prefix, element))

    def use_class(self, other, by_value):
        if other is self.cls:
            return
        if by_value:
            self.header_includes.add(header_path(other))
        else:
            self.forward.add(other.name)
        self.source_includes.add(header_path(other))

    def use_value(self, value):
        if value.kind == "datetime":
            self.header_includes.add("kyr/lmx/datetime.hpp")
        elif value.kind == "binary":
            self.header_includes.add("kyr/lmx/binary.hpp")
        elif value.enumerated and value.kind == "string":
            self.header_includes.add("kyr/schema/enum_text.hpp")

    # -- declarations and definitions
    def define(self, head, body):
        if body == DEFAULT:
            self.defs.extend(["%s = default;" % head, ""])
            return
        self.defs.extend([head, "{"])
        self.defs.extend("    " + line if line else "" for line in body)
        self.defs.extend(["}", ""])

    def member_blocks(self):
        """The member blocks in order, each opened in the public section by a blank line and its comment."""
        for index, block in enumerate(self.members.blocks):
            if index:
                self.public.append("")
            if block.comment:
                self.public.append("    // " + block.comment)
            yield block

    def declare(self, method, body, inline=False):
        """A public member: declared only (body None, defined elsewhere), inline in
        the class (a one-line body) or defined in the unit."""
        if method.family in NOTES:
            self.public.append("    // " + NOTES[method.family])
        if method.static_variable:
            self.public.append("    static const char* %s;" % method.name)
            self.defs.extend(["const char* %s::%s = %s;" % (self.cls.name, method.name, c_string(self.cls.name)), ""])
            return
        prefix = ("static " if method.static else "") + ("virtual " if method.virtual == "virtual" else "")
        suffix = (" const" if method.const else "") + (" override" if method.virtual == "override" else "")
        text = " ".join(body) if isinstance(body, list) else ""
        unused = [n for _, n in method.params if body != DEFAULT and not re.search(r"\b%s\b" % n, text)]
        if body is None:
            self.public.append("    %s%s%s;" % (prefix, method.signature(), suffix))
        elif inline:
            self.public.append("    %s%s%s { %s }" % (prefix, method.signature(unnamed=unused), suffix, text)
                               if body else "    %s%s%s {}" % (prefix, method.signature(unnamed=unused), suffix))
        else:
            self.public.append("    %s%s%s;" % (prefix, method.signature(), suffix))
            self.define(method.signature(self.cls.name, unused) + (" const" if method.const else ""), body)

    def hook(self, declaration, body, inline=False):
        """A protected hook of the frame; `declaration` names its parameters."""
        if inline:
            self.protected.append("    %s { %s }" % (declaration, " ".join(body)) if body else
                                  "    %s {}" % declaration)
            return
        self.protected.append("    %s;" % declaration)
        result, rest = declaration.split(" ", 1)
        self.define("%s %s::%s" % (result, self.cls.name, rest), body)

    # -- the header
    def header(self, banner_text):
        cls = self.cls
        guard = "KYR_SCHEMA_CLASSES_%s_HPP" % cls.name.upper()
        out = [banner_text.rstrip("\n"), "#ifndef " + guard, "#define " + guard, "",
               "#include <kyr/schema/class_support.hpp>"]
        out.extend("#include <%s>" % include for include in sorted(self.header_includes))
        out.extend(["", "namespace %s {" % NAMESPACE, ""])
        out.extend("class %s;" % name for name in sorted(self.forward))
        if self.forward:
            out.append("")
        out.append("// " + cls.declaration)
        out.append("class KYR_API %s%s" % (cls.name, (" : public " + cls.base.name) if cls.base else ""))
        out.extend(["{", "public:"])
        if not cls.base:
            out.extend(SLAB_OPERATORS)
        out.extend(self.public)
        if self.protected:
            out.extend(["", "protected:"])
            out.extend(self.protected)
        out.extend(["", "private:", "    friend struct kyr::schema::frame;"])
        out.extend(self.private)
        if self.data:
            # Wider members first and the flags last, so that no narrow member pads a wide one.
            out.append("")
            out.extend(sorted(self.data, key=member_width, reverse=True))
        out.extend(["};", "", "} // namespace %s" % NAMESPACE, "", "#endif"])
        return "\n".join(out) + "\n"

    def enums(self):
        for name, values in self.members.enums:
            self.public.extend(["    enum %s" % name, "    {"])
            for index, (enumerator, number) in enumerate(values):
                last = name == "elmx_chosen" and index == len(values) - 1
                self.public.append("        %s = %d%s" % (enumerator, number, "" if last else ","))
            self.public.append("    };")
        if self.members.enums:
            self.public.append("")
