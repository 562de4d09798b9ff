// The library identification stamped into every document's header.
#include "document_io_support.hpp"

using namespace document_test;

namespace {

const std::wstring sdk_name = L"Kyr2-LMX-3.7.6";
const std::wstring sdk_version = L"1.0";

template <typename Sdk>
void expect_library(const Sdk& sdk)
{
    EXPECT_EQ(sdk.get_SDKName(), sdk_name);
    EXPECT_EQ(sdk.get_SDKVersion().get_SDKVersion(), sdk_version);
}

class Stamping : public scratch
{};

} // namespace

TEST_F(Stamping, FreshDocumentCannotBeWrittenButIsStampedAnyway)
{
    Kyr fresh;
    const XMLDocumentResult result = fresh.writeString();
    EXPECT_EQ(result.getElmxError(), lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL);
    EXPECT_EQ(result.getXmlDocument(), L"");
    const auto& header = static_cast<const Kyr&>(fresh).get_Preamble().get_Header();
    ASSERT_TRUE(header.isset_WriteSDKInformation());
    expect_library(header.get_WriteSDKInformation());
}

TEST_F(Stamping, WrittenTextNamesThisLibraryAsReaderAndWriter)
{
    Kyr document;
    complete_header(document);
    const XMLDocumentResult result = document.writeString();
    ASSERT_EQ(result.getElmxError(), lmx::ELMX_OK);
    const std::string text = narrow(result.getXmlDocument());
    EXPECT_EQ(
        text.rfind(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Kyr:Kyr xmlns:Kyr=\"http://kyr-format.org/v2\"", 0),
        0u)
        << text;
    EXPECT_NE(text.find("\t<Kyr:Preamble>\n\t\t<Kyr:Header>\n\t\t\t<Kyr:Creator>io test</Kyr:Creator>\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\t\t\t<Kyr:ReadSDKInformation>\n"
                        "\t\t\t\t<Kyr:SDKName>Kyr2-LMX-3.7.6</Kyr:SDKName>\n"
                        "\t\t\t\t<Kyr:SDKVersion>1.0</Kyr:SDKVersion>\n"
                        "\t\t\t</Kyr:ReadSDKInformation>\n"
                        "\t\t\t<Kyr:WriteSDKInformation>\n"
                        "\t\t\t\t<Kyr:SDKName>Kyr2-LMX-3.7.6</Kyr:SDKName>\n"
                        "\t\t\t\t<Kyr:SDKVersion>1.0</Kyr:SDKVersion>\n"
                        "\t\t\t</Kyr:WriteSDKInformation>\n"
                        "\t\t</Kyr:Header>\n\t</Kyr:Preamble>\n</Kyr:Kyr>"),
              std::string::npos)
        << text;
}
