// Helpers of the schema tests: test files, and readers whose error handler records or swallows.
#ifndef KYR_TESTS_SCHEMA_TEST_SUPPORT_HPP
#define KYR_TESTS_SCHEMA_TEST_SUPPORT_HPP

#include <kyr/lmx/xml_reader.hpp>
#include <kyr/lmx/xml_writer.hpp>

#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace schema_test {

inline std::string data_path(const std::string& name)
{
    return std::string(KYR_TEST_DATA_DIR) + "/schema_core/" + name;
}

inline std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

inline std::string data(const std::string& name)
{
    return read_file(data_path(name));
}

// Keeps the bytes ahead of the reader that reads them.
struct text_holder
{
    explicit text_holder(const std::string& text) : m_bytes(text) {}
    std::string m_bytes;
};

// A reader over a string that records every binding error and can swallow them.
class recording_reader : private text_holder, public lmx::c_xml_reader_memory
{
public:
    explicit recording_reader(const std::string& text, bool swallow = false)
        : text_holder(text), lmx::c_xml_reader_memory(m_bytes.data(), m_bytes.size()), m_swallow(swallow)
    {
    }

    lmx::elmx_error user_handle_error(lmx::elmx_error code, const std::string& item, const char*,
                                      int) override
    {
        reports.emplace_back(code, item);
        return m_swallow ? lmx::ELMX_OK : code;
    }

    std::vector<std::pair<lmx::elmx_error, std::string>> reports;

private:
    bool m_swallow;
};

// Namespace declarations for a fragment's outermost start tag.
constexpr const char* k_ns = " xmlns:Kyr=\"http://kyr-format.org/v2\" "
                             "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"";

// Reads the one element of a fragment into object, as a parent's body would.
template <typename C>
lmx::elmx_error read_fragment(C& object, lmx::c_xml_reader& reader, const lmx::s_ns_map* ns_map)
{
    reader.set_ns_map(ns_map);
    lmx::c_xml_reader_local local(reader);
    std::string name;
    lmx::elmx_error error = lmx::ELMX_OK;
    reader.get_element_event(nullptr, &error, &name);
    if (error != lmx::ELMX_OK)
        return error;
    return object.unmarshal(reader, name);
}

// Writes object as the outermost element of a writer without declaration.
template <typename C>
std::string write_fragment(const C& object, const char* name, lmx::elmx_error* error)
{
    std::ostringstream os;
    lmx::c_xml_writer writer(os, "\t", "\n");
    *error = object.marshal(writer, name);
    return os.str();
}

} // namespace schema_test

#endif
