// kyr validate FILE...: checks each document and prints every diagnostic as compilers do,
// FILE:LINE:COLUMN: error: MESSAGE [PATH], or FILE: OK, then a summary line. Files are
// checked in parallel and reported in the order of the arguments.
#include "commands.hpp"
#include "document_check.hpp"
#include "exit_status.hpp"
#include "progress_bar.hpp"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <iostream>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace kyr_tool {
namespace {

struct options
{
    std::vector<std::string> files;
    bool lenient = false;
    bool xml_only = false;
    bool json = false;
    bool quiet = false;
    bool recursive = false;
    std::size_t max_errors = kyr::diagnostics::default_limit;
    unsigned jobs = 0;
};

struct tally
{
    std::size_t valid = 0;
    std::size_t invalid = 0;
    std::size_t unreadable = 0;
};

std::string plural(std::size_t count, const char* word)
{
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

bool is_document_name(const std::filesystem::path& path)
{
    const std::string name = path.filename().string();
    return kyr::io::names_plain_document(name) || kyr::io::names_container(name);
}

// With -r a directory stands for the documents below it, in name order.
std::vector<std::string> expand(const std::vector<std::string>& arguments, bool recursive)
{
    std::vector<std::string> files;
    for (const std::string& argument : arguments) {
        std::error_code error;
        if (!recursive || argument == "-" || !std::filesystem::is_directory(argument, error)) {
            files.push_back(argument);
            continue;
        }
        std::vector<std::string> found;
        const auto walk = std::filesystem::directory_options::skip_permission_denied;
        for (auto it = std::filesystem::recursive_directory_iterator(argument, walk, error);
             !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error))
            if (it->is_regular_file(error) && is_document_name(it->path()))
                found.push_back(it->path().string());
        std::sort(found.begin(), found.end());
        files.insert(files.end(), found.begin(), found.end());
    }
    return files;
}

// Checks the files on `jobs` threads; `report` sees each result in the order of the files.
template <typename Report>
void check_all(const std::vector<std::string>& files, reading mode, std::size_t limit, unsigned jobs,
               Report report)
{
    std::vector<std::optional<check_result>> results(files.size());
    std::mutex mutex;
    std::condition_variable ready;
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < files.size(); i = next++) {
            check_result result = check_document(files[i], mode, limit);
            const std::lock_guard<std::mutex> lock(mutex);
            results[i] = std::move(result);
            ready.notify_all();
        }
    };
    // Standard input is one stream: read by one thread only.
    const bool reads_input = std::find(files.begin(), files.end(), "-") != files.end();
    const unsigned threads = reads_input ? 1u : std::max(1u, std::min<unsigned>(jobs, files.size()));
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t)
        pool.emplace_back(work);
    if (threads == 1)
        work();
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::unique_lock<std::mutex> lock(mutex);
        ready.wait(lock, [&] { return results[i].has_value(); });
        check_result result = std::move(*results[i]);
        results[i].reset();
        lock.unlock();
        report(i, result);
    }
    for (std::thread& thread : pool)
        thread.join();
}

void print_diagnostic(const std::string& file, const kyr::diagnostic& entry)
{
    std::cout << file;
    if (entry.line != 0)
        std::cout << ':' << entry.line << ':' << entry.column;
    std::cout << ": error: " << entry.message;
    if (!entry.path.empty())
        std::cout << " [" << entry.path << ']';
    std::cout << '\n';
}

nlohmann::json to_json(const kyr::diagnostic& entry)
{
    return {{"line", entry.line},      {"column", entry.column}, {"code", static_cast<int>(entry.code)},
            {"path", entry.path},      {"found", entry.found},   {"expected", entry.expected},
            {"message", entry.message}};
}

int validate(const options& given)
{
    const reading mode = given.xml_only ? reading::xml_only
        : given.lenient                 ? reading::lenient
                                        : reading::strict;
    const std::vector<std::string> files = expand(given.files, given.recursive);
    const unsigned jobs = given.jobs != 0 ? given.jobs : std::max(1u, std::thread::hardware_concurrency());
    tally counts;
    nlohmann::json listed = nlohmann::json::array();
    progress_bar bar(std::cout, files.size(),
                     !given.json && !given.quiet && wants_progress_bar(files.size()));
    bar.show(0);
    check_all(files, mode, given.max_errors, jobs, [&](std::size_t i, const check_result& result) {
        bar.clear();
        const char* status = "valid";
        switch (result.outcome) {
        case load_outcome::loaded:
            ++counts.valid;
            if (!given.json && !given.quiet)
                std::cout << files[i] << ": OK\n";
            break;
        case load_outcome::invalid:
            ++counts.invalid;
            status = "invalid";
            if (!given.json && !given.quiet)
                for (const kyr::diagnostic& entry : result.diagnostics)
                    print_diagnostic(files[i], entry);
            break;
        case load_outcome::unreadable:
            ++counts.unreadable;
            status = "unreadable";
            if (!given.json) {
                std::cout.flush();
                std::cerr << "kyr: " << files[i] << ": " << result.unreadable << '\n';
            }
            break;
        }
        if (given.json) {
            nlohmann::json entries = nlohmann::json::array();
            for (const kyr::diagnostic& entry : result.diagnostics)
                entries.push_back(to_json(entry));
            nlohmann::json file = {{"file", files[i]}, {"status", status}, {"diagnostics", entries}};
            if (!result.unreadable.empty())
                file["reason"] = result.unreadable;
            listed.push_back(std::move(file));
        }
        bar.show(i + 1);
    });
    bar.clear();

    if (given.json) {
        const nlohmann::json summary = {{"files", listed},
                                        {"valid", counts.valid},
                                        {"invalid", counts.invalid},
                                        {"unreadable", counts.unreadable}};
        // Texts quoted from a leniently read document need not be UTF-8.
        std::cout << summary.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    } else {
        std::cout << plural(files.size(), "file") << ": " << counts.valid << " valid, " << counts.invalid
                  << " invalid";
        if (counts.unreadable != 0)
            std::cout << ", " << counts.unreadable << " unreadable";
        std::cout << '\n';
    }
    if (counts.unreadable != 0)
        return exit_usage_or_io;
    return counts.invalid != 0 ? exit_invalid : exit_ok;
}

} // namespace

command add_validate_command(CLI::App& parent)
{
    auto given = std::make_shared<options>();
    CLI::App* app = parent.add_subcommand(
        "validate",
        "Check that each document is well-formed XML, reads without error and can be written back; "
        "prints every error with its place, or OK, per file.");
    app->add_option("FILE", given->files,
                    "Documents or, with -r, directories (.kyr, .kyrz, or - for standard input)")
        ->required();
    CLI::Option* lenient_flag = app->add_flag(
        "--lenient", given->lenient, "Read as loadFile does, without the strict well-formedness check");
    app->add_flag("--xml-only", given->xml_only,
                  "Check well-formedness alone, so that any XML file can be checked")
        ->excludes(lenient_flag);
    app->add_flag("--json", given->json, "Print the results as JSON");
    app->add_flag("-q,--quiet", given->quiet, "Print only the summary line; the exit code tells the rest");
    app->add_flag("-r,--recursive", given->recursive, "Check the .kyr and .kyrz files below each directory");
    app->add_option("--max-errors", given->max_errors,
                    "Errors listed per file before it is given up (default 100)")
        ->check(CLI::PositiveNumber);
    app->add_option("-j,--jobs", given->jobs, "Files checked at once (default: the number of cores)")
        ->check(CLI::PositiveNumber);
    return {app, [given] { return validate(*given); }};
}

} // namespace kyr_tool
