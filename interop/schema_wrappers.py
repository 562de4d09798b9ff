"""The flat exports of the schema classes, walked from the binding model that
the class generator builds, so they follow the classes' accessor families.

Not wrapped: members taking the reader, the writer or a std::ostream (managed
callers read and write whole documents), the element classes' constructors
with an elmx_error* out value and marshal(std::string*) (a managed caller
cannot own a std::string), get_any (three std::string out values; the
wildcard texts are reached as c_any_info values instead), operator= (C#
assigns handles), is_member (takes the reader). Overloads that C# could not
tell apart are exported once, as the first declared (flat_model.overloads).
"""

import re

from cpp_names import enum_type
from flat_model import Wrapper, overloads, owned

NAMESPACE = "com_kyrandel_v2"

# C++ value type of the model -> argument kind
VALUE_KINDS = {
    "std::wstring": "wstr",
    "double": "double",
    "int": "int",
    "unsigned int": "uint",
    "unsigned char": "uchar",
    "bool": "bool",
    "lmx::c_datetime": "cref:lmx::tc_datetime",
    "lmx::c_binary": "cref:lmx::tc_binary",
}

# Result kind of a `const T& get_X() const` of a value
VALUE_RESULTS = {
    "std::wstring": "wstr",
    "double": "double",
    "int": "int",
    "unsigned int": "uint",
    "unsigned char": "uchar",
    "bool": "bool",
    "lmx::c_datetime": "ref:lmx::c_datetime",
    "lmx::c_binary": "ref:lmx::c_binary",
}


class FlatError(Exception):
    """A schema construct the flat layer has no conversion for."""


def value_kind(cpp, table):
    if cpp not in table:
        raise FlatError("no flat conversion for the value type %s" % cpp)
    return table[cpp]


def qualified(cls):
    return "%s::%s" % (NAMESPACE, cls.name)


def child_classes(cls):
    """The class of each complex child, choice member and holder member, by name."""
    found = {m.name: qualified(m.cls) for m in cls.particles + cls.choice_members if m.cls is not None}
    found.update((element, qualified(declared)) for element, declared in cls.holder_members)
    return found


class ClassWrappers:
    def __init__(self, cls):
        self.cls = cls
        self.name = cls.name
        self.q = qualified(cls)
        self.children = child_classes(cls)
        self.out = []

    def typed(self, member, result):
        """The result kind with the type the C# proxies need: the class of a child
        reference, the enumeration of getenum_X and getchosen."""
        child = re.match(r"(get|assign|back)_(\w+)$", member)
        if result == "ref" and child and child.group(2) in self.children:
            return "ref:" + self.children[child.group(2)]
        if result == "enum" and member.startswith("getenum_"):
            return "enum:%s::Eenum_%s" % (self.q, member[len("getenum_"):])
        if result == "enum" and member == "getchosen":
            return "enum:%s::elmx_chosen" % self.q
        return result

    def add(self, member, form, result, params, call, twins=0, static=False, const_self=False):
        self.out.append(Wrapper("%s_%s" % (self.name, member), form, self.typed(member, result), params, call,
                                None if static else self.q, twins, const_self))

    def method(self, member, result, params=(), twins=0, const_self=False):
        args = ", ".join("{%d}" % i for i in range(len(params)))
        self.add(member, "member", result, params, "{self}->%s(%s)" % (member, args), twins, const_self=const_self)

    def const_get(self, member, params=()):
        """The const accessor of a const/non-const pair; its non-const twin,
        declared next, is the same C# signature and is not wrapped."""
        self.method(member, "ref", params, twins=1, const_self=True)

    # -- every class
    def lifecycle(self):
        q = self.q
        self.out.append(Wrapper("new_" + self.name, "new", "new:" + q, [], "new %s()" % q))
        self.out.append(Wrapper("new_" + self.name, "new", "new:" + q, ["cref:" + q], "new %s({0})" % q))
        self.out.append(Wrapper("delete_" + self.name, "delete", "void", [], "delete {self}", q))
        base = self.cls.base
        if base is not None:
            self.out.append(Wrapper(self.name + "Upcast", "upcast", "ptr:" + qualified(base), [],
                                    "static_cast<%s*>({self})" % qualified(base), q))
        self.method("swap", "void", ["ref:" + q])
        self.method("reset", "void")

    def polymorphic(self):
        cls = self.cls
        if not cls.polymorphic:
            return
        self.method("clone", "ptr:" + self.q)
        if cls.element_of is not None:
            return
        self.add("id_get", "variable", "raw", [], "%s::id" % self.q, static=True)
        self.add("id_set", "variable", "void", ["cstr"], "%s::id = kyr::interop::kept_identity({0})" % self.q,
                 static=True)
        self.method("getid", "raw")
        self.method("has_id", "bool", ["raw:const char*"])
        if cls.has_factory:
            self.add("factory", "member", "ptr:" + self.q, ["int", "str"], "%s::factory({0}, {1})" % self.q, static=True)

    def element_entry_points(self):
        if not self.cls.is_element_class:
            return
        # unmarshal(const char* const file_name) comes last and is a C# string
        # like unmarshal(const std::string&), which shadows it
        self.method("unmarshal", "enum", ["str"])
        self.method("unmarshal", "enum", ["cstr", "size"], twins=1)
        self.method("marshal", "enum", ["cstr"])

    def document(self):
        if not self.cls.document:
            return
        self.method("loadFile", "enum", ["wstr"])
        self.method("loadString", "enum", ["wstr"])
        self.method("writeFile", "enum", ["wstr"])
        self.method("writeString", "copy:%s::XMLDocumentResult" % NAMESPACE)

    # -- accessor families
    def value_accessors(self, x, value, optional, owner_enum=None):
        t = value.cpp
        self.method("get_" + x, value_kind(t, VALUE_RESULTS))
        self.method("set_" + x, "enum", [value_kind(t, VALUE_KINDS)])
        if optional:
            self.method("isset_" + x, "bool")
            self.method("unset_" + x, "void")
        if value.enumerated:
            e = "%s::%s" % (self.q, owner_enum or ("Eenum_" + x))
            self.method("getenum_" + x, "enum")
            self.method("setenum_" + x, "bool", ["enum:" + e])

    def value_list(self, m):
        x, t = m.name, m.value.cpp
        kind = value_kind(t, VALUE_KINDS)
        self.method("get_" + x, value_kind(t, VALUE_RESULTS), ["size"])
        self.method("set_" + x, "enum", ["size", kind])
        self.method("append_" + x, "enum", [kind])
        self.method("insert_" + x, "enum", ["size", kind])
        self.method("delete_" + x, "void", ["size"])
        self.method("clear_" + x, "void")
        self.method("size_" + x, "size")

    def single_child(self, x, t, optional):
        self.const_get("get_" + x)
        self.method("assign_" + x, "ref", ["cref:" + t])
        if optional:
            self.method("isset_" + x, "bool")
            self.method("unset_" + x, "void")

    def child_list(self, x, t):
        self.const_get("get_" + x, ["size"])
        self.method("assign_" + x, "ref", ["size", "cref:" + t])
        self.method("append_" + x, "enum")
        self.method("insert_" + x, "enum", ["size"])
        self.method("delete_" + x, "void", ["size"])
        self.method("clear_" + x, "void")
        self.method("size_" + x, "size")
        self.method("back_" + x, "ref")

    def wildcard(self):
        self.method("append_any", "enum", ["str"])
        self.method("insert_any", "enum", ["size", "str"])
        self.method("delete_any", "void", ["size"])
        self.method("clear_any", "void")
        self.method("size_any", "size")

    def members(self):
        cls = self.cls
        if cls.kind == "simple":
            self.value_accessors(cls.name, cls.value, False)
        if cls.nillable:
            self.method("isnil_" + cls.name, "bool")
            self.method("setnil_" + cls.name, "void")
        if cls.is_compositor():
            self.method("getchosen", "enum")
            self.method("release_choice", "void")
            for m in cls.choice_members:
                if m.kind == "value":
                    self.method("get_" + m.name, value_kind(m.value.cpp, VALUE_RESULTS))
                    self.method("set_" + m.name, "enum", [value_kind(m.value.cpp, VALUE_KINDS)])
                    if m.value.enumerated:
                        self.method("getenum_" + m.name, "enum")
                        self.method("setenum_" + m.name, "bool", ["enum:%s::%s" % (self.q, enum_type(m))])
                else:
                    self.method("get_" + m.name, "ref", const_self=True)
                    self.method("assign_" + m.name, "ref", ["cref:" + qualified(m.cls)])
        for m in cls.attributes + cls.particles:
            if m.kind == "attribute":
                self.value_accessors(m.name, m.value, not m.required)
            elif m.kind == "value":
                if m.repeated:
                    self.value_list(m)
                else:
                    self.value_accessors(m.name, m.value, m.min == 0)
            elif m.kind == "any":
                self.wildcard()
            elif m.repeated:
                self.child_list(m.name, qualified(m.cls))
            else:
                self.single_child(m.name, qualified(m.cls), m.optional)

    def holder(self):
        self.method("is_occurs_ok", "bool")
        self.method("getchosen", "enum")
        self.method("release_choice", "void")
        for element, declared in self.cls.holder_members:
            self.const_get("get_" + element)
            self.method("assign_" + element, "ref", ["cref:" + qualified(declared)])

    def build(self):
        self.lifecycle()
        if self.cls.kind == "holder":
            self.holder()
            return owned(overloads(self.out), self.name)
        self.polymorphic()
        if self.cls.element_of is None:
            self.method("is_occurs_ok", "bool")
        self.element_entry_points()
        if self.cls.element_of is None:
            self.document()
            self.members()
        return owned(overloads(self.out), self.name)


def schema_wrappers(schema):
    result = []
    for cls in schema.classes:
        result.extend(ClassWrappers(cls).build())
    return result


def schema_headers(schema):
    return ["kyr/schema/classes/%s.hpp" % cls.name for cls in schema.classes]
