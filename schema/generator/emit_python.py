"""Emits the Python module's classes: a pybind11 binding of every handle of namespace kyr.

Per class a wrapper struct py_C (in python/py_classes.hpp) that holds the object's place in its
document (a node: the owner and the path of objects down to it) and hands out the kyr::C handle
once the node is checked, plus a bind function that gives the Python class C the members of
the handle under the same names. The wrappers, lists, errors and the owning document are
hand-written in python/src/; the type stubs (kyr/_kyr.pyi) come from the same walk.
"""

import keyword

from emit_api import enumerator_names, plural, snake, words

MODEL = "com_kyrandel_v2"
CLASSES_PER_UNIT = 24

PY_TYPES = {"string": "str", "datetime": "str", "double": "float", "int": "int", "unsigned": "int",
            "ubyte": "int", "bool": "bool", "binary": "bytes"}


def py_name(name):
    """A C++ member name fit for Python: keywords get a trailing underscore, as C++ ones do."""
    return name + "_" if keyword.iskeyword(name) else name


def py_enumerator(name):
    return name + "_" if keyword.iskeyword(name) else name


def model(cls):
    return "%s::%s" % (MODEL, cls.name)


def in_base_order(classes):
    """Bases before the classes that extend them: pybind11 needs a base registered first."""
    done, ordered = set(), []

    def visit(cls):
        if cls.name in done:
            return
        base = wrapper_base(cls)
        if base is not None:
            visit(base)
        done.add(cls.name)
        ordered.append(cls)

    for cls in classes:
        visit(cls)
    return ordered


def wrapper_base(cls):
    return cls.base if cls.base is not None and cls.kind != "holder" else None


class ClassBinder:
    """The bind function of one class, and its stub."""

    def __init__(self, cls):
        self.cls = cls
        self.lines = []
        self.enums = []      # (C++ enum type, Python name, [(Python enumerator, C++ enumerator)])
        self.stub = []

    def self_type(self):
        return "py_%s" % self.cls.name

    def define(self, text):
        self.lines.append("    c" + text + ";")

    def lambda_(self, params, body):
        return "[](%s) { %s }" % (", ".join(["const %s& self" % self.self_type()] + params), body)

    # -- values
    def value_getter(self, value, expression):
        if value.kind == "binary":
            return "return to_bytes(%s);" % expression
        return "return %s;" % expression

    def value_member(self, m, getter, optional):
        x, w = snake(getter), words(getter)
        name = py_name(x)
        kind = m.value.kind
        taken = {"binary": "const py::bytes&", "string": "const std::string&",
                 "datetime": "const std::string&"}.get(kind, m.value.cpp)
        stored = "from_bytes(value)" if kind == "binary" else "value"
        py_type = PY_TYPES[kind]
        if optional:
            setter = "if (value.is_none()) { self.handle().unset_%s(); return; } self.handle().set_%s(value.cast<%s>());" % (
                w, w, "std::string" if kind in ("string", "datetime") else m.value.cpp)
            if kind == "binary":
                setter = "if (value.is_none()) { self.handle().unset_%s(); return; } self.handle().set_%s(from_bytes(value.cast<py::bytes>()));" % (w, w)
            self.define('.def_property("%s", %s, %s)' % (
                name, self.lambda_([], self.value_getter(m.value, "self.handle().%s()" % x)),
                self.lambda_(["const py::object& value"], setter)))
            self.define('.def("has_%s", %s)' % (w, self.lambda_([], "return self.handle().has_%s();" % w)))
            self.define('.def("unset_%s", %s)' % (w, self.lambda_([], "self.handle().unset_%s();" % w)))
            self.stub += ["    %s: %s | None" % (name, py_type), "    def has_%s(self) -> bool: ..." % w,
                          "    def unset_%s(self) -> None: ..." % w]
        else:
            self.define('.def_property("%s", %s, %s)' % (
                name, self.lambda_([], self.value_getter(m.value, "self.handle().%s()" % x)),
                self.lambda_(["%s value" % taken], "self.handle().set_%s(%s);" % (w, stored))))
            self.stub.append("    %s: %s" % (name, py_type))
        if m.value.enumerated:
            e = m.name if getter != "value" else "Value"
            enum_type = "kyr::%s_enums::%s" % (self.cls.name, e)
            values = [(py_enumerator(n), n) for n in enumerator_names(m.value.facets.enumeration)]
            self.enums.append((enum_type, e, [("none", "none")] + values))
            self.define('.def_property("%s_enum", %s, %s)' % (
                w, self.lambda_([], "return self.handle().%s_enum();" % w),
                self.lambda_(["%s value" % enum_type], "self.handle().set_%s(value);" % w)))
            self.stub.append("    %s_enum: %s.%s" % (w, self.cls.name, e))

    def value_list(self, m):
        x = py_name(plural(m.name))
        self.define('.def_property_readonly("%s", %s)' % (
            x, self.lambda_([], "return make_value_list(self, self.handle().%s());" % plural(m.name))))
        self.stub.append("    %s: ValueList[%s]" % (x, PY_TYPES[m.value.kind]))

    # -- children
    def child_list(self, m):
        x = py_name(plural(m.name))
        self.define('.def_property_readonly("%s", %s)' % (
            x, self.lambda_([], "return make_child_list(self, self.handle().%s());" % plural(m.name))))
        self.stub.append("    %s: ChildList[%s]" % (x, m.cls.name))

    def child(self, m):
        x = snake(m.name)
        name, w = py_name(x), words(m.name)
        if not m.optional:
            self.define('.def_property_readonly("%s", %s)' % (
                name, self.lambda_([], "return wrap(self, self.handle().%s().generated());" % x)))
            self.stub.append("    @property\n    def %s(self) -> %s: ..." % (name, m.cls.name))
            return
        self.define('.def_property_readonly("%s", %s)' % (name, self.lambda_(
            [], "auto child = self.handle().%s(); return child ? wrap(self, child->generated()) : py::object(py::none());" % x)))
        self.define('.def("emplace_%s", %s)' % (w, self.lambda_([], "return wrap(self, self.handle().emplace_%s().generated());" % w)))
        self.define('.def("has_%s", %s)' % (w, self.lambda_([], "return self.handle().has_%s();" % w)))
        # The child object is destroyed: every node on it or below it goes stale first.
        self.define('.def("unset_%s", %s)' % (w, self.lambda_(
            [], "if (auto child = self.handle().%s()) self.forget(identity(child->generated())); self.handle().unset_%s();"
            % (x, w))))
        self.stub += ["    @property\n    def %s(self) -> %s | None: ..." % (name, m.cls.name),
                      "    def emplace_%s(self) -> %s: ..." % (w, m.cls.name),
                      "    def has_%s(self) -> bool: ..." % w, "    def unset_%s(self) -> None: ..." % w]

    # -- choices
    def choice(self, members):
        enum_type = "kyr::%s_enums::Member" % self.cls.name
        self.enums.append((enum_type, "Member", [(py_enumerator(name), name) for name, _, _ in members] + [("none", "none")]))
        self.define('.def("chosen", %s)' % self.lambda_([], "return self.handle().chosen();"))
        # Changing the choice destroys the member chosen before: its nodes go stale.
        self.define('.def("clear", %s)' % self.lambda_([], "self.forget_below(); self.handle().clear();"))
        self.stub += ["    def chosen(self) -> %s.Member: ..." % self.cls.name, "    def clear(self) -> None: ...",
                      "    def chosen_member(self) -> Any: ..."]
        chosen_member = ["auto h = self.handle();"]
        for element, declared, member in members:
            x = words(element)
            own = snake(element)  # the member as an optional value or handle, not the raw pointer
            if member is not None and member.kind == "value":
                py_type = PY_TYPES[member.value.kind]
                cast = "std::string" if member.value.kind in ("string", "datetime") else member.value.cpp
                self.define('.def("as_%s", %s)' % (x, self.lambda_([], "return self.handle().%s();" % own)))
                self.define('.def("set_%s", %s)' % (x, self.lambda_(
                    ["const %s& value" % cast], "self.forget_below(); self.handle().set_%s(value);" % x)))
                chosen_member.append("if (auto v = h.%s()) return py::cast(*v);" % own)
                self.stub += ["    def as_%s(self) -> %s | None: ..." % (x, py_type),
                              "    def set_%s(self, value: %s) -> None: ..." % (x, py_type)]
            else:
                self.define('.def("as_%s", %s)' % (x, self.lambda_(
                    [], "auto v = self.handle().%s(); return v ? wrap(self, v->generated()) : py::object(py::none());" % own)))
                self.define('.def("choose_%s", %s)' % (x, self.lambda_(
                    [], "if (!self.handle().as_%s()) self.forget_below(); return wrap(self, self.handle().choose_%s().generated());"
                    % (x, x))))
                chosen_member.append("if (auto v = h.%s()) return wrap(self, v->generated());" % own)
                self.stub += ["    def as_%s(self) -> %s | None: ..." % (x, declared.name),
                              "    def choose_%s(self) -> %s: ..." % (x, declared.name)]
        chosen_member.append("return py::object(py::none());")
        self.define('.def("chosen_member", %s)' % self.lambda_([], " ".join(chosen_member)))

    # -- the class
    def bind(self):
        cls = self.cls
        if cls.kind == "holder":
            self.choice([(name, declared, None) for name, declared in cls.holder_members])
        elif cls.element_of is None:
            if cls.kind == "simple":
                from model import Member
                member = Member("value", cls.name, cls.declaration)
                member.value = cls.value
                self.value_member(member, "value", False)
            if cls.is_compositor():
                self.choice([(m.element, m.cls, m) for m in cls.choice_members])
            for m in cls.attributes + cls.particles:
                if m.kind in ("attribute", "value"):
                    if m.repeated:
                        self.value_list(m)
                    else:
                        optional = (m.kind == "attribute" and not m.required) or (m.kind == "value" and m.min == 0)
                        self.value_member(m, m.name, optional)
                elif m.kind == "any":
                    self.define('.def("any_count", %s)' % self.lambda_([], "return self.handle().any_count();"))
                    self.stub.append("    def any_count(self) -> int: ...")
                elif m.repeated:
                    self.child_list(m)
                else:
                    self.child(m)
            if cls.nillable:
                self.define('.def("is_nil", %s)' % self.lambda_([], "return self.handle().is_nil();"))
                self.define('.def("set_nil", %s)' % self.lambda_([], "self.forget_below(); self.handle().set_nil();"))
                self.stub += ["    def is_nil(self) -> bool: ...", "    def set_nil(self) -> None: ..."]
        return self

    def function(self):
        cls = self.cls
        base = wrapper_base(cls)
        bases = "py_%s, %s" % (cls.name, "py_%s" % base.name if base is not None else "node")
        doc = cls.declaration.replace("\\", "\\\\").replace('"', '\\"')
        out = ["void bind_%s(py::module_& m)" % cls.name, "{",
               '    py::class_<%s> c(m, "%s", "%s");' % (bases, cls.name, doc)]
        for enum_type, name, values in self.enums:
            out.append('    py::enum_<%s>(c, "%s")' % (enum_type, name))
            out.extend('        .value("%s", %s::%s)' % (p, enum_type, n) for p, n in values)
            out[-1] += ";"
        out.extend(self.lines)
        out.append("}")
        return out

    def stub_text(self):
        base = wrapper_base(self.cls)
        out = ["class %s(%s):" % (self.cls.name, base.name if base is not None else "Node"),
               '    """%s"""' % self.cls.declaration.replace("\\", "\\\\")]
        for _, name, values in self.enums:
            out.append("    class %s:" % name)
            out += ["        name: str", "        value: int"]
            out.extend("        %s: ClassVar[%s.%s]" % (p, self.cls.name, name) for p, _ in values)
        return out + self.stub + [""]


def wrapper_struct(cls):
    base = wrapper_base(cls)
    name = cls.name
    parent = "py_%s" % base.name if base is not None else "node"
    init = "%s(parent, object)" % parent if base is not None else "node(parent, identity(object))"
    return ["/// `%s`" % cls.declaration,
            "struct py_%s : %s" % (name, parent), "{",
            "    py_%s(const node& parent, %s& object) : %s, m_%s(&object) {}" % (name, model(cls), init, name),
            "    kyr::%s handle() const" % name, "    {", "        check();",
            "        return kyr::%s(*m_%s);" % (name, name), "    }",
            "    %s* m_%s;" % (model(cls), name), "};",
            "template <>", "struct wrapper_of<%s>" % model(cls), "{", "    using type = py_%s;" % name, "};",
            "py::object wrap(const node& parent, %s& object);" % model(cls), ""]


def wrap_function(cls):
    out = ["py::object wrap(const node& parent, %s& object)" % model(cls), "{"]
    # Deepest first: an object is wrapped as the most derived class it is.
    for derived in reversed(cls.all_derived()):
        out += ["    if (auto* d = dynamic_cast<%s*>(&object))" % model(derived),
                "        return py::cast(py_%s(parent, *d));" % derived.name]
    out += ["    return py::cast(py_%s(parent, object));" % cls.name, "}"]
    return out


STUB_HEAD = '''# Type stubs of the generated classes and the hand-written calls of the kyr module.
from __future__ import annotations

from typing import Any, ClassVar, Generic, Iterator, TypeVar

import numpy

T = TypeVar("T")
V = TypeVar("V")

__version__: str

class KyrError(Exception):
    code: int
    line: int
    message: str

class Node:
    """An object in a document; it raises ReferenceError once removed from it."""

class ChildList(Generic[T]):
    def __len__(self) -> int: ...
    def __getitem__(self, index: int) -> T: ...
    def __delitem__(self, index: int) -> None: ...
    def __iter__(self) -> Iterator[T]: ...
    def push_back(self, copy_of: T | None = None) -> T: ...
    def erase(self, index: int) -> None: ...
    def clear(self) -> None: ...

class ValueList(Generic[V]):
    def __len__(self) -> int: ...
    def __getitem__(self, index: int) -> V: ...
    def __setitem__(self, index: int, value: V) -> None: ...
    def __delitem__(self, index: int) -> None: ...
    def __iter__(self) -> Iterator[V]: ...
    def push_back(self, value: V) -> None: ...
    def erase(self, index: int) -> None: ...
    def clear(self) -> None: ...

def load(path: str) -> Document: ...
def parse(xml: str | bytes) -> Document: ...
'''

STUB_TAIL = '''
class Document(Kyr):
    def __init__(self) -> None: ...
    def root(self) -> Kyr: ...
    def save(self, path: str) -> None: ...
    def to_xml(self) -> str: ...
    def names(self) -> list[str]: ...
    def lab_array(self, illuminant: str | None = None, observer: int | None = None) -> numpy.ndarray: ...
    def xyz_array(self, illuminant: str | None = None, observer: int | None = None) -> numpy.ndarray: ...
    def spectra(self) -> tuple[numpy.ndarray, numpy.ndarray]: ...
    def evaluate_quality_control(self) -> list[dict[str, Any]]: ...
'''


def emit(schema, banner_text):
    ordered = in_base_order(schema.classes)
    files = {}
    header = [banner_text.rstrip("\n"), "// The wrapper of every handle class, and the functions that wrap an object.",
              "#ifndef KYR_PYTHON_PY_CLASSES_HPP", "#define KYR_PYTHON_PY_CLASSES_HPP", "",
              "#include \"node.hpp\"", "", "#include <kyr/api/classes.hpp>", "", "namespace kyr_python {", ""]
    for cls in ordered:
        header += wrapper_struct(cls)
    header += ["} // namespace kyr_python", "", "#endif", ""]
    files["python/py_classes.hpp"] = "\n".join(header)

    units = [ordered[i:i + CLASSES_PER_UNIT] for i in range(0, len(ordered), CLASSES_PER_UNIT)]
    stubs = [STUB_HEAD]
    for number, unit in enumerate(units):
        out = [banner_text.rstrip("\n"), "#include \"lists.hpp\"", "#include \"py_classes.hpp\"",
               "#include \"values.hpp\"", "", "namespace kyr_python {", ""]
        for cls in unit:
            binder = ClassBinder(cls).bind()
            out += binder.function() + [""] + wrap_function(cls) + [""]
            stubs.append("\n".join(binder.stub_text()))
        out.append("void bind_classes_%02d(py::module_& m)" % number)
        out.append("{")
        out.extend("    bind_%s(m);" % cls.name for cls in unit)
        out += ["}", "", "} // namespace kyr_python", ""]
        files["python/py_classes_%02d.cpp" % number] = "\n".join(out)
    bind_all = [banner_text.rstrip("\n"), "#include \"lists.hpp\"", "", "namespace kyr_python {", ""]
    bind_all.extend("void bind_classes_%02d(py::module_& m);" % n for n in range(len(units)))
    bind_all += ["", "void bind_classes(py::module_& m)", "{"]
    bind_all.extend("    bind_classes_%02d(m);" % n for n in range(len(units)))
    bind_all += ["}", "", "} // namespace kyr_python", ""]
    files["python/py_bind_classes.cpp"] = "\n".join(bind_all)
    stubs.append(STUB_TAIL)
    files["python/kyr/_kyr.pyi"] = "\n".join(stubs)
    return files
