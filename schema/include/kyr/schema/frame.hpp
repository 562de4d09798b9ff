// The behaviour every generated class shares: reading an element with its
// attributes and children, writing it back, and the whole-document entry
// points. Generated code keeps only what differs per class (its members, its
// event maps and the order of its particles) and calls these functions.
//
// Included by the generated .cpp files only; class headers need just
// class_support.hpp.
#ifndef KYR_SCHEMA_FRAME_HPP
#define KYR_SCHEMA_FRAME_HPP

#include <kyr/export.hpp>

#include <kyr/lmx/error.hpp>
#include <kyr/lmx/file_replacement.hpp>
#include <kyr/lmx/string_sink.hpp>
#include <kyr/lmx/xml_reader.hpp>
#include <kyr/lmx/xml_writer.hpp>
#include <kyr/schema/any_info.hpp>
#include <kyr/schema/boxed_text.hpp>
#include <kyr/schema/enum_text.hpp>
#include <kyr/schema/owned.hpp>
#include <kyr/schema/value_list.hpp>
#include <kyr/schema/value_traits.hpp>

#include <cstring>
#include <new>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kyr {
namespace schema {

using lmx::elmx_error;

// What the frame needs to know about a class besides its members.
struct KYR_API s_class_info
{
    const char* name;            // item of a missing required attribute (25)
    const lmx::s_ns_map* ns_map; // selected by the first element written
    bool has_children;           // complex content with child elements
    bool empty_accepted;         // an empty element tag is not reported (32)
};

// A writer's error sink learns what a class lacks; without one the write ends (46).
elmx_error report_missing(lmx::c_xml_writer& writer, const std::vector<const char*>& items);

// The names of every mandatory item the object lacks; asked only once a write has failed.
template <typename C>
std::vector<const char*> missing_items_of(const C& object)
{
    std::vector<const char*> items;
    object.missing_items(items);
    return items;
}

// Passes code and item through the reader's handler. True when the handler
// swallowed it (reading goes on); otherwise *error holds the code.
KYR_API bool report(lmx::c_xml_reader& reader, elmx_error code, const std::string& item, elmx_error* error);
// Moves to the next element event, tokenised with map. False with *error set
// when the reader reports an error that the handler does not swallow.
KYR_API bool next_element(lmx::c_xml_reader& reader, const lmx::s_event_map* map, std::string* name,
                          elmx_error* error);
// Tokenises the current start tag again with map (after a compositor read
// ahead with its own member map). Other events are left alone.
KYR_API void retokenise(lmx::c_xml_reader& reader, const lmx::s_event_map* map);
// Whether the current start tag is a member of a compositor; otherwise the
// reader's event is put back as it was.
KYR_API bool is_member(lmx::c_xml_reader& reader, const lmx::s_event_map* members);
// Reads the value of an xsi:nil attribute into *nil.
KYR_API bool read_nil(lmx::c_xml_reader& reader, const std::string& name, bool* nil, elmx_error* error);
// Wildcard content: reads every following element as text.
KYR_API bool read_any(lmx::c_xml_reader& reader, std::string* name, std::vector<lmx::c_any_info>* items,
                      elmx_error* error);
// Wildcard content, written back as it was read (within the element's output scope).
KYR_API void write_any(lmx::c_xml_writer& writer, const std::vector<lmx::c_any_info>& items);
// The xsi:type attribute of a polymorphic object when the writer expects another type.
KYR_API void write_xsi_type(lmx::c_xml_writer& writer, const char* prefix, const char* id);
// Writes code through the writer's handler with the item, returning its answer.
KYR_API elmx_error report(lmx::c_xml_writer& writer, elmx_error code, const std::string& item);

// Keeps the element path of the reader's error sink, if it has one, in step with the
// element or value being read; `mark` prefixes the name ('@' for an attribute).
class path_step
{
public:
    // A view, so that writing without a sink builds no string from the element's name.
    path_step(lmx::c_error_sink* sink, std::string_view name, const char* mark = "") : m_sink(sink)
    {
        if (m_sink)
            m_sink->enter(std::string(mark).append(name));
    }
    path_step(lmx::c_xml_reader& reader, const std::string& name, const char* mark = "")
        : path_step(reader.get_error_sink(), name, mark)
    {
    }
    ~path_step()
    {
        if (m_sink)
            m_sink->leave();
    }
    path_step(const path_step&) = delete;
    path_step& operator=(const path_step&) = delete;

private:
    lmx::c_error_sink* m_sink;
};

// A member of a substitution-group holder.
template <typename Base>
struct s_holder_member
{
    const char* element;                                       // qualified name written
    Base* (*create)();                                         // default object of the declared type
    Base* (*create_typed)(int ns_id, const std::string& type); // factory when xsi:type is read
    // address of the declared type's identity, read at each write since it may
    // be reassigned; null when the member takes no derived types
    const char* const* expected_id;
};

template <typename Base, typename T>
Base* create_default()
{
    return new T;
}

template <typename Base, typename T>
Base* create_typed(int ns_id, const std::string& type_name)
{
    return T::factory(ns_id, type_name);
}

struct KYR_API frame
{
    // -- Values (defined in frame_values.cpp for every value type of the schema)

    // A simple-typed child: its text, checks and conversion, then the next event.
    template <typename T>
    static bool read_value(lmx::c_xml_reader& reader, std::string* name, T* value, bool* present,
                           const s_facets& facets, const lmx::s_event_map* next, elmx_error* error);
    template <typename T>
    static bool read_value_list(lmx::c_xml_reader& reader, std::string* name, value_list<T>* list,
                                const s_facets& facets, const lmx::s_event_map* next, elmx_error* error)
    {
        T value{};
        const bool ok = read_value(reader, name, &value, nullptr, facets, next, error);
        list->push_back(std::move(value));
        return ok;
    }
    // An attribute that belongs to the class: true when it was consumed.
    template <typename T>
    static bool read_attribute(lmx::c_xml_reader& reader, const std::string& name, T* value, bool* present,
                               const s_facets& facets, elmx_error* error);
    // Text content of a simple-content class.
    template <typename T>
    static bool read_text(lmx::c_xml_reader& reader, const std::string& name, T* value, bool* present,
                          const s_facets& facets, bool not_empty, bool optional, elmx_error* error);
    // Checks a value given to a setter and stores it.
    template <typename T>
    static elmx_error set_value(const T& value, T* member, bool* present, const s_facets& facets);
    template <typename T>
    static void write_value(lmx::c_xml_writer& writer, const char* name, const T& value);
    template <typename T>
    static void write_attribute(lmx::c_xml_writer& writer, const char* literal, const T& value);
    // The same for enumerated texts: read as strings, stored as their enumeration's.
    static bool read_value(lmx::c_xml_reader& reader, std::string* name, enum_text* value, bool* present,
                           const s_facets& facets, const lmx::s_event_map* next, elmx_error* error);
    static bool read_attribute(lmx::c_xml_reader& reader, const std::string& name, enum_text* value,
                               bool* present, const s_facets& facets, elmx_error* error);
    static bool read_text(lmx::c_xml_reader& reader, const std::string& name, enum_text* value, bool* present,
                          const s_facets& facets, bool not_empty, bool optional, elmx_error* error);
    static elmx_error set_value(const std::wstring& value, enum_text* member, bool* present,
                                const s_facets& facets);
    static void write_value(lmx::c_xml_writer& writer, const char* name, const enum_text& value)
    {
        write_value(writer, name, value.text());
    }
    static void write_attribute(lmx::c_xml_writer& writer, const char* literal, const enum_text& value)
    {
        write_attribute(writer, literal, value.text());
    }
    // The same for optional texts kept out of line: read straight into their own string.
    static bool read_value(lmx::c_xml_reader& reader, std::string* name, boxed_text* value, bool* present,
                           const s_facets& facets, const lmx::s_event_map* next, elmx_error* error);
    static bool read_attribute(lmx::c_xml_reader& reader, const std::string& name, boxed_text* value,
                               bool* present, const s_facets& facets, elmx_error* error);
    static elmx_error set_value(const std::wstring& value, boxed_text* member, bool* present,
                                const s_facets& facets);
    static void write_value(lmx::c_xml_writer& writer, const char* name, const boxed_text& value)
    {
        write_value(writer, name, value.text());
    }
    static void write_attribute(lmx::c_xml_writer& writer, const char* literal, const boxed_text& value)
    {
        write_attribute(writer, literal, value.text());
    }

    // Sets the string of an enumeration number through the setter.
    template <typename C, typename Setter>
    static bool set_enum(C& object, Setter setter, int index, const wchar_t* const* values)
    {
        const wchar_t* text = enum_string(index, values);
        return text != nullptr && (object.*setter)(std::wstring(text)) == lmx::ELMX_OK;
    }

    // -- Complex children

    template <typename C>
    static bool read_child(lmx::c_xml_reader& reader, std::string* name, C* child,
                           const lmx::s_event_map* next, elmx_error* error)
    {
        const elmx_error code = child->unmarshal(reader, *name);
        if (code != lmx::ELMX_OK) {
            *error = code;
            return false;
        }
        return next_element(reader, next, name, error);
    }

    template <typename C>
    static elmx_error write_list(lmx::c_xml_writer& writer, const char* name, const owned_list<C>& list)
    {
        for (const C* item : list) {
            const elmx_error code = item->marshal(writer, name);
            if (code != lmx::ELMX_OK)
                return code;
        }
        return lmx::ELMX_OK;
    }

    // Repeated compositors write their chosen member's own element.
    template <typename C>
    static elmx_error write_list(lmx::c_xml_writer& writer, const owned_list<C>& list)
    {
        for (const C* item : list) {
            const elmx_error code = item->marshal(writer);
            if (code != lmx::ELMX_OK)
                return code;
        }
        return lmx::ELMX_OK;
    }

    // -- Elements

    // Reads the element whose start tag was just delivered: attributes, then
    // the body, then the check of its own end tag.
    template <typename C>
    static elmx_error unmarshal(C& object, lmx::c_xml_reader& reader, const std::string& name,
                                const s_class_info& info, const bool* nil)
    {
        const path_step step(reader, name);
        elmx_error error = read_attributes(object, reader, name);
        if (error != lmx::ELMX_OK || (error = object.unmarshal_attributes_check(reader)) != lmx::ELMX_OK)
            return error;
        lmx::c_xml_reader_local local(reader, name);
        if (reader.get_current_event() == lmx::ELXP_END_TAG) {
            if (info.has_children && !info.empty_accepted && !(nil && *nil))
                return reader.handle_error(lmx::ELMX_UNEXPECTED_EMPTY_ELEMENT, name, __FILE__, __LINE__);
            return lmx::ELMX_OK;
        }
        std::string& child_name = reader.get_depth_name_buffer();
        reader.get_element_event(nullptr, &error, &child_name);
        if (error != lmx::ELMX_OK
            && (error = reader.handle_error(error, name, __FILE__, __LINE__)) != lmx::ELMX_OK)
            return error;
        if (!object.unmarshal_body(reader, &child_name, &error))
            return error;
        return check_end(reader, name, child_name);
    }

    // The same for a class whose content is text.
    template <typename C>
    static elmx_error unmarshal_simple(C& object, lmx::c_xml_reader& reader, const std::string& name,
                                       const bool* nil)
    {
        const path_step step(reader, name);
        elmx_error error = read_attributes(object, reader, name);
        if (error != lmx::ELMX_OK || (error = object.unmarshal_attributes_check(reader)) != lmx::ELMX_OK)
            return error;
        lmx::c_xml_reader_local local(reader);
        const bool not_empty = reader.get_current_event() == lmx::ELXP_START_TAG_END;
        std::string& end_name = reader.get_depth_name_buffer();
        end_name = name;
        if (!(nil && *nil) && !object.unmarshal_body(reader, &end_name, &error, not_empty))
            return error;
        // The end tag of a name read from the start tag needs no check of its own.
        if (!not_empty || reader.get_current_event() == lmx::ELXP_END_TAG
            || reader.take_end_tag_in_window(name))
            return lmx::ELMX_OK;
        if (!next_element(reader, nullptr, &end_name, &error))
            return error;
        return check_end(reader, name, end_name);
    }

    // Writes the object as an element named name.
    template <typename C>
    static elmx_error marshal(const C& object, lmx::c_xml_writer& writer, const char* name,
                              const s_class_info& info, const char* type_id, const bool* nil)
    {
        const path_step step(writer.get_error_sink(), name);
        if (!object.is_occurs_ok() && report_missing(writer, missing_items_of(object)) != lmx::ELMX_OK)
            return lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL;
        lmx::c_xml_writer::c_output_scope scope(writer);
        const std::size_t length = std::strlen(name);
        writer.start_line();
        writer.write('<');
        writer.write(name, length);
        writer.conditionally_select_ns_map(info.ns_map);
        writer.conditionally_write_ns_attrs(true);
        if (type_id)
            write_xsi_type(writer, info.ns_map[0].prefix, type_id);
        if (nil && *nil) {
            writer.write(" xsi:nil=\"true\"/>");
            writer.end_line();
            return lmx::ELMX_OK;
        }
        object.marshal_attributes(writer);
        if (!info.has_children) {
            writer.write("/>", 2);
            writer.end_line();
            return lmx::ELMX_OK;
        }
        writer.write('>');
        writer.end_line();
        writer.indent();
        const elmx_error error = object.marshal_child_elements(writer);
        if (error != lmx::ELMX_OK)
            return error;
        writer.undent();
        writer.start_line();
        writer.write("</", 2);
        writer.write(name, length);
        writer.write('>');
        writer.end_line();
        return lmx::ELMX_OK;
    }

    // Writes a simple-content object: its value inline, or the nil form.
    template <typename C, typename T>
    static elmx_error marshal_simple(const C& object, lmx::c_xml_writer& writer, const char* name,
                                     const T& value, bool present, bool nil)
    {
        const path_step step(writer.get_error_sink(), name);
        if (!object.is_occurs_ok() && report_missing(writer, missing_items_of(object)) != lmx::ELMX_OK)
            return lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL;
        lmx::c_xml_writer::c_output_scope scope(writer);
        const std::size_t length = std::strlen(name);
        writer.start_line();
        writer.write('<');
        writer.write(name, length);
        if (nil) {
            writer.write(" xsi:nil=\"true\"/>");
            writer.end_line();
            return lmx::ELMX_OK;
        }
        object.marshal_attributes(writer);
        if (!present) {
            writer.write("/>", 2);
            writer.end_line();
            return lmx::ELMX_OK;
        }
        write_content_and_end(writer, name, length, value);
        return lmx::ELMX_OK;
    }

    // After a start tag's name and attributes: ">", the value, the end tag and the line end.
    template <typename T>
    static void write_content_and_end(lmx::c_xml_writer& writer, const char* name, std::size_t length,
                                      const T& value)
    {
        writer.write('>');
        value_traits<T>::write(writer, value);
        writer.write("</", 2);
        writer.write(name, length);
        writer.write('>');
        writer.end_line();
    }
    static void write_content_and_end(lmx::c_xml_writer& writer, const char* name, std::size_t length,
                                      const enum_text& value)
    {
        write_content_and_end(writer, name, length, value.text());
    }

    // -- Substitution-group holders

    template <typename Base>
    static bool unmarshal_holder(lmx::c_xml_reader& reader, std::string* name, elmx_error* error,
                                 const lmx::s_event_map* map, const s_holder_member<Base>* members,
                                 int* chosen, int none, owned<Base>* value)
    {
        const int event = reader.tokenise(map, lmx::ELXP_ELEM);
        int index = 0;
        for (const lmx::s_event_map* entry = map; entry->name; ++entry, ++index) {
            if (entry->event != event)
                continue;
            Base* object = nullptr;
            int ns_id = 0;
            std::string type_name;
            if (members[index].create_typed && reader.get_xsi_type(&ns_id, &type_name)) {
                object = members[index].create_typed(ns_id, type_name);
                if (!object) {
                    *error = lmx::ELMX_UNKNOWN_XSI_TYPE;
                    return false;
                }
            } else {
                object = members[index].create();
            }
            value->reset(object);
            *chosen = index;
            const elmx_error code = object->unmarshal(reader, *name);
            if (code != lmx::ELMX_OK) {
                *error = code;
                return false;
            }
            return next_element(reader, map, name, error);
        }
        value->reset();
        *chosen = none;
        if (!reader.skip_rest_of_element(*name)
            && !report(reader, lmx::ELMX_BAD_END_OF_ELEMENT, *name, error))
            return false;
        return next_element(reader, map, name, error);
    }

    template <typename Base>
    static elmx_error marshal_holder(lmx::c_xml_writer& writer, const char* holder_name,
                                     const s_holder_member<Base>* members, int count, int chosen,
                                     const owned<Base>& value)
    {
        if (chosen < 0 || chosen >= count)
            return report(writer, lmx::ELMX_BAD_CHOICE, holder_name);
        if (!value)
            return writer.get_error_sink() ? report(writer, lmx::ELMX_TYPE_NOT_SET, holder_name)
                                           : lmx::ELMX_TYPE_NOT_SET;
        if (members[chosen].expected_id)
            writer.set_expected_class_identity(*members[chosen].expected_id);
        return value->marshal(writer, members[chosen].element);
    }

    // -- Whole documents

    template <typename C>
    static elmx_error unmarshal_document(C& object, lmx::c_xml_reader& reader, const char* local_name)
    {
        reader.set_ns_map(C::ns_map());
        lmx::c_xml_reader_local local(reader);
        std::string name;
        elmx_error error = lmx::ELMX_OK;
        reader.get_element_event(nullptr, &error, &name);
        if (error != lmx::ELMX_OK
            && (error = reader.handle_error(error, name, __FILE__, __LINE__)) != lmx::ELMX_OK)
            return error;
        if (reader.get_element_ns_id() != C::ns_map()[0].ns_id || reader.get_local_name() != local_name) {
            error = reader.handle_error(lmx::ELMX_ELEMENT_NOT_FOUND, name, __FILE__, __LINE__);
            if (error != lmx::ELMX_OK)
                return error;
        }
        return object.unmarshal(reader, name);
    }

    template <typename C>
    static elmx_error unmarshal_text(C& object, const char* data, size_t length, const char* local_name)
    {
        lmx::c_xml_reader_memory reader(data, length);
        return unmarshal_document(object, reader, local_name);
    }

    template <typename C>
    static elmx_error unmarshal_file(C& object, const char* file_name, const char* local_name)
    {
        lmx::c_xml_reader_file reader(file_name);
        if (!reader.is_open())
            return lmx::ELMX_NO_FILE;
        return unmarshal_document(object, reader, local_name);
    }

    template <typename C>
    static elmx_error marshal_stream(const C& object, std::ostream& os, const char* name)
    {
        lmx::c_xml_writer writer(os, lmx::c_xml_writer::include_xml_decl, "\t", "\n");
        return object.marshal(writer, name);
    }

    template <typename C>
    static elmx_error marshal_string(const C& object, std::string* out, const char* name)
    {
        std::string text;
        lmx::c_string_sink sink(text);
        std::ostream os(&sink);
        // A stream swallows the sink's failure to grow and goes on without the rest of the
        // text: raised instead, a lack of memory can never pass for a complete document.
        os.exceptions(std::ios::badbit);
        const elmx_error error = marshal_stream(object, os, name);
        if (error == lmx::ELMX_OK)
            out->swap(text);
        return error;
    }

    // The file is replaced only by a complete document: a failed write leaves
    // the old file, or none, as it was. A document that fails to marshal is
    // another matter: its name is deleted, so no stale document passes for it.
    template <typename C>
    static elmx_error marshal_file(const C& object, const char* file_name, const char* name)
    {
        lmx::c_file_replacement file(file_name);
        if (!file.is_open())
            return lmx::ELMX_NO_FILE;
        std::string text;
        elmx_error error = lmx::ELMX_UNDEFINED_ERROR;
        try {
            error = marshal_string(object, &text, name);
        } catch (const std::bad_alloc&) {
            return error;
        }
        if (error != lmx::ELMX_OK) {
            file.remove_target();
            return error;
        }
        return file.commit(text) ? lmx::ELMX_OK : lmx::ELMX_NO_FILE;
    }

private:
    template <typename C>
    static elmx_error read_attributes(C& object, lmx::c_xml_reader& reader, const std::string& name)
    {
        std::string& attribute = reader.m_name;
        elmx_error error = lmx::ELMX_OK;
        while (reader.get_attribute_event(nullptr, &error, &attribute)) {
            if (error != lmx::ELMX_OK) {
                // A broken start tag: once swallowed, the body reports what follows.
                error = reader.handle_error(error, name, __FILE__, __LINE__);
                return error;
            }
            if (object.unmarshal_attributes(reader, attribute, &error))
                continue;
            if (error != lmx::ELMX_OK)
                return error;
            if (!reader.is_xsi_attribute(attribute)
                && (error = reader.handle_error(lmx::ELMX_UNEXPECTED_ATTRIBUTE, name, __FILE__, __LINE__))
                    != lmx::ELMX_OK)
                return error;
            reader.skip_attribute_value();
        }
        return lmx::ELMX_OK;
    }

    static elmx_error check_end(lmx::c_xml_reader& reader, const std::string& name,
                                const std::string& end_name);
    // After an error sink let a misplaced child pass: skips every child left up to the end
    // tag of `name`, so that the parent reads on from there.
    static bool skip_to_end(lmx::c_xml_reader& reader, const std::string& name, const std::string& current);
};

} // namespace schema
} // namespace kyr

#endif
