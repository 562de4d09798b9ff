// What the handle tests share: a small valid document and the kyr::error a call throws.
#ifndef KYR_TEST_API_SUPPORT_HPP
#define KYR_TEST_API_SUPPORT_HPP

#include <kyr/api.hpp>

#include <optional>

inline const char* const stamp = "2026-12-05T12:00:00Z";

// A header and one colour with an L*a*b* value.
inline kyr::Document lab_document()
{
    kyr::Document document;
    kyr::fill_header(document, {"kyr tests", "1.0", "tests", stamp});
    kyr::conditions measured;
    measured.stamp = stamp;
    kyr::add_lab(document.colours().push_back(), "Poppy", {53.08, 61.18, 45.29}, measured);
    return document;
}

// The kyr::error `call` throws; an empty result (whose value() throws) when it throws none.
template <class Call>
std::optional<kyr::error> thrown(Call&& call)
{
    try {
        call();
    } catch (const kyr::error& e) {
        return e;
    }
    return std::nullopt;
}

#endif
