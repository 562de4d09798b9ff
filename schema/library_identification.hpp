// The identification this library stamps into every document's header.
#pragma once

namespace com_kyrandel_v2 {
class SDKType;
}

namespace kyr::io {

// An SDKType naming this library: "Kyr2-LMX-3.7.6", version "1.0".
const com_kyrandel_v2::SDKType& library_identification();

} // namespace kyr::io
