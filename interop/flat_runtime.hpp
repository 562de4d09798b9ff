// What every flat export uses: the export attribute, the argument and result
// conversions, the raised callbacks and the COM string stand-ins. Private to
// the library; callers see only the exported functions.
#ifndef KYR_INTEROP_FLAT_RUNTIME_HPP
#define KYR_INTEROP_FLAT_RUNTIME_HPP

#include <cstdint>
#include <string>

#if defined(_WIN32)
#define KYR_FLAT_EXPORT extern "C" __declspec(dllexport)
#define KYR_FLAT_CALL __stdcall
#define KYR_FLAT_HIDDEN
#else
#define KYR_FLAT_EXPORT extern "C" __attribute__((visibility("default")))
#define KYR_FLAT_CALL
#define KYR_FLAT_HIDDEN __attribute__((visibility("hidden")))
#endif

namespace lmx {

// A value without content, offered to flat callers as a placeholder object.
class c_empty
{};

} // namespace lmx

namespace kyr {
namespace interop {

// Build options that the runtime does not spell out itself.
constexpr int LMXNULL = 0;
constexpr int LMX_USE_EXCEPTIONS = 0;
constexpr int LMX_WANT_DLL = 0;
constexpr int LMX_WANT_GEN_IMPORT_DLL = 0;
constexpr int LMX_XML_STRICT = 1;

// Codes of the exception callback table, in registration order.
enum e_exception_code {
    k_application,
    k_arithmetic,
    k_divide_by_zero,
    k_index_out_of_range,
    k_invalid_cast,
    k_invalid_operation,
    k_io,
    k_null_reference,
    k_out_of_memory,
    k_overflow,
    k_system,
    k_exception_codes
};

// Codes of the argument-exception callback table.
enum e_argument_code { k_argument, k_argument_null, k_argument_out_of_range, k_argument_codes };

KYR_FLAT_HIDDEN void raise_exception(e_exception_code code, const char* message);
KYR_FLAT_HIDDEN void raise_argument(e_argument_code code, const char* message);

// Raises the exception callback that matches the exception being handled.
KYR_FLAT_HIDDEN void raise_current_exception();

// Zero-terminated UTF-16 (null reads as empty) into the library's wide string.
KYR_FLAT_HIDDEN std::wstring wide(const char16_t* text);

// COM-style strings: a 4-byte byte count before the returned pointer, the
// text, a 2-byte terminator; allocated with malloc so the managed side frees
// them. Null when the allocation fails.
KYR_FLAT_HIDDEN char16_t* SysAllocStringLen(const wchar_t* text, std::uint32_t length);
KYR_FLAT_HIDDEN char16_t* SysAllocStringByteLen(const char* text, std::uint32_t length);
KYR_FLAT_HIDDEN char16_t* com_string(const std::wstring& text);
KYR_FLAT_HIDDEN char16_t* com_string(const std::string& text);

// A class identity assigned from the managed side: the text is copied into
// storage that lives as long as the library, one copy per distinct text, so
// identities compared by address stay equal when the same text is set twice.
KYR_FLAT_HIDDEN const char* kept_identity(const char* text);

// A reference result handed out as a handle into its owner.
template <typename T>
KYR_FLAT_HIDDEN void* address(const T& value)
{
    return const_cast<T*>(&value);
}

// A refused argument: raises the argument-null callback, gives the zero result.
template <typename R>
KYR_FLAT_HIDDEN R refused(const char* message)
{
    raise_argument(k_argument_null, message);
    return R();
}

// An exception stopped at the boundary: raises its callback, gives the zero result.
template <typename R>
KYR_FLAT_HIDDEN R failed()
{
    raise_current_exception();
    return R();
}

} // namespace interop
} // namespace kyr

#endif
