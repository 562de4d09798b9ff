"""A holder: the one member of a substitution group a parent holds, with the
group's members as its choices. The frame reads and writes it from a table of
the members (their names, how to create each, and which read xsi:type)."""

from cpp_header import DEFAULT
from cpp_names import c_string, chosen, header_path
from cpp_tables import member_map
from model import polymorphic_read


def emit_holder(code):
    cls = code.cls
    name = cls.name
    base = cls.holder_base
    members = cls.holder_members
    code.forward.add(base.name)
    code.source_includes.add(header_path(base))
    map_name = member_map(code, [n for n, _ in members])
    table = ["const kyr::schema::s_holder_member<%s> %s_table[] = {" % (base.name, name)]
    for element, declared in members:
        code.forward.add(declared.name)
        code.source_includes.add(header_path(declared))
        typed = polymorphic_read(declared)
        table.append("    {%s, &kyr::schema::create_default<%s, %s>, %s, %s}," % (
            code.qname(element), base.name, declared.name,
            "&kyr::schema::create_typed<%s, %s>" % (base.name, declared.name) if typed else "nullptr",
            "&%s::id" % declared.name if typed else "nullptr"))
    code.tables.extend(table + ["};"])
    bodies = {
        "ctor": DEFAULT, "copy": DEFAULT, "dtor": DEFAULT,
        "assign_op": ["%s copy(other);" % name, "swap(copy);", "return *this;"],
        "swap": ["std::swap(m_chosen, other.m_chosen);", "m_value.swap(other.m_value);"],
        "reset": ["%s fresh;" % name, "swap(fresh);"],
        "is_member": ["return kyr::schema::is_member(reader, %s);" % map_name],
        "unmarshal_compositor": [
            "int index = m_chosen;",
            "const bool ok = frame::unmarshal_holder(reader, name, error, %s, %s_table, &index, %s, &m_value);"
            % (map_name, name, chosen("none")),
            "m_chosen = static_cast<elmx_chosen>(index);", "return ok;"],
        "marshal_compositor": ["return frame::marshal_holder(writer, %s, %s_table, %d, m_chosen, m_value);"
                               % (c_string(name), name, len(members))],
        "release_choice": ["m_value.reset();", "m_chosen = %s;" % chosen("none")],
    }
    inline = {"is_occurs_ok": ["return m_chosen != %s;" % chosen("none")], "getchosen": ["return m_chosen;"]}
    code.enums()
    for block in code.member_blocks():
        for m in block.methods:
            if m.family in inline:
                code.declare(m, inline[m.family], inline=True)
            else:
                code.declare(m, bodies.get(m.family) or member_body(m))
    code.data.extend(["    elmx_chosen m_chosen = %s;" % chosen("none"),
                      "    kyr::schema::owned<%s> m_value;" % base.name])


def member_body(m):
    t = m.result.target.name
    ec = chosen(m.member)
    if m.family == "get":
        return ["static const %s unchosen;" % t,
                "return m_chosen == %s && m_value ? static_cast<const %s&>(*m_value) : unchosen;" % (ec, t)]
    if m.family == "get_mutable":
        return ["if (m_chosen != %s || !m_value) {" % ec, "    m_value.reset(new %s);" % t, "    m_chosen = %s;" % ec,
                "}", "return static_cast<%s&>(*m_value);" % t]
    return ["m_value.reset(kyr::schema::duplicate(value));", "m_chosen = %s;" % ec,
            "return static_cast<%s&>(*m_value);" % t]
