// The simple-type checkers and parsers over arbitrary text. The first byte picks the type.
// Every text the checker accepts must parse and print; what is printed must be accepted
// again and print the same once more. Three printed forms are exempt from the acceptance
// test because they are the library's defined output: a negative year is zero-padded
// before its sign ("0-44"), a zero duration is "P", and seconds of a million or more are
// printed in general notation ("6.88889e+32S", or "infS" past the float range).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include <kyr/lmx/big_int.hpp>
#include <kyr/lmx/binary.hpp>
#include <kyr/lmx/datetime.hpp>
#include <kyr/lmx/decimal.hpp>
#include <kyr/lmx/duration.hpp>
#include <kyr/lmx/list_tokeniser.hpp>
#include <kyr/lmx/pattern.hpp>
#include <kyr/lmx/simple_types.hpp>

namespace {

using namespace lmx;

void check(bool holds, const char* what, const std::string& text)
{
    if (holds)
        return;
    std::fprintf(stderr, "%s: \"%s\"\n", what, text.c_str());
    std::abort();
}

template <class T>
void date_time(const std::string& text)
{
    if (!T::is_valid(text))
        return;
    const T value(text);
    const std::string printed = value.get_as_string();
    // A negative year, given or wrapped from a year beyond 32 bits, prints as "0-44", "00-1"
    // or "-195".
    const size_t dash = printed.find('-');
    const bool month_or_day_form = printed.compare(0, 2, "--") == 0;
    if (text[0] == '-' || (dash < 4 && !month_or_day_form))
        return;
    // No range is tested on a zone's digits: "-99:60" is an offset of 100 hours, printed with
    // three digits.
    if (std::abs(value.get_total_offset_mins()) >= 100 * 60)
        return;
    check(T::is_valid(printed), "printed date/time is not valid", printed);
    // Seconds below a thousandth print as zeros in fixed notation and read back as 0, which
    // prints shorter: the second print need only be valid, not identical.
    check(T::is_valid(T(printed).get_as_string()), "printed date/time does not read back", printed);
}

void duration(const std::string& text)
{
    if (!c_duration::is_valid(text))
        return;
    const c_duration value(text);
    const std::string printed = value.get_as_string();
    if (printed.find_first_of("ein") != std::string::npos)
        return;
    check(printed == "P" || printed == "-P" || c_duration::is_valid(printed), "printed duration is not valid",
          printed);
    const std::string reprinted = c_duration(printed).get_as_string();
    // Seconds below a thousandth print in fixed notation ("0.000000", "0.001000"), which
    // reads back as a value printed in general notation or not at all: the second print
    // need only be valid. Any other print reads back the same.
    if (value.get_secs() > 0.0f && value.get_secs() < 0.001f)
        check(reprinted == "P" || reprinted == "-P" || c_duration::is_valid(reprinted),
              "printed duration does not read back", printed);
    else
        check(reprinted == printed, "printed duration does not read back", printed);
}

void binary(const std::string& text, bool hex)
{
    if (!(hex ? c_binary::is_valid_hex(text) : c_binary::is_valid_base64(text)))
        return;
    c_binary value;
    hex ? value.from_hex(text) : value.from_base64(text);
    std::ostringstream out;
    hex ? value.out_hex(out) : value.out_base64(out);
    const std::string printed = out.str();
    check(hex ? c_binary::is_valid_hex(printed) : c_binary::is_valid_base64(printed),
          "printed binary is not valid", printed);
    c_binary again;
    hex ? again.from_hex(printed) : again.from_base64(printed);
    check(again == value, "printed binary does not read back", printed);
}

void decimal(const std::string& text)
{
    const c_decimal value(text);
    bool overflow = false;
    value.get_integral(&overflow);
    value.get_fractional(static_cast<int>(text.size() % 20), &overflow);
    value.get_scaled(static_cast<int>(text.size() % 9) - 4, &overflow);
    value.get_as_float();
    if (!c_decimal::is_valid(text))
        return;
    std::ostringstream out;
    out << value;
    const std::string printed = out.str();
    check(c_decimal::is_valid(printed), "printed decimal is not valid", printed);
    check(c_decimal(printed) == value, "printed decimal does not read back", printed);
}

void integer(const std::string& text)
{
    is_valid_integer(text);
    to_int(text);
    to_unsigned_int(text);
    to_long_long(text);
    const c_big_int value(text);
    bool overflow = false;
    value.get(&overflow);
    value.get_as_float();
    value.equals(text.c_str());
    value.greater_than(text.c_str());
}

void floating(const std::string& text)
{
    const bool valid = is_valid_float(text);
    const double value = to_double(text);
    double plain = 0;
    if (to_plain_double(text, &plain)) {
        check(valid, "plain double not a valid float", text);
        check(std::memcmp(&plain, &value, sizeof value) == 0, "plain double differs from to_double", text);
    }
    to_float(text);
    total_digits(text);
    fraction_digits(text);
    length(text);
    is_min_length_ok(text, text.size() % 7);
    is_max_length_ok(text, text.size() % 5);
    is_valid_bool(text);
    to_bool(text);
}

void list(const std::string& text)
{
    c_xml_list_tokeniser tokens(text);
    std::string token;
    while (tokens.get(&token))
        ;
}

void pattern(const std::string& text)
{
    // The stamp pattern of the schema, then a short expression of the input's own.
    static const c_pattern stamp(".+T.+(Z|[+\\-].+)");
    stamp.is_match(text);
    const size_t split = text.find('\n');
    if (split == std::string::npos || split > 64)
        return;
    const c_regex expression(text.substr(0, split));
    expression.is_match(text.substr(split + 1));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 16) {
    case 0:
        date_time<c_datetime>(text);
        break;
    case 1:
        date_time<c_date>(text);
        break;
    case 2:
        date_time<c_time>(text);
        break;
    case 3:
        date_time<c_gyearmonth>(text);
        break;
    case 4:
        date_time<c_gyear>(text);
        break;
    case 5:
        date_time<c_gmonthday>(text);
        break;
    case 6:
        date_time<c_gday>(text);
        break;
    case 7:
        date_time<c_gmonth>(text);
        break;
    case 8:
        duration(text);
        break;
    case 9:
        binary(text, false);
        break;
    case 10:
        binary(text, true);
        break;
    case 11:
        decimal(text);
        break;
    case 12:
        integer(text);
        break;
    case 13:
        floating(text);
        break;
    case 14:
        list(text);
        break;
    default:
        pattern(text);
        break;
    }
    return 0;
}
