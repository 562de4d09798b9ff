// kyr qc FILE [--json] [--write-results OUT]: the verdict of every quality-control record, per
// standard and measurement; exit 1 when anything fails.
#include "commands.hpp"
#include "document_loading.hpp"
#include "document_saving.hpp"
#include "exit_status.hpp"
#include "text.hpp"

#include <kyr/colour/quality_control.hpp>

#include <nlohmann/json.hpp>

#include <cstdio>
#include <iostream>
#include <memory>

namespace kyr_tool {
namespace {

using namespace kyr::colour;

struct qc_options
{
    std::string file;
    std::string results_file;
    bool json = false;
};

std::string conditions_text(const QcResult& r)
{
    if (!r.illuminant)
        return "";
    return std::string(illuminant_name(*r.illuminant))
        + (r.observer ? "/" + std::to_string(observer_degrees(*r.observer)) + "°" : "");
}

nlohmann::ordered_json json_of(const QcResult& r)
{
    auto optional = [](const std::optional<double>& v) { return v ? nlohmann::ordered_json(*v) : nullptr; };
    return {{"record", r.record_name},
            {"standard", r.standard_name},
            {"measurement", r.measurement ? nlohmann::ordered_json(*r.measurement + 1) : nullptr},
            {"measurement_name", r.measurement ? nlohmann::ordered_json(r.measurement_name) : nullptr},
            {"tolerance", r.tolerance},
            {"function", r.function},
            {"illuminant", r.illuminant ? nlohmann::ordered_json(illuminant_name(*r.illuminant)) : nullptr},
            {"observer", r.observer ? nlohmann::ordered_json(observer_degrees(*r.observer)) : nullptr},
            {"value", optional(r.value)},
            {"low", optional(r.low)},
            {"high", optional(r.high)},
            {"warning", optional(r.warning)},
            {"verdict", verdict_name(r.verdict)},
            {"reason", r.reason}};
}

// Record and standard as headings, then one line per result.
void print_text(const std::vector<QcResult>& results)
{
    const QcResult* previous = nullptr;
    for (const QcResult& r : results) {
        if (!previous || previous->record != r.record)
            std::cout << "Record " << r.record + 1
                      << (r.record_name.empty() ? "" : " \"" + r.record_name + "\"") << '\n';
        if (!previous || previous->record != r.record || previous->standard != r.standard)
            std::cout << "  Standard \"" << r.standard_name << "\"\n";
        previous = &r;
        std::cout << "    "
                  << (r.measurement ? "measurement " + std::to_string(*r.measurement + 1) + " \""
                              + r.measurement_name + "\""
                                    : std::string("all measurements"))
                  << ": " << r.function;
        if (!r.tolerance.empty())
            std::cout << " (tolerance \"" << r.tolerance << "\")";
        const std::string conditions = conditions_text(r);
        if (!conditions.empty())
            std::cout << ' ' << conditions;
        if (r.value) {
            char value[32];
            std::snprintf(value, sizeof value, "%.4f", *r.value);
            std::cout << " = " << value;
        }
        std::cout << ": " << verdict_name(r.verdict);
        if (r.low || r.high) {
            std::cout << " (";
            if (r.low)
                std::cout << "low " << format_number(*r.low) << (r.high ? ", " : "");
            if (r.high)
                std::cout << "high " << format_number(*r.high);
            if (r.warning)
                std::cout << ", warning " << format_number(*r.warning);
            std::cout << ')';
        }
        if (!r.reason.empty())
            std::cout << ": " << r.reason;
        std::cout << '\n';
    }
}

int run_qc(const qc_options& options)
{
    if (!options.results_file.empty() && !is_writable_name(options.results_file)) {
        std::cerr << "kyr: " << options.results_file << ": the output must end in .kyr or .kyrz, or be -\n";
        return exit_usage_or_io;
    }
    com_kyrandel_v2::Kyr document;
    if (const int status = load_for_command(options.file, document); status != exit_ok)
        return status;
    const std::vector<QcResult> results = evaluate_quality_control(document);
    bool failed = false;
    nlohmann::ordered_json rows = nlohmann::ordered_json::array();
    for (const QcResult& r : results) {
        failed = failed || r.verdict == Verdict::fail;
        if (options.json)
            rows.push_back(json_of(r));
    }
    // Results written to standard output replace the report there.
    const bool report = options.results_file != "-";
    if (report && options.json)
        std::cout << rows.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
    else if (report)
        print_text(results);
    if (!options.results_file.empty()) {
        store_function_results(document);
        if (const int status = save_for_command(document, options.results_file); status != exit_ok)
            return status;
    }
    return failed ? exit_invalid : exit_ok;
}

} // namespace

command add_qc_command(CLI::App& parent)
{
    auto options = std::make_shared<qc_options>();
    CLI::App* app = parent.add_subcommand(
        "qc",
        "Evaluate every quality-control record: each measurement against its standard under each tolerance.");
    app->add_option("FILE", options->file, "Document to read (.kyr, .kyrz, or - for standard input)")
        ->required();
    app->add_flag("--json", options->json, "Print the results as a JSON array");
    app->add_option("--write-results", options->results_file,
                    "Store each measurement function's value in its Result and write the document to OUT");
    return {app, [options] { return run_qc(*options); }};
}

} // namespace kyr_tool
