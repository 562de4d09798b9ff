// Builds readers over a text either whole or one byte per read, so every reader test also
// runs with the source's buffer boundary after each byte.
#ifndef KYR_TESTS_LMX_READER_FIXTURE_HPP
#define KYR_TESTS_LMX_READER_FIXTURE_HPP

#include <gtest/gtest.h>

#include <memory>
#include <vector>
#include <string>

#include <chunked_read.hpp>
#include <kyr/lmx/xml_reader.hpp>

namespace reader_test {

enum class e_feed
{
    whole,
    one_byte
};

inline std::string feed_name(const testing::TestParamInfo<e_feed>& info)
{
    return info.param == e_feed::whole ? "Whole" : "OneByte";
}

inline std::unique_ptr<lmx::c_read> make_source(const std::string& text, e_feed feed)
{
    if (feed == e_feed::whole)
        return std::make_unique<lmx::c_read_memory>(text.data(), text.size());
    return std::make_unique<kyr_test::c_chunked_read>(text);
}

// A collector that keeps the text of the last report.
class c_message_log : public lmx::c_error
{
public:
    void report_error(lmx::elmx_error_type, lmx::elmx_error, const char*, int, const char* message) override
    {
        m_last = message ? message : "";
    }
    std::string m_last;
};

class c_reader_fixture : public testing::TestWithParam<e_feed>
{
protected:
    // A reader over `text` (kept alive by the fixture) with the root's scope current.
    lmx::c_xml_reader& open(const std::string& text)
    {
        m_reader.reset();
        m_text = text;
        m_source = make_source(m_text, GetParam());
        m_reader = std::make_unique<lmx::c_xml_reader>(*m_source);
        return *m_reader;
    }

    // Next element event without a map; name and error land in the fixture.
    int next(const lmx::s_event_map* map = nullptr)
    {
        m_error = lmx::ELMX_OK;
        return m_reader->get_element_event(map, &m_error, &m_name);
    }

    // Walks the attributes of the start tag just read as "name=value;" pairs.
    std::string attributes(lmx::elmx_whitespace mode = lmx::ELMX_WHITESPACE_PRESERVE)
    {
        std::string all;
        std::string name;
        std::string value;
        while (m_reader->get_attribute_event(nullptr, &m_error, &name)) {
            if (m_error != lmx::ELMX_OK)
                return all + "<error>";
            m_reader->get_attribute_value(&value, mode);
            all += name + "=" + value + ";";
        }
        return all;
    }

    // A bare core over `text` reporting to m_log, for checking message texts.
    lmx::c_xml& open_core(const std::string& text)
    {
        m_core.reset();
        m_reader.reset();
        m_text = text;
        m_source = make_source(m_text, GetParam());
        m_log = std::make_unique<c_message_log>();
        m_core = std::make_unique<lmx::c_xml>(*m_source, *m_log, true);
        return *m_core;
    }

    // Next markup of the core, with declarations bound in m_scope.
    int core_next()
    {
        return m_core->get_element_name(&m_scope, &m_name);
    }

    lmx::c_xml_reader& reader() { return *m_reader; }
    lmx::c_error& errors() { return m_reader->get_error_collector(); }

    std::string m_text;
    std::unique_ptr<lmx::c_read> m_source;
    std::unique_ptr<c_message_log> m_log;
    lmx::c_xml_local m_scope;
    std::unique_ptr<lmx::c_xml> m_core;
    std::unique_ptr<lmx::c_xml_reader> m_reader;
    std::string m_name;
    lmx::elmx_error m_error = lmx::ELMX_OK;
};

// Last lexical report as "code:line".
inline std::string last_report(const lmx::c_error& errors)
{
    lmx::elmx_error_type type = lmx::ELMX_ERROR_TYPE_NONE;
    lmx::elmx_error code = lmx::ELMX_OK;
    int line = 0;
    if (!errors.get_error_info(&type, &code, &line))
        return "none";
    return std::to_string(code) + ":" + std::to_string(line);
}

} // namespace reader_test

#define KYR_READER_FEEDS(suite)                                                                                   \
    INSTANTIATE_TEST_SUITE_P(Feeds, suite,                                                                        \
                             testing::Values(reader_test::e_feed::whole, reader_test::e_feed::one_byte),          \
                             reader_test::feed_name)

#endif
