// c_file_replacement: the one way every whole document reaches a file.
//
// A regular file (or a missing one) is never written in place: the new bytes
// go to a temporary file created exclusively in the same directory, every
// write is checked, the file is synced and closed, and only then renamed over
// the target. Any failure removes the temporary alone, so the old file stays
// as it was, byte for byte. A symbolic link is followed and its target
// replaced; the link stays. A new file gets the mode the umask allows; an
// existing file keeps its mode (and, where permitted, its owner).
//
// A target that exists but is not a regular file (a FIFO, a device, a
// terminal) cannot be replaced by renaming: it is opened without truncating
// it and written directly, and the open never waits for a FIFO's reader.
//
//   lmx::c_file_replacement file(path);   // reports an unwritable path early
//   if (!file.is_open()) return ELMX_NO_FILE;
//   ...produce bytes...
//   if (!file.commit(bytes)) return ELMX_NO_FILE;
#ifndef KYR_LMX_FILE_REPLACEMENT_HPP
#define KYR_LMX_FILE_REPLACEMENT_HPP

#include <kyr/export.hpp>

#include <string>

namespace lmx {

class KYR_API c_file_replacement
{
public:
    // Prepares the write: resolves links and creates the temporary file (or
    // opens a special file). A directory, a file the caller may not write, a
    // name with a NUL inside, a missing or unwritable directory and a FIFO
    // without a reader leave it not open.
    explicit c_file_replacement(const std::string& path);
    // Removes the temporary file unless commit succeeded.
    ~c_file_replacement();
    c_file_replacement(const c_file_replacement&) = delete;
    c_file_replacement& operator=(const c_file_replacement&) = delete;

    bool is_open() const { return m_fd >= 0; }

    // Writes `bytes` as the file's whole new content and puts it in place.
    // Once only; false when anything failed, the old file then being intact.
    bool commit(const std::string& bytes);

    // Gives the write up and deletes the name, as a document that fails to
    // marshal must not be found under it. Only a regular file or a link is
    // deleted; a FIFO or a device keeps its name.
    void remove_target();

private:
    void discard();

    std::string m_path;      // the name as given
    std::string m_target;    // the name replaced, links resolved
    std::string m_temporary; // empty when writing a special file directly
    int m_fd = -1;
};

} // namespace lmx

#endif
