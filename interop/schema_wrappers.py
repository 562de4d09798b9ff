"""The flat exports of the schema classes: one per public member of the class
member model (schema/generator/members.py), converted by the types of its
signature, so the flat layer wraps exactly what the classes declare.

Not wrapped: members taking the reader, the writer, a std::ostream or an out
pointer (managed callers read and write whole documents; a managed caller
cannot own a std::string, and the wildcard texts are reached as c_any_info
values instead), operator= (C# assigns handles) and the namespace table.
Overloads that C# could not tell apart (const and non-const twins; const
char*, std::string and std::wstring are all C# strings) are exported once, as
the first declared; the shadowed ones keep their numbers (flat_model.overloads).
"""

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
VALUE_RESULTS = dict(VALUE_KINDS, **{"lmx::c_datetime": "ref:lmx::c_datetime",
                                     "lmx::c_binary": "ref:lmx::c_binary"})

PLAIN_KINDS = {"bool": "bool", "int": "int", "size": "size", "text": "str", "chars": "cstr", "wtext": "wstr",
               "identity": "raw:const char*"}
PLAIN_RESULTS = {"void": "void", "bool": "bool", "size": "size", "error": "enum", "chars": "raw",
                 "document_result": "copy:%s::XMLDocumentResult" % NAMESPACE}
# Argument kinds a C# caller sees as the same type.
CSHARP_STRINGS = ("str", "cstr", "wstr")


class FlatError(Exception):
    """A schema construct the flat layer has no conversion for."""


def value_kind(cpp, table):
    if cpp not in table:
        raise FlatError("no flat conversion for the value type %s" % cpp)
    return table[cpp]


def qualified(cls):
    return "%s::%s" % (NAMESPACE, cls.name)


def param_kind(t, owner):
    if t.form == "value":
        return value_kind(t.target.cpp, VALUE_KINDS)
    if t.form in ("cref", "ref"):
        return "%s:%s" % (t.form, qualified(t.target))
    if t.form == "enum":
        return "enum:%s::%s" % (qualified(owner), t.target)
    if t.form not in PLAIN_KINDS:
        raise FlatError("no flat conversion for a %s argument" % t.spelling)
    return PLAIN_KINDS[t.form]


def result_kind(t, owner):
    if t.form == "value":
        return value_kind(t.target.cpp, VALUE_RESULTS)
    if t.form in ("cref", "ref", "ptr"):
        return "%s:%s" % ("ptr" if t.form == "ptr" else "ref", qualified(t.target))
    if t.form in ("enum", "chosen"):
        return "enum:%s::%s" % (qualified(owner), t.target)
    if t.form not in PLAIN_RESULTS:
        raise FlatError("no flat conversion for a %s result" % t.spelling)
    return PLAIN_RESULTS[t.form]


def csharp_key(method, params):
    return (method.name, tuple("string" if p in CSHARP_STRINGS else p for p in params))


def class_wrappers(members):
    cls = members.cls
    q = qualified(cls)
    out = []
    exported = {}   # C# signature -> the wrapper exported for it
    last = {}       # name -> the last wrapper exported under it
    for m in members.methods:
        if m.internal:
            continue
        if m.static_variable:
            out.append(Wrapper("%s_id_get" % cls.name, "variable", "raw", [], "%s::id" % q))
            out.append(Wrapper("%s_id_set" % cls.name, "variable", "void", ["cstr"],
                               "%s::id = kyr::interop::kept_identity({0})" % q))
            continue
        if m.family == "dtor":
            out.append(Wrapper("delete_" + cls.name, "delete", "void", [], "delete {self}", q))
            if cls.base is not None:
                out.append(Wrapper(cls.name + "Upcast", "upcast", "ptr:" + qualified(cls.base), [],
                                   "static_cast<%s*>({self})" % qualified(cls.base), q))
            continue
        params = [param_kind(t, cls) for t, _ in m.params]
        key = csharp_key(m, params)
        if key in exported:
            # shadowed: it keeps its number through the wrapper exported before it
            last[m.name].twins += 1
            continue
        args = ", ".join("{%d}" % i for i in range(len(params)))
        if m.is_constructor:
            w = Wrapper("new_" + cls.name, "new", "new:" + q, params, "new %s(%s)" % (q, args))
        elif m.static:
            w = Wrapper("%s_%s" % (cls.name, m.name), "member", result_kind(m.result, cls), params,
                        "%s::%s(%s)" % (q, m.name, args))
        else:
            w = Wrapper("%s_%s" % (cls.name, m.name), "member", result_kind(m.result, cls), params,
                        "{self}->%s(%s)" % (m.name, args), q, const_self=m.const and m.result.form == "cref")
        exported[key] = last[m.name] = w
        out.append(w)
    return owned(overloads(out), cls.name)


def schema_wrappers(class_members):
    result = []
    for members in class_members:
        result.extend(class_wrappers(members))
    return result
