// A byte source that hands its data out a few bytes at a time (one by default), so every
// buffer boundary of the decoder and the layers above it gets crossed. With a chunk of one
// byte the window stays empty and every byte costs a call to read(), the slow path.
#ifndef KYR_TEST_CHUNKED_READ_HPP
#define KYR_TEST_CHUNKED_READ_HPP

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>

#include <kyr/lmx/read.hpp>

namespace kyr_test {

class c_chunked_read : public lmx::c_read
{
public:
    explicit c_chunked_read(std::string data, size_t chunk = 1, std::string source_id = std::string())
        : m_data(std::move(data)), m_chunk(chunk ? chunk : 1), m_source_id(std::move(source_id))
    {
    }

    int read() override
    {
        ++m_read_calls;
        if (m_next < m_limit)
            return *m_next++;
        if (m_position >= m_data.size())
            return -1;
        const size_t n = std::min(m_chunk, m_data.size() - m_position);
        const unsigned char* p = reinterpret_cast<const unsigned char*>(m_data.data()) + m_position;
        m_position += n;
        m_next = p + 1;
        m_limit = p + n;
        return *p;
    }
    const char* get_source_id() const override { return m_source_id.empty() ? nullptr : m_source_id.c_str(); }
    void rewind() override
    {
        m_position = 0;
        m_next = m_limit = nullptr;
    }

    // Calls of read(): with one-byte chunks, one per byte delivered.
    size_t read_calls() const { return m_read_calls; }

private:
    std::string m_data;
    size_t m_chunk;
    std::string m_source_id;
    size_t m_position = 0;
    size_t m_read_calls = 0;
};

} // namespace kyr_test

#endif
