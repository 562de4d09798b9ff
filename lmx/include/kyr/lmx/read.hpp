// Byte sources the reader decodes: a caller's memory buffer, a string, a file.
#ifndef KYR_LMX_READ_HPP
#define KYR_LMX_READ_HPP

#include <kyr/export.hpp>

#include <cstddef>
#include <cstdio>
#include <string>

#include <kyr/lmx/limits.hpp>

namespace lmx {

// Abstract byte source. A source may expose a window of bytes it already holds
// ([m_next, m_limit)); next_byte() takes from the window inline and calls the virtual read()
// only once the window is empty, so decoding does not pay a virtual call per byte. A source
// that keeps a window must consume from it in read() too, so both paths give the same bytes.
class KYR_API c_read
{
public:
    c_read() = default;
    c_read(const c_read&) = default;
    c_read& operator=(const c_read&) = default;

    // Whether the source can deliver bytes.
    virtual bool is_open() const;
    // The next byte as 0 to 255, or -1 at the end.
    virtual int read() = 0;
    // Name of the source for error reports; null when it has none.
    virtual const char* get_source_id() const;
    // Back to the first byte.
    virtual void rewind() = 0;
    virtual ~c_read() = default;

    // The next byte as read() gives it, taken from the window while it lasts.
    int next_byte() { return m_next < m_limit ? *m_next++ : read(); }
    // The bytes left in the window, for a caller that scans a run of them in place; skip()
    // then takes `n` of them (at most window_size()).
    const unsigned char* window() const { return m_next; }
    size_t window_size() const { return static_cast<size_t>(m_limit - m_next); }
    void skip(size_t n) { m_next += n; }

protected:
    const unsigned char* m_next = nullptr;
    const unsigned char* m_limit = nullptr;
};

// Reads a caller's buffer in place; the buffer must outlive the source.
class KYR_API c_read_memory : public c_read
{
public:
    c_read_memory(const char* data, size_t length);

    int read() override;
    void rewind() override;

private:
    const unsigned char* m_start;
};

// Reads a string's own characters in place; the string must stay alive and unchanged.
class KYR_API c_read_string : public c_read_memory
{
public:
    explicit c_read_string(const std::string& text);
};

// Reads a file through a buffer of k_file_read_buffer_size bytes.
class KYR_API c_read_file : public c_read
{
public:
    // Opens `name` for binary reading; is_open() tells whether that worked.
    explicit c_read_file(const char* name);
    // `name` holds UTF-16 code units (one per wchar_t, also where wchar_t is 32 bits wide);
    // each is encoded to UTF-8 on its own, surrogate halves included, and the UTF-8 name is
    // opened with the narrow open, the only one POSIX has.
    explicit c_read_file(const wchar_t* name);
    // Reads a stream the caller opened, from its start; closed on delete unless told otherwise.
    explicit c_read_file(FILE* stream);
    c_read_file(const c_read_file&) = delete;
    c_read_file& operator=(const c_read_file&) = delete;
    ~c_read_file() override;

    bool is_open() const override { return m_file != nullptr; }
    int read() override;
    // The stored name: the path given, or "" for a caller's stream.
    const char* get_source_id() const override { return m_name.c_str(); }
    // Back to offset 0 of the file; bytes still buffered are dropped.
    void rewind() override;

    void leave_file_open_on_delete(bool leave) { m_close_on_delete = !leave; }
    // Closes the stream; bytes still buffered are delivered, then -1.
    void close();

private:
    std::string m_name;
    FILE* m_file;
    bool m_close_on_delete = true;
    unsigned char m_buffer[k_file_read_buffer_size];
};

} // namespace lmx

#endif
