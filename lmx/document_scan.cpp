#include <kyr/lmx/document_scan.hpp>

#include <memory>
#include <vector>

#include "open_elements.hpp"

namespace lmx {

elmx_must_understand bool_must_understand(const std::string& value)
{
    if (value == "1" || value == "true")
        return ELMX_MUST_UNDERSTAND_REQUIRED;
    if (value == "0" || value == "false")
        return ELMX_MUST_UNDERSTAND_NOT_REQUIRED;
    return ELMX_MUST_UNDERSTAND_INVALID;
}

namespace {

// Depth-first walk with the open elements and their content scopes kept on the heap.
class c_must_understand_walk
{
public:
    c_must_understand_walk(c_xml_reader& reader, const std::string& ns_uri, const std::string& local_name,
                           must_understand_test test)
        : m_reader(reader), m_ns_uri(ns_uri), m_local_name(local_name), m_test(test)
    {
    }
    c_must_understand_walk(const c_must_understand_walk&) = delete;
    c_must_understand_walk& operator=(const c_must_understand_walk&) = delete;
    // Scopes must close innermost first.
    ~c_must_understand_walk()
    {
        while (!m_scopes.empty())
            m_scopes.pop_back();
    }

    // The element whose start tag was just read, and everything inside it.
    elmx_must_understand walk(const std::string& root_name)
    {
        if (elmx_must_understand answer = enter(root_name))
            return answer;
        std::string name;
        while (!m_open.empty()) {
            elmx_error error = ELMX_OK;
            switch (m_reader.get_element_event(nullptr, &error, &name)) {
            case ELXP_VALUE:
                break;
            case ELXP_NAME:
                if (elmx_must_understand answer = enter(name))
                    return answer;
                break;
            case ELXP_END_TAG:
                if (name != m_open.top())
                    return ELMX_MUST_UNDERSTAND_INVALID;
                leave();
                break;
            default:
                return ELMX_MUST_UNDERSTAND_INVALID;
            }
        }
        return ELMX_MUST_UNDERSTAND_NOT_REQUIRED;
    }

private:
    elmx_must_understand enter(const std::string& name)
    {
        elmx_error error = ELMX_OK;
        while (m_reader.get_attribute_event(nullptr, &error, &m_attribute)) {
            if (error != ELMX_OK)
                return ELMX_MUST_UNDERSTAND_INVALID;
            if (m_reader.get_local_name() != m_local_name) {
                m_reader.skip_attribute_value();
                continue;
            }
            m_reader.get_namespace(m_attribute, &m_uri);
            if (m_uri != m_ns_uri) {
                m_reader.skip_attribute_value();
                continue;
            }
            if (!m_reader.get_attribute_value(&m_value, ELMX_WHITESPACE_PRESERVE))
                return ELMX_MUST_UNDERSTAND_INVALID;
            if (elmx_must_understand answer = m_test(m_value))
                return answer;
        }
        if (m_reader.get_current_event() != ELXP_START_TAG_END)
            return ELMX_MUST_UNDERSTAND_NOT_REQUIRED;
        if (!m_open.push(name))
            return ELMX_MUST_UNDERSTAND_INVALID;
        m_scopes.push_back(std::make_unique<c_xml_reader_local>(m_reader));
        return ELMX_MUST_UNDERSTAND_NOT_REQUIRED;
    }

    void leave()
    {
        m_scopes.pop_back();
        m_open.pop();
    }

    c_xml_reader& m_reader;
    const std::string& m_ns_uri;
    const std::string& m_local_name;
    must_understand_test m_test;
    c_open_elements m_open;
    std::vector<std::unique_ptr<c_xml_reader_local>> m_scopes;
    std::string m_attribute;
    std::string m_uri;
    std::string m_value;
};

} // namespace

elmx_must_understand has_must_understand(c_xml_reader& reader, const std::string& ns_uri,
                                         const std::string& local_name, must_understand_test test)
{
    elmx_must_understand answer = ELMX_MUST_UNDERSTAND_INVALID;
    {
        c_xml_reader_local scope(reader);
        elmx_error error = ELMX_OK;
        std::string name;
        if (reader.get_element_event(nullptr, &error, &name) != ELXP_NAME)
            return ELMX_MUST_UNDERSTAND_INVALID;
        c_must_understand_walk walk(reader, ns_uri, local_name, test);
        answer = walk.walk(name);
    }
    reader.rewind();
    return answer;
}

bool get_instance_namespace(c_xml_reader& reader, std::string* ns_uri)
{
    bool found = false;
    {
        c_xml_reader_local scope(reader);
        elmx_error error = ELMX_OK;
        std::string name;
        if (reader.get_element_event(nullptr, &error, &name) == ELXP_NAME) {
            reader.get_namespace(name, ns_uri);
            found = *ns_uri != k_namespace_not_found;
        }
    }
    reader.rewind();
    return found;
}

} // namespace lmx
