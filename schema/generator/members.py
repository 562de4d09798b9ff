"""The public members of every generated class, in the order the class declares
them: each with its family (what it does), its C++ signature, the schema member it
serves and its overload number. The C++ class emitter writes these declarations
and gives them bodies; the flat export layer wraps them. Neither restates which
accessors a kind of schema member has: that is decided here, once.
"""

from cpp_names import chosen, enum_type, enumerators
from model import Member

ERROR = "lmx::elmx_error"


class Type:
    """A parameter or result type as the class spells it, with what it is:

    void, bool, int, size, error           the plain C++ types (error: lmx::elmx_error)
    value                                  const T& of a value type (target: its ValueType)
    enum, chosen                           the class's own enumerations (target: the enum's name)
    cref, ref, ptr                         const C&, C&, C* of a generated class (target: its ClassModel)
    text, wtext, chars, identity           const std::string&, const std::wstring&, const char*
                                           (identity: a type id compared by address)
    document_result                        the result of writeString
    reader, writer, ostream, text_out,     what only the library itself passes: the XML reader and
    name_out, error_out, ns_map,           writer, a stream, out pointers, the namespace table, the
    items_out                              names of missing items
    """

    def __init__(self, form, spelling, target=None):
        self.form = form
        self.spelling = spelling
        self.target = target


VOID = Type("void", "void")
BOOL = Type("bool", "bool")
INT = Type("int", "int")
SIZE = Type("size", "size_t")
ERR = Type("error", ERROR)
TEXT = Type("text", "const std::string&")
WTEXT = Type("wtext", "const std::wstring&")
CHARS = Type("chars", "const char*")
ITEMS_OUT = Type("items_out", "std::vector<const char*>&")
FILE_NAME = Type("chars", "const char* const")
IDENTITY = Type("identity", "const char*")
READER = Type("reader", "lmx::c_xml_reader&")
WRITER = Type("writer", "lmx::c_xml_writer&")
OSTREAM = Type("ostream", "std::ostream&")
TEXT_OUT = Type("text_out", "std::string*")
NAME_OUT = Type("name_out", "std::string*")
ERROR_OUT = Type("error_out", ERROR + "*")
NS_MAP = Type("ns_map", "const lmx::s_ns_map*")
DOCUMENT_RESULT = Type("document_result", "XMLDocumentResult")
# Forms only the library passes: members taking one are not for outside callers.
INTERNAL_FORMS = ("reader", "writer", "ostream", "text_out", "name_out", "error_out", "items_out")


def value(v):
    return Type("value", "const %s&" % v.cpp, v)


def cref(cls):
    return Type("cref", "const %s&" % cls.name, cls)


def ref(cls):
    return Type("ref", "%s&" % cls.name, cls)


def ptr(cls):
    return Type("ptr", "%s*" % cls.name, cls)


def own_enum(name):
    return Type("enum", name, name)


CHOSEN = Type("chosen", "elmx_chosen", "elmx_chosen")


class Method:
    """One member function (or, with static_variable, the class's static id)."""

    def __init__(self, family, name, result, params=(), const=False, static=False, member=None):
        self.family = family        # what it does: get, set, append, ctor, marshal_file ...
        self.name = name            # C++ name; the class name for constructors, ~C for the destructor
        self.result = result        # Type, None for constructors and the destructor
        self.params = list(params)  # (Type, parameter name)
        self.const = const
        self.static = static
        self.virtual = None         # None, "virtual" or "override"
        self.member = member        # the schema Member (or holder member's element name) served
        self.overload = 0           # index among the class's members of the same name
        self.static_variable = False

    @property
    def is_constructor(self):
        return self.result is None and not self.name.startswith("~")

    @property
    def internal(self):
        """Whether only the library calls it (it takes the reader, the writer or an out pointer)."""
        return any(t.form in INTERNAL_FORMS for t, _ in self.params) or self.family in ("assign_op", "ns_map", "missing_items")

    def signature(self, cls_name=None, unnamed=()):
        """The declaration without qualifiers, or (given the class name) the definition's head;
        parameters in `unnamed` are left without their names."""
        params = ", ".join(t.spelling if n in unnamed else "%s %s" % (t.spelling, n) for t, n in self.params)
        name = self.name if cls_name is None else "%s::%s" % (cls_name, self.name)
        if self.result is None:
            return "%s(%s)" % (name, params)
        result = self.result.spelling
        if cls_name is not None and self.result.form in ("enum", "chosen"):
            result = "%s::%s" % (cls_name, result)
        return "%s %s(%s)" % (result, name, params)


class Block:
    """Members declared together, under a comment (the schema declaration they come from)."""

    def __init__(self, comment=None, kind="members"):
        self.comment = comment
        self.kind = kind            # lifecycle, frame, entry, document, members
        self.methods = []


class ClassMembers:
    """The enumerations and the public members of one generated class."""

    def __init__(self, cls):
        self.cls = cls
        self.enums = []             # (name, [(enumerator, value)])
        self.blocks = []
        self._build()
        numbers = {}
        for method in self.methods:
            method.overload = numbers.get(method.name, 0)
            numbers[method.name] = method.overload + 1

    @property
    def methods(self):
        return [m for block in self.blocks for m in block.methods]

    def block(self, comment=None, kind="members"):
        self.blocks.append(Block(comment, kind))
        return self.blocks[-1]

    def add(self, *args, **kwargs):
        method = Method(*args, **kwargs)
        self.blocks[-1].methods.append(method)
        return method

    # -- the kinds of class
    def _build(self):
        cls = self.cls
        if cls.kind == "holder":
            self._holder()
            return
        if cls.element_of is not None:
            self._lifecycle()
            self._entry_points()
            return
        self._enums()
        self._lifecycle()
        self._frame()
        if cls.is_element_class:
            self._entry_points()
        if cls.document:
            self._document()
        self._accessors()

    def _enums(self):
        cls = self.cls
        for member in cls.attributes + cls.particles + cls.choice_members:
            if member.value is not None and member.value.enumerated:
                self.enums.append(enumeration(enum_type(member), member))
        if cls.kind == "simple" and cls.value.enumerated:
            self.enums.append(enumeration("Eenum_" + cls.name, simple_member(cls)))
        if cls.is_compositor():
            self.enums.append(chosen_enum([m.name for m in cls.choice_members], len(cls.choice_members)))

    def _lifecycle(self):
        cls = self.cls
        base = cls.base is not None
        poly = cls.polymorphic
        self.block(kind="lifecycle")
        self.add("ctor", cls.name, None)
        self.add("copy", cls.name, None, [(cref(cls), "other")])
        self.add("assign_op", "operator=", ref(cls), [(cref(cls), "other")])
        if poly:
            self.add("clone", "clone", ptr(cls), const=True).virtual = "override" if base else "virtual"
        dtor = self.add("dtor", "~" + cls.name, None)
        if cls.element_of is None or poly:
            dtor.virtual = "override" if base else "virtual"
        self.add("swap", "swap", VOID, [(ref(cls), "other")])
        self.add("reset", "reset", VOID)
        if poly and cls.element_of is None:
            identity = self.add("id", "id", IDENTITY, static=True)
            identity.static_variable = True
            self.add("getid", "getid", CHARS, const=True).virtual = \
                "override" if base else "virtual"
            self.add("has_id", "has_id", BOOL, [(IDENTITY, "type_id")], const=True).virtual = \
                "override" if base else "virtual"
            if cls.has_factory:
                self.add("factory", "factory", ptr(cls), [(INT, "ns_id"), (TEXT, "type_name")], static=True)

    def _frame(self):
        cls = self.cls
        self.block(kind="frame")
        self.add("is_occurs_ok", "is_occurs_ok", BOOL, const=True)
        if cls.kind == "inline":
            self._compositor_frame()
            return
        # Appends the schema names of the mandatory items is_occurs_ok misses.
        self.add("missing_items", "missing_items", VOID, [(ITEMS_OUT, "out")], const=True)
        virtual = ("override" if cls.base else "virtual") if cls.polymorphic else None
        self.add("marshal_element", "marshal", ERR, [(WRITER, "writer"), (CHARS, "name")], const=True).virtual = virtual
        self.add("unmarshal_element", "unmarshal", ERR, [(READER, "reader"), (TEXT, "name")]).virtual = virtual

    def _compositor_frame(self):
        self.add("is_member", "is_member", BOOL, [(READER, "reader"), (TEXT, "name")], static=True)
        self.add("unmarshal_compositor", "unmarshal", BOOL,
                 [(READER, "reader"), (NAME_OUT, "name"), (ERROR_OUT, "error")])
        self.add("marshal_compositor", "marshal", ERR, [(WRITER, "writer")], const=True)

    def _entry_points(self):
        cls = self.cls
        self.block("The document entry points of the global element %s." % cls.element_name, "entry")
        self.add("ns_map", "ns_map", NS_MAP, static=True)
        self.add("ctor_text", cls.name, None, [(TEXT, "text"), (ERROR_OUT, "error")])
        self.add("ctor_buffer", cls.name, None, [(CHARS, "buffer"), (SIZE, "length"), (ERROR_OUT, "error")])
        self.add("ctor_file", cls.name, None, [(FILE_NAME, "file_name"), (ERROR_OUT, "error")])
        self.add("unmarshal_document", "unmarshal", ERR, [(READER, "reader")])
        self.add("unmarshal_text", "unmarshal", ERR, [(TEXT, "text")])
        self.add("unmarshal_buffer", "unmarshal", ERR, [(CHARS, "buffer"), (SIZE, "length")])
        self.add("unmarshal_file", "unmarshal", ERR, [(FILE_NAME, "file_name")])
        self.add("marshal_stream", "marshal", ERR, [(OSTREAM, "os")], const=True)
        self.add("marshal_string", "marshal", ERR, [(TEXT_OUT, "text")], const=True)
        self.add("marshal_file", "marshal", ERR, [(CHARS, "file_name")], const=True)

    def _document(self):
        self.block("Whole-document files and strings (.kyr and .kyrz), defined with the document I/O.",
                   "document")
        self.add("load_file", "loadFile", ERR, [(WTEXT, "path")])
        self.add("load_string", "loadString", ERR, [(WTEXT, "xml")])
        self.add("write_file", "writeFile", ERR, [(WTEXT, "path")])
        self.add("write_string", "writeString", DOCUMENT_RESULT)

    # -- accessors
    def _accessors(self):
        cls = self.cls
        if cls.kind == "simple":
            member = simple_member(cls)
            self.block("The element's text content.")
            self.add("get", "get_" + cls.name, value(cls.value), const=True, member=member)
            self.add("set", "set_" + cls.name, ERR, [(value(cls.value), "value")], member=member)
            if cls.value.enumerated:
                self._enum_accessors(member, "Eenum_" + cls.name)
            if cls.nillable:
                self._nil()
        elif cls.nillable:
            self.block('nillable="true"')
            self._nil()
        if cls.is_compositor():
            self.block()
            self.add("getchosen", "getchosen", CHOSEN, const=True)
            self.add("release_choice", "release_choice", VOID)
            for m in cls.choice_members:
                self.block(m.declaration)
                if m.kind == "value":
                    self.add("get", "get_" + m.name, value(m.value), const=True, member=m)
                    self.add("set", "set_" + m.name, ERR, [(value(m.value), "value")], member=m)
                    if m.value.enumerated:
                        self._enum_accessors(m, enum_type(m))
                else:
                    self.add("get", "get_" + m.name, cref(m.cls), const=True, member=m)
                    self.add("assign", "assign_" + m.name, ref(m.cls), [(cref(m.cls), "value")], member=m)
        for m in cls.attributes + cls.particles:
            self.block(m.declaration)
            if m.kind == "any":
                self._wildcard(m)
            elif m.kind in ("attribute", "value") and not m.repeated:
                self._single_value(m)
            elif m.kind == "value":
                self._value_list(m)
            elif m.repeated:
                self._child_list(m)
            else:
                self._single_child(m)

    def _nil(self):
        name = self.cls.name
        self.add("isnil", "isnil_" + name, BOOL, const=True)
        self.add("setnil", "setnil_" + name, VOID)

    def _enum_accessors(self, m, enum):
        self.add("getenum", "getenum_" + m.name, own_enum(enum), const=True, member=m)
        self.add("setenum", "setenum_" + m.name, BOOL, [(own_enum(enum), "value")], member=m)

    def _presence(self, m):
        self.add("isset", "isset_" + m.name, BOOL, const=True, member=m)
        self.add("unset", "unset_" + m.name, VOID, member=m)

    def _single_value(self, m):
        self.add("get", "get_" + m.name, value(m.value), const=True, member=m)
        self.add("set", "set_" + m.name, ERR, [(value(m.value), "value")], member=m)
        if (m.kind == "attribute" and not m.required) or (m.kind == "value" and m.min == 0):
            self._presence(m)
        if m.value.enumerated:
            self._enum_accessors(m, enum_type(m))

    def _value_list(self, m):
        x, v = m.name, value(m.value)
        self.add("get_at", "get_" + x, v, [(SIZE, "index")], const=True, member=m)
        self.add("set_at", "set_" + x, ERR, [(SIZE, "index"), (v, "value")], member=m)
        self.add("append_value", "append_" + x, ERR, [(v, "value")], member=m)
        self.add("insert_value", "insert_" + x, ERR, [(SIZE, "index"), (v, "value")], member=m)
        self._list_common(m)

    def _list_common(self, m):
        self.add("delete", "delete_" + m.name, VOID, [(SIZE, "index")], member=m)
        self.add("clear", "clear_" + m.name, VOID, member=m)
        self.add("size", "size_" + m.name, SIZE, const=True, member=m)

    def _single_child(self, m):
        t = m.cls
        self.add("get", "get_" + m.name, cref(t), const=True, member=m)
        self.add("get_mutable", "get_" + m.name, ref(t), member=m)
        self.add("assign", "assign_" + m.name, ref(t), [(cref(t), "value")], member=m)
        if m.optional:
            self._presence(m)

    def _child_list(self, m):
        t = m.cls
        self.add("get_at", "get_" + m.name, cref(t), [(SIZE, "index")], const=True, member=m)
        self.add("get_at_mutable", "get_" + m.name, ref(t), [(SIZE, "index")], member=m)
        self.add("assign_at", "assign_" + m.name, ref(t), [(SIZE, "index"), (cref(t), "value")], member=m)
        self.add("append_child", "append_" + m.name, ERR, member=m)
        self.add("insert_child", "insert_" + m.name, ERR, [(SIZE, "index")], member=m)
        self._list_common(m)
        self.add("back", "back_" + m.name, ref(t), member=m)

    def _wildcard(self, m):
        self.add("get_any", "get_any", VOID, [(SIZE, "index"), (TEXT_OUT, "namespace_uri"), (TEXT_OUT, "name"),
                                             (TEXT_OUT, "xml")], const=True, member=m)
        self.add("append_any", "append_any", ERR, [(TEXT, "xml")], member=m)
        self.add("insert_any", "insert_any", ERR, [(SIZE, "index"), (TEXT, "xml")], member=m)
        self._list_common(m)

    # -- holders
    def _holder(self):
        cls = self.cls
        names = [n for n, _ in cls.holder_members]
        self.enums.append(chosen_enum(names, len(names) + 1))
        self.block(kind="lifecycle")
        self.add("ctor", cls.name, None)
        self.add("copy", cls.name, None, [(cref(cls), "other")])
        self.add("assign_op", "operator=", ref(cls), [(cref(cls), "other")])
        self.add("dtor", "~" + cls.name, None).virtual = "virtual"
        self.add("swap", "swap", VOID, [(ref(cls), "other")])
        self.add("reset", "reset", VOID)
        self.add("is_occurs_ok", "is_occurs_ok", BOOL, const=True)
        self._compositor_frame()
        self.block()
        self.add("getchosen", "getchosen", CHOSEN, const=True)
        self.add("release_choice", "release_choice", VOID)
        for element, declared in cls.holder_members:
            self.block('<xs:element ref="%s"/>' % element)
            self.add("get", "get_" + element, cref(declared), const=True, member=element)
            self.add("get_mutable", "get_" + element, ref(declared), member=element)
            self.add("assign", "assign_" + element, ref(declared), [(cref(declared), "value")], member=element)


def enumeration(name, member):
    return (name, [(name + "_none", 0)] + enumerators(member))


def chosen_enum(names, none):
    return ("elmx_chosen", [(chosen(n), i) for i, n in enumerate(names)] + [(chosen("none"), none)])


def simple_member(cls):
    """The text content of a simple-content class, seen as a member named after the class."""
    member = Member("value", cls.name, cls.declaration)
    member.value = cls.value
    return member
