// Case files: one case a line, "input => expected", '#' starts a comment line. Inputs are
// written with C escapes (\n \r \t \0 \\ \xHH) and {N*text} for text repeated N times, so a
// bomb or a 60,000-byte name is still one line.
#ifndef KYR_TEST_CASE_FILE_HPP
#define KYR_TEST_CASE_FILE_HPP

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace kyr_test {

struct s_case
{
    int line;
    std::string input;
    std::string expected;
};

inline std::string unescape(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '{' && i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '9') {
            const size_t star = text.find('*', i);
            const size_t close = text.find('}', star);
            const std::string piece = unescape(text.substr(star + 1, close - star - 1));
            for (long n = std::atol(text.c_str() + i + 1); n > 0; --n)
                out += piece;
            i = close;
        } else if (c != '\\' || i + 1 == text.size()) {
            out.push_back(c);
        } else {
            const char e = text[++i];
            if (e == 'x') {
                out.push_back(static_cast<char>(std::strtol(text.substr(i + 1, 2).c_str(), nullptr, 16)));
                i += 2;
            } else {
                out.push_back(e == 'n' ? '\n' : e == 'r' ? '\r' : e == 't' ? '\t' : e == '0' ? '\0' : e);
            }
        }
    }
    return out;
}

// Printable ASCII as it is, everything else escaped the way unescape reads it.
inline std::string escape(const std::string& bytes)
{
    static const char k_hex[] = "0123456789abcdef";
    std::string out;
    for (const char c : bytes) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\\')
            out += "\\\\";
        else if (u < 0x20 || u >= 0x7f)
            out += std::string("\\x") + k_hex[u >> 4] + k_hex[u & 15];
        else
            out.push_back(c);
    }
    return out;
}

inline std::vector<s_case> read_cases(const std::string& path)
{
    std::vector<s_case> cases;
    std::ifstream in(path);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const size_t arrow = line.rfind(" => ");
        if (line.empty() || line[0] == '#' || arrow == std::string::npos)
            continue;
        cases.push_back(s_case{number, unescape(line.substr(0, arrow)), line.substr(arrow + 4)});
    }
    return cases;
}

} // namespace kyr_test

#endif
