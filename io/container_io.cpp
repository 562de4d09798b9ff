#include <kyr/io/container.hpp>

#include <new>
#include <vector>

#include <kyr/lmx/read.hpp>

#include "zip/zip_archive.hpp"
#include "zip/zip_exception.hpp"

namespace kyr::io {

namespace {

using kyr::zip::c_zip_archive;
using kyr::zip::c_zip_exception;

// Inflated bytes handed over per window: small enough to stay in the cache between
// inflate, CRC and reader, large enough that zlib's per-call cost vanishes.
constexpr std::size_t window_bytes = std::size_t(64) << 10;

bool open_first_entry(c_zip_archive& archive)
{
    return archive.open_entry(0) && archive.entry_info(0)->uncompressed_size <= max_container_document_size;
}

// An archive layer's failure in a user's words: a file without an end record is not an
// archive, or lost its end.
std::string failure_reason(const c_zip_exception& e)
{
    if (e.code() == c_zip_exception::no_end_record)
        return std::string("not a zip archive or truncated: ") + e.what();
    return e.what();
}

// Why entry 0 of an archive that opened cannot be read, or "" when it can.
std::string entry_refusal(const c_zip_archive& archive)
{
    if (archive.entry_info(0) == nullptr)
        return "no entry";
    if (archive.entry_info(0)->uncompressed_size > max_container_document_size)
        return "entry larger than " + std::to_string(max_container_document_size >> 20) + " MiB";
    return {};
}

// Entry 0 of an open archive as a byte source. An archive failure ends the bytes and is
// kept for finish(), so the reader above never sees an exception.
class entry_source : public lmx::c_read
{
public:
    explicit entry_source(c_zip_archive& archive) : m_archive(archive), m_buffer(window_bytes) {}

    int read() override { return m_next < m_limit || fill() ? *m_next++ : -1; }

    void rewind() override
    {
        m_next = m_limit = nullptr;
        m_failed = false;
        try {
            m_archive.close_entry(true);
            m_failed = !m_archive.open_entry(0);
        } catch (const c_zip_exception&) {
            m_failed = true;
        }
    }

    // Reads on past what the parser left; true when the entry ended exactly at its recorded
    // size with a matching CRC-32 (a mismatch raises).
    bool finish()
    {
        while (fill()) {
        }
        return !m_failed && m_archive.close_entry() == 1;
    }

    // What ended the bytes early; "" when nothing did.
    const std::string& failure() const { return m_failure; }

private:
    bool fill()
    {
        std::size_t got = 0;
        if (!m_failed) {
            try {
                got = m_archive.read(m_buffer.data(), m_buffer.size());
            } catch (const c_zip_exception& e) {
                m_failed = true;
                m_failure = failure_reason(e);
            }
        }
        m_next = m_buffer.data();
        m_limit = m_next + got;
        return got != 0;
    }

    c_zip_archive& m_archive;
    std::vector<unsigned char> m_buffer;
    bool m_failed = false;
    std::string m_failure;
};

template <typename Open>
bool parse_with(Open open, const entry_parser& parse, std::string* reason = nullptr,
                std::size_t* entries = nullptr)
{
    c_zip_archive archive;
    bool ok = false;
    std::string why = "not a readable archive";
    if (entries)
        *entries = 0;
    try {
        const bool opened = open(archive);
        if (opened && entries)
            *entries = archive.entry_count();
        if (opened && (why = entry_refusal(archive)).empty() && open_first_entry(archive)) {
            entry_source source(archive);
            parse(source);
            ok = source.finish();
            if (!ok)
                why = source.failure().empty() ? "entry size does not match its record" : source.failure();
        }
    } catch (const c_zip_exception& e) {
        ok = false;
        why = failure_reason(e);
    } catch (...) { // the archive's errors and whatever the parser raised: all are a failed read
        ok = false;
        why = "the entry could not be read";
    }
    archive.close(!ok);
    if (!ok && reason != nullptr)
        *reason = why.empty() ? "not a readable archive" : why;
    return ok;
}

} // namespace

bool parse_first_entry(const std::string& path, const entry_parser& parse)
{
    return parse_with([&](c_zip_archive& archive) { return archive.open(path); }, parse);
}

bool parse_first_entry(const std::string& path, const entry_parser& parse, std::string* reason,
                       std::size_t* entries)
{
    return parse_with([&](c_zip_archive& archive) { return archive.open(path); }, parse, reason, entries);
}

bool parse_first_entry(const void* data, std::size_t size, const entry_parser& parse)
{
    return parse_with([&](c_zip_archive& archive) { return archive.open_memory(data, size); }, parse);
}

bool make_single_entry_archive(const std::string& name, const std::string& content, std::time_t modified,
                               std::string& archive, entry_clock clock)
{
    const zip::s_dos_stamp date =
        clock == entry_clock::utc ? zip::to_utc_dos_stamp(modified) : zip::to_dos_stamp(modified);
    c_zip_archive zip;
    try {
        bool ok = zip.create(archive) && zip.add_new_entry(name, content.data(), content.size(), date);
        zip.close(!ok);
        return ok;
    } catch (const c_zip_exception&) {
    } catch (const std::bad_alloc&) {
    }
    zip.close(true);
    return false;
}

} // namespace kyr::io
