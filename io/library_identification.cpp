#include "library_identification.hpp"

#include <kyr/schema/classes/SDKType.hpp>

namespace kyr::io {

namespace {

com_kyrandel_v2::SDKType make_identification() {
  com_kyrandel_v2::SDKType sdk;
  sdk.set_SDKName(library_sdk_name);
  sdk.get_SDKVersion().set_SDKVersion(library_sdk_version);
  return sdk;
}

}  // namespace

const com_kyrandel_v2::SDKType& library_identification() {
  static const com_kyrandel_v2::SDKType identification = make_identification();
  return identification;
}

}  // namespace kyr::io
