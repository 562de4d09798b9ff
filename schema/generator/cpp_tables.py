"""The constant tables of the generated translation units: event maps (the names
a reader recognises at each point of a class) and value facets."""

from cpp_names import c_string, double_literal, element_token, wide_string
from name_index import name_index

# Namespace ids of the event maps: attributes are unqualified, elements are in
# the schema's namespace (k_ns_schema, declared with the tokens).
ATTRIBUTE_NS = "lmx::k_ns_id_none"
ELEMENT_NS = "k_ns_schema"
# Patterns the runtime compiles once at load: the generated code refers to its
# object (and header) instead of compiling a second copy.
RUNTIME_PATTERNS = {
    ".+T.+(Z|[+\\-].+)": ("lmx::datetime_stamp_pattern", "kyr/lmx/datetime_pattern.hpp"),
}


def own_patterns(schema):
    """The patterns the generated tables compile themselves: those the runtime
    does not already hold."""
    return [p for p in schema.patterns if p not in RUNTIME_PATTERNS]


def event_map(code, name, entries, ns):
    """Emits a map of (element or attribute name, token) ending with the unknown-item entry;
    its first entry points to the map's index when it has one."""
    index = name_index([element for element, _ in entries])
    first_extra = ""
    if index:
        multiplier, shift, slots = index
        code.tables.append("const unsigned short %s_slots[] = {%s};" % (name, ", ".join(map(str, slots))))
        code.tables.append("const lmx::s_event_index %s_index = {%du, %d, %s_slots};" % (name, multiplier, shift, name))
        first_extra = ", &%s_index" % name
    code.tables.append("const lmx::s_event_map %s[] = {" % name)
    for k, (element, token) in enumerate(entries):
        code.tables.append("    {%s, %s, %d, %s%s}," % (ns, c_string(element), len(element.encode()), token,
                                                        first_extra if k == 0 else ""))
    code.tables.append("    {0, nullptr, 0, lmx::ELXP_UNKNOWN_ITEM}};")
    return name


def member_map(code, members):
    """The map of a choice or holder: the element names of its members."""
    return event_map(code, "%s_members" % code.cls.name, [(e, element_token(e)) for e in members], ELEMENT_NS)


def position_maps(code, particles):
    """One event map per particle position: the elements of that position and later."""
    names = []
    for p in particles:
        if p.kind in ("value", "child"):
            names.append([p.element])
        elif p.kind == "choice":
            names.append([m.element for m in p.cls.choice_members])
        elif p.kind == "group":
            names.append([n for n, _ in p.cls.holder_members])
        else:
            names.append([])
    maps = []
    for k in range(len(particles)):
        entries = []
        for group in names[k:]:
            entries.extend((e, element_token(e)) for e in group if e not in [n for n, _ in entries])
        maps.append(event_map(code, "%s_elements_%d" % (code.cls.name, k), entries, ELEMENT_NS))
    return maps


def facets(code, owner, member):
    """Name of the facets constant of a member (emitting it when needed)."""
    f = member.value.facets
    if f.is_empty():
        return "kyr::schema::k_no_facets"
    name = "%s_%s_facets" % (owner, member.name)
    if name in code.emitted_facets:
        return name
    code.emitted_facets.add(name)
    values = texts = "nullptr"
    if f.enumeration:
        values = enum_values(owner, member)
        literals = ", ".join(wide_string(v) for v in f.enumeration)
        code.tables.append("const wchar_t* const %s[] = {%s, nullptr};" % (values, literals))
        if member.value.kind == "string":
            # Made on first use, so that no load can see them unconstructed.
            texts = "%s_%s_texts" % (owner, member.name)
            code.tables.extend(["const std::wstring* %s()" % texts, "{",
                                "    static const std::wstring texts[] = {%s};" % literals, "    return texts;", "}"])
    pattern = "nullptr"
    if f.pattern in RUNTIME_PATTERNS:
        pattern_object, pattern_header = RUNTIME_PATTERNS[f.pattern]
        pattern = "&" + pattern_object
        code.source_includes.add(pattern_header)
    elif f.pattern is not None:
        pattern = "&k_pattern_%d" % own_patterns(code.schema).index(f.pattern)

    def bound(text, exclusive):
        if text is None:
            return "nullptr, 0.0, false"
        return "%s, %s, %s" % (c_string(text), double_literal(text), "true" if exclusive else "false")

    code.tables.append("const kyr::schema::s_facets %s = {%s, %s, %d, %d, %s, %s, %s};" % (
        name, bound(f.min, f.min_exclusive), bound(f.max, f.max_exclusive),
        -1 if f.min_length is None else f.min_length, -1 if f.max_length is None else f.max_length,
        pattern, values, texts))
    return name


def enum_values(owner, member):
    return "%s_%s_values" % (owner, member.name)
