// Whole-document load and save throughput of Kyr against established XML parsers,
// measured in one process on the same in-memory bytes.
//
//   bench_load_save [--keep-freed-memory] CORPUS [REPEATS [OPERATION...]]
//                                        repeated runs in this process (of the named operations
//                                        only, when given; "kyr load kyrz" and "zlib inflate" read
//                                        what "kyr save kyrz" and "zlib deflate" wrote); prints
//                                        medians and the ratios of what ran
//   bench_load_save --fresh OP CORPUS    one run of OP, for a fresh-process figure and peak memory
#include <kyr/kyr.hpp>

#include <expat.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlreader.h>
#include <pugixml.hpp>
#include <zlib.h>

#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <limits>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using clock_type = std::chrono::steady_clock;
using com_kyrandel_v2::Kyr;

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::wstring widen(const std::string& ascii)
{
    return std::wstring(ascii.begin(), ascii.end());
}

// The same work for every peer that builds a tree: every element whose only
// content is text that reads fully as a number is converted to double.
double number_of(const char* text)
{
    char* end = nullptr;
    double value = std::strtod(text, &end);
    return (end != text && *end == '\0') ? value : 0.0;
}

double walk_libxml2(xmlNode* node)
{
    double sum = 0;
    for (; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE)
            continue;
        xmlNode* child = node->children;
        if (child && !child->next && child->type == XML_TEXT_NODE)
            sum += number_of(reinterpret_cast<const char*>(child->content));
        else
            sum += walk_libxml2(child);
    }
    return sum;
}

double walk_pugixml(pugi::xml_node node)
{
    double sum = 0;
    for (pugi::xml_node child : node.children()) {
        if (child.type() != pugi::node_element)
            continue;
        pugi::xml_node first = child.first_child();
        if (first && !first.next_sibling() && first.type() == pugi::node_pcdata)
            sum += number_of(first.value());
        else
            sum += walk_pugixml(child);
    }
    return sum;
}

volatile double sink;

struct operation
{
    std::string name;
    std::function<void()> run;
};

// The document the save operations write, loaded on first use so that a fresh-process
// load measures a process that has loaded nothing yet.
Kyr& loaded_document(const std::string& bytes)
{
    static Kyr loaded;
    static bool done = false;
    if (!done && loaded.unmarshal(bytes.data(), bytes.size()) != lmx::ELMX_OK) {
        std::fprintf(stderr, "the corpus does not load\n");
        std::exit(2);
    }
    done = true;
    return loaded;
}

// pugixml writes through this straight into one string, as our save does.
struct string_writer : pugi::xml_writer
{
    std::string text;
    void write(const void* data, size_t size) override { text.append(static_cast<const char*>(data), size); }
};

std::vector<operation> operations(const std::string& corpus_path, const std::string& bytes,
                                  const std::string& scratch)
{
    static std::string deflated;
    return {
        {"kyr load memory",
         [&] {
             Kyr doc;
             if (doc.unmarshal(bytes.data(), bytes.size()))
                 std::abort();
         }},
        {"kyr load file",
         [&] {
             Kyr doc;
             if (doc.unmarshal(corpus_path.c_str()))
                 std::abort();
         }},
        {"kyr save string",
         [&] {
             std::string out;
             if (loaded_document(bytes).marshal(&out))
                 std::abort();
             sink = double(out.size());
         }},
        {"kyr save file",
         [&] {
             if (loaded_document(bytes).marshal((scratch + ".kyr").c_str()))
                 std::abort();
         }},
        {"kyr save kyrz",
         [&] {
             if (loaded_document(bytes).writeFile(widen(scratch + ".kyrz")))
                 std::abort();
         }},
        {"kyr load kyrz",
         [&] {
             Kyr doc;
             if (doc.loadFile(widen(scratch + ".kyrz")))
                 std::abort();
         }},
        {"libxml2 dom+walk",
         [&] {
             xmlDoc* doc = xmlReadMemory(bytes.data(), int(bytes.size()), nullptr, nullptr, XML_PARSE_NONET);
             sink = walk_libxml2(xmlDocGetRootElement(doc));
             xmlFreeDoc(doc);
         }},
        {"libxml2 save",
         [&] {
             static xmlDoc* doc =
                 xmlReadMemory(bytes.data(), int(bytes.size()), nullptr, nullptr, XML_PARSE_NONET);
             xmlChar* text = nullptr;
             int size = 0;
             xmlDocDumpMemory(doc, &text, &size);
             sink = size;
             xmlFree(text);
         }},
        {"libxml2 reader",
         [&] {
             xmlTextReader* reader =
                 xmlReaderForMemory(bytes.data(), int(bytes.size()), nullptr, nullptr, XML_PARSE_NONET);
             int nodes = 0;
             while (xmlTextReaderRead(reader) == 1)
                 ++nodes;
             xmlFreeTextReader(reader);
             sink = nodes;
         }},
        {"expat empty",
         [&] {
             XML_Parser parser = XML_ParserCreateNS(nullptr, ' ');
             if (XML_Parse(parser, bytes.data(), int(bytes.size()), 1) != XML_STATUS_OK)
                 std::abort();
             XML_ParserFree(parser);
         }},
        {"pugixml parse+walk",
         [&] {
             pugi::xml_document doc;
             if (!doc.load_buffer(bytes.data(), bytes.size()))
                 std::abort();
             sink = walk_pugixml(doc);
         }},
        {"pugixml save",
         [&] {
             static pugi::xml_document doc;
             static bool parsed = bool(doc.load_buffer(bytes.data(), bytes.size()));
             string_writer out;
             doc.save(out, "\t");
             sink = parsed ? double(out.text.size()) : 0;
         }},
        {"zlib deflate",
         [&] {
             z_stream z{};
             deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
             deflated.resize(deflateBound(&z, uLong(bytes.size())));
             z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
             z.avail_in = uInt(bytes.size());
             z.next_out = reinterpret_cast<Bytef*>(deflated.data());
             z.avail_out = uInt(deflated.size());
             deflate(&z, Z_FINISH);
             deflated.resize(z.total_out);
             deflateEnd(&z);
         }},
        {"zlib inflate",
         [&] {
             std::string out(bytes.size(), '\0');
             z_stream z{};
             inflateInit2(&z, -15);
             z.next_in = reinterpret_cast<Bytef*>(deflated.data());
             z.avail_in = uInt(deflated.size());
             z.next_out = reinterpret_cast<Bytef*>(out.data());
             z.avail_out = uInt(out.size());
             inflate(&z, Z_FINISH);
             inflateEnd(&z);
         }},
    };
}

double seconds_of(const std::function<void()>& run)
{
    auto start = clock_type::now();
    run();
    return std::chrono::duration<double>(clock_type::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

long peak_resident_kib()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

long file_size(const std::string& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    return long(in.tellg());
}

// One load in this fresh process: prints the operation, its seconds, the growth of the peak
// resident size it caused (KiB) and the corpus size (bytes), tab-separated. A plain file is
// loaded without holding its bytes; the other loads hold the corpus first, outside the figure.
int run_fresh(const std::string& name, const std::string& corpus_path)
{
    const std::string scratch = corpus_path + ".scratch";
    std::string bytes;
    std::function<void()> run;
    if (name == "kyr load file") {
        run = [&] {
            Kyr doc;
            if (doc.unmarshal(corpus_path.c_str()))
                std::abort();
        };
    } else if (name == "kyr load kyrz") {
        // The container is written by an earlier process, so this one has loaded nothing.
        run = [&] {
            Kyr doc;
            if (doc.loadFile(widen(scratch + ".kyrz")))
                std::abort();
        };
    } else {
        bytes = read_file(corpus_path);
        for (const operation& op : operations(corpus_path, bytes, scratch))
            if (op.name == name)
                run = op.run;
        if (!run) {
            std::fprintf(stderr, "unknown operation: %s\n", name.c_str());
            return 2;
        }
    }
    const long before = peak_resident_kib();
    const double seconds = seconds_of(run);
    std::printf("%s\t%.6f\t%ld\t%ld\n", name.c_str(), seconds, peak_resident_kib() - before,
                file_size(corpus_path));
    return 0;
}

// Writes the container the fresh ".kyrz" load reads.
int write_container(const std::string& corpus_path)
{
    Kyr doc;
    if (doc.unmarshal(corpus_path.c_str()) || doc.writeFile(widen(corpus_path + ".scratch.kyrz")))
        return 2;
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // By default freed memory goes back to the kernel as the C library decides, and a
    // repeated load faults some of it in again; with this flag the process keeps it.
    const bool keep_freed = argc > 1 && std::strcmp(argv[1], "--keep-freed-memory") == 0;
    if (keep_freed) {
        mallopt(M_TRIM_THRESHOLD, std::numeric_limits<int>::max());
        mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
        --argc;
        ++argv;
    }
    if (argc == 4 && std::strcmp(argv[1], "--fresh") == 0)
        return run_fresh(argv[2], argv[3]);
    if (argc == 3 && std::strcmp(argv[1], "--write-kyrz") == 0)
        return write_container(argv[2]);
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: %s [--keep-freed-memory] CORPUS [REPEATS [OPERATION...]] | --fresh OPERATION "
                     "CORPUS | --write-kyrz CORPUS\n",
                     argv[0]);
        return 2;
    }
    std::string corpus_path = argv[1];
    int repeats = argc > 2 ? std::atoi(argv[2]) : 7;
    std::string bytes = read_file(corpus_path);
    double megabytes = double(bytes.size()) / 1e6;
    std::string scratch = corpus_path + ".scratch";
    const std::vector<std::string> chosen(argv + std::min(argc, 3), argv + argc);

    std::map<std::string, double> seconds;
    std::printf(
        "%.1f MB, median of %d rounds in one process after one warm-up round (%s)\n\n", megabytes, repeats,
        keep_freed ? "freed memory kept by the process" : "freed memory given back as the C library decides");
    std::printf("| %-20s | %10s | %8s |\n|%s|%s|%s|\n", "operation", "median s", "MB/s",
                "----------------------", "-----------:", "---------:");
    std::vector<operation> selected;
    for (operation& op : operations(corpus_path, bytes, scratch))
        if (chosen.empty() || std::find(chosen.begin(), chosen.end(), op.name) != chosen.end())
            selected.push_back(std::move(op));
    // Rounds of every operation once, so that a slow spell of the shared machine falls on all
    // of them alike; the first round is a warm-up (first-touch page faults are reported by the
    // fresh-process runs).
    std::map<std::string, std::vector<double>> times;
    for (int round = 0; round <= repeats; ++round)
        for (const operation& op : selected) {
            const double spent = seconds_of(op.run);
            if (round > 0)
                times[op.name].push_back(spent);
        }
    for (const operation& op : selected) {
        seconds[op.name] = median(times[op.name]);
        std::printf("| %-20s | %10.4f | %8.1f |\n", op.name.c_str(), seconds[op.name],
                    megabytes / seconds[op.name]);
    }
    std::remove((scratch + ".kyr").c_str());
    std::remove((scratch + ".kyrz").c_str());

    std::printf("\n| %-55s | %6s | %-14s |\n|%s|%s|%s|\n", "ratio (same run)", "value", "target",
                "---------------------------------------------------------", "-------:", "----------------");
    auto measured = [&](const char* name) { return seconds.count(name) != 0; };
    auto row = [&](const std::string& what, double value, const char* target, bool met) {
        const std::string verdict =
            std::strcmp(target, "-") == 0 ? "-" : std::string(target) + (met ? " met" : " MISSED");
        std::printf("| %-55s | %6.2f | %-14s |\n", what.c_str(), value, verdict.c_str());
    };
    auto throughput_ratio = [&](const char* ours, const char* peer, double target) {
        if (!measured(ours) || !measured(peer))
            return;
        double value = seconds[peer] / seconds[ours];
        char text[16];
        std::snprintf(text, sizeof text, ">= %.2f", target);
        row(std::string("throughput ") + ours + " / " + peer, value, target > 0 ? text : "-",
            value >= target);
    };
    throughput_ratio("kyr load memory", "libxml2 dom+walk", 1.5);
    // The pugixml load target belongs to the arrangements without a peer's heap before
    // the load (bench/run.sh prints it there).
    throughput_ratio("kyr load memory", "pugixml parse+walk", 0);
    throughput_ratio("kyr load memory", "libxml2 reader", 0);
    throughput_ratio("kyr load memory", "expat empty", 0);
    throughput_ratio("kyr save string", "libxml2 save", 1.0);
    throughput_ratio("kyr save string", "pugixml save", 1.0);
    auto time_ratio = [&](const char* ours, const char* plain, const char* zlib) {
        if (!measured(ours) || !measured(plain) || !measured(zlib))
            return;
        double value = seconds[ours] / (seconds[plain] + seconds[zlib]);
        row(std::string("time ") + ours + " / (" + plain + " + " + zlib + ")", value, "<= 1.25",
            value <= 1.25);
    };
    time_ratio("kyr save kyrz", "kyr save file", "zlib deflate");
    time_ratio("kyr load kyrz", "kyr load memory", "zlib inflate");
    return 0;
}
