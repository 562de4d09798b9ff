"""Turns the list of flat exports into text: the C++ definitions (split into
translation units), their prototypes, the C# platform-invoke declarations, the
Windows module-definition file with the decorated names, and a manifest of
every export with its form."""

import re

UNITS = 10
NS = "kyr::interop::"

INT_KINDS = {"int": "int", "long": "long", "uint": "unsigned", "ulong": "unsigned long", "size": "size_t",
             "uchar": "unsigned char"}
SIGNED_RESULTS = ("int", "long", "enum")
UNSIGNED_RESULTS = ("uint", "ulong", "size", "uchar", "bool")


def c_param_type(p):
    k = p.base_kind
    if k in ("int", "long", "enum"):
        return "int32_t"
    if k in ("uint", "ulong", "size", "uchar", "bool"):
        return "uint32_t"
    if k in ("double", "float"):
        return k
    if k == "wstr":
        return "const char16_t*"
    if k in ("str", "cstr"):
        return "const char*"
    if k == "raw":
        return p.cpp_type
    return "void*"


def c_result_type(result):
    k = result.split(":", 1)[0]
    if k in SIGNED_RESULTS:
        return "int32_t"
    if k in UNSIGNED_RESULTS:
        return "uint32_t"
    if k in ("double", "float", "void"):
        return k
    if k in ("wstr", "str"):
        return "char16_t*"
    if k == "raw":
        return "const void*"
    return "void*"


def signature(w):
    params = (["void* self"] if w.self_type else []) + \
        ["%s a%d" % (c_param_type(p), i) for i, p in enumerate(w.params)]
    return "KYR_FLAT_EXPORT %s KYR_FLAT_CALL %s(%s)" % (c_result_type(w.result), w.export,
                                                       ", ".join(params) or "void")


def definition(w):
    r = c_result_type(w.result)
    pre = []
    args = []
    for i, p in enumerate(w.params):
        k, t, a = p.base_kind, p.cpp_type, "a%d" % i
        if k in INT_KINDS:
            args.append("static_cast<%s>(%s)" % (INT_KINDS[k], a))
        elif k == "bool":
            args.append("%s != 0" % a)
        elif k == "enum":
            args.append("static_cast<%s>(%s)" % (t, a))
        elif k == "wstr":
            pre.append("const std::wstring v%d = %swide(%s);" % (i, NS, a))
            args.append("v%d" % i)
        elif k in ("str", "cstr"):
            pre.append("if (!%s)" % a)
            pre.append('    return %srefused<%s>("null string");' % (NS, r))
            if k == "str":
                pre.append("const std::string v%d(%s);" % (i, a))
                args.append("v%d" % i)
            else:
                args.append(a)
        elif k in ("cref", "ref"):
            pre.append("if (!%s)" % a)
            pre.append('    return %srefused<%s>("%s %s& type is null");' % (NS, r, t, "const " if k == "cref" else ""))
            args.append("*static_cast<%s*>(%s)" % (t, a))
        else:
            args.append(a)
    call = w.call.replace("{self}", "static_cast<%s%s*>(self)" % ("const " if w.const_self else "", w.self_type))
    call = call.format(*args)
    kind = w.result.split(":", 1)[0]
    if kind == "void":
        body = ["%s;" % call]
    elif kind in SIGNED_RESULTS:
        body = ["return static_cast<int32_t>(%s);" % call]
    elif kind == "bool":
        body = ["return %s ? 1u : 0u;" % call]
    elif kind in UNSIGNED_RESULTS:
        body = ["return static_cast<uint32_t>(%s);" % call]
    elif kind in ("wstr", "str"):
        body = ["return %scom_string(%s);" % (NS, call)]
    elif kind == "ref":
        body = ["return %saddress(%s);" % (NS, call)]
    elif kind == "copy":
        body = ["return new %s(%s);" % (w.result.split(":", 1)[1], call)]
    elif kind == "new":
        body = ["return %s;" % call.replace("new ", "new (std::nothrow) ", 1)]
    else:
        body = ["return %s;" % call]
    # a failed allocation in a constructor gives 0 without a callback
    failure = "return nullptr;" if kind == "new" else "return %sfailed<%s>();" % (NS, r)
    lines = [signature(w), "try {"]
    lines.extend("    " + line for line in pre + body)
    lines.extend(["} catch (...) {", "    " + failure, "}", ""])
    return lines


def headers_of(w, schema):
    text = " ".join([w.self_type or "", w.result, w.call] + [p.kind for p in w.params])
    names = set(re.findall(r"com_kyrandel_v2::(\w+)", text))
    return {"kyr/schema/classes/%s.hpp" % n for n in names if n in schema.by_name}


def prototypes(wrappers, banner):
    out = [banner, "// Prototypes of the flat exports (for the library's own tests).",
           "#ifndef KYR_INTEROP_FLAT_EXPORTS_HPP", "#define KYR_INTEROP_FLAT_EXPORTS_HPP", "",
           '#include "flat_runtime.hpp"', "", "#include <cstdint>", ""]
    out.extend(signature(w) + ";" for w in wrappers)
    out.extend(["", "#endif", ""])
    return "\n".join(out)


def units(wrappers, schema, runtime_headers, banner):
    size = (len(wrappers) + UNITS - 1) // UNITS
    files = {}
    for n in range(UNITS):
        chunk = wrappers[n * size:(n + 1) * size]
        includes = set()
        for w in chunk:
            includes |= headers_of(w, schema)
        out = [banner, '#include "flat_exports.hpp"', "", "#include <new>", "#include <string>", ""]
        out.extend("#include <%s>" % h for h in runtime_headers)
        out.extend("#include <%s>" % h for h in sorted(includes))
        out.append("")
        for w in chunk:
            out.extend(definition(w))
        files["flat_exports_%02d.cpp" % n] = "\n".join(out)
    return files


CS_PARAMS = {"int": "int", "long": "int", "enum": "int", "uint": "uint", "ulong": "uint", "size": "uint",
             "uchar": "uint", "bool": "bool", "double": "double", "float": "float",
             "wstr": "[global::System.Runtime.InteropServices.MarshalAs(global::System.Runtime.InteropServices.UnmanagedType.LPWStr)] string",
             "str": "[global::System.Runtime.InteropServices.MarshalAs(global::System.Runtime.InteropServices.UnmanagedType.LPStr)] string"}
CS_PARAMS["cstr"] = CS_PARAMS["str"]


def cs_result(result):
    k = result.split(":", 1)[0]
    if k == "wstr":
        return ("[return: global::System.Runtime.InteropServices.MarshalAs("
                "global::System.Runtime.InteropServices.UnmanagedType.BStr)] ", "string")
    if k in CS_PARAMS and k not in ("str", "cstr"):
        return "", CS_PARAMS[k]
    if k == "void":
        return "", "void"
    return "", "global::System.IntPtr"


HANDLE = "global::System.Runtime.InteropServices.HandleRef"


def cs_param(p):
    """Objects travel as handle references, which keep their proxies alive during the call."""
    if p.base_kind in ("cref", "ref"):
        return HANDLE
    return CS_PARAMS.get(p.base_kind, "global::System.IntPtr")


def csharp(wrappers, banner):
    out = ["// " + line if line else "//" for line in banner.replace("// ", "").splitlines()]
    out.extend(["", "// The platform-invoke declarations of every flat export of libkyr.",
                "internal static class KyrModulePINVOKE", "{",
                "    // the callbacks are registered before the first call into the library",
                "    static KyrModulePINVOKE() { KyrModule.RegisterCallbacks(); }", ""])
    out.extend(CS_REGISTRATION)
    for w in wrappers:
        attribute, result = cs_result(w.result)
        params = ([HANDLE + " self"] if w.self_type else []) + \
            ["%s a%d" % (cs_param(p), i) for i, p in enumerate(w.params)]
        out.append(IMPORT % w.export)
        out.append("    %spublic static extern %s %s(%s);" % (attribute, result, w.name, ", ".join(params)))
    out.extend(["}", ""])
    return "\n".join(out)


IMPORT = '    [global::System.Runtime.InteropServices.DllImport("kyr", EntryPoint = "%s")]'
CS_REGISTRATION = [
    "    public delegate void ExceptionCallback(string message);",
    "    public delegate void ArgumentCallback(string message, string paramName);",
    "    public delegate string StringCallback(string text);",
    IMPORT % "SWIGRegisterExceptionCallbacks_KyrModule",
    "    public static extern void SWIGRegisterExceptionCallbacks_KyrModule(" + ", ".join(
        "ExceptionCallback %s" % n for n in ("application", "arithmetic", "divideByZero", "indexOutOfRange",
                                             "invalidCast", "invalidOperation", "io", "nullReference",
                                             "outOfMemory", "overflow", "system")) + ");",
    IMPORT % "SWIGRegisterExceptionArgumentCallbacks_KyrModule",
    "    public static extern void SWIGRegisterExceptionArgumentCallbacks_KyrModule(ArgumentCallback argument, "
    "ArgumentCallback argumentNull, ArgumentCallback argumentOutOfRange);",
    IMPORT % "SWIGRegisterStringCallback_KyrModule",
    "    public static extern void SWIGRegisterStringCallback_KyrModule(StringCallback callback);",
]

REGISTRATIONS = [("SWIGRegisterExceptionCallbacks_KyrModule", 44),
                 ("SWIGRegisterExceptionArgumentCallbacks_KyrModule", 12),
                 ("SWIGRegisterStringCallback_KyrModule", 4)]


def module_definition(wrappers):
    out = ["LIBRARY kyr", "EXPORTS"]
    out.extend("    _%s@%d" % (w.export, w.stack_bytes()) for w in wrappers)
    out.extend("    _%s@%d" % r for r in REGISTRATIONS)
    return "\n".join(out) + "\n"


def manifest(wrappers):
    out = ["%s %s" % (w.form, w.export) for w in wrappers]
    out.extend("registration %s" % name for name, _ in REGISTRATIONS)
    return "\n".join(out) + "\n"
