// Registers recording callbacks with the flat layer for one test and drops
// them afterwards, so that a raised callback can be counted and read.
#ifndef KYR_TESTS_INTEROP_FLAT_RECORDER_HPP
#define KYR_TESTS_INTEROP_FLAT_RECORDER_HPP

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

extern "C" {
typedef void (*flat_exception_callback)(const char*);
typedef void (*flat_argument_callback)(const char*, const char*);
typedef char* (*flat_string_callback)(const char*);
void SWIGRegisterExceptionCallbacks_KyrModule(flat_exception_callback, flat_exception_callback,
                                              flat_exception_callback, flat_exception_callback,
                                              flat_exception_callback, flat_exception_callback,
                                              flat_exception_callback, flat_exception_callback,
                                              flat_exception_callback, flat_exception_callback,
                                              flat_exception_callback);
void SWIGRegisterExceptionArgumentCallbacks_KyrModule(flat_argument_callback, flat_argument_callback,
                                                      flat_argument_callback);
void SWIGRegisterStringCallback_KyrModule(flat_string_callback);
}

// (table, code, message) of every raised callback: table 'e' for the
// exception table, 'a' for the argument table.
struct raised_callback
{
    char table;
    int code;
    std::string message;
};

inline std::vector<raised_callback>& raised_callbacks()
{
    static std::vector<raised_callback> raised;
    return raised;
}

template <int Code>
void record_exception(const char* message)
{
    raised_callbacks().push_back({'e', Code, message ? message : ""});
}

template <int Code>
void record_argument(const char* message, const char* param)
{
    raised_callbacks().push_back({'a', Code, message ? message : ""});
    EXPECT_EQ(nullptr, param);
}

class flat_test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        raised_callbacks().clear();
        SWIGRegisterExceptionCallbacks_KyrModule(
            record_exception<0>, record_exception<1>, record_exception<2>, record_exception<3>,
            record_exception<4>, record_exception<5>, record_exception<6>, record_exception<7>,
            record_exception<8>, record_exception<9>, record_exception<10>);
        SWIGRegisterExceptionArgumentCallbacks_KyrModule(record_argument<0>, record_argument<1>,
                                                         record_argument<2>);
    }

    void TearDown() override
    {
        SWIGRegisterExceptionCallbacks_KyrModule(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                                 nullptr, nullptr, nullptr, nullptr, nullptr);
        SWIGRegisterExceptionArgumentCallbacks_KyrModule(nullptr, nullptr, nullptr);
    }

    // The one argument-null message raised since the last call, or a note of how many there were.
    static std::string only_argument_null()
    {
        std::vector<raised_callback> raised = std::move(raised_callbacks());
        raised_callbacks().clear();
        if (raised.size() != 1)
            return std::to_string(raised.size()) + " callbacks";
        if (raised[0].table != 'a' || raised[0].code != 1)
            return "another callback: " + raised[0].message;
        return raised[0].message;
    }
};

#endif
