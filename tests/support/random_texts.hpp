// Deterministic random texts for fuzz-style tests of lexical checks and parsers.
#ifndef KYR_TESTS_RANDOM_TEXTS_HPP
#define KYR_TESTS_RANDOM_TEXTS_HPP

#include <cstddef>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace kyr_test {

// Texts made of characters drawn from `alphabet` (plus, at times, a byte above 127),
// with lengths up to `max_length`. The same seed always gives the same texts.
class c_random_texts
{
public:
    c_random_texts(std::string alphabet, std::uint32_t seed) : m_alphabet(std::move(alphabet)), m_engine(seed)
    {
    }

    std::string next(std::size_t max_length)
    {
        std::string text(pick(max_length + 1), '\0');
        for (char& c : text)
            c = pick(16) == 0 ? static_cast<char>(0x80 + pick(128)) : m_alphabet[pick(m_alphabet.size())];
        return text;
    }

    std::size_t pick(std::size_t bound)
    {
        return std::uniform_int_distribution<std::size_t>(0, bound - 1)(m_engine);
    }
    std::mt19937& engine() { return m_engine; }

private:
    std::string m_alphabet;
    std::mt19937 m_engine;
};

// Every prefix of `text`, the empty one and `text` itself included.
inline std::vector<std::string> prefixes(const std::string& text)
{
    std::vector<std::string> result;
    for (std::size_t n = 0; n <= text.size(); ++n)
        result.push_back(text.substr(0, n));
    return result;
}

// A heap copy of exactly text.size() bytes with no terminator, so that the address
// sanitizer catches any read past the end.
inline std::unique_ptr<char[]> exact_copy(const std::string& text)
{
    std::unique_ptr<char[]> copy(new char[text.size()]);
    text.copy(copy.get(), text.size());
    return copy;
}

} // namespace kyr_test

#endif
