// Shared pieces of the input-layer tests: a collector that records every report, and
// helpers that run one input through the decoder or the lexer from memory and from a
// source that delivers one byte (or a few) per call.
#ifndef KYR_TEST_LMX_INPUT_SUPPORT_HPP
#define KYR_TEST_LMX_INPUT_SUPPORT_HPP

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <chunked_read.hpp>
#include <kyr/lmx/decoder.hpp>
#include <kyr/lmx/error.hpp>
#include <kyr/lmx/lexer.hpp>

namespace kyr_test {

struct s_report
{
    lmx::elmx_error_type type;
    lmx::elmx_error code;
    std::string source_id;
    int line;
    std::string message;
};

class c_recording_error : public lmx::c_error
{
public:
    void report_error(lmx::elmx_error_type type, lmx::elmx_error code, const char* source_id, int line,
                      const char* message) override
    {
        reports.push_back(s_report{type, code, source_id ? source_id : "(null)", line, message ? message : ""});
    }
    std::vector<s_report> reports;
};

// Ways of feeding the same bytes: the whole buffer at once, or in chunks of 1 and 3 bytes.
enum class feed
{
    memory,
    one_byte,
    three_bytes
};

struct s_bytes_holder
{
    std::string bytes;
};

// A memory source over its own copy of the bytes.
class c_owned_memory : private s_bytes_holder, public lmx::c_read_memory
{
public:
    explicit c_owned_memory(std::string data)
        : s_bytes_holder{std::move(data)}, lmx::c_read_memory(bytes.data(), bytes.size())
    {
    }
};

inline std::unique_ptr<lmx::c_read> make_source(const std::string& bytes, feed how)
{
    switch (how) {
    case feed::one_byte:
        return std::make_unique<c_chunked_read>(bytes, 1);
    case feed::three_bytes:
        return std::make_unique<c_chunked_read>(bytes, 3);
    default:
        return std::make_unique<c_owned_memory>(bytes);
    }
}

constexpr feed k_all_feeds[] = {feed::memory, feed::one_byte, feed::three_bytes};

// Everything a decoder delivers up to its first -1, its last line number and the reports.
struct s_decoded
{
    std::string bytes;
    int line = 1;
    std::vector<s_report> reports;
};

inline s_decoded decode_all(const std::string& input, feed how = feed::memory)
{
    c_recording_error errors;
    auto source = make_source(input, how);
    lmx::c_get_as_utf8 decoder(*source, errors);
    s_decoded out;
    for (int c = decoder.get(); c >= 0; c = decoder.get())
        out.bytes.push_back(static_cast<char>(c));
    out.line = decoder.get_line_num();
    out.reports = errors.reports;
    return out;
}

// A lexer over a copy of `text`, fed as `how` says. The input starts with a space, read
// here, so that any text passes the decoder's check of the first bytes.
class c_lexer_fixture
{
public:
    explicit c_lexer_fixture(const std::string& text, feed how = feed::memory, bool char_ref_ws_obeys_mode = true)
        : m_source(make_source(" " + text, how)), lexer(*m_source, errors, char_ref_ws_obeys_mode)
    {
        lexer.get();
    }

    // Every byte up to the end of input.
    std::string rest()
    {
        std::string out;
        for (int c = lexer.get(); c >= 0; c = lexer.get())
            out.push_back(static_cast<char>(c));
        return out;
    }

    c_recording_error errors;

private:
    std::unique_ptr<lmx::c_read> m_source;

public:
    lmx::c_get_for_xml lexer;
};

} // namespace kyr_test

#endif
