// Test scope that switches the process's C and C++ locales to German ones,
// with a decimal comma and "." grouping thousands, and restores them
// afterwards. The C locale is compiled into the build tree with localedef when
// the system lacks it. The C++ global locale gets the German number
// punctuation as a facet: building a named std::locale from a LOCPATH
// directory leaks inside the C library, which the sanitizer build reports.
#ifndef KYR_TESTS_DECIMAL_COMMA_LOCALE_HPP
#define KYR_TESTS_DECIMAL_COMMA_LOCALE_HPP

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <locale>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>

namespace kyr_test {

class c_decimal_comma_locale
{
public:
    c_decimal_comma_locale() : m_saved_cpp(std::locale()), m_saved_c(std::setlocale(LC_ALL, nullptr))
    {
        if (!try_install() && generate())
            try_install();
    }

    ~c_decimal_comma_locale()
    {
        std::locale::global(m_saved_cpp);
        std::setlocale(LC_ALL, m_saved_c.c_str());
    }

    c_decimal_comma_locale(const c_decimal_comma_locale&) = delete;
    c_decimal_comma_locale& operator=(const c_decimal_comma_locale&) = delete;

    // True when both locales now use a decimal comma.
    bool active() const { return m_active; }

private:
    static constexpr const char* k_name = "de_DE.UTF-8";

    struct c_german_numpunct : std::numpunct<char>
    {
        char do_decimal_point() const override { return ','; }
        char do_thousands_sep() const override { return '.'; }
        std::string do_grouping() const override { return "\3"; }
    };

    bool try_install()
    {
        if (std::setlocale(LC_ALL, k_name) == nullptr)
            return false;
        std::locale::global(std::locale(std::locale::classic(), new c_german_numpunct));
        m_active = std::strcmp(std::localeconv()->decimal_point, ",") == 0
            && std::use_facet<std::numpunct<char>>(std::locale()).decimal_point() == ',';
        return m_active;
    }

    static bool generate()
    {
        const std::string dir = std::string(KYR_BINARY_DIR) + "/test-locales";
        ::mkdir(dir.c_str(), 0755);
        struct stat info;
        const bool compiled_before = ::stat((dir + "/" + k_name + "/LC_NUMERIC").c_str(), &info) == 0;
        if (compiled_before)
            return ::setenv("LOCPATH", dir.c_str(), 1) == 0;
        const std::string command =
            "localedef -i de_DE -f UTF-8 '" + dir + "/" + k_name + "' >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        // localedef exits with 1 when it only warned.
        if (status == -1 || (WEXITSTATUS(status) != 0 && WEXITSTATUS(status) != 1))
            return false;
        return ::setenv("LOCPATH", dir.c_str(), 1) == 0;
    }

    std::locale m_saved_cpp;
    std::string m_saved_c;
    bool m_active = false;
};

} // namespace kyr_test

#define KYR_REQUIRE_DECIMAL_COMMA_LOCALE(scope)                                                              \
    kyr_test::c_decimal_comma_locale scope;                                                                  \
    if (!scope.active())                                                                                     \
    GTEST_SKIP() << "no locale with a decimal comma: de_DE.UTF-8 is not installed and localedef failed"

#endif
