// Pre-scans: the must-understand walk and the instance namespace; both leave the reader rewound.
#include "reader_fixture.hpp"

#include <kyr/lmx/document_scan.hpp>

using namespace lmx;

namespace {

const std::string k_mu_uri = "urn:mu";

TEST(BoolMustUnderstand, CaseSensitiveBooleans)
{
    EXPECT_EQ(bool_must_understand("1"), ELMX_MUST_UNDERSTAND_REQUIRED);
    EXPECT_EQ(bool_must_understand("true"), ELMX_MUST_UNDERSTAND_REQUIRED);
    EXPECT_EQ(bool_must_understand("0"), ELMX_MUST_UNDERSTAND_NOT_REQUIRED);
    EXPECT_EQ(bool_must_understand("false"), ELMX_MUST_UNDERSTAND_NOT_REQUIRED);
    EXPECT_EQ(bool_must_understand("TRUE"), ELMX_MUST_UNDERSTAND_INVALID);
    EXPECT_EQ(bool_must_understand(" true"), ELMX_MUST_UNDERSTAND_INVALID);
    EXPECT_EQ(bool_must_understand(""), ELMX_MUST_UNDERSTAND_INVALID);
}

class MustUnderstand : public reader_test::c_reader_fixture
{
protected:
    elmx_must_understand scan(const std::string& doc, must_understand_test test = bool_must_understand)
    {
        open(doc);
        return has_must_understand(reader(), k_mu_uri, "mu", test);
    }
};
KYR_READER_FEEDS(MustUnderstand);

TEST_P(MustUnderstand, FindsTheAttributeAnywhereInTheDocument)
{
    EXPECT_EQ(scan("<r xmlns:m='urn:mu'><a><b m:mu='false'/><c><d m:mu='true'/></c></a></r>"),
              ELMX_MUST_UNDERSTAND_REQUIRED);
    EXPECT_EQ(scan("<r xmlns:m='urn:mu' m:mu='0'><a m:mu='false'>text<b/></a></r>"),
              ELMX_MUST_UNDERSTAND_NOT_REQUIRED);
    EXPECT_EQ(scan("<r><a xmlns:m='urn:mu' m:mu='maybe'/></r>"), ELMX_MUST_UNDERSTAND_INVALID);
}

TEST_P(MustUnderstand, OnlyTheGivenNamespaceAndLocalNameCount)
{
    EXPECT_EQ(scan("<r xmlns:o='urn:other' xmlns:m='urn:mu'><a o:mu='true' mu='true' m:mx='true'/></r>"),
              ELMX_MUST_UNDERSTAND_NOT_REQUIRED);
    // Declarations of a finished element are out of scope for its siblings.
    EXPECT_EQ(scan("<r><a xmlns:m='urn:mu'/><b m:mu='true'/></r>"), ELMX_MUST_UNDERSTAND_NOT_REQUIRED);
    // Unprefixed attributes look up the default namespace.
    EXPECT_EQ(scan("<r xmlns='urn:mu' mu='1'/>"), ELMX_MUST_UNDERSTAND_REQUIRED);
}

TEST_P(MustUnderstand, TestFunctionSeesTheValueAsWritten)
{
    static std::string seen;
    seen.clear();
    const must_understand_test record = [](const std::string& value) {
        seen += "[" + value + "]";
        return ELMX_MUST_UNDERSTAND_NOT_REQUIRED;
    };
    EXPECT_EQ(scan("<r xmlns:m='urn:mu' m:mu=' a &amp; b '><c m:mu='2'/></r>", record),
              ELMX_MUST_UNDERSTAND_NOT_REQUIRED);
    EXPECT_EQ(seen, "[ a & b ][2]");
}

TEST_P(MustUnderstand, BrokenDocumentsAreNotDeterminable)
{
    for (const char* doc : {"<r><a></b></r>", "<r><a>", "<r x=1/>", "<r xmlns:m='urn:mu' m:mu='&nope;'/>",
                            "<r><a b='1' %/></r>"})
        EXPECT_EQ(scan(doc), ELMX_MUST_UNDERSTAND_INVALID) << doc;
}

TEST_P(MustUnderstand, ReaderIsRewoundToTheRoot)
{
    EXPECT_EQ(scan("<?xml version='1.0'?><r xmlns:m='urn:mu'><a m:mu='1'/></r>"), ELMX_MUST_UNDERSTAND_REQUIRED);
    c_xml_reader_local scope(reader());
    EXPECT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(m_name, "r");
    EXPECT_EQ(reader().get_reader_local(), &scope);
}

TEST_P(MustUnderstand, NoRewindWhenTheRootIsNotAStartTag)
{
    EXPECT_EQ(scan(" text<r/>"), ELMX_MUST_UNDERSTAND_INVALID);
    EXPECT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(m_name, "r");
}

class InstanceNamespace : public reader_test::c_reader_fixture
{
};
KYR_READER_FEEDS(InstanceNamespace);

TEST_P(InstanceNamespace, UriOfTheDocumentElement)
{
    std::string uri;
    open("<k:Kyr xmlns:k='urn:kyr'><x/></k:Kyr>");
    EXPECT_TRUE(get_instance_namespace(reader(), &uri));
    EXPECT_EQ(uri, "urn:kyr");
    EXPECT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(m_name, "k:Kyr");

    open("<Kyr xmlns=''/>");
    EXPECT_TRUE(get_instance_namespace(reader(), &uri));
    EXPECT_EQ(uri, "");

    open("<Kyr/>");
    EXPECT_FALSE(get_instance_namespace(reader(), &uri));
    EXPECT_EQ(uri, k_namespace_not_found);

    open("<q:Kyr/>");
    EXPECT_FALSE(get_instance_namespace(reader(), &uri));
}

TEST_P(InstanceNamespace, NoStartTagNoNamespace)
{
    std::string uri = "untouched";
    open("");
    EXPECT_FALSE(get_instance_namespace(reader(), &uri));
    EXPECT_EQ(uri, "untouched");
}

} // namespace
