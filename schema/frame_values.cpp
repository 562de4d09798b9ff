// The value-reading and value-writing steps of the frame, compiled once for
// every value type of the schema instead of in each generated unit.
#include <kyr/schema/frame.hpp>
#include <kyr/schema/value_failure.hpp>

#include <cstdio>
#include <cstring>

namespace kyr {
namespace schema {
namespace {

// The lexical form of each value type, as a diagnostic names it.
template <typename T>
const char* lexical_kind();
template <>
const char* lexical_kind<std::wstring>()
{
    return "text";
}
template <>
const char* lexical_kind<double>()
{
    return "a number";
}
template <>
const char* lexical_kind<int>()
{
    return "an integer";
}
template <>
const char* lexical_kind<unsigned int>()
{
    return "an integer of 0 or more";
}
template <>
const char* lexical_kind<unsigned char>()
{
    return "an integer from 0 to 255";
}
template <>
const char* lexical_kind<bool>()
{
    return "true, false, 1 or 0";
}
template <>
const char* lexical_kind<lmx::c_datetime>()
{
    return "a date and time";
}
template <>
const char* lexical_kind<lmx::c_binary>()
{
    return "base64 data";
}

template <typename T>
const char* const* type_bounds()
{
    if constexpr (std::is_same_v<T, int>)
        return k_int_bounds;
    else if constexpr (std::is_same_v<T, unsigned int>)
        return k_unsigned_bounds;
    else if constexpr (std::is_same_v<T, unsigned char>)
        return k_unsigned_byte_bounds;
    else
        return nullptr;
}

// Tells the reader's error sink, if it has one, what the value about to be reported is.
template <typename T>
void note_failure(lmx::c_xml_reader& reader, elmx_error code, std::string_view text, const s_facets& facets)
{
    lmx::c_error_sink* sink = reader.get_error_sink();
    if (!sink)
        return;
    s_value_failure failure = describe_value_failure(code, facets, lexical_kind<T>(), type_bounds<T>());
    sink->note_value(std::string(text), std::move(failure.expected), std::move(failure.clause));
}

// Enumerated texts are read, checked and described as strings.
template <typename T>
struct read_as
{
    using type = T;
};
template <>
struct read_as<enum_text>
{
    using type = std::wstring;
};

template <typename T>
constexpr lmx::elmx_whitespace whitespace_of = value_traits<typename read_as<T>::type>::whitespace;

// A simple-typed child: its text (viewed in the input's window when it shows the element
// whole), checks and conversion, then the next event.
template <typename T>
bool read_child_value(lmx::c_xml_reader& reader, std::string* name, T* value, bool* present,
                      const s_facets& facets, const lmx::s_event_map* next, elmx_error* error)
{
    {
        const path_step step(reader, *name);
        std::string_view text;
        elmx_error code = lmx::ELMX_OK;
        bool read = reader.take_simple_value_in_window(*name, whitespace_of<T>, &text);
        if (!read) {
            std::string& store = reader.m_text;
            bool empty = false;
            read = reader.get_simple_type_value(*name, whitespace_of<T>, &store, &code, &empty);
            text = store;
        }
        if (!read) {
            if (!report(reader, code, *name, error))
                return false;
        } else {
            code = parse_value(text, value, facets);
            if (present)
                *present = true;
            if (code != lmx::ELMX_OK) {
                note_failure<typename read_as<T>::type>(reader, code, text, facets);
                if (!report(reader, code, *name, error))
                    return false;
            }
        }
    }
    return next_element(reader, next, name, error);
}

template <typename T>
bool read_attribute_value(lmx::c_xml_reader& reader, const std::string& name, T* value, bool* present,
                          const s_facets& facets, elmx_error* error)
{
    // Attributes have no siblings of their name: the path takes one only for an error.
    if (*present) {
        const path_step step(reader, name, "@");
        if (!report(reader, lmx::ELMX_ATTRIBUTE_ALREADY_READ, name, error))
            return false;
    }
    std::string& text = reader.m_value;
    if (!reader.get_attribute_value(&text, whitespace_of<T>))
        return report(reader, lmx::ELMX_UNABLE_TO_READ_ATTRIBUTE_VALUE, name, error);
    const elmx_error code = parse_value(text, value, facets);
    *present = true;
    if (code == lmx::ELMX_OK)
        return true;
    const path_step step(reader, name, "@");
    note_failure<typename read_as<T>::type>(reader, code, text, facets);
    return report(reader, code, name, error);
}

template <typename T>
bool read_text_value(lmx::c_xml_reader& reader, const std::string& name, T* value, bool* present,
                     const s_facets& facets, bool not_empty, bool optional, elmx_error* error)
{
    // A plain text is taken with its end tag, which leaves the end tag as the reader's event.
    std::string_view text;
    if (not_empty && !reader.take_text_and_end_tag(name, &text, whitespace_of<T>)) {
        std::string& store = reader.m_text;
        store.clear();
        if (!reader.get_element_value(&store, whitespace_of<T>))
            return report(reader, lmx::ELMX_UNABLE_TO_READ_ELEMENT_VALUE, name, error);
        text = store;
    }
    if (optional && text.empty())
        return true;
    const elmx_error code = parse_value(text, value, facets);
    *present = true;
    if (code == lmx::ELMX_OK)
        return true;
    note_failure<typename read_as<T>::type>(reader, code, text, facets);
    return report(reader, code, name, error);
}

// Whether XML 1.0 can carry the UTF-16 unit at text[i] (with its partner, for a surrogate).
bool is_xml_unit(const std::wstring& text, std::size_t* i)
{
    const wchar_t c = text[*i];
    if (c >= 0xD800 && c <= 0xDBFF) {
        if (*i + 1 < text.size() && text[*i + 1] >= 0xDC00 && text[*i + 1] <= 0xDFFF) {
            ++*i;
            return true;
        }
        return false;
    }
    if (c >= 0xDC00 && c <= 0xDFFF)
        return false;
    return c >= 0x20 ? c != 0xFFFE && c != 0xFFFF : c == 0x9 || c == 0xA || c == 0xD;
}

// Tells a checking writer's sink about text that no well-formed document can hold.
template <typename T>
void check_writable(lmx::c_error_sink* sink, const T& value)
{
    if constexpr (std::is_same_v<T, std::wstring>) {
        for (std::size_t i = 0; i < value.size(); ++i)
            if (!is_xml_unit(value, &i)) {
                char unit[16];
                std::snprintf(unit, sizeof unit, "U+%04X", static_cast<unsigned>(value[i]));
                sink->add_unwritable(lmx::ELMX_BAD_CHAR_ENCODING,
                                     std::string("Bad character encoding: the text holds ") + unit
                                         + ", which XML cannot carry");
                return;
            }
    }
}

} // namespace

template <typename T>
bool frame::read_value(lmx::c_xml_reader& reader, std::string* name, T* value, bool* present,
                       const s_facets& facets, const lmx::s_event_map* next, elmx_error* error)
{
    return read_child_value(reader, name, value, present, facets, next, error);
}

bool frame::read_value(lmx::c_xml_reader& reader, std::string* name, enum_text* value, bool* present,
                       const s_facets& facets, const lmx::s_event_map* next, elmx_error* error)
{
    return read_child_value(reader, name, value, present, facets, next, error);
}

template <typename T>
bool frame::read_attribute(lmx::c_xml_reader& reader, const std::string& name, T* value, bool* present,
                           const s_facets& facets, elmx_error* error)
{
    return read_attribute_value(reader, name, value, present, facets, error);
}

bool frame::read_attribute(lmx::c_xml_reader& reader, const std::string& name, enum_text* value,
                           bool* present, const s_facets& facets, elmx_error* error)
{
    return read_attribute_value(reader, name, value, present, facets, error);
}

template <typename T>
bool frame::read_text(lmx::c_xml_reader& reader, const std::string& name, T* value, bool* present,
                      const s_facets& facets, bool not_empty, bool optional, elmx_error* error)
{
    return read_text_value(reader, name, value, present, facets, not_empty, optional, error);
}

bool frame::read_text(lmx::c_xml_reader& reader, const std::string& name, enum_text* value, bool* present,
                      const s_facets& facets, bool not_empty, bool optional, elmx_error* error)
{
    return read_text_value(reader, name, value, present, facets, not_empty, optional, error);
}

// Checks a value given to a setter and stores it.
template <typename T>
elmx_error frame::set_value(const T& value, T* member, bool* present, const s_facets& facets)
{
    const elmx_error code = check_value(value, facets);
    if (code != lmx::ELMX_OK)
        return code;
    *member = value;
    if (present)
        *present = true;
    return lmx::ELMX_OK;
}

template <typename T>
void frame::write_value(lmx::c_xml_writer& writer, const char* name, const T& value)
{
    if (lmx::c_error_sink* sink = writer.get_error_sink()) {
        const path_step step(sink, name);
        check_writable(sink, value);
    }
    lmx::c_xml_writer::c_output_scope scope(writer);
    const std::size_t length = std::strlen(name);
    writer.start_line();
    writer.write('<');
    writer.write(name, length);
    write_content_and_end(writer, name, length, value);
}

// Called by marshal_attributes, within the element's output scope.
template <typename T>
void frame::write_attribute(lmx::c_xml_writer& writer, const char* literal, const T& value)
{
    if (lmx::c_error_sink* sink = writer.get_error_sink()) {
        // The literal is ` Name="`.
        const std::string name(literal + 1, std::strlen(literal) - 3);
        const path_step step(sink, name, "@");
        check_writable(sink, value);
    }
    writer.write(literal);
    value_traits<T>::write(writer, value);
    writer.write('"');
}

#define KYR_FRAME_VALUE_TYPE(T)                                                                              \
    template bool frame::read_value<T>(lmx::c_xml_reader&, std::string*, T*, bool*, const s_facets&,         \
                                       const lmx::s_event_map*, elmx_error*);                                \
    template bool frame::read_attribute<T>(lmx::c_xml_reader&, const std::string&, T*, bool*,                \
                                           const s_facets&, elmx_error*);                                    \
    template bool frame::read_text<T>(lmx::c_xml_reader&, const std::string&, T*, bool*, const s_facets&,    \
                                      bool, bool, elmx_error*);                                              \
    template elmx_error frame::set_value<T>(const T&, T*, bool*, const s_facets&);                           \
    template void frame::write_value<T>(lmx::c_xml_writer&, const char*, const T&);                          \
    template void frame::write_attribute<T>(lmx::c_xml_writer&, const char*, const T&);

KYR_FRAME_VALUE_TYPE(std::wstring)
KYR_FRAME_VALUE_TYPE(double)
KYR_FRAME_VALUE_TYPE(int)
KYR_FRAME_VALUE_TYPE(unsigned int)
KYR_FRAME_VALUE_TYPE(unsigned char)
KYR_FRAME_VALUE_TYPE(bool)
KYR_FRAME_VALUE_TYPE(lmx::c_datetime)
KYR_FRAME_VALUE_TYPE(lmx::c_binary)

#undef KYR_FRAME_VALUE_TYPE

} // namespace schema
} // namespace kyr
