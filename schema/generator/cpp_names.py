"""C++ spellings shared by the emitters: member storage names, literals, maps."""

import re


def storage(member):
    return "m_" + member.name


def stored(value):
    """The C++ type a single value is kept in: enumerated texts share their enumeration's strings."""
    return "kyr::schema::enum_text" if value.enumerated and value.kind == "string" else value.cpp


def stored_member(member):
    """The C++ type a single attribute or simple child is kept in: an optional free text
    is boxed, since documents mostly leave it out and an embedded string costs its size."""
    return "kyr::schema::boxed_text" if is_boxed_text(member) else stored(member.value)


def is_boxed_text(member):
    optional = not member.required if member.kind == "attribute" else member.min == 0 and not member.write_always
    return optional and not member.repeated and member.value.cpp == "std::wstring" and not member.value.enumerated


def present(member):
    return "m_" + member.name + "_present"


def enum_type(member):
    return "Eenum_" + member.name


def enumerator(member, value):
    return "Eenum_%s_%s" % (member.name, re.sub(r"[^A-Za-z0-9_]", "_", value))


def enumerators(member):
    """(name, number) of each allowed value, made unique where sanitising collides."""
    seen = set()
    result = []
    for number, value in enumerate(member.value.facets.enumeration, 1):
        name = enumerator(member, value)
        while name in seen:
            name += "_"
        seen.add(name)
        result.append((name, number))
    return result


def c_string(text):
    out = []
    for ch in text:
        if ch in '\\"':
            out.append("\\" + ch)
        elif ord(ch) < 0x20:
            out.append("\\x%02x" % ord(ch))
        else:
            out.append(ch)
    return '"' + "".join(out) + '"'


def wide_string(text):
    out = []
    for ch in text:
        if ch in '\\"':
            out.append("\\" + ch)
        elif ord(ch) < 0x20 or ord(ch) > 0x7e:
            out.append("\\x%04x" % ord(ch))
        else:
            out.append(ch)
    return 'L"' + "".join(out) + '"'


def element_token(name):
    return "k_e_" + name


def attribute_token(name):
    return "k_a_" + name


def chosen(name):
    return "ec_" + name


def header_path(cls):
    return "kyr/schema/classes/%s.hpp" % cls.name


def double_literal(text):
    value = float(text)
    literal = repr(value)
    if "e" not in literal and "." not in literal and "inf" not in literal and "nan" not in literal:
        literal += ".0"
    return literal
