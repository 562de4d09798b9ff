// The kyr::error a call throws; an empty result (whose value() throws) when it throws none.
#ifndef KYR_TEST_API_THROWN_HPP
#define KYR_TEST_API_THROWN_HPP

#include <kyr/api/error.hpp>

#include <optional>

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
