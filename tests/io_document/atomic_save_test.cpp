// Saving over a user's file: a failed or killed write leaves it byte for byte; links, FIFOs and
// devices are written through, never unlinked; a container's entry name is valid UTF-8.
#include <fcntl.h>
#include <sys/resource.h>

#include <csignal>

#include "../../io/zip/zip_archive.hpp"
#include "../hostile/bounded_run.hpp"
#include "document_io_support.hpp"

using namespace document_test;

namespace {

using AtomicSave = scratch;

// `target` links to `old` when they differ; `per_class` saves with the class's marshal(file);
// `killed`: SIGXFSZ kills the writer instead of failing its write; `result`: code or signal.
struct full_disk_case
{
    const char* target;
    const char* old;
    bool per_class, killed;
    int result;
};

const full_disk_case k_full_disk[] = {
    {"old.kyr", "old.kyr", false, false, lmx::ELMX_NO_FILE},
    {"old.kyrz", "old.kyrz", false, false, lmx::ELMX_USER_DEFINED_1},
    {"old.kyr", "old.kyr", true, false, lmx::ELMX_NO_FILE},
    {"link.kyrz", "old.kyrz", false, false, lmx::ELMX_USER_DEFINED_1},
    {"old.kyrz", "old.kyrz", false, true, SIGXFSZ},
    {"link.kyr", "old.kyr", true, true, SIGXFSZ},
};

Kyr loaded()
{
    Kyr d;
    d.loadFile(wide(data_path("two-palettes.kyr")));
    return d;
}

mode_t mode_of(const std::string& path, int (*examine)(const char*, struct stat*) = ::stat)
{
    struct stat s
    {};
    return examine(path.c_str(), &s) == 0 ? s.st_mode : 0;
}

} // namespace

TEST_F(AtomicSave, FullDiskLeavesTheOldFileByteForByte)
{
    Kyr document = loaded();
    for (const full_disk_case& c : k_full_disk) {
        const std::string old_bytes = std::string("old ") + c.target, target = path(c.target);
        write_bytes(path(c.old), old_bytes);
        if (c.target != std::string(c.old))
            ::symlink(c.old, target.c_str());
        const hostile::s_outcome outcome = hostile::run_bounded([&] {
            const rlimit limit{100, 100};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            std::signal(SIGXFSZ, c.killed ? SIG_DFL : SIG_IGN);
            return std::array<int, 2>{
                c.per_class ? document.marshal(target.c_str()) : document.writeFile(wide(target)), 0};
        });
        EXPECT_EQ(c.killed ? outcome.signal : outcome.code, c.result) << c.target;
        EXPECT_EQ(content_of(path(c.old)), old_bytes) << c.target;
        EXPECT_TRUE(c.killed || files() == (std::set<std::string>{c.old, c.target})) << c.target;
        std::system(("rm -f '" + m_dir + "'* '" + m_dir + "'.kyr-*").c_str());
    }
}

// A class that fails to marshal to a file deletes the file of its name (a FIFO keeps its name);
// writeFile stages the document in memory and never touches an existing file on that failure.
TEST_F(AtomicSave, AFailedMarshalDeletesTheNameOfAFileOnly)
{
    for (const char* name : {"old.kyr", "old.kyrz", "fifo.kyr"}) {
        const bool fifo = name[0] == 'f';
        fifo ? ::mkfifo(path(name).c_str(), 0600) : (write_bytes(path(name), "old"), 0);
        const int reader = fifo ? ::open(path(name).c_str(), O_RDONLY | O_NONBLOCK) : -1;
        EXPECT_EQ(Kyr().writeFile(wide(path(name))), lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL) << name;
        EXPECT_EQ(files().count(name), 1u) << name;
        EXPECT_EQ(Kyr().marshal(path(name).c_str()), lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL) << name;
        EXPECT_EQ(files().count(name), fifo ? 1u : 0u) << name;
        if (reader >= 0)
            ::close(reader);
    }
}

// Each name links to a file, a device or a FIFO; the save runs in a child that must not hang.
TEST_F(AtomicSave, LinkTargetsAreReplacedOrWrittenThrough)
{
    // A link, what it leads to, the code of saving through it, and the mode found there afterwards.
    const struct
    {
        const char* link;
        const char* to;
        int code;
        mode_t mode;
    } cases[] = {
        {"a.kyr", "old.kyr", lmx::ELMX_OK, S_IFREG | 0604},
        {"b.kyrz", "new.kyrz", lmx::ELMX_OK, S_IFREG | 0640},
        {"c.kyr", "/dev/null", lmx::ELMX_OK, S_IFCHR | 0666},
        {"d.kyrz", "/dev/full", lmx::ELMX_USER_DEFINED_1, S_IFCHR | 0666},
        {"e.kyr", "/dev/full", lmx::ELMX_NO_FILE, S_IFCHR | 0666},
        {"f.kyr", "lonely", lmx::ELMX_NO_FILE, S_IFIFO | 0600},
        {"g.kyrz", "read", lmx::ELMX_OK, S_IFIFO | 0600},
    };
    Kyr document = loaded();
    write_bytes(path("old.kyr"), "old");
    ::chmod(path("old.kyr").c_str(), 0604);
    ::mkfifo(path("lonely").c_str(), 0600);
    ::mkfifo(path("read").c_str(), 0600);
    const int reader = ::open(path("read").c_str(), O_RDONLY | O_NONBLOCK);
    for (const auto& c : cases) {
        ::symlink(c.to, path(c.link).c_str());
        const hostile::s_outcome outcome = hostile::run_bounded([&] {
            ::alarm(10);
            ::umask(027);
            return std::array<int, 2>{document.writeFile(wpath(c.link)), 0};
        });
        EXPECT_EQ(outcome.code, c.code) << c.link;
        EXPECT_TRUE(S_ISLNK(mode_of(path(c.link), ::lstat))) << c.link;
        EXPECT_EQ(mode_of(path(c.link)), c.mode) << c.link;
    }
    char start[4] = {};
    EXPECT_EQ(::read(reader, start, 4), 4);
    EXPECT_EQ(std::string(start, 4), "PK\x03\x04");
    ::close(reader);
    EXPECT_EQ(wide(content_of(path("old.kyr"))), document.writeString().getXmlDocument());
}

TEST_F(AtomicSave, EntryNameIsTheFileNameInValidUtf8)
{
    const wchar_t high = 0xD834, low = 0xDD1E;
    const std::pair<std::wstring, std::string> cases[] = {
        {L"a\\b", "b.kyr"},
        {std::wstring(L"x") + high + L"y", "x\xEF\xBF\xBDy.kyr"},
        {std::wstring(L"x") + low, "x\xEF\xBF\xBD.kyr"},
        {std::wstring(L"G") + high + low, "G\xF0\x9D\x84\x9E.kyr"}};
    Kyr document = loaded();
    for (const auto& [stem, entry] : cases) {
        ASSERT_EQ(document.writeFile(wide(m_dir) + stem + L".kyrz"), lmx::ELMX_OK) << entry;
        kyr::zip::c_zip_archive archive;
        ASSERT_TRUE(archive.open(narrow(wide(m_dir) + stem + L".kyrz")));
        EXPECT_EQ(archive.entry_info(0)->name, entry);
    }
}
