// Sources over a text either whole or one byte per read, so every reader case also runs with
// the source's buffer boundary after each byte.
#ifndef KYR_TESTS_LMX_READER_FIXTURE_HPP
#define KYR_TESTS_LMX_READER_FIXTURE_HPP

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <chunked_read.hpp>
#include <kyr/lmx/xml_reader.hpp>

namespace reader_test {

enum class e_feed { whole, one_byte };

inline std::unique_ptr<lmx::c_read> make_source(const std::string& text, e_feed feed)
{
    if (feed == e_feed::whole)
        return std::make_unique<lmx::c_read_memory>(text.data(), text.size());
    return std::make_unique<kyr_test::c_chunked_read>(text);
}

} // namespace reader_test

#endif
