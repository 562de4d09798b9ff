// KYR_API marks what libkyr exports. The library is built with hidden visibility, so
// everything without it stays inside the library and may change without breaking callers.
#ifndef KYR_EXPORT_HPP
#define KYR_EXPORT_HPP

#if defined(_WIN32)
#if defined(KYR_BUILDING_LIBRARY)
#define KYR_API __declspec(dllexport)
#else
#define KYR_API __declspec(dllimport)
#endif
#else
#define KYR_API __attribute__((visibility("default")))
#endif

#endif
