"""What one flat export is: its name, its form, and how its arguments and result
cross the boundary. The emitters (emit_flat.py) turn a list of these into the
C++ functions, the C# declarations and the module-definition file.

Argument kinds (the object pointer `self` comes first where there is one):
    int, long, uint, ulong, size, uchar   integers passed as 32-bit values
    bool                                  32-bit, non-zero is true
    double, float
    enum:T                                32-bit integer cast to T
    wstr                                  zero-terminated UTF-16, null reads as empty
    str                                   zero-terminated narrow text, null refused
    cstr                                  narrow text passed on as const char*, null refused
    raw:T                                 pointer passed on unchecked (identities, out values)
    cref:T, ref:T                         object reference, null refused with the type's name
Result kinds: void, the integer kinds, bool, double, float, enum[:T], wstr, str,
raw (pointer handed back unconverted), ref[:T] (address of a reference result),
ptr[:T] (pointer result), copy:T (value copied to a new heap object), new:T.
The C++ code ignores the optional :T; the C# proxies read it for the result's
type (an enum without one is lmx::elmx_error).
"""

import re

FORMS = ("new", "delete", "upcast", "member", "overload", "variable", "registration")

# Bytes each kind takes on a 32-bit stack; everything not listed takes 4.
EIGHT_BYTE_KINDS = ("double",)


class Param:
    def __init__(self, kind, name=None):
        self.kind = kind
        self.name = name

    @property
    def base_kind(self):
        return self.kind.split(":", 1)[0]

    @property
    def cpp_type(self):
        return self.kind.split(":", 1)[1] if ":" in self.kind else None


class Wrapper:
    """One exported function. `call` is the C++ expression it evaluates, with
    {self} for the object and {0}, {1} ... for the converted arguments."""

    def __init__(self, name, form, result, params, call, self_type=None, twins=0, const_self=False):
        if form not in FORMS:
            raise ValueError("unknown form %s" % form)
        self.name = name
        self.form = form
        self.result = result
        self.params = [p if isinstance(p, Param) else Param(p) for p in params]
        self.call = call
        self.self_type = self_type
        # overloads of the same name declared right after this one that are not
        # wrapped but still take part in the numbering: the non-const twin of a
        # const accessor, or an overload that C# cannot tell from an earlier one
        # (const char*, std::string and std::wstring are all C# strings)
        self.twins = twins
        # call through a const object, which picks the const overload
        self.const_self = const_self
        # the wrapped class (its short name), None for free functions; set by owned()
        self.owner = None
        # a raw result that points at static narrow text the caller may read
        self.static_text = False

    @property
    def member(self):
        """The C++ member's name: no class prefix, no overload number."""
        name = re.sub(r"__SWIG_\d+$", "", self.name)
        if self.owner and name.startswith(self.owner + "_"):
            return name[len(self.owner) + 1:]
        return name

    @property
    def result_type(self):
        return self.result.split(":", 1)[1] if ":" in self.result else None

    @property
    def export(self):
        return "CSharp_" + self.name

    def stack_bytes(self):
        count = 4 if self.self_type else 0
        for p in self.params:
            count += 8 if p.base_kind in EIGHT_BYTE_KINDS else 4
        return count


def owned(wrappers, owner):
    for w in wrappers:
        w.owner = owner
    return wrappers


def overloads(wrappers):
    """Gives every set of same-named wrappers the __SWIG_<n> suffixes, numbered
    in declaration order; a name that occurs once keeps its plain form (and a
    lone constructor then reads as a plain member of the naming table)."""
    counts = {}
    for w in wrappers:
        counts[w.name] = counts.get(w.name, 0) + 1 + w.twins
    seen = {}
    for w in wrappers:
        if counts[w.name] > 1:
            n = seen.get(w.name, 0)
            seen[w.name] = n + 1 + w.twins
            w.name = "%s__SWIG_%d" % (w.name, n)
            if w.form == "member":
                w.form = "overload"
        elif w.form == "new":
            w.form = "member"
    return wrappers
