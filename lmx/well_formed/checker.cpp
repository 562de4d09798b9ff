#include "checker.hpp"

#include <kyr/lmx/reader_limits.hpp>
#include <kyr/lmx/xml_chars.hpp>

#include <algorithm>

namespace lmx::well_formed {

namespace {

const std::u32string k_xml_namespace = U"http://www.w3.org/XML/1998/namespace";
const std::u32string k_xmlns_namespace = U"http://www.w3.org/2000/xmlns/";
// Entity texts checked in one document, and entities open inside one another: beyond either
// the document is an attack, not data.
constexpr std::size_t k_max_expanded = 10000000;
constexpr int k_max_entity_depth = 64;

bool is_space(char32_t c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool is_name_start(char32_t c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':'
        || (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF)
        || (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) || (c >= 0x200C && c <= 0x200D)
        || (c >= 0x2070 && c <= 0x218F) || (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF)
        || (c >= 0xF900 && c <= 0xFDCF) || (c >= 0xFDF0 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0xEFFFF);
}

bool is_name_char(char32_t c)
{
    return is_name_start(c) || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == 0xB7
        || (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

bool is_pubid_char(char32_t c)
{
    static const std::u32string others = U" \r\n-'()+,./:=?;!*#@$_%";
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
        || others.find(c) != std::u32string::npos;
}

bool is_predefined(const std::u32string& name, char32_t* c)
{
    static const std::pair<const char32_t*, char32_t> predefined[] = {
        {U"lt", '<'}, {U"gt", '>'}, {U"amp", '&'}, {U"apos", '\''}, {U"quot", '"'}};
    for (const auto& [entity, value] : predefined)
        if (name == entity) {
            *c = value;
            return true;
        }
    return false;
}

} // namespace

bool c_checker::fail(elmx_error code, const char* message)
{
    if (m_code == ELMX_OK) {
        m_code = code;
        m_fault_at = m_entity_depth > 0 ? m_outer_at : m_at;
        m_message = message;
    }
    return false;
}

bool c_checker::looking_at(const char* ascii) const
{
    for (std::size_t i = 0; ascii[i] != '\0'; ++i)
        if (peek(i) != static_cast<char32_t>(ascii[i]))
            return false;
    return true;
}

bool c_checker::take(const char* ascii)
{
    if (!looking_at(ascii))
        return false;
    m_at += std::char_traits<char>::length(ascii);
    return true;
}

bool c_checker::take_char(char32_t c)
{
    if (at_end() || peek() != c)
        return false;
    ++m_at;
    return true;
}

bool c_checker::skip_space()
{
    const std::size_t from = m_at;
    while (!at_end() && is_space(peek()))
        ++m_at;
    return m_at != from;
}

bool c_checker::read_name(std::u32string* name)
{
    if (at_end() || !is_name_start(peek()))
        return fail(ELMX_NOT_WELL_FORMED, "a name expected");
    const std::size_t from = m_at;
    while (!at_end() && is_name_char(peek()))
        ++m_at;
    if (m_at - from > k_max_name_length)
        return fail(ELMX_NOT_WELL_FORMED, "a name too long");
    name->assign(*m_text, from, m_at - from);
    return true;
}

bool c_checker::read_nmtoken()
{
    const std::size_t from = m_at;
    while (!at_end() && is_name_char(peek()))
        ++m_at;
    return m_at != from || fail(ELMX_BAD_DTD, "a name token expected");
}

bool c_checker::read_quoted(std::u32string* value)
{
    const char32_t quote = peek();
    if (quote != '"' && quote != '\'')
        return fail(ELMX_NOT_WELL_FORMED, "a quoted value expected");
    const std::size_t end = m_text->find(quote, m_at + 1);
    if (end == std::u32string::npos)
        return fail(ELMX_NOT_WELL_FORMED, "a quoted value not closed");
    value->assign(*m_text, m_at + 1, end - m_at - 1);
    m_at = end + 1;
    return true;
}

bool c_checker::read_char_ref(char32_t* c)
{
    take("&#");
    const bool hex = take_char('x');
    std::uint32_t value = 0;
    std::size_t digits = 0;
    for (;; ++m_at, ++digits) {
        const char32_t d = peek();
        int digit;
        if (d >= '0' && d <= '9')
            digit = static_cast<int>(d - '0');
        else if (hex && d >= 'a' && d <= 'f')
            digit = static_cast<int>(d - 'a' + 10);
        else if (hex && d >= 'A' && d <= 'F')
            digit = static_cast<int>(d - 'A' + 10);
        else
            break;
        value =
            std::min<std::uint32_t>(value * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit), 0x110000);
    }
    if (digits == 0 || !take_char(';'))
        return fail(ELMX_NOT_WELL_FORMED, "a malformed character reference");
    if (!is_xml_char(value))
        return fail(ELMX_NOT_WELL_FORMED, "a reference to a character XML does not allow");
    *c = static_cast<char32_t>(value);
    return true;
}

bool c_checker::is_qname(const std::u32string& name) const
{
    const std::size_t colon = name.find(':');
    if (colon == std::u32string::npos)
        return true;
    return colon > 0 && colon + 1 < name.size() && name.find(':', colon + 1) == std::u32string::npos
        && is_name_start(name[colon + 1]);
}

bool c_checker::entities_must_be_declared() const
{
    return !m_has_doctype || m_standalone || (!m_external_subset && !m_parameter_references);
}

// -- Document and prolog

elmx_error c_checker::check_document()
{
    if (looking_at("<?xml") && (is_space(peek(5)) || peek(5) == '?') && !xml_declaration())
        return m_code;
    bool taken = true;
    while (taken)
        if (!misc(&taken))
            return m_code;
    if (looking_at("<!DOCTYPE")) {
        if (!doctype())
            return m_code;
        for (taken = true; taken;)
            if (!misc(&taken))
                return m_code;
    }
    if (!(peek() == '<' && is_name_start(peek(1)))) {
        fail(ELMX_NOT_WELL_FORMED, "no document element");
        return m_code;
    }
    if (!element(0))
        return m_code;
    for (taken = true; taken;)
        if (!misc(&taken))
            return m_code;
    if (!at_end())
        fail(ELMX_NOT_WELL_FORMED, "content after the document element");
    return m_code;
}

bool c_checker::xml_declaration()
{
    const auto equals = [this] {
        skip_space();
        const bool taken = take_char('=');
        skip_space();
        return taken;
    };
    std::u32string value;
    take("<?xml");
    if (!skip_space() || !take("version") || !equals() || !read_quoted(&value))
        return fail(ELMX_BAD_XML_DECL, "a malformed XML declaration");
    if (value.size() < 3 || value.compare(0, 2, U"1.") != 0
        || !std::all_of(value.begin() + 2, value.end(), [](char32_t c) { return c >= '0' && c <= '9'; }))
        return fail(ELMX_BAD_XML_VERSION, "a version that is not 1.x");
    bool space = skip_space();
    if (looking_at("encoding")) {
        take("encoding");
        if (!space || !equals() || !read_quoted(&value) || value.empty()
            || !((value[0] >= 'a' && value[0] <= 'z') || (value[0] >= 'A' && value[0] <= 'Z'))
            || !std::all_of(value.begin(), value.end(), [](char32_t c) {
                   return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
                       || c == '.' || c == '_' || c == '-';
               }))
            return fail(ELMX_BAD_XML_DECL, "a malformed encoding declaration");
        space = skip_space();
    }
    if (looking_at("standalone")) {
        take("standalone");
        if (!space || !equals() || !read_quoted(&value) || (value != U"yes" && value != U"no"))
            return fail(ELMX_BAD_XML_DECL, "a malformed standalone declaration");
        m_standalone = value == U"yes";
        skip_space();
    }
    return take("?>") || fail(ELMX_BAD_XML_DECL, "a malformed XML declaration");
}

bool c_checker::misc(bool* taken)
{
    *taken = skip_space();
    if (looking_at("<!--")) {
        *taken = true;
        return comment();
    }
    if (looking_at("<?")) {
        *taken = true;
        return processing_instruction();
    }
    return true;
}

bool c_checker::comment()
{
    take("<!--");
    for (; !at_end(); ++m_at) {
        if (looking_at("--")) {
            if (take("-->"))
                return true;
            return fail(ELMX_BAD_COMMENT, "'--' inside a comment");
        }
    }
    return fail(ELMX_BAD_COMMENT, "a comment not closed");
}

bool c_checker::processing_instruction()
{
    take("<?");
    std::u32string target;
    if (!read_name(&target))
        return false;
    std::u32string lowered = target;
    for (char32_t& c : lowered)
        if (c >= 'A' && c <= 'Z')
            c = c - 'A' + 'a';
    if (lowered == U"xml")
        return fail(ELMX_BAD_XML_DECL, "an XML declaration not at the start");
    if (!is_ncname(target))
        return fail(ELMX_NOT_WELL_FORMED, "a colon in a processing instruction's target");
    if (take("?>"))
        return true;
    if (!skip_space())
        return fail(ELMX_NOT_WELL_FORMED, "a processing instruction's target not followed by white space");
    for (; !at_end(); ++m_at)
        if (take("?>"))
            return true;
    return fail(ELMX_NOT_WELL_FORMED, "a processing instruction not closed");
}

// -- Document type declaration

bool c_checker::doctype()
{
    m_has_doctype = true;
    take("<!DOCTYPE");
    std::u32string name;
    if (!skip_space() || !read_name(&name))
        return fail(ELMX_BAD_DTD, "a malformed document type declaration");
    if (!is_qname(name))
        return fail(ELMX_NOT_WELL_FORMED, "a name that is not a qualified name");
    const bool space = skip_space();
    if (looking_at("SYSTEM") || looking_at("PUBLIC")) {
        if (!space || !external_id(false))
            return fail(ELMX_BAD_DTD, "a malformed external identifier");
        m_external_subset = true;
        skip_space();
    }
    if (take_char('[')) {
        if (!internal_subset(false))
            return false;
        take_char(']');
        skip_space();
    }
    return take_char('>') || fail(ELMX_BAD_DTD, "a malformed document type declaration");
}

bool c_checker::external_id(bool public_alone)
{
    std::u32string literal;
    if (take("SYSTEM"))
        return (skip_space() && read_quoted(&literal)) || fail(ELMX_BAD_DTD, "a malformed system identifier");
    if (!take("PUBLIC") || !skip_space() || !read_quoted(&literal))
        return fail(ELMX_BAD_DTD, "a malformed external identifier");
    if (!std::all_of(literal.begin(), literal.end(), is_pubid_char))
        return fail(ELMX_BAD_DTD, "a character a public identifier may not hold");
    const bool space = skip_space();
    if (public_alone && peek() != '"' && peek() != '\'')
        return true;
    return (space && read_quoted(&literal)) || fail(ELMX_BAD_DTD, "a malformed system identifier");
}

bool c_checker::internal_subset(bool in_entity)
{
    for (;;) {
        skip_space();
        if (at_end())
            return in_entity || fail(ELMX_BAD_DTD, "a document type declaration not closed");
        if (peek() == ']' && !in_entity)
            return true;
        if (peek() == '%') {
            if (!parameter_reference_between_declarations())
                return false;
        } else if (!markup_declaration()) {
            return false;
        }
    }
}

bool c_checker::parameter_reference_between_declarations()
{
    m_parameter_references = true;
    const std::size_t reference_at = m_at;
    std::u32string name;
    take_char('%');
    if (!read_name(&name) || !take_char(';'))
        return fail(ELMX_BAD_DTD, "a malformed parameter entity reference");
    const auto found = m_parameter.find(name);
    if (found == m_parameter.end() || found->second.external) {
        // Declarations after an entity not read might depend on it: they are not taken.
        m_declarations_skipped = true;
        return true;
    }
    return within_entity(reference_at, name, found->second.value, [this] { return internal_subset(true); });
}

bool c_checker::markup_declaration()
{
    if (looking_at("<!ELEMENT"))
        return element_declaration();
    if (looking_at("<!ATTLIST"))
        return attlist_declaration();
    if (looking_at("<!ENTITY"))
        return entity_declaration();
    if (looking_at("<!NOTATION"))
        return notation_declaration();
    if (looking_at("<!--"))
        return comment();
    if (looking_at("<?"))
        return processing_instruction();
    return fail(ELMX_BAD_DTD, "not a markup declaration");
}

bool c_checker::element_declaration()
{
    std::u32string name;
    take("<!ELEMENT");
    if (!skip_space() || !read_name(&name) || !skip_space())
        return fail(ELMX_BAD_DTD, "a malformed element declaration");
    if (!is_qname(name))
        return fail(ELMX_NOT_WELL_FORMED, "a name that is not a qualified name");
    if (!take("EMPTY") && !take("ANY")) {
        const std::size_t group = m_at;
        if (!take_char('('))
            return fail(ELMX_BAD_DTD, "a malformed content model");
        skip_space();
        if (take("#PCDATA")) {
            skip_space();
            if (take_char(')')) {
                take_char('*');
            } else {
                while (take_char('|')) {
                    skip_space();
                    if (!read_name(&name))
                        return false;
                    skip_space();
                }
                if (!take(")*"))
                    return fail(ELMX_BAD_DTD, "a malformed mixed content model");
            }
        } else {
            m_at = group;
            if (!content_particle(0))
                return false;
        }
    }
    skip_space();
    return take_char('>') || fail(ELMX_BAD_DTD, "a malformed element declaration");
}

bool c_checker::content_particle(int depth)
{
    if (depth > static_cast<int>(k_max_element_depth))
        return fail(ELMX_BAD_DTD, "a content model nested too deep");
    std::u32string name;
    if (take_char('(')) {
        char32_t separator = 0;
        do {
            skip_space();
            if (!content_particle(depth + 1))
                return false;
            skip_space();
            const char32_t c = peek();
            if (c != '|' && c != ',')
                break;
            if (separator != 0 && c != separator)
                return fail(ELMX_BAD_DTD, "'|' and ',' mixed in one group");
            separator = c;
            ++m_at;
        } while (true);
        if (!take_char(')'))
            return fail(ELMX_BAD_DTD, "a malformed content model");
    } else if (!read_name(&name)) {
        return fail(ELMX_BAD_DTD, "a malformed content model");
    }
    if (peek() == '?' || peek() == '*' || peek() == '+')
        ++m_at;
    return true;
}

bool c_checker::attlist_declaration()
{
    std::u32string element_name;
    std::u32string name;
    take("<!ATTLIST");
    if (!skip_space() || !read_name(&element_name))
        return fail(ELMX_BAD_DTD, "a malformed attribute-list declaration");
    if (!is_qname(element_name))
        return fail(ELMX_NOT_WELL_FORMED, "a name that is not a qualified name");
    static const char* const types[] = {"CDATA",    "IDREFS", "IDREF",    "ID",
                                        "ENTITIES", "ENTITY", "NMTOKENS", "NMTOKEN"};
    for (;;) {
        const bool space = skip_space();
        if (take_char('>'))
            return true;
        if (!space || !read_name(&name) || !skip_space())
            return fail(ELMX_BAD_DTD, "a malformed attribute definition");
        if (!is_qname(name))
            return fail(ELMX_NOT_WELL_FORMED, "a name that is not a qualified name");
        const bool cdata = looking_at("CDATA");
        if (!cdata && (!m_declarations_skipped || m_standalone))
            m_tokenised.emplace(element_name + U" " + name);
        const bool keyword =
            std::any_of(std::begin(types), std::end(types), [this](const char* t) { return take(t); });
        if (!keyword) {
            const bool notation = take("NOTATION");
            if ((notation && !skip_space()) || !take_char('('))
                return fail(ELMX_BAD_DTD, "a malformed attribute type");
            do {
                skip_space();
                if (notation ? !read_name(&name) : !read_nmtoken())
                    return false;
                skip_space();
            } while (take_char('|'));
            if (!take_char(')'))
                return fail(ELMX_BAD_DTD, "a malformed attribute type");
        }
        if (!skip_space())
            return fail(ELMX_BAD_DTD, "a malformed attribute definition");
        if (take("#REQUIRED") || take("#IMPLIED"))
            continue;
        if (take("#FIXED") && !skip_space())
            return fail(ELMX_BAD_DTD, "a malformed attribute default");
        std::u32string value;
        if (!attribute_value(&value))
            return false;
    }
}

bool c_checker::entity_declaration()
{
    take("<!ENTITY");
    if (!skip_space())
        return fail(ELMX_BAD_DTD, "a malformed entity declaration");
    const bool parameter = take_char('%');
    std::u32string name;
    if ((parameter && !skip_space()) || !read_name(&name) || !skip_space())
        return fail(ELMX_BAD_DTD, "a malformed entity declaration");
    if (!is_ncname(name))
        return fail(ELMX_NOT_WELL_FORMED, "a colon in an entity's name");
    s_entity entity;
    if (peek() == '"' || peek() == '\'') {
        if (!entity_value(&entity.value))
            return false;
    } else {
        if (!external_id(false))
            return false;
        entity.external = true;
        const bool space = skip_space();
        if (!parameter && take("NDATA")) {
            if (!space || !skip_space() || !read_name(&name))
                return fail(ELMX_BAD_DTD, "a malformed notation name");
            entity.unparsed = true;
        }
    }
    skip_space();
    if (!take_char('>'))
        return fail(ELMX_BAD_DTD, "a malformed entity declaration");
    if (!m_declarations_skipped || m_standalone)
        (parameter ? m_parameter : m_general).emplace(name, std::move(entity));
    return true;
}

bool c_checker::entity_value(std::u32string* value)
{
    const char32_t quote = peek();
    ++m_at;
    for (;;) {
        if (at_end())
            return fail(ELMX_BAD_DTD, "an entity value not closed");
        const char32_t c = peek();
        if (c == quote) {
            ++m_at;
            return true;
        }
        if (c == '%')
            return fail(ELMX_BAD_DTD, "a parameter entity reference inside a declaration");
        if (c == '&' && peek(1) == '#') {
            char32_t referenced;
            if (!read_char_ref(&referenced))
                return false;
            value->push_back(referenced);
        } else if (c == '&') {
            std::u32string name;
            ++m_at;
            if (!read_name(&name) || !take_char(';'))
                return fail(ELMX_NOT_WELL_FORMED, "'&' not beginning a reference");
            *value += U"&" + name + U";";
        } else {
            value->push_back(c);
            ++m_at;
        }
    }
}

bool c_checker::notation_declaration()
{
    std::u32string name;
    take("<!NOTATION");
    if (!skip_space() || !read_name(&name) || !skip_space())
        return fail(ELMX_BAD_DTD, "a malformed notation declaration");
    if (!is_ncname(name))
        return fail(ELMX_NOT_WELL_FORMED, "a colon in a notation's name");
    if (!external_id(true))
        return false;
    skip_space();
    return take_char('>') || fail(ELMX_BAD_DTD, "a malformed notation declaration");
}

// -- Entity texts

bool c_checker::within_entity(std::size_t reference_at, const std::u32string& name,
                              const std::u32string& text, const std::function<bool()>& check)
{
    const std::size_t after_reference = m_at;
    m_at = reference_at;
    if (std::find(m_open_entities.begin(), m_open_entities.end(), name) != m_open_entities.end())
        return fail(ELMX_RECURSIVE_ENTITY, "an entity that refers to itself");
    if (m_entity_depth >= k_max_entity_depth || (m_expanded += text.size()) > k_max_expanded)
        return fail(ELMX_NOT_WELL_FORMED, "entities that expand too far");
    const std::u32string* const outer_text = m_text;
    if (m_entity_depth++ == 0)
        m_outer_at = reference_at;
    m_open_entities.push_back(name);
    m_text = &text;
    m_at = 0;
    const bool checked = check();
    m_text = outer_text;
    m_at = after_reference;
    m_open_entities.pop_back();
    --m_entity_depth;
    return checked;
}

// -- Elements

bool c_checker::element(int depth)
{
    if (depth >= static_cast<int>(k_max_element_depth))
        return fail(ELMX_NOT_WELL_FORMED, "elements nested too deep");
    const std::size_t tag_at = m_at;
    std::u32string name;
    take_char('<');
    if (!read_name(&name))
        return false;
    std::vector<std::pair<std::u32string, std::u32string>> attributes;
    bool empty = false;
    for (;;) {
        const bool space = skip_space();
        if (take("/>")) {
            empty = true;
            break;
        }
        if (take_char('>'))
            break;
        if (at_end())
            return fail(ELMX_BAD_START_TAG_END, "a start tag not closed");
        std::u32string attribute;
        if (!space)
            return fail(ELMX_NOT_WELL_FORMED, "attributes not apart");
        if (!read_name(&attribute))
            return false;
        skip_space();
        if (!take_char('='))
            return fail(ELMX_NOT_WELL_FORMED, "an attribute without '='");
        skip_space();
        std::u32string value;
        if (!attribute_value(&value))
            return false;
        if (attributes.size() == k_max_attribute_count)
            return fail(ELMX_NOT_WELL_FORMED, "too many attributes");
        for (const auto& other : attributes)
            if (other.first == attribute)
                return fail(ELMX_ATTRIBUTE_ALREADY_READ, "an attribute given twice");
        attributes.emplace_back(std::move(attribute), std::move(value));
    }
    // A value of a declared type other than CDATA loses its outer and doubled blanks.
    for (auto& [attribute, value] : attributes) {
        if (m_tokenised.count(name + U" " + attribute) == 0)
            continue;
        std::u32string tokens;
        for (std::size_t i = 0; i < value.size(); ++i)
            if (value[i] != ' ' || (!tokens.empty() && i + 1 < value.size() && value[i + 1] != ' '))
                tokens.push_back(value[i]);
        value.swap(tokens);
    }
    // Namespace faults are the start tag's: they are reported at its beginning.
    const std::size_t outer_bindings = m_declared.size();
    const std::size_t after_tag = m_at;
    m_at = tag_at;
    if (!check_namespaces(attributes, name))
        return false;
    m_at = after_tag;
    if (!empty) {
        if (!content(depth, false))
            return false;
        std::u32string end_name;
        take("</");
        if (!read_name(&end_name))
            return false;
        if (end_name != name)
            return fail(ELMX_BAD_END_TAG, "an end tag that does not match the start tag");
        skip_space();
        if (!take_char('>'))
            return fail(ELMX_BAD_END_TAG, "a malformed end tag");
    }
    for (; m_declared.size() > outer_bindings; m_declared.pop_back()) {
        auto& uris = m_bindings[m_declared.back()];
        uris.pop_back();
        if (uris.empty())
            m_bindings.erase(m_declared.back());
    }
    return true;
}

bool c_checker::content(int depth, bool whole_text)
{
    for (;;) {
        if (at_end())
            return whole_text || fail(ELMX_NOT_WELL_FORMED, "an element not closed");
        const char32_t c = peek();
        if (c == '<') {
            if (looking_at("</"))
                return !whole_text
                    || fail(ELMX_NOT_WELL_FORMED, "an end tag in an entity whose start tag is not");
            if (looking_at("<!--")) {
                if (!comment())
                    return false;
            } else if (take("<![CDATA[")) {
                while (!take("]]>")) {
                    if (at_end())
                        return fail(ELMX_NOT_WELL_FORMED, "a CDATA section not closed");
                    ++m_at;
                }
            } else if (looking_at("<?")) {
                if (!processing_instruction())
                    return false;
            } else if (is_name_start(peek(1))) {
                if (!element(depth + 1))
                    return false;
            } else {
                return fail(ELMX_NOT_WELL_FORMED, "'<' not beginning markup");
            }
        } else if (c == '&') {
            if (!reference_in_content(depth))
                return false;
        } else if (c == ']' && looking_at("]]>")) {
            return fail(ELMX_NOT_WELL_FORMED, "']]>' in text");
        } else {
            // Text up to the next character that may begin markup, a reference or "]]>".
            const std::size_t end = m_text->find_first_of(U"<&]", m_at + 1);
            m_at = end == std::u32string::npos ? m_text->size() : end;
        }
    }
}

bool c_checker::reference_in_content(int depth)
{
    char32_t c;
    if (peek(1) == '#')
        return read_char_ref(&c);
    const std::size_t reference_at = m_at;
    std::u32string name;
    ++m_at;
    if (!read_name(&name) || !take_char(';'))
        return fail(ELMX_NOT_WELL_FORMED, "'&' not beginning a reference");
    if (is_predefined(name, &c))
        return true;
    const auto found = m_general.find(name);
    if (found == m_general.end())
        return !entities_must_be_declared()
            || fail(ELMX_ENTITY_NOT_FOUND, "a reference to an undeclared entity");
    if (found->second.unparsed)
        return fail(ELMX_NOT_WELL_FORMED, "a reference to an unparsed entity");
    if (found->second.external)
        return true;
    return within_entity(reference_at, name, found->second.value,
                         [this, depth] { return content(depth, true); });
}

bool c_checker::attribute_value(std::u32string* value)
{
    const char32_t quote = peek();
    if (quote != '"' && quote != '\'')
        return fail(ELMX_NOT_WELL_FORMED, "an attribute value not quoted");
    ++m_at;
    return attribute_text(value, quote);
}

bool c_checker::attribute_text(std::u32string* value, char32_t quote)
{
    for (;;) {
        if (at_end())
            return quote == 0 || fail(ELMX_NOT_WELL_FORMED, "an attribute value not closed");
        const char32_t c = peek();
        if (c == quote) {
            ++m_at;
            return true;
        }
        if (c == '<')
            return fail(ELMX_NOT_WELL_FORMED, "'<' in an attribute value");
        if (c != '&') {
            value->push_back(is_space(c) ? ' ' : c);
            ++m_at;
            continue;
        }
        char32_t referenced;
        if (peek(1) == '#') {
            if (!read_char_ref(&referenced))
                return false;
            value->push_back(referenced);
            continue;
        }
        const std::size_t reference_at = m_at;
        std::u32string name;
        ++m_at;
        if (!read_name(&name) || !take_char(';'))
            return fail(ELMX_NOT_WELL_FORMED, "'&' not beginning a reference");
        if (is_predefined(name, &referenced)) {
            value->push_back(referenced);
            continue;
        }
        const auto found = m_general.find(name);
        if (found == m_general.end()) {
            if (entities_must_be_declared())
                return fail(ELMX_ENTITY_NOT_FOUND, "a reference to an undeclared entity");
        } else if (found->second.external) {
            return fail(ELMX_EXTERNAL_ENTITY, "an external entity in an attribute value");
        } else if (!within_entity(reference_at, name, found->second.value,
                                  [this, value] { return attribute_text(value, 0); })) {
            return false;
        }
    }
}

// -- Namespaces

void c_checker::bind(const std::u32string& prefix, const std::u32string& uri)
{
    m_bindings[prefix].push_back(uri);
    m_declared.push_back(prefix);
}

const std::u32string* c_checker::namespace_of(const std::u32string& prefix) const
{
    if (prefix == U"xml")
        return &k_xml_namespace;
    const auto found = m_bindings.find(prefix);
    return found == m_bindings.end() || found->second.back().empty() ? nullptr : &found->second.back();
}

bool c_checker::check_namespaces(const std::vector<std::pair<std::u32string, std::u32string>>& attributes,
                                 const std::u32string& element_name)
{
    for (const auto& [name, value] : attributes) {
        if (name == U"xmlns") {
            if (value == k_xml_namespace || value == k_xmlns_namespace)
                return fail(ELMX_NOT_WELL_FORMED, "a reserved namespace made the default");
            bind(U"", value);
        } else if (name.compare(0, 6, U"xmlns:") == 0) {
            const std::u32string prefix = name.substr(6);
            if (!is_qname(name) || prefix == U"xmlns")
                return fail(ELMX_NOT_WELL_FORMED, "a reserved prefix declared");
            if ((prefix == U"xml") != (value == k_xml_namespace) || value == k_xmlns_namespace)
                return fail(ELMX_NOT_WELL_FORMED, "a reserved namespace bound to another prefix");
            if (value.empty())
                return fail(ELMX_NOT_WELL_FORMED, "a prefix bound to no namespace");
            bind(prefix, value);
        }
    }
    const auto resolve = [this](const std::u32string& name, std::u32string* expanded) {
        if (!is_qname(name))
            return fail(ELMX_NOT_WELL_FORMED, "a name that is not a qualified name");
        const std::size_t colon = name.find(':');
        if (colon == std::u32string::npos) {
            *expanded = name;
            return true;
        }
        const std::u32string prefix = name.substr(0, colon);
        const std::u32string* uri = prefix == U"xmlns" ? nullptr : namespace_of(prefix);
        if (uri == nullptr)
            return fail(ELMX_NOT_WELL_FORMED, "a prefix with no namespace declared");
        *expanded = *uri + U"}" + name.substr(colon + 1);
        return true;
    };
    std::u32string expanded;
    if (!resolve(element_name, &expanded))
        return false;
    std::vector<std::u32string> seen;
    for (const auto& attribute : attributes) {
        const std::u32string& name = attribute.first;
        if (name == U"xmlns" || name.compare(0, 6, U"xmlns:") == 0)
            continue;
        if (!resolve(name, &expanded))
            return false;
        if (name.find(':') == std::u32string::npos)
            continue;
        if (std::find(seen.begin(), seen.end(), expanded) != seen.end())
            return fail(ELMX_ATTRIBUTE_ALREADY_READ, "an attribute given twice in one namespace");
        seen.push_back(expanded);
    }
    return true;
}

} // namespace lmx::well_formed
