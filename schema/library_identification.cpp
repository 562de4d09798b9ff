#include <kyr/schema/library_identification.hpp>

#include <kyr/schema/classes/Kyr.hpp>
#include <kyr/schema/classes/SDKType.hpp>

namespace kyr::schema {

namespace {

com_kyrandel_v2::SDKType make_identification()
{
    com_kyrandel_v2::SDKType sdk;
    sdk.set_SDKName(L"Kyr2-LMX-3.7.6");
    sdk.get_SDKVersion().set_SDKVersion(L"1.0");
    return sdk;
}

} // namespace

const com_kyrandel_v2::SDKType& library_identification()
{
    static const com_kyrandel_v2::SDKType identification = make_identification();
    return identification;
}

} // namespace kyr::schema

namespace com_kyrandel_v2 {

void Kyr::stamp_read_sdk_information()
{
    get_Preamble().get_Header().assign_ReadSDKInformation(kyr::schema::library_identification());
}

} // namespace com_kyrandel_v2
