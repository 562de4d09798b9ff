// Replacing a file through a temporary file and a rename.
#include <kyr/lmx/file_replacement.hpp>

#include <atomic>
#include <cerrno>
#include <climits>
#include <ctime>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lmx {

namespace {

// The kernel's own limit on links followed in one lookup.
constexpr int k_max_link_hops = 40;
constexpr int k_max_name_attempts = 100;

// The directory part of a path with its slash, or "" for the current directory.
std::string directory_of(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Follows links by hand rather than with realpath, so that a link to a file
// not yet there names the file to create, as open(O_CREAT) through it would.
// "" for a loop of links.
std::string resolve_links(std::string path)
{
    for (int hops = 0; hops < k_max_link_hops; ++hops) {
        char target[PATH_MAX];
        const ssize_t n = ::readlink(path.c_str(), target, sizeof target);
        if (n <= 0 || static_cast<std::size_t>(n) == sizeof target)
            return path;
        std::string next(target, static_cast<std::size_t>(n));
        path = next[0] == '/' ? next : directory_of(path) + next;
    }
    return std::string();
}

// Creates a file of a fresh name in `directory`, never opening an existing
// one; mode 0666 less the umask, like any new file.
int create_temporary(const std::string& directory, std::string& name)
{
    // Threads saving their own documents at once each need a name of their own.
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < k_max_name_attempts; ++attempt) {
        timespec now{};
        ::clock_gettime(CLOCK_REALTIME, &now);
        name = directory + ".kyr-" + std::to_string(::getpid()) + "-" + std::to_string(++counter) + "-"
            + std::to_string(now.tv_nsec) + ".tmp";
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// A FIFO without a reader would block the open for ever: open without
// waiting, then write with ordinary blocking writes.
int open_special(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd >= 0 && ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool write_all(int fd, const std::string& bytes)
{
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

c_file_replacement::c_file_replacement(const std::string& path) : m_path(path)
{
    if (path.empty() || path.find('\0') != std::string::npos)
        return;
    struct stat info;
    const bool exists = ::stat(path.c_str(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode))
        return;
    if (exists && !S_ISREG(info.st_mode)) {
        m_fd = open_special(path);
        return;
    }
    // Renaming would replace a file its permissions protect from writing.
    if (exists && ::access(path.c_str(), W_OK) != 0)
        return;
    m_target = resolve_links(path);
    if (m_target.empty())
        return;
    m_fd = create_temporary(directory_of(m_target), m_temporary);
    if (m_fd >= 0 && exists) {
        // Keeping the owner takes privileges a caller may lack; the file is then
        // the caller's, and a set-id bit must not pass to a new owner.
        const bool owner_kept = ::fchown(m_fd, info.st_uid, info.st_gid) == 0;
        ::fchmod(m_fd, info.st_mode & (owner_kept ? 07777 : 0777));
    }
}

c_file_replacement::~c_file_replacement()
{
    discard();
}

bool c_file_replacement::commit(const std::string& bytes)
{
    if (m_fd < 0)
        return false;
    const bool replacing = !m_temporary.empty();
    bool ok = write_all(m_fd, bytes) && (!replacing || ::fsync(m_fd) == 0);
    ok = ::close(m_fd) == 0 && ok;
    m_fd = -1;
    if (ok && replacing)
        ok = ::rename(m_temporary.c_str(), m_target.c_str()) == 0;
    if (ok)
        m_temporary.clear();
    else
        discard();
    return ok;
}

void c_file_replacement::remove_target()
{
    discard();
    struct stat info;
    if (::lstat(m_path.c_str(), &info) == 0 && (S_ISREG(info.st_mode) || S_ISLNK(info.st_mode)))
        ::unlink(m_path.c_str());
}

void c_file_replacement::discard()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temporary.empty())
        ::unlink(m_temporary.c_str());
    m_temporary.clear();
}

} // namespace lmx
