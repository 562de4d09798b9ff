// Status codes of every operation, their fixed descriptions, the collector of lexical
// reports and the exception classes offered to callers that prefer to throw.
#ifndef KYR_LMX_ERROR_HPP
#define KYR_LMX_ERROR_HPP

#include <kyr/export.hpp>

namespace lmx {

class c_get_as_utf8;
class c_getter_error_binder;

// Outcome of every operation that can fail. 1000 to 1008 are left to users' own errors.
enum elmx_error : int {
    ELMX_OK = 0,
    ELMX_NO_FILE = 1,
    ELMX_ALL_CARDINALITY = 2,
    ELMX_ATTRIBUTE_ALREADY_READ = 3,
    ELMX_ATTRIBUTES_IN_ANONYMOUS_COMPOSITOR = 4,
    ELMX_BADLY_FORMED = 5,
    ELMX_BAD_CHAR_ENCODING = 6,
    ELMX_BAD_CHOICE = 7,
    ELMX_BAD_COMMENT = 8,
    ELMX_BAD_DTD = 9,
    ELMX_BAD_END_OF_ELEMENT = 10,
    ELMX_BAD_START_TAG_END = 11,
    ELMX_BAD_END_TAG = 12,
    ELMX_BAD_XML_DECL = 13,
    ELMX_BAD_XML_VERSION = 14,
    ELMX_ENCODING_MISMATCH = 15,
    ELMX_ELEMENT_NOT_FOUND = 16,
    ELMX_EXTERNAL_ENTITY = 17,
    ELMX_FRACTION_DIGITS_EXCEEDED = 18,
    ELMX_LENGTH_TOO_LONG = 19,
    ELMX_LENGTH_TOO_SHORT = 20,
    ELMX_MANDATORY_ELEMENT_MISSING = 21,
    ELMX_NO_PATTERN_MATCHED = 22,
    ELMX_NOT_WELL_FORMED = 23,
    ELMX_RECURSIVE_ENTITY = 24,
    ELMX_REQUIRED_ATTRIBUTES_MISSING = 25,
    ELMX_MAX_OCCURS_EXCEEDED = 26,
    ELMX_TOTAL_DIGITS_EXCEEDED = 27,
    ELMX_UNABLE_TO_READ_ATTRIBUTE_VALUE = 28,
    ELMX_UNABLE_TO_READ_ELEMENT_VALUE = 29,
    ELMX_UNKNOWN_ELEMENT_IN_ALL = 30,
    ELMX_UNKNOWN_ELEMENT_IN_COMPLEX_CONTENT = 31,
    ELMX_UNEXPECTED_EMPTY_ELEMENT = 32,
    ELMX_UNEXPECTED_ENTITY = 33,
    ELMX_UNEXPECTED_END_OF_MESSAGE = 34,
    ELMX_VALUE_BAD_FORMAT = 35,
    ELMX_VALUE_EXCEEDS_MAX = 36,
    ELMX_VALUE_EXCEEDS_MIN = 37,
    ELMX_VALUE_NOT_ENUMERATED = 38,
    ELMX_UNEXPECTED_ATTRIBUTE = 39,
    ELMX_NILLED_ELEMENT_NOT_EMPTY = 40,
    ELMX_ENTITY_NOT_FOUND = 41,
    ELMX_UNDEFINED_ERROR = 42,
    ELMX_VALUE_NOT_FIXED = 43,
    ELMX_UNKNOWN_XSI_TYPE = 44,
    ELMX_TYPE_NOT_SET = 45,
    ELMX_OCCURRENCE_ERROR_ON_MARSHAL = 46,
    ELMX_USER_DEFINED_1 = 1000,
    ELMX_USER_DEFINED_2 = 1001,
    ELMX_USER_DEFINED_3 = 1002,
    ELMX_USER_DEFINED_4 = 1003,
    ELMX_USER_DEFINED_5 = 1004,
    ELMX_USER_DEFINED_6 = 1005,
    ELMX_USER_DEFINED_7 = 1006,
    ELMX_USER_DEFINED_8 = 1007,
    ELMX_USER_DEFINED_9 = 1008
};

// Fixed message text of `code`; "" (never null) for a value that is not a code.
KYR_API const char* get_error_description(elmx_error code);

// Severity of a lexical report.
enum elmx_error_type : int {
    ELMX_ERROR_TYPE_FATAL = 0, // ends the input: later reports to the collector are dropped
    ELMX_ERROR_TYPE_ERROR = 1,
    ELMX_ERROR_TYPE_WARNING = 2,
    ELMX_ERROR_TYPE_MINOR = 3, // counted as a warning and on its own
    ELMX_ERROR_TYPE_NONE = 4   // never reported; the type before any report
};

// Collects the lexical reports of one reader or writer: counts by severity and the last one.
// The binding channel (handle_error and its hooks) belongs to the reader and the writer.
class KYR_API c_error
{
public:
    c_error() = default;
    c_error(const c_error&) = default;
    c_error& operator=(const c_error&) = default;

    // Sees every accepted report as it is recorded; does nothing here.
    virtual void report_error(elmx_error_type type, elmx_error code, const char* source_id, int line,
                              const char* message);
    virtual ~c_error() = default;

    // Records one report unless a fatal one came before, then passes it to report_error.
    void error(elmx_error_type type, elmx_error code, const char* source_id, int line, const char* message);
    // As above with the source id and line of the current getter (null and -1 without one).
    void error(elmx_error_type type, elmx_error code, const char* message);

    bool is_errored() const { return m_n_fatal + m_n_errors != 0; }
    bool is_fatal_errored() const { return m_n_fatal != 0; }
    // The last report; false and nothing written while the last code is ELMX_OK.
    bool get_error_info(elmx_error_type* type, elmx_error* code, int* line) const;

    elmx_error get_last_error() const { return m_last_code; }
    elmx_error_type get_last_error_type() const { return m_last_type; }
    int get_last_line() const { return m_last_line; }
    int get_fatal_count() const { return m_n_fatal; }
    int get_error_count() const { return m_n_errors; }
    int get_warning_count() const { return m_n_warnings; }
    int get_minor_count() const { return m_n_minor; }

    // Makes the binder's getter current; returns the one that was current.
    const c_get_as_utf8* register_getter(c_getter_error_binder* binder);
    // Makes the getter that was current before the binder's current again.
    void unregister_getter(c_getter_error_binder* binder);
    const c_get_as_utf8* get_current_getter() const { return m_getter; }

private:
    const c_get_as_utf8* m_getter = nullptr;
    int m_n_fatal = 0;
    int m_n_errors = 0;
    int m_n_warnings = 0;
    int m_n_minor = 0;
    elmx_error_type m_last_type = ELMX_ERROR_TYPE_NONE;
    elmx_error m_last_code = ELMX_OK;
    int m_last_line = -1;
};

// Scope object: while it lives, reports made through its collector without a line carry the
// line of the getter it bound. Binders nest like a stack.
class KYR_API c_getter_error_binder
{
public:
    explicit c_getter_error_binder(c_error& error) : m_error(error) {}
    c_getter_error_binder(const c_getter_error_binder&) = delete;
    c_getter_error_binder& operator=(const c_getter_error_binder&) = delete;
    ~c_getter_error_binder();

    // Installs `getter` on the first call only, remembering the one it replaces.
    void bind(const c_get_as_utf8* getter);

    const c_get_as_utf8* get_getter() const { return m_getter; }
    const c_get_as_utf8* get_previous_getter() const { return m_previous; }

private:
    bool m_is_bound = false;
    c_error& m_error;
    const c_get_as_utf8* m_getter = nullptr;
    const c_get_as_utf8* m_previous = nullptr;
};

// Offered to callers that want to throw a code; the library itself never throws it.
class KYR_API c_lmx_exception
{
public:
    explicit c_lmx_exception(elmx_error code) : m_error(code) {}
    virtual ~c_lmx_exception() = default;
    // The code's description.
    virtual const char* what() const;

    elmx_error get_error() const { return m_error; }

private:
    elmx_error m_error;
};

// A code with the input line it was met on.
class KYR_API c_lmx_reader_exception : public c_lmx_exception
{
public:
    c_lmx_reader_exception(elmx_error code, int line) : c_lmx_exception(code), m_line(line) {}
    int get_line() const { return m_line; }

private:
    int m_line;
};

} // namespace lmx

#endif
