// One element of wildcard (xs:any) content, kept as the text it was read as.
#ifndef KYR_SCHEMA_ANY_INFO_HPP
#define KYR_SCHEMA_ANY_INFO_HPP

#include <kyr/export.hpp>

#include <string>

namespace lmx {

class KYR_API c_any_info
{
public:
    c_any_info() = default;
    c_any_info(const std::string& ns, const std::string& name, const std::string& value)
        : m_namespace(ns), m_name(name), m_value(value)
    {
    }
    c_any_info(const std::string& ns, const std::string& value) : m_namespace(ns), m_value(value) {}

    const std::string& get_namespace() const { return m_namespace; }
    const std::string& get_name() const { return m_name; }
    // The element's complete XML text.
    const std::string& get_value() const { return m_value; }
    void set_namespace(const std::string& ns) { m_namespace = ns; }
    void set_name(const std::string& name) { m_name = name; }
    void set_value(const std::string& value) { m_value = value; }

private:
    std::string m_namespace;
    std::string m_name;
    std::string m_value;
};

} // namespace lmx

#endif
