// The managed callbacks: registration by the C# module and raising by the
// wrappers. The tables are written once, when the module class loads.
#include "flat_runtime.hpp"

#include <exception>
#include <new>
#include <stdexcept>

namespace {

typedef void(KYR_FLAT_CALL* exception_callback)(const char* message);
typedef void(KYR_FLAT_CALL* argument_callback)(const char* message, const char* param_name);
typedef char*(KYR_FLAT_CALL* string_callback)(const char* text);

exception_callback g_exception_callbacks[kyr::interop::k_exception_codes];
argument_callback g_argument_callbacks[kyr::interop::k_argument_codes];
string_callback g_string_callback;

} // namespace

KYR_FLAT_EXPORT void KYR_FLAT_CALL SWIGRegisterExceptionCallbacks_KyrModule(
    exception_callback application, exception_callback arithmetic, exception_callback divide_by_zero,
    exception_callback index_out_of_range, exception_callback invalid_cast,
    exception_callback invalid_operation, exception_callback io, exception_callback null_reference,
    exception_callback out_of_memory, exception_callback overflow, exception_callback system)
{
    const exception_callback table[] = {
        application, arithmetic,     divide_by_zero, index_out_of_range, invalid_cast, invalid_operation,
        io,          null_reference, out_of_memory,  overflow,           system};
    for (int code = 0; code < kyr::interop::k_exception_codes; ++code)
        g_exception_callbacks[code] = table[code];
}

KYR_FLAT_EXPORT void KYR_FLAT_CALL SWIGRegisterExceptionArgumentCallbacks_KyrModule(
    argument_callback argument, argument_callback argument_null, argument_callback argument_out_of_range)
{
    g_argument_callbacks[kyr::interop::k_argument] = argument;
    g_argument_callbacks[kyr::interop::k_argument_null] = argument_null;
    g_argument_callbacks[kyr::interop::k_argument_out_of_range] = argument_out_of_range;
}

// Kept for the module's sake: strings leave the library as COM strings.
KYR_FLAT_EXPORT void KYR_FLAT_CALL SWIGRegisterStringCallback_KyrModule(string_callback callback)
{
    g_string_callback = callback;
}

namespace kyr {
namespace interop {

void raise_exception(e_exception_code code, const char* message)
{
    if (g_exception_callbacks[code])
        g_exception_callbacks[code](message);
}

void raise_argument(e_argument_code code, const char* message)
{
    if (g_argument_callbacks[code])
        g_argument_callbacks[code](message, nullptr);
}

void raise_current_exception()
{
    try {
        throw;
    } catch (const std::bad_alloc&) {
        raise_exception(k_out_of_memory, "out of memory");
    } catch (const std::out_of_range& error) {
        raise_exception(k_index_out_of_range, error.what());
    } catch (const std::exception& error) {
        raise_exception(k_application, error.what());
    } catch (...) {
        raise_exception(k_application, "unknown exception");
    }
}

} // namespace interop
} // namespace kyr
