// The identification this library stamps into every document's header.
#ifndef KYR_SCHEMA_LIBRARY_IDENTIFICATION_HPP
#define KYR_SCHEMA_LIBRARY_IDENTIFICATION_HPP

#include <kyr/export.hpp>

namespace com_kyrandel_v2 {
class SDKType;
}

namespace kyr::schema {

// An SDKType naming this library: "Kyr2-LMX-3.7.6", version "1.0".
KYR_API const com_kyrandel_v2::SDKType& library_identification();

} // namespace kyr::schema

#endif
