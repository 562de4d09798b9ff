// Runs the system's xmllint on the format schema: validation of documents and XPath queries over
// the schema files themselves.
#ifndef KYR_TESTS_SCHEMA_COLOUR_XMLLINT_RUNNER_HPP
#define KYR_TESTS_SCHEMA_COLOUR_XMLLINT_RUNNER_HPP

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

namespace schema_colour {

namespace fs = std::filesystem;

inline const fs::path schema_dir = fs::path(KYR_SOURCE_DIR) / "schema";
inline const fs::path schema_path = schema_dir / "kyr.xsd";

struct lint_result
{
    int status;
    std::string output;
};

inline bool xmllint_available()
{
    static const bool available = std::system("command -v xmllint >/dev/null 2>&1") == 0;
    return available;
}

// Runs xmllint with `arguments` (already quoted) and returns its exit status and merged output.
inline lint_result run_xmllint(const std::string& arguments)
{
    const std::string command = "xmllint " + arguments + " 2>&1";
    lint_result result{-1, {}};
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.output.append(buffer, got);
    }
    result.status = pclose(pipe);
    return result;
}

inline std::string quoted(const fs::path& path)
{
    return "'" + path.string() + "'";
}

inline lint_result validate(const fs::path& document)
{
    return run_xmllint("--noout --schema " + quoted(schema_path) + " " + quoted(document));
}

// Values of the attributes an XPath expression selects, in document order. The expression must
// select attributes; an expression that selects nothing gives an empty list.
inline std::vector<std::string> attribute_values(const fs::path& file, const std::string& xpath)
{
    const lint_result result = run_xmllint("--xpath \"" + xpath + "\" " + quoted(file));
    static const std::regex attribute(R"re([\w:.-]+="([^"]*)")re");
    std::vector<std::string> values;
    for (std::sregex_iterator it(result.output.begin(), result.output.end(), attribute), end; it != end;
         ++it) {
        values.push_back((*it)[1].str());
    }
    return values;
}

} // namespace schema_colour

#endif
