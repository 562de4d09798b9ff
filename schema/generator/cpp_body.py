"""The members of a generated class that are not reading or writing: its data,
lifecycle (construction, copy, swap, identity) and accessors, each given the body
its family and schema member call for. Trivial bodies go inline in the class;
the rest are defined in the class's translation unit."""

from cpp_frame import entry_point, frame_hooks, inline_choice, is_boxed, is_occurs_ok, marshal_element, missing_items, \
    unmarshal_element
from cpp_header import DEFAULT, ERR
from cpp_names import c_string, chosen, header_path, is_boxed_text, present, storage, stored, stored_member
from cpp_tables import enum_values, facets

# Lifecycle members short enough to sit in the class.
INLINE = {"getid", "has_id"}


def emit_class(code):
    cls = code.cls
    code.enums()
    if cls.base:
        code.use_class(cls.base, True)
    if cls.element_of is None:
        data(code)
    frame = inline_choice(code) if cls.kind == "inline" else {}
    for block in code.member_blocks():
        for m in block.methods:
            if block.kind == "entry":
                if m.family == "unmarshal_document" and cls.element_of is not None:
                    # the base's reading and writing stay visible beside the entry points
                    code.public.append("    using %s::unmarshal;" % cls.element_of.name)
                    code.public.append("    using %s::marshal;" % cls.element_of.name)
                code.declare(m, entry_point(code, m))
            elif m.family in frame:
                code.declare(m, frame[m.family])
            else:
                code.declare(m, *body_of(code, m))
        if block.kind == "frame" and cls.kind != "inline":
            frame_hooks(code)
    if cls.kind in ("choice", "inline"):
        code.private.append("    void choose(elmx_chosen member);")
        code.define("void %s::choose(elmx_chosen member)" % cls.name,
                    ["if (m_chosen != member)", "    release_choice();", "m_chosen = member;"])
    if cls.document:
        code.private.extend(["    // Stamps the library's identification as the reading SDK (document I/O).",
                             "    void stamp_read_sdk_information();"])
        code.header_includes.add("kyr/schema/document_result.hpp")


def data(code):
    """The data members, in the order the class has always laid them out."""
    cls = code.cls
    if cls.kind == "simple":
        code.use_value(cls.value)
        code.data.extend(["    %s m_value{};" % stored(cls.value), "    bool m_value_present = false;"])
    if cls.nillable:
        code.data.append("    bool m_nil = false;")
    if cls.is_compositor():
        code.data.append("    elmx_chosen m_chosen = %s;" % chosen("none"))
    for m in cls.choice_members:
        if m.kind == "value":
            code.use_value(m.value)
            code.data.append("    %s %s{};" % (stored(m.value), storage(m)))
        else:
            code.use_class(m.cls, False)
            code.data.append("    kyr::schema::owned<%s> %s;" % (m.cls.name, storage(m)))
    for m in cls.attributes + cls.particles:
        s = storage(m)
        if m.kind == "any":
            code.header_includes.add("kyr/schema/any_info.hpp")
            code.data.append("    std::vector<lmx::c_any_info> m_any;")
        elif m.kind in ("attribute", "value"):
            code.use_value(m.value)
            if m.repeated:
                code.header_includes.add("kyr/schema/value_list.hpp")
                code.data.append("    kyr::schema::value_list<%s> %s;" % (m.value.cpp, s))
            else:
                if is_boxed_text(m):
                    code.header_includes.add("kyr/schema/boxed_text.hpp")
                code.data.extend(["    %s %s{};" % (stored_member(m), s), "    bool %s = false;" % present(m)])
        elif m.repeated:
            code.use_class(m.cls, False)
            code.data.append("    kyr::schema::owned_list<%s> %s;" % (m.cls.name, s))
        else:
            code.use_class(m.cls, True)
            code.data.append(("    kyr::schema::boxed<%s> %s;" if is_boxed(m) else "    %s %s;") % (m.cls.name, s))
            if not m.write_always:
                code.data.append("    bool %s = false;" % present(m))


def body_of(code, m):
    """(body lines, inline) of a member; body None when it is defined elsewhere."""
    family = m.family
    if m.static_variable:
        return None, False
    if family in LIFECYCLE:
        return LIFECYCLE[family](code), family in INLINE
    if family == "is_occurs_ok":
        body = is_occurs_ok(code)
        return body, body == ["return true;"]
    if family == "missing_items":
        body = missing_items(code)
        return body, not body
    if family == "marshal_element":
        return marshal_element(code), False
    if family == "unmarshal_element":
        return unmarshal_element(code), False
    if family in ("load_file", "load_string", "write_file", "write_string"):
        return None, False
    if family == "getchosen":
        return ["return m_chosen;"], True
    if family == "release_choice" or m.member in code.cls.choice_members:
        return compositor_accessor(code, m), family == "get" and m.member.kind == "value"
    return accessor(code, m)


# -- lifecycle
def swap_lines(code):
    cls = code.cls
    if cls.element_of is not None:
        return ["%s::swap(other);" % cls.element_of.name]
    lines = ["%s::swap(other);" % cls.base.name] if cls.base else []
    if cls.kind == "simple":
        lines += ["std::swap(m_value, other.m_value);", "std::swap(m_value_present, other.m_value_present);"]
    if cls.nillable:
        lines.append("std::swap(m_nil, other.m_nil);")
    if cls.is_compositor():
        lines.append("std::swap(m_chosen, other.m_chosen);")
    for member in cls.attributes + cls.particles + cls.choice_members:
        s = storage(member)
        by_std = member.kind in ("attribute", "value", "any") and not (
            member.kind == "value" and member.value.kind == "binary" and not member.repeated)
        lines.append(("std::swap(%s, other.%s);" if by_std else "%s.swap(other.%s);") % (s, s))
        if has_flag(cls, member):
            lines.append("std::swap(%s, other.%s);" % (present(member), present(member)))
    return lines


def has_flag(cls, member):
    if cls.kind in ("choice", "inline"):
        return False
    if member.kind == "attribute":
        return True
    return not (member.repeated or member.kind == "any" or member.write_always)


def factory(code):
    cls = code.cls
    body = ["if (ns_id != k_ns_schema)", "    return nullptr;"]
    for t in [cls] + cls.all_derived():
        code.source_includes.add(header_path(t))
        body.extend(["if (type_name == %s)" % c_string(t.name), "    return new %s;" % t.name])
    return body + ["return nullptr;"]


LIFECYCLE = {
    "ctor": lambda code: ["stamp_read_sdk_information();"] if code.cls.document else DEFAULT,
    "copy": lambda code: DEFAULT,
    "dtor": lambda code: DEFAULT,
    "assign_op": lambda code: ["%s copy(other);" % code.cls.name, "swap(copy);", "return *this;"],
    "clone": lambda code: ["return new %s(*this);" % code.cls.name],
    "swap": swap_lines,
    "reset": lambda code: ["%s fresh;" % code.cls.name, "swap(fresh);"],
    "getid": lambda code: ["return id;"],
    "has_id": lambda code: ["return type_id == id%s;" % (" || %s::has_id(type_id)" % code.cls.base.name
                                                         if code.cls.base else "")],
    "factory": factory,
}


# -- accessors of attributes, values, children and the wildcard
def accessor(code, m):
    """(body, inline) of an accessor of a member held in the class itself."""
    f = m.family
    if f in ("isnil", "setnil"):
        return (["return m_nil;"] if f == "isnil" else ["m_nil = true;"]), True
    x = m.member
    s = "m_value" if code.cls.kind == "simple" and x.kind == "value" else storage(x)
    flag = "m_value_present" if s == "m_value" else present(x)
    if f == "get":
        return ["return %s%s;" % ("*" if is_boxed(x) else "", s)], True
    if f == "get_mutable":
        return ([] if x.write_always else ["%s = true;" % flag]) + ["return %s%s;" % ("*" if is_boxed(x) else "", s)], True
    if f == "isset":
        return ["return %s;" % flag], True
    if f == "unset":
        return ["%s = false;" % flag], True
    if f == "set":
        return ["return frame::set_value(value, &%s, &%s, %s);" % (s, flag, facets(code, code.cls.name, x))], False
    if f == "assign":
        target = "%s%s" % ("*" if is_boxed(x) else "", s)
        return ([] if x.write_always else ["%s = true;" % flag]) + ["%s = value;" % target, "return %s;" % target], False
    if f == "getenum":
        return ["return static_cast<%s>(kyr::schema::enum_index(%s, %s));"
                % (m.result.spelling, s, enum_values(code.cls.name, x))], False
    if f == "setenum":
        return ["return frame::set_enum(*this, &%s::set_%s, value, %s);"
                % (code.cls.name, x.name, enum_values(code.cls.name, x))], False
    if x.kind == "any":
        return wildcard(m), f in ("delete", "clear", "size")
    if x.kind == "value":
        return value_list(code, m, s), f in ("get_at", "delete", "clear", "size")
    return child_list(m, s), f == "size"


def value_list(code, m, s):
    check = ["const %s error = kyr::schema::check_value(value, %s);" % (ERR, facets(code, code.cls.name, m.member)),
             "if (error != lmx::ELMX_OK)", "    return error;"]
    return {
        "get_at": ["return %s[index];" % s],
        "set_at": check + ["if (index < %s.size())" % s, "    %s[index] = value;" % s, "else",
                           "    %s.push_back(value);" % s, "return lmx::ELMX_OK;"],
        "append_value": check + ["%s.push_back(value);" % s, "return lmx::ELMX_OK;"],
        "insert_value": check + ["%s.insert(%s.begin() + static_cast<std::ptrdiff_t>(index < %s.size() ? index : %s.size()), value);"
                                 % (s, s, s, s), "return lmx::ELMX_OK;"],
        "delete": ["%s.erase(%s.begin() + static_cast<std::ptrdiff_t>(index));" % (s, s)],
        "clear": ["%s.clear();" % s],
        "size": ["return %s.size();" % s],
    }[m.family]


def child_list(m, s):
    return {
        "get_at": ["return %s.get(index);" % s],
        "get_at_mutable": ["return %s.get(index);" % s],
        "assign_at": ["return %s.get(index) = value;" % s],
        "append_child": ["%s.append();" % s, "return lmx::ELMX_OK;"],
        "insert_child": ["%s.insert(index);" % s, "return lmx::ELMX_OK;"],
        "delete": ["%s.erase(index);" % s],
        "clear": ["%s.clear();" % s],
        "size": ["return %s.size();" % s],
        "back": ["return %s.back();" % s],
    }[m.family]


def wildcard(m):
    return {
        "get_any": ["*namespace_uri = m_any[index].get_namespace();", "*name = m_any[index].get_name();",
                    "*xml = m_any[index].get_value();"],
        "append_any": ["m_any.emplace_back(std::string(), std::string(), xml);", "return lmx::ELMX_OK;"],
        "insert_any": ["m_any.insert(m_any.begin() + static_cast<std::ptrdiff_t>(index < m_any.size() ? index : m_any.size()),",
                       "             lmx::c_any_info(std::string(), std::string(), xml));", "return lmx::ELMX_OK;"],
        "delete": ["m_any.erase(m_any.begin() + static_cast<std::ptrdiff_t>(index));"],
        "clear": ["m_any.clear();"],
        "size": ["return m_any.size();"],
    }[m.family]


# -- compositors: the choice itself and its members
def compositor_accessor(code, m):
    if m.family == "release_choice":
        body = ["%s.reset();" % storage(c) for c in code.cls.choice_members if c.kind != "value"]
        return body + ["m_chosen = %s;" % chosen("none")]
    x = m.member
    s = storage(x)
    if x.kind == "value":
        if m.family == "get":
            return ["return %s;" % s]
        if m.family == "set":
            f = facets(code, code.cls.name, x)
            store = ("%s.assign(value, %s);" % (s, f)) if stored(x.value) != x.value.cpp else "%s = value;" % s
            return ["const %s error = kyr::schema::check_value(value, %s);" % (ERR, f),
                    "if (error != lmx::ELMX_OK)", "    return error;", "choose(%s);" % chosen(x.name),
                    store, "return lmx::ELMX_OK;"]
        return accessor(code, m)[0]
    t = x.cls.name
    if m.family == "get":
        return ["static const %s unchosen;" % t, "return %s ? *%s : unchosen;" % (s, s)]
    # Only holders give a non-const get_X that switches the choice; a plain choice is
    # switched by assign_X alone, so reading a member never discards another.
    return ["%s* copy = new %s(value);" % (t, t), "choose(%s);" % chosen(x.name), "%s.reset(copy);" % s,
            "return *copy;"]
