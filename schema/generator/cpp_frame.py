"""Reading and writing of one generated class: the frame's hooks (attributes,
the particles in order, simple content, choices), the element's own marshal and
unmarshal and the document entry points of a global element. What the hooks
share is the frame's (schema/include/kyr/schema/frame.hpp); here is only the
order and the names of each class."""

from cpp_header import ERR
from cpp_names import attribute_token, c_string, chosen, element_token, present, storage
from cpp_tables import ATTRIBUTE_NS, event_map, facets, member_map, position_maps
from members import simple_member

MISSING = "lmx::ELMX_MANDATORY_ELEMENT_MISSING"


def is_boxed(member):
    """Optional single children with element content are kept out of line: most
    documents leave them out, and embedding them would cost their full size."""
    return member.kind == "child" and not member.repeated and member.optional and member.cls.has_children()


def info_name(cls):
    return "%s_info" % cls.name


def frame_hooks(code):
    """The tables and protected hooks of an element class; returns the bodies of its public frame members."""
    cls = code.cls
    if cls.kind != "simple":
        code.tables.append("const kyr::schema::s_class_info %s = {%s, k_ns_map, %s, %s};" % (
            info_name(cls), c_string(cls.name), "true" if cls.has_children() else "false",
            "true" if cls.empty_accepted else "false"))
    attribute_hooks(code)
    if cls.kind == "simple":
        simple_body(code)
    elif cls.kind == "choice":
        choice_body(code)
    else:
        particle_body(code)


def is_occurs_ok(code):
    conditions = [test for test, _ in occurs_conditions(code.cls)]
    test = " && ".join(conditions) if conditions else "true"
    if code.cls.nillable and conditions and code.cls.kind != "simple":
        test = "(m_nil || (%s))" % test
    return ["return %s;" % test]


def choice_label(cls):
    """What a choice with nothing chosen lacks, for the check before writing."""
    names = [m.element for m in cls.choice_members]
    if names:
        return "one of " + ", ".join(names)
    return cls.holder_head or cls.name


def occurs_conditions(cls):
    """The conditions of is_occurs_ok, each with the name of the item it asks for (None: the base's)."""
    conditions = []
    if cls.base is not None:
        conditions.append(("%s::is_occurs_ok()" % cls.base.name, None))
    if cls.kind == "simple" and not cls.value_optional:
        conditions.append(("(m_value_present%s)" % (" || m_nil" if cls.nillable else ""), "text"))
    conditions.extend((present(a), "@" + a.element) for a in cls.attributes if a.required)
    if cls.kind in ("choice", "inline"):
        conditions.append(("m_chosen != %s" % chosen("none"), choice_label(cls)))
    for p in cls.particles:
        if p.write_always or not p.check_occurs or p.min == 0:
            continue
        if p.kind == "any" or p.repeated:
            conditions.append(("%s.size() >= %d" % (storage(p), p.min), p.element))
        elif p.kind in ("choice", "group"):
            conditions.append(("%s.is_occurs_ok()" % storage(p), choice_label(p.cls) if p.cls else p.element))
        else:
            conditions.append((present(p), p.element))
    return conditions


def missing_items(code):
    """Appends every item whose condition fails; a base class adds its own first."""
    cls = code.cls
    occurs = occurs_conditions(cls)
    body = []
    if cls.nillable and cls.kind != "simple" and occurs:
        body += ["if (m_nil)", "    return;"]
    for condition, label in occurs:
        if label is None:
            body.append("%s::missing_items(out);" % cls.base.name)
        else:
            body += [("if (!%s)" if " " not in condition else "if (!(%s))") % condition,
                     "    out.push_back(%s);" % c_string(label)]
    return body


def marshal_element(code):
    cls = code.cls
    if cls.kind == "simple":
        return ["return frame::marshal_simple(*this, writer, name, m_value, m_value_present, %s);"
                % ("m_nil" if cls.nillable else "false")]
    return ["return frame::marshal(*this, writer, name, %s, %s, %s);"
            % (info_name(cls), "id" if cls.polymorphic else "nullptr", "&m_nil" if cls.nillable else "nullptr")]


def unmarshal_element(code):
    cls = code.cls
    nil = "&m_nil" if cls.nillable else "nullptr"
    if cls.kind == "simple":
        return ["return frame::unmarshal_simple(*this, reader, name, %s);" % nil]
    return ["return frame::unmarshal(*this, reader, name, %s, %s);" % (info_name(cls), nil)]


# -- attributes
def attribute_hooks(code):
    """A class without attributes of its own inherits its base's hooks; one without a base
    gets the empty ones inline."""
    cls = code.cls
    base = cls.base.name if cls.base else None
    reading = "bool unmarshal_attributes(lmx::c_xml_reader& reader, const std::string& name, %s* error)" % ERR
    if cls.attributes or cls.nillable:
        event_map(code, "%s_attributes" % cls.name, [(a.element, attribute_token(a.element)) for a in cls.attributes],
                  ATTRIBUTE_NS)
        body = ["switch (reader.tokenise(%s_attributes, lmx::ELXP_ATTR)) {" % cls.name]
        for a in cls.attributes:
            code.use_value(a.value)
            body.append("case %s:" % attribute_token(a.element))
            body.append("    return frame::read_attribute(reader, name, &%s, &%s, %s, error);"
                        % (storage(a), present(a), facets(code, cls.name, a)))
        if cls.nillable:
            body.extend(["case lmx::ELXP_XSI_NIL:", "    return kyr::schema::read_nil(reader, name, &m_nil, error);"])
        body.extend(["default:", "    return %s;" % ("%s::unmarshal_attributes(reader, name, error)" % base
                                                     if base else "false"), "}"])
        code.hook(reading, body)
    elif not base:
        code.hook("bool unmarshal_attributes(lmx::c_xml_reader&, const std::string&, %s*)" % ERR, ["return false;"],
                  inline=True)
    required = [present(a) for a in cls.attributes if a.required]
    if required:
        body = []
        if base:
            body.extend(["const %s error = %s::unmarshal_attributes_check(reader);" % (ERR, base),
                         "if (error != lmx::ELMX_OK)", "    return error;"])
        body.extend(["if (!%s)" % " || !".join(required),
                     "    return reader.handle_error(lmx::ELMX_REQUIRED_ATTRIBUTES_MISSING, %s, __FILE__, __LINE__);"
                     % c_string(cls.name), "return lmx::ELMX_OK;"])
        code.hook("%s unmarshal_attributes_check(lmx::c_xml_reader& reader)" % ERR, body)
    elif not base:
        code.hook("%s unmarshal_attributes_check(lmx::c_xml_reader&)" % ERR, ["return lmx::ELMX_OK;"], inline=True)
    if cls.attributes:
        body = ["%s::marshal_attributes(writer);" % base] if base else []
        for a in cls.attributes:
            line = "frame::write_attribute(writer, %s, %s);" % (c_string(' %s="' % a.element), storage(a))
            body.extend([line] if a.required else ["if (%s)" % present(a), "    " + line])
        code.hook("void marshal_attributes(lmx::c_xml_writer& writer) const", body)
    elif not base:
        code.hook("void marshal_attributes(lmx::c_xml_writer&) const", [], inline=True)


# -- particles in order
def particle_body(code):
    cls = code.cls
    base = cls.base.name if cls.base else None
    particles = cls.particles
    if not particles:
        if not base:
            code.hook("bool unmarshal_body(lmx::c_xml_reader&, std::string*, %s*)" % ERR, ["return true;"], inline=True)
            code.hook("%s marshal_child_elements(lmx::c_xml_writer&) const" % ERR, ["return lmx::ELMX_OK;"],
                      inline=True)
        return
    maps = position_maps(code, particles)
    body = []
    if base:
        body.extend(["if (!%s::unmarshal_body(reader, name, error))" % base, "    return false;"])
    body.append("kyr::schema::retokenise(reader, %s);" % maps[0])
    end_checks = []
    for k, p in enumerate(particles):
        body.append("// " + p.declaration)
        body.extend(read_particle(code, p, maps[k]))
        if p.min >= 1 and (p.repeated or p.kind == "group") and not p.write_always:
            end_checks.append(("%s.size() < %d" % (storage(p), p.min)) if p.repeated else "!%s" % present(p))
    for test in end_checks:
        body.append("if (%s && !kyr::schema::report(reader, %s, %s, error))" % (test, MISSING, code.qname(cls.name)))
        body.append("    return false;")
    body.append("return true;")
    code.hook("bool unmarshal_body(lmx::c_xml_reader& reader, std::string* name, %s* error)" % ERR, body)
    marshal_children(code)


def missing(item):
    return ["} else if (!kyr::schema::report(reader, %s, %s, error)) {" % (MISSING, item), "    return false;"]


def read_particle(code, p, next_map):
    s = storage(p)
    lines = []
    event = "reader.get_current_event() == %s" % element_token(p.element)
    if p.kind == "value":
        code.use_value(p.value)
        f = facets(code, code.cls.name, p)
        if p.repeated:
            call = "frame::read_value_list(reader, name, &%s, %s, %s, error)" % (s, f, next_map)
        else:
            call = "frame::read_value(reader, name, &%s, &%s, %s, %s, error)" % (s, present(p), f, next_map)
    elif p.kind == "child":
        code.use_class(p.cls, not p.repeated)
        if p.repeated:
            call = "frame::read_child(reader, name, &%s.append(), %s, error)" % (s, next_map)
        else:
            call = "frame::read_child(reader, name, &%s%s, %s, error)" % ("*" if is_boxed(p) else "", s, next_map)
    elif p.kind == "any":
        lines.extend(["if (!kyr::schema::read_any(reader, name, &%s, error))" % s, "    return false;"])
        if p.min >= 1:
            lines.append("if (%s.empty() && !kyr::schema::report(reader, %s, %s, error))"
                         % (s, MISSING, c_string(code.prefix + ":")))
            lines.append("    return false;")
        return lines
    else:
        # choice or group: the compositor reads ahead with its own member map
        code.use_class(p.cls, not p.repeated)
        target = ("%s.append()" % s) if p.repeated else s
        lines.append("%s (%s::is_member(reader, *name)) {" % ("while" if p.repeated else "if", p.cls.name))
        if not p.repeated:
            lines.append("    %s = true;" % present(p))
        lines.extend(["    if (!%s.unmarshal(reader, name, error))" % target, "        return false;",
                      "    kyr::schema::retokenise(reader, %s);" % next_map])
        if p.kind == "choice" and p.min >= 1:
            lines.extend(missing('""'))
        lines.append("}")
        if p.repeated:
            lines.append("%s.shrink_to_fit();" % s)
        return lines
    mandatory_first = p.min >= 1 and not p.write_always
    if p.repeated:
        if mandatory_first:
            lines.append("if (!(%s) && !kyr::schema::report(reader, %s, %s, error))"
                         % (event, MISSING, code.qname(p.element)))
            lines.append("    return false;")
        lines.extend(["while (%s) {" % event, "    if (!%s)" % call, "        return false;", "}"])
        if p.kind == "child":
            lines.append("%s.shrink_to_fit();" % s)
        return lines
    lines.append("if (%s) {" % event)
    if p.kind == "child" and not p.write_always:
        lines.append("    %s = true;" % present(p))
    lines.extend(["    if (!%s)" % call, "        return false;"])
    if mandatory_first:
        lines.extend(missing(code.qname(p.element)))
    lines.append("}")
    return lines


def marshal_children(code):
    cls = code.cls
    base = cls.base.name if cls.base else None
    body = []
    if base is not None or any(p.kind not in ("value", "any") for p in cls.particles):
        body.append("%s error = lmx::ELMX_OK;" % ERR)
    if base:
        body.extend(["if ((error = %s::marshal_child_elements(writer)) != lmx::ELMX_OK)" % base, "    return error;"])
    for p in cls.particles:
        s = storage(p)
        q = code.qname(p.element)
        if p.kind == "value":
            stmt = (["for (const auto& value : %s)" % s, "    frame::write_value(writer, %s, value);" % q]
                    if p.repeated else ["frame::write_value(writer, %s, %s);" % (q, s)])
        elif p.kind == "any":
            stmt = ["kyr::schema::write_any(writer, %s);" % s]
        else:
            if p.kind == "child":
                call = ("frame::write_list(writer, %s, %s)" % (q, s)) if p.repeated else "%s%smarshal(writer, %s)" % (
                    s, "->" if is_boxed(p) else ".", q)
            else:
                call = ("frame::write_list(writer, %s)" % s) if p.repeated else "%s.marshal(writer)" % s
            stmt = ["if ((error = %s) != lmx::ELMX_OK)" % call, "    return error;"]
        if not p.repeated and p.min == 0 and not p.write_always and p.kind != "any":
            body.append("if (%s) {" % present(p))
            body.extend("    " + line for line in stmt)
            body.append("}")
        else:
            body.extend(stmt)
    body.append("return lmx::ELMX_OK;")
    code.hook("%s marshal_child_elements(lmx::c_xml_writer& writer) const" % ERR, body)


# -- simple content
def simple_body(code):
    cls = code.cls
    code.use_value(cls.value)
    f = facets(code, cls.name, simple_member(cls))
    code.hook("bool unmarshal_body(lmx::c_xml_reader& reader, std::string* name, %s* error, bool not_empty)" % ERR,
              ["return frame::read_text(reader, *name, &m_value, &m_value_present, %s, not_empty, %s, error);"
               % (f, "true" if cls.value_optional else "false")])


# -- choices
def choice_switch(code, members_map):
    body = ["kyr::schema::retokenise(reader, %s);" % members_map, "switch (reader.get_current_event()) {"]
    for m in code.cls.choice_members:
        body.extend(["case %s:" % element_token(m.element), "    choose(%s);" % chosen(m.name)])
        if m.kind == "value":
            code.use_value(m.value)
            body.append("    return frame::read_value(reader, name, &%s, nullptr, %s, %s, error);"
                        % (storage(m), facets(code, code.cls.name, m), members_map))
        else:
            code.use_class(m.cls, False)
            body.append("    %s.reset(new %s);" % (storage(m), m.cls.name))
            body.append("    return frame::read_child(reader, name, %s.get(), %s, error);" % (storage(m), members_map))
    body.extend(["default:",
                 "    return kyr::schema::report(reader, lmx::ELMX_UNKNOWN_ELEMENT_IN_COMPLEX_CONTENT, *name, error);",
                 "}"])
    return body


def choice_writer(code):
    cls = code.cls
    item = "%s:%s" % (code.prefix, cls.origin_element) if cls.origin_element else cls.name
    body = ["switch (m_chosen) {"]
    for m in cls.choice_members:
        body.append("case %s:" % chosen(m.name))
        if m.kind == "value":
            body.extend(["    frame::write_value(writer, %s, %s);" % (code.qname(m.element), storage(m)),
                         "    return lmx::ELMX_OK;"])
        else:
            body.extend(["    if (!%s)" % storage(m), "        return lmx::ELMX_TYPE_NOT_SET;",
                         "    return %s->marshal(writer, %s);" % (storage(m), code.qname(m.element))])
    body.extend(["default:", "    return kyr::schema::report(writer, lmx::ELMX_BAD_CHOICE, %s);" % c_string(item), "}"])
    return body


def choice_body(code):
    members_map = member_map(code, [m.element for m in code.cls.choice_members])
    code.hook("bool unmarshal_body(lmx::c_xml_reader& reader, std::string* name, %s* error)" % ERR,
              choice_switch(code, members_map))
    code.hook("%s marshal_child_elements(lmx::c_xml_writer& writer) const" % ERR, choice_writer(code))


def inline_choice(code):
    """The bodies of an inline choice's public frame members: it reads and writes its member itself."""
    members_map = member_map(code, [m.element for m in code.cls.choice_members])
    return {"is_member": ["return kyr::schema::is_member(reader, %s);" % members_map],
            "unmarshal_compositor": choice_switch(code, members_map),
            "marshal_compositor": choice_writer(code)}


# -- document entry points of a global element
def entry_point(code, method):
    cls = code.cls
    local = c_string(cls.element_name)
    q = code.qname(cls.element_name)
    return {
        "ns_map": ["return k_ns_map;"],
        "ctor_text": ["*error = unmarshal(text);"],
        "ctor_buffer": ["*error = unmarshal(buffer, length);"],
        "ctor_file": ["*error = unmarshal(file_name);"],
        "unmarshal_document": ["return frame::unmarshal_document(*this, reader, %s);" % local],
        "unmarshal_text": ["return frame::unmarshal_text(*this, text.data(), text.size(), %s);" % local],
        "unmarshal_buffer": ["return frame::unmarshal_text(*this, buffer, length, %s);" % local],
        "unmarshal_file": ["return frame::unmarshal_file(*this, file_name, %s);" % local],
        "marshal_stream": ["return frame::marshal_stream(*this, os, %s);" % q],
        "marshal_string": ["return frame::marshal_string(*this, text, %s);" % q],
        "marshal_file": ["return frame::marshal_file(*this, file_name, %s);" % q],
    }[method.family]
