// Several threads at once, each loading, changing, writing and reading back its own
// document through both interfaces. Built with -fsanitize=thread, so that any state the
// library shares between documents without guarding it ends the run.
#include <kyr/api.hpp>
#include <kyr/lmx/strings.hpp>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

bool work(const std::string& sample, const std::string& scratch, int id)
{
    kyr::Document document = kyr::load(sample);
    const std::string name = "Thread " + std::to_string(id) + " \xF0\x9F\x8E\xA8";
    for (kyr::ColorType colour : document.colours())
        colour.set_colour_name(name);
    kyr::conditions measured;
    measured.stamp = "2026-12-05T12:00:00Z";
    kyr::add_lab(document.colours().push_back(), name, {50.0 + id, 1.0, -1.0}, measured);
    const std::string path = scratch + "/thread_" + std::to_string(id) + ".kyrz";
    kyr::save(document, path);
    const kyr::Document read = kyr::load(path);
    std::remove(path.c_str());

    com_kyrandel_v2::Kyr generated;
    if (generated.loadString(lmx::convert_to_wide(kyr::to_xml(document))) != lmx::ELMX_OK)
        return false;
    return read.colours().size() == 5 && read.colours().at(4).colour_name() == name
        && generated.size_Color() == 5;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: threads SAMPLE.kyr SCRATCH_DIR\n");
        return 2;
    }
    const int count = 4;
    std::vector<char> ok(count, 1);
    std::vector<std::thread> threads;
    for (int id = 0; id < count; ++id)
        threads.emplace_back([&, id] {
            for (int round = 0; round < 3; ++round)
                if (!work(argv[1], argv[2], id))
                    ok[static_cast<size_t>(id)] = 0;
        });
    for (std::thread& thread : threads)
        thread.join();
    for (int id = 0; id < count; ++id)
        if (!ok[static_cast<size_t>(id)]) {
            std::fprintf(stderr, "thread %d: wrong document\n", id);
            return 1;
        }
    std::puts("threads ok");
    return 0;
}
