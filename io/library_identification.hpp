// The identification this library stamps into every document's header.
#pragma once

namespace com_kyrandel_v2 {
class SDKType;
}

namespace kyr::io {

constexpr const wchar_t* library_sdk_name = L"Kyr2-LMX-3.7.6";
constexpr const wchar_t* library_sdk_version = L"1.0";

// An SDKType naming this library.
const com_kyrandel_v2::SDKType& library_identification();

}  // namespace kyr::io
