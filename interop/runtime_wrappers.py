"""The flat exports of the runtime value classes, of XMLDocumentResult and of
the free runtime functions, written out by hand: these classes are not in the
schema model. A member with a defaulted last argument gets two exports, with
and without it, numbered as overloads. Operators are not exported (C# has its
own comparison helpers over get_as_string and the getters); output to a
std::ostream is reached through get_as_string.

Overloads that a C# caller could not tell apart (const char* and std::string,
std::string and std::wstring: all are C# strings) are exported once, as the
first declared; the shadowed one keeps its number, so the next overload's
number skips it.
"""

from flat_model import Wrapper, overloads, owned

DATE_FIELDS = {
    "c_datetime": ["year", "month", "day", "hours", "mins", "secs"],
    "c_date": ["year", "month", "day"],
    "c_time": ["hours", "mins", "secs"],
    "c_gyearmonth": ["year", "month"],
    "c_gyear": ["year"],
    "c_gmonthday": ["month", "day"],
    "c_gday": ["day"],
    "c_gmonth": ["month"],
}
FIELD_KINDS = {"year": "int", "month": "uint", "day": "uint", "hours": "uint", "mins": "uint", "secs": "float"}


class RuntimeClass:
    def __init__(self, name, namespace="lmx"):
        self.name = name
        self.q = "%s::%s" % (namespace, name)
        self.out = []

    def ctor(self, *params, args=None, twins=0):
        args = args or ", ".join("{%d}" % i for i in range(len(params)))
        self.out.append(Wrapper("new_" + self.name, "new", "new:" + self.q, list(params), "new %s(%s)" % (self.q, args),
                                twins=twins))
        return self

    def from_text(self):
        """C(const char*), then C(const std::string&), which it shadows."""
        return self.ctor("cstr", twins=1)

    def copy(self):
        return self.ctor("cref:" + self.q)

    def delete(self):
        self.out.append(Wrapper("delete_" + self.name, "delete", "void", [], "delete {self}", self.q))
        return self

    def method(self, member, result, *params, call=None, twins=0, const_self=False):
        args = ", ".join("{%d}" % i for i in range(len(params)))
        expr = call or "{self}->%s(%s)" % (member, args)
        self.out.append(Wrapper("%s_%s" % (self.name, member), "member", result, list(params), expr, self.q, twins,
                                const_self))
        return self

    def static(self, member, result, *params, twins=0):
        args = ", ".join("{%d}" % i for i in range(len(params)))
        self.out.append(Wrapper("%s_%s" % (self.name, member), "member", result, list(params),
                                "%s::%s(%s)" % (self.q, member, args), twins=twins))
        return self

    def defaulted(self, member, result, *params):
        """A member whose last argument (bool* overflow) has a default."""
        self.method(member, result, *params)
        return self.method(member, result, *params[:-1])

    def build(self):
        return owned(overloads(self.out), self.name)


def date_class(name):
    c = RuntimeClass(name).ctor().from_text().delete()
    c.static("is_valid", "bool", "str").method("get_as_string", "str")
    for field in DATE_FIELDS[name]:
        kind = FIELD_KINDS[field]
        c.method("get_" + field, kind).method("set_" + field, "void", kind)
    c.method("get_is_utc", "bool").method("set_is_utc", "void", "bool")
    c.method("get_total_offset_mins", "int").method("set_total_offset_mins", "void", "int")
    c.method("set_offset", "void", "int", "uint").method("set_offset_mins", "void", "int", "uint")
    return c.build()


def runtime_classes():
    classes = []
    any_info = RuntimeClass("c_any_info").ctor().ctor("str", "str", "str").ctor("str", "str").copy().delete()
    for field in ("namespace", "name", "value"):
        any_info.method("get_" + field, "str").method("set_" + field, "void", "str")
    classes.append(any_info.build())

    big = RuntimeClass("c_big_int").ctor().from_text().ctor("long").copy().delete()
    big.method("swap", "void", "ref:lmx::c_big_int")
    big.defaulted("get", "long", "raw:bool*")
    big.method("get_as_float", "double").method("get_as_string", "str")
    classes.append(big.build())

    # null bytes read as no bytes, whatever the size says
    binary = RuntimeClass("c_binary").ctor().ctor("raw:const unsigned char*", "size", args="{0}, {0} ? {1} : 0")
    binary.copy().delete()
    binary.method("swap", "void", "ref:lmx::c_binary")
    binary.method("set", "void", "raw:const unsigned char*", "size",
                  call="{self}->set({0}, {0} ? {1} : 0)")
    binary.method("size", "size").method("at", "uchar", "size", twins=1, const_self=True)
    binary.method("get", "raw", "raw:unsigned char*", "size", call="{0} ? {self}->get({0}, {1}) : nullptr")
    binary.method("equal", "bool", "raw:const unsigned char*", "size",
                  call="{self}->equal({0}, {0} ? {1} : 0)")
    binary.static("is_valid_hex", "bool", "str").static("is_valid_base64", "bool", "str")
    binary.method("from_hex", "void", "str").method("from_base64", "void", "str")
    classes.append(binary.build())

    for name in ("c_date", "c_datetime"):
        classes.append(date_class(name))

    dec = RuntimeClass("c_decimal").ctor().from_text().ctor("long", "int").ctor("double", "uint")
    dec.copy().delete().method("swap", "void", "ref:lmx::c_decimal").static("is_valid", "bool", "str")
    dec.method("set", "void", "double", "uint")
    dec.defaulted("get_integral", "long", "raw:bool*").method("set_integral", "void", "long")
    dec.defaulted("get_fractional", "ulong", "int", "raw:bool*").method("set_fractional", "void", "ulong", "uint")
    dec.defaulted("get_scaled", "long", "int", "raw:bool*").method("set_scaled", "void", "long", "int")
    dec.method("get_as_float", "double").method("get_as_string", "str")
    classes.append(dec.build())

    duration = RuntimeClass("c_duration").ctor().from_text().delete()
    duration.static("is_valid", "bool", "cstr", twins=1)
    duration.method("get_is_neg", "bool").method("set_is_neg", "void", "bool")
    for field in ("years", "months", "days", "hours", "mins"):
        duration.method("get_" + field, "uint").method("set_" + field, "void", "uint")
    duration.method("get_secs", "float").method("set_secs", "void", "float")
    duration.method("normalize", "void").method("get_as_string", "str")
    classes.append(duration.build())

    classes.append(RuntimeClass("c_empty").ctor().delete().build())
    for name in ("c_gday", "c_gmonth", "c_gmonthday", "c_gyear", "c_gyearmonth"):
        classes.append(date_class(name))

    pattern = RuntimeClass("c_pattern").ctor("cstr").delete()
    pattern.method("is_match", "bool", "str", twins=1)
    classes.append(pattern.build())
    classes.append(date_class("c_time"))

    result = RuntimeClass("XMLDocumentResult", "com_kyrandel_v2").ctor("wstr", "enum:lmx::elmx_error")
    result.method("getXmlDocument", "wstr").method("getElmxError", "enum").delete()
    classes.append(result.build())
    return [w for c in classes for w in c]


# The build options as flat callers see them; the values are fixed by the build.
CONSTANTS = [
    ("LMXNULL", "kyr::interop::LMXNULL"),
    ("LMX_ATOFLOAT_MODE_DEFAULT", "lmx::LMX_ATOFLOAT_MODE_DEFAULT"),
    ("LMX_ATOFLOAT_MODE_USE_FACET", "lmx::LMX_ATOFLOAT_MODE_USE_FACET"),
    ("LMX_ATOFLOAT_MODE_IOSTREAM", "lmx::LMX_ATOFLOAT_MODE_IOSTREAM"),
    ("LMX_ATOFLOAT_MODE_SIMPLE", "lmx::LMX_ATOFLOAT_MODE_SIMPLE"),
    ("LMX_ATOFLOAT_MODE", "lmx::LMX_ATOFLOAT_MODE"),
    ("LMX_NARROW_UNICODE_STRINGS", "lmx::LMX_NARROW_UNICODE_STRINGS"),
    ("LMX_USE_EXCEPTIONS", "kyr::interop::LMX_USE_EXCEPTIONS"),
    ("LMX_VALIDATE_PATTERNS", "lmx::LMX_VALIDATE_PATTERNS"),
    ("LMX_WANT_DECIMAL_FLOAT_SET", "lmx::LMX_WANT_DECIMAL_FLOAT_SET"),
    ("LMX_WANT_DLL", "kyr::interop::LMX_WANT_DLL"),
    ("LMX_WANT_GEN_IMPORT_DLL", "kyr::interop::LMX_WANT_GEN_IMPORT_DLL"),
    ("LMX_XML_STRICT", "kyr::interop::LMX_XML_STRICT"),
]


def free_functions():
    out = [Wrapper(name + "_get", "variable", "int", [], value) for name, value in CONSTANTS]

    def free(name, result, params, call):
        out.append(Wrapper(name, "member", result, params, call))

    free("convert__SWIG_0", "ref", ["ref:std::wstring", "str"], "lmx::convert(&{0}, {1})")
    free("convert_to_narrow__SWIG_0", "str", ["wstr"], "lmx::convert_to_narrow({0})")
    free("convert_to_wide__SWIG_0", "wstr", ["str"], "lmx::convert_to_wide({0})")
    for name in ("fraction_digits", "total_digits", "length"):
        free(name, "size", ["str"], "lmx::%s({0})" % name)
    for name in ("is_min_length_ok", "is_max_length_ok"):
        free(name, "bool", ["str", "size"], "lmx::%s({0}, {1})" % name)
    for name in ("is_valid_bool", "is_valid_float", "is_valid_integer"):
        free(name, "bool", ["str"], "lmx::%s({0})" % name)
    free("get_error_description", "raw", ["enum:lmx::elmx_error"], "lmx::get_error_description({0})")
    out[-1].static_text = True
    free("stringncompare", "int", ["str", "cstr", "size", "size"], "lmx::stringncompare({0}, {1}, {2}, {3})")
    for name in ("xisalnum", "xisalpha", "xisdigit", "xisprint", "xisspace", "xisxdigit"):
        free(name, "bool", ["int"], "lmx::%s({0})" % name)
    for w in out:
        if "__SWIG_" in w.name:
            w.form = "overload"
    return out


RUNTIME_HEADERS = [
    "kyr/lmx/big_int.hpp", "kyr/lmx/binary.hpp", "kyr/lmx/build_constants.hpp", "kyr/lmx/char_tests.hpp",
    "kyr/lmx/datetime.hpp", "kyr/lmx/decimal.hpp", "kyr/lmx/duration.hpp", "kyr/lmx/error.hpp",
    "kyr/lmx/pattern.hpp", "kyr/lmx/simple_types.hpp", "kyr/lmx/strings.hpp", "kyr/schema/any_info.hpp",
    "kyr/schema/document_result.hpp",
]
