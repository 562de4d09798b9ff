"""The C# proxy classes over the flat exports, written from the same list of
exports as the C++ side: one class per wrapped class, deriving from the proxy
of its base class and holding the object's pointer, with every wrapped member
under its C++ name; the schema classes' enumerations and lmx::elmx_error as
.NET enums; the free functions and build constants as static members of
KyrModule. The hand-written half of the assembly (interop/csharp/) holds the
proxies' common base, the callbacks and the string helpers.

Two exports of a class that C# cannot tell apart (same name, same parameter
types) become one member, the first declared, as the flat layer does with
C++ overloads.

An index into a list (get_X, set_X, assign_X, delete_X, insert_X of a class
with size_X) is checked against the list's size first: the C++ accessors do
not check, and a managed caller gets an ArgumentOutOfRangeException instead.

Ownership follows the result kind: constructors, copies (clone, writeString)
and pointer results are owned by their proxy, which deletes them; a reference
result is a proxy that keeps the proxy it came from alive and refuses to be
used once that one is disposed.
"""

import re

VALUES = {"int": "int", "long": "int", "uint": "uint", "ulong": "uint", "size": "uint", "uchar": "uint",
          "bool": "bool", "double": "double", "float": "float", "wstr": "string", "str": "string",
          "cstr": "string", "raw": "IntPtr"}
# typedefs under which the schema classes take the wrapped value classes
ALIASES = {"tc_datetime": "c_datetime", "tc_binary": "c_binary"}
PINVOKE = "KyrModulePINVOKE."
LIST_ACCESSOR = re.compile(r"(get|set|assign|delete|insert)_(\w+)$")


def short(cpp):
    name = cpp.split("::")[-1]
    return ALIASES.get(name, name)


def enum_name(cpp):
    """lmx::elmx_error -> elmx_error; ns::Class::Eenum_X -> Class.Eenum_X."""
    return ".".join(cpp.split("::")[1:]) if cpp.count("::") == 2 else cpp.split("::")[-1]


def error_codes(header):
    """The (name, value) pairs of lmx::elmx_error, read from its header."""
    with open(header, encoding="utf-8") as f:
        text = f.read()
    body = re.search(r"enum elmx_error : int\s*\{(.*?)\};", text, re.S).group(1)
    return re.findall(r"(ELMX_\w+) = (\d+)", body)


def enum_lines(name, values, indent):
    body = ", ".join("%s = %d" % (n, v) for n, v in values)
    return ["%spublic enum %s { %s }" % (indent, name, body)]


class Proxies:
    def __init__(self, wrappers, enums):
        self.classes = {}    # short name -> its exports, in order
        self.bases = {}
        self.free = []
        for w in wrappers:
            if w.owner is None:
                self.free.append(w)
                continue
            self.classes.setdefault(w.owner, []).append(w)
            if w.form == "upcast":
                self.bases[w.owner] = short(w.result_type)
        self.enums = enums   # class name -> its enumerations, from the member model
        self.signatures = {}

    # -- types and conversions
    def param_type(self, p):
        k = p.base_kind
        if k == "enum":
            return enum_name(p.cpp_type)
        if k in ("cref", "ref"):
            name = short(p.cpp_type)
            return name if name in self.classes else "IntPtr"
        return VALUES.get(k, "IntPtr")

    def names(self, w):
        """Parameter names: the index of a list accessor, the other object of a
        copy or swap, the value of a one-argument member, else a0, a1..."""
        names = ["a%d" % i for i in range(len(w.params))]
        rest = list(range(len(w.params)))
        if LIST_ACCESSOR.match(w.member) and w.params and w.params[0].base_kind == "size":
            names[0] = "index"
            rest = rest[1:]
        for i in rest:
            p = w.params[i]
            if p.base_kind in ("cref", "ref") and w.owner and short(p.cpp_type) == w.owner:
                names[i] = "other"
            elif len(rest) == 1:
                names[i] = "value"
        return names

    def formal(self, w):
        return ", ".join("%s %s" % pair for pair in zip(self.params(w), self.names(w)))

    def argument(self, p, a):
        k = p.base_kind
        if k == "enum":
            return "(int)" + a
        if k in ("cref", "ref"):
            name = short(p.cpp_type)
            return "%s.HandleOf(%s)" % (name, a) if name in self.classes else "new HandleRef(null, %s)" % a
        return a

    def result(self, w):
        """(C# type, expression over the checked raw result r)."""
        k, t = w.result.split(":", 1)[0], w.result_type
        if k == "void":
            return "void", None
        if k == "enum":
            e = enum_name(t or "lmx::elmx_error")
            return e, "(%s)r" % e
        if k == "str":
            return "string", "KyrModule.TakeNarrow(r)"
        if k == "raw" and w.static_text:
            return "string", "Marshal.PtrToStringAnsi(r)"
        if k in ("ref", "ptr", "copy") and t and short(t) in self.classes:
            c = short(t)
            owner = "this" if k == "ref" and w.self_type else "null"
            return c, "r == IntPtr.Zero ? null : new %s(r, %s, %s)" % (c, "false" if k == "ref" else "true", owner)
        return VALUES.get(k, "IntPtr"), "r"

    # -- members
    def call(self, w):
        args = (["Self"] if w.self_type else []) + [self.argument(p, a) for p, a in zip(w.params, self.names(w))]
        return "%s%s(%s)" % (PINVOKE, w.name, ", ".join(args))

    def params(self, w):
        return [self.param_type(p) for p in w.params]

    def guard(self, w):
        """The index check of a list accessor, or ""."""
        match = LIST_ACCESSOR.match(w.member)
        if not match or not w.params or w.params[0].base_kind != "size" or w.self_type is None:
            return ""
        size = "size_" + match.group(2)
        if not any(x.member == size for x in self.classes[w.owner]):
            return ""
        return "KyrModule.CheckIndex(index, %s()%s); " % (size, " + 1" if match.group(1) == "insert" else "")

    def body(self, w):
        result, expr = self.result(w)
        guard = self.guard(w)
        if expr is None:
            return result, "{ %s%s; KyrModule.Check(); }" % (guard, self.call(w))
        return result, "{ %svar r = %s; KyrModule.Check(); return %s; }" % (guard, self.call(w), expr)

    def inherited(self, name):
        found = set()
        base = self.bases.get(name)
        while base is not None:
            found |= self.signatures.get(base, set())
            base = self.bases.get(base)
        return found

    def member(self, name, w, inherited):
        types_ = self.params(w)
        formal = self.formal(w)
        if w.result.startswith("new:"):
            return "    public %s(%s) : this(KyrModule.Created(%s), true, null) { }" % (name, formal, self.call(w))
        member = w.member
        signature = (member, tuple(types_))
        self.signatures.setdefault(name, set()).add(signature)
        modifiers = "public " + ("static " if w.self_type is None else "") + ("new " if signature in inherited else "")
        result, body = self.body(w)
        return "    %s%s %s(%s) %s" % (modifiers, result, member, formal, body)

    def proxy(self, name, wrappers):
        base = self.bases.get(name)
        delete = next(w for w in wrappers if w.form == "delete")
        handle = "handle" if base is None else "%s%sUpcast(new HandleRef(null, handle))" % (PINVOKE, name)
        out = ["", "public class %s : %s" % (name, base or "KyrObject"), "{",
               "    readonly IntPtr m_self;",
               "    internal %s(IntPtr handle, bool owns, KyrObject owner) : base(%s, owns, owner) { m_self = handle; }"
               % (name, handle),
               "    HandleRef Self { get { CheckAlive(); return new HandleRef(this, m_self); } }",
               "    internal static HandleRef HandleOf(%s value) { return value == null ? "
               "new HandleRef(null, IntPtr.Zero) : value.Self; }" % name,
               "    protected override void Delete() { %s%s(new HandleRef(this, m_self)); }" % (PINVOKE, delete.name)]
        for enum, values in self.enums.get(name, []):
            out.extend(enum_lines(enum, values, "    "))
        inherited = self.inherited(name)
        declared = set()
        for w in wrappers:
            # exports that C# could not tell apart become one member, the first declared
            key = ("new" if w.result.startswith("new:") else w.member, tuple(self.params(w)))
            if w.form not in ("delete", "upcast") and key not in declared:
                declared.add(key)
                out.append(self.member(name, w, inherited))
        out.append("}")
        return out

    def module(self):
        out = ["", "public static partial class KyrModule", "{"]
        for w in self.free:
            result, body = self.body(w)
            if w.form == "variable":
                out.append("    public static %s %s { get %s }" % (result, w.member[:-len("_get")], body))
            else:
                out.append("    public static %s %s(%s) %s" % (result, w.member, self.formal(w), body))
        out.append("}")
        return out

    def ordered(self):
        """Bases before the classes that derive from them, otherwise in export order."""
        done, out = set(), []

        def visit(name):
            if name in done:
                return
            if name in self.bases:
                visit(self.bases[name])
            done.add(name)
            out.append(name)
        for name in self.classes:
            visit(name)
        return out


def proxies(wrappers, enums, codes, banner):
    p = Proxies(wrappers, enums)
    out = ["// " + line if line else "//" for line in banner.replace("// ", "").splitlines()]
    out.extend(["", "// The proxy classes of every wrapped class, the enumerations and the module's free functions.",
                "using System;", "using System.Runtime.InteropServices;", ""])
    out.extend(enum_lines("elmx_error", [(n, int(v)) for n, v in codes], ""))
    out.extend(p.module())
    for name in p.ordered():
        out.extend(p.proxy(name, p.classes[name]))
    return "\n".join(out) + "\n"
