// Document type declarations: the internal subset, entity declarations, parameter
// entities, and the other constructs that start with "<!".
#include <gtest/gtest.h>

#include <string>

#include "input_support.hpp"

#include <kyr/lmx/dtd.hpp>

using namespace lmx;
using kyr_test::c_lexer_fixture;
using kyr_test::feed;
using kyr_test::k_all_feeds;

namespace {

// Reads "<!" and what follows it from the start of the fixture's input.
elmx_markup_decl read_bang(c_lexer_fixture& f, std::string* cdata = nullptr)
{
    std::string ignored;
    c_internal_dtd dtd(f.lexer);
    EXPECT_TRUE(f.lexer.read_specified_string_from_input("<!"));
    return dtd.read_markup_decl(cdata ? cdata : &ignored);
}

// Reads the rest of the input as element text with references from the input.
std::string read_content(c_lexer_fixture& f)
{
    std::string out;
    for (int c = f.lexer.get(); c >= 0; c = f.lexer.get()) {
        if (c == '&') {
            c_entity_name_reader_for_c_get reader(f.lexer);
            f.lexer.insert_entity(reader, &out);
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

std::string general(c_lexer_fixture& f, const char* name)
{
    const char* value = nullptr;
    return f.lexer.get_general_entity(name, &value) ? value : "(undeclared)";
}

void expect_report(const c_lexer_fixture& f, size_t index, elmx_error_type type, elmx_error code,
                   const std::string& message, int line)
{
    ASSERT_GT(f.errors.reports.size(), index);
    EXPECT_EQ(f.errors.reports[index].type, type);
    EXPECT_EQ(f.errors.reports[index].code, code);
    EXPECT_EQ(f.errors.reports[index].message, message);
    EXPECT_EQ(f.errors.reports[index].line, line);
}

} // namespace

TEST(Doctype, WithoutSubsetNothingExternalIsRead)
{
    c_lexer_fixture f("<!DOCTYPE Kyr SYSTEM \"http://example.invalid/kyr.dtd\">X");
    EXPECT_EQ(read_bang(f), ELMX_MARKUP_DECL_SKIPPED);
    EXPECT_TRUE(f.lexer.is_dtd_read());
    EXPECT_EQ(f.lexer.get(), 'X');
    EXPECT_TRUE(f.errors.reports.empty());
}

TEST(Doctype, SubsetKeepsOnlyEntities)
{
    const std::string doc = "<!DOCTYPE Kyr [\n"
                            "  <!ELEMENT Kyr (#PCDATA)>\n"
                            "  <!ATTLIST Kyr a CDATA \"x>y\" b CDATA 'p>q'>\n"
                            "  <!-- a comment with <!ENTITY no 'x'> inside -->\n"
                            "  <?pi stuff > more?>\n"
                            "  <?pi?>\n"
                            "  <!NOTATION n SYSTEM 'n'>\n"
                            "  <!ENTITY e \"a&amp;b\">\n"
                            "  <!ENTITY c '&#65;&#x42;'>\n"
                            "  <!ENTITY q 'say \"hi\"'>\n"
                            "  <!ENTITY % p \"pe\">\n"
                            "]  >X";
    for (feed how : k_all_feeds) {
        c_lexer_fixture f(doc, how);
        EXPECT_EQ(read_bang(f), ELMX_MARKUP_DECL_SKIPPED);
        EXPECT_TRUE(f.errors.reports.empty());
        EXPECT_EQ(general(f, "e"), "a&amp;b");
        EXPECT_EQ(general(f, "c"), "AB");
        EXPECT_EQ(general(f, "q"), "say \"hi\"");
        EXPECT_EQ(general(f, "no"), "(undeclared)");
        EXPECT_EQ(general(f, "p"), "(undeclared)");
        const char* pe;
        ASSERT_TRUE(f.lexer.get_parameter_entity("p", &pe));
        EXPECT_STREQ(pe, "pe");
        EXPECT_EQ(f.lexer.get(), 'X');
        EXPECT_EQ(f.lexer.get_line_num(), 12);
    }
}

TEST(EntityDeclarations, StoredReferencesExpandWhereUsed)
{
    c_lexer_fixture f("<!DOCTYPE d [<!ENTITY e \"a&amp;b\">]>[&e;]");
    read_bang(f);
    EXPECT_EQ(read_content(f), "[a&b]");
}

TEST(EntityDeclarations, LastDeclarationWins)
{
    c_lexer_fixture f("<!DOCTYPE d [<!ENTITY e 'x'><!ENTITY e 'y'>]>&e;");
    read_bang(f);
    EXPECT_EQ(read_content(f), "y");
}

TEST(EntityDeclarations, AmpersandBeforeTheClosingQuoteIsKept)
{
    c_lexer_fixture f("<!DOCTYPE d [<!ENTITY e 'a&'><!ENTITY f \"&%p;\">]>");
    read_bang(f);
    EXPECT_EQ(general(f, "e"), "a&");
    EXPECT_EQ(general(f, "f"), "&");
    expect_report(f, 0, ELMX_ERROR_TYPE_ERROR, ELMX_ENTITY_NOT_FOUND, "Entity '%p' not found", 1);
}

TEST(EntityDeclarations, ExternalAndUnexpectedValuesAreNotStored)
{
    c_lexer_fixture f("<!DOCTYPE d [\n<!ENTITY ext SYSTEM \"file:///etc/passwd\">\n"
                      "<!ENTITY pub PUBLIC '-//x' 'y'>\n<!ENTITY odd foo>\n]>&ext;");
    EXPECT_EQ(read_bang(f), ELMX_MARKUP_DECL_SKIPPED);
    ASSERT_EQ(f.errors.reports.size(), 3u);
    expect_report(f, 0, ELMX_ERROR_TYPE_WARNING, ELMX_EXTERNAL_ENTITY, "External Entity definitions not supported", 2);
    expect_report(f, 1, ELMX_ERROR_TYPE_WARNING, ELMX_EXTERNAL_ENTITY, "External Entity definitions not supported", 3);
    expect_report(f, 2, ELMX_ERROR_TYPE_ERROR, ELMX_UNEXPECTED_ENTITY, "Unexpected value in Entity definition: foo", 4);
    EXPECT_EQ(general(f, "ext"), "(undeclared)");
    EXPECT_EQ(general(f, "odd"), "(undeclared)");
    // A reference to it fails as undeclared: nothing is fetched.
    EXPECT_EQ(read_content(f), "&ext;");
}

TEST(ParameterEntities, DeclarationInsideAParameterEntity)
{
    c_lexer_fixture f("<!DOCTYPE d [<!ENTITY % p \"<!ENTITY q 'from p'>\"> %p; ]>&q;");
    EXPECT_EQ(read_bang(f), ELMX_MARKUP_DECL_SKIPPED);
    EXPECT_TRUE(f.errors.reports.empty());
    EXPECT_EQ(general(f, "q"), "from p");
    EXPECT_EQ(read_content(f), "from p");
}

TEST(ParameterEntities, QuotesInsideAnIncludedEntityDoNotCloseTheValue)
{
    c_lexer_fixture f("<!DOCTYPE d [<!ENTITY % q '\"'><!ENTITY e \"a%q;b\"><!ENTITY % n 'nm'><!ENTITY x%n; 'v'>]>");
    EXPECT_EQ(read_bang(f), ELMX_MARKUP_DECL_SKIPPED);
    EXPECT_EQ(general(f, "e"), "a\"b");
    EXPECT_EQ(general(f, "xnm"), "v");
}

TEST(ParameterEntities, RedeclaredWhileItsTextIsBeingRead)
{
    // The old text stays allocated while the entity stack still reads it.
    c_lexer_fixture f("<!DOCTYPE d [<!ENTITY % p \"<!ENTITY &#37; p 'new'> <!ENTITY after 'ok'>\"> %p; ]>");
    EXPECT_EQ(read_bang(f), ELMX_MARKUP_DECL_SKIPPED);
    EXPECT_TRUE(f.errors.reports.empty());
    EXPECT_EQ(general(f, "after"), "ok");
    const char* pe;
    ASSERT_TRUE(f.lexer.get_parameter_entity("p", &pe));
    EXPECT_STREQ(pe, "new");
}

TEST(ParameterEntities, UndeclaredIsReportedAndReadingGoesOn)
{
    c_lexer_fixture f("<!DOCTYPE d [\n%nope;\n%other\n<!ENTITY e 'v'>]>");
    EXPECT_EQ(read_bang(f), ELMX_MARKUP_DECL_SKIPPED);
    ASSERT_EQ(f.errors.reports.size(), 2u);
    expect_report(f, 0, ELMX_ERROR_TYPE_ERROR, ELMX_ENTITY_NOT_FOUND, "Entity '%nope' not found", 2);
    expect_report(f, 1, ELMX_ERROR_TYPE_ERROR, ELMX_ENTITY_NOT_FOUND, "Entity '%other' not found", 4);
    EXPECT_EQ(general(f, "e"), "v");
}

TEST(ParameterEntities, RecursionIsFatal)
{
    // A "%" in the value would be expanded while declaring; a character reference stores it.
    c_lexer_fixture f("<!DOCTYPE d [<!ENTITY % p \"&#37;p;\"> %p; ]><a/>");
    EXPECT_EQ(read_bang(f), ELMX_MARKUP_DECL_ERROR);
    ASSERT_EQ(f.errors.reports.size(), 1u);
    expect_report(f, 0, ELMX_ERROR_TYPE_FATAL, ELMX_BAD_DTD, "Recursive entity definition for: %p;", 1);
    EXPECT_EQ(f.lexer.get(), -1);
}

TEST(SubsetErrors, BadByteAndMissingEnd)
{
    c_lexer_fixture bad("<!DOCTYPE d [\n\n x ]>");
    EXPECT_EQ(read_bang(bad), ELMX_MARKUP_DECL_ERROR);
    ASSERT_EQ(bad.errors.reports.size(), 1u);
    expect_report(bad, 0, ELMX_ERROR_TYPE_FATAL, ELMX_BAD_DTD, "DTD not Well Formed (got x)", 3);

    c_lexer_fixture end("<!DOCTYPE d [ ]\n y>");
    EXPECT_EQ(read_bang(end), ELMX_MARKUP_DECL_ERROR);
    ASSERT_EQ(end.errors.reports.size(), 1u);
    expect_report(end, 0, ELMX_ERROR_TYPE_FATAL, ELMX_BAD_DTD, "DTD not Well Formed (expected '>', got y)", 2);
    EXPECT_FALSE(end.lexer.is_dtd_read());
}

TEST(SubsetErrors, EndOfInputAnywhereIsFatal)
{
    const std::string doc = "<!DOCTYPE d [<!ENTITY e 'v'><!ELEMENT a 'x>'><!-- c --><?p?>%q;]>";
    for (size_t n = 2; n < doc.size(); ++n) {
        c_lexer_fixture f(doc.substr(0, n));
        EXPECT_EQ(read_bang(f), ELMX_MARKUP_DECL_ERROR) << n;
        // Once the keyword is complete, the early end is reported.
        if (n >= 9) {
            ASSERT_FALSE(f.errors.reports.empty()) << n;
            const auto& last = f.errors.reports.back();
            EXPECT_EQ(last.type, ELMX_ERROR_TYPE_FATAL) << n;
            EXPECT_EQ(last.code, ELMX_UNEXPECTED_END_OF_MESSAGE) << n;
            EXPECT_EQ(last.message, "Unexpected end of file") << n;
        }
        EXPECT_FALSE(f.lexer.is_dtd_read()) << n;
    }
    c_lexer_fixture whole(doc);
    EXPECT_EQ(read_bang(whole), ELMX_MARKUP_DECL_SKIPPED);
}

TEST(MarkupDeclarations, CommentsAndBrokenOpeners)
{
    c_lexer_fixture comment("<!-- note --->X");
    EXPECT_EQ(read_bang(comment), ELMX_MARKUP_DECL_SKIPPED);
    expect_report(comment, 0, ELMX_ERROR_TYPE_WARNING, ELMX_BAD_COMMENT, "End of comment not Well-Formed", 1);
    EXPECT_EQ(comment.lexer.get(), 'X');

    for (const char* text : {"<!-x y>X", "<!ELEMENT a (b)>X", "<!DOCTYP>X", "<!DOCTYPx>X", "<!>X"}) {
        c_lexer_fixture f(text);
        EXPECT_EQ(read_bang(f), ELMX_MARKUP_DECL_ERROR) << text;
        EXPECT_TRUE(f.errors.reports.empty()) << text;
        EXPECT_EQ(f.lexer.get(), 'X') << text;
    }
    c_lexer_fixture cut("<!-- never closed");
    EXPECT_EQ(read_bang(cut), ELMX_MARKUP_DECL_ERROR);
    EXPECT_TRUE(cut.errors.reports.empty());
}

TEST(MarkupDeclarations, Cdata)
{
    c_lexer_fixture f("<![CDATA[<a>&amp;]]>X");
    std::string text;
    EXPECT_EQ(read_bang(f, &text), ELMX_MARKUP_DECL_CDATA);
    EXPECT_EQ(text, "<a>&amp;");
    EXPECT_EQ(f.lexer.get(), 'X');

    c_lexer_fixture bad("\n<![CDAT[x]]>X");
    bad.lexer.get();
    EXPECT_EQ(read_bang(bad), ELMX_MARKUP_DECL_ERROR);
    expect_report(bad, 0, ELMX_ERROR_TYPE_ERROR, ELMX_NOT_WELL_FORMED, "XML not Well-Formed", 2);
    EXPECT_EQ(bad.lexer.get(), 'X');
}

TEST(MarkupDeclarations, DoctypeOnlyOnceAndBeforeTheFirstElement)
{
    c_lexer_fixture twice("<!DOCTYPE a><!DOCTYPE b [<!ENTITY e 'v'>]>");
    EXPECT_EQ(read_bang(twice), ELMX_MARKUP_DECL_SKIPPED);
    EXPECT_EQ(read_bang(twice), ELMX_MARKUP_DECL_ERROR);
    expect_report(twice, 0, ELMX_ERROR_TYPE_ERROR, ELMX_BAD_DTD, "Document Type Declaration already read", 1);

    c_lexer_fixture late("<!DOCTYPE a>");
    late.lexer.set_element_seen(true);
    EXPECT_EQ(read_bang(late), ELMX_MARKUP_DECL_ERROR);
    expect_report(late, 0, ELMX_ERROR_TYPE_ERROR, ELMX_BAD_DTD, "Document Type Declaration not at start of document", 1);
    EXPECT_FALSE(late.lexer.is_dtd_read());
}

TEST(DtdUtil, EntityValueAndQuotedValue)
{
    c_lexer_fixture f("  name%p;tail>'quoted %p; &#x41;&x;'");
    f.lexer.add_parameter_entity("p", "PE");
    c_dtd_util util(f.lexer);
    EXPECT_EQ(&util.getter(), &f.lexer);
    std::string v;
    EXPECT_TRUE(util.get_entity_value(&v));
    EXPECT_EQ(v, "namePEtail");
    EXPECT_EQ(util.get(), '>');
    EXPECT_TRUE(util.get_quoted_entity_value(&v));
    EXPECT_EQ(v, "quoted PE A&x;");
    c_lexer_fixture g(" noquote");
    c_dtd_util g_util(g.lexer);
    EXPECT_FALSE(g_util.get_quoted_entity_value(&v));
    EXPECT_EQ(g.lexer.get(), 'n');
}

TEST(EntityBombs, ExponentialDeclarationsFailFast)
{
    std::string doc = "<!DOCTYPE lolz [<!ENTITY lol \"lol\">";
    for (int i = 1; i <= 9; ++i) {
        doc += "<!ENTITY lol" + std::to_string(i) + " \"";
        for (int k = 0; k < 10; ++k)
            doc += "&lol" + (i > 1 ? std::to_string(i - 1) : std::string()) + ";";
        doc += "\">";
    }
    doc += "]><lolz>&lol9;</lolz>";
    c_lexer_fixture f(doc);
    EXPECT_EQ(read_bang(f), ELMX_MARKUP_DECL_SKIPPED);
    const std::string text = read_content(f);
    ASSERT_EQ(f.errors.reports.size(), 1u);
    expect_report(f, 0, ELMX_ERROR_TYPE_FATAL, ELMX_RECURSIVE_ENTITY, "Entity expansion limit exceeded", 1);
    EXPECT_LE(text.size(), k_entity_expansion_floor);
}

TEST(EntityBombs, QuadraticBlowUpFailsWithinTheRatio)
{
    const std::string big(20000, 'x');
    std::string doc = "<!DOCTYPE d [<!ENTITY a \"" + big + "\">]><d>";
    for (int i = 0; i < 2000; ++i)
        doc += "&a;";
    doc += "</d>";
    c_lexer_fixture f(doc);
    EXPECT_EQ(read_bang(f), ELMX_MARKUP_DECL_SKIPPED);
    const std::string text = read_content(f);
    ASSERT_EQ(f.errors.reports.size(), 1u);
    expect_report(f, 0, ELMX_ERROR_TYPE_FATAL, ELMX_RECURSIVE_ENTITY, "Entity expansion limit exceeded", 1);
    EXPECT_LE(text.size(), k_entity_expansion_ratio * doc.size());
    EXPECT_LT(f.lexer.get_expanded_bytes(), k_entity_expansion_ratio * doc.size());
}

TEST(EntityBombs, OrdinaryUseStaysWellBelowTheAllowance)
{
    std::string doc = "<!DOCTYPE d [<!ENTITY brand 'Kyrandel Colour Systems'><!ENTITY sp '&#160;'>]><d>";
    for (int i = 0; i < 2000; ++i)
        doc += "<c n='&brand;&sp;'>&brand;</c>\n";
    doc += "</d>";
    c_lexer_fixture f(doc);
    EXPECT_EQ(read_bang(f), ELMX_MARKUP_DECL_SKIPPED);
    const std::string text = read_content(f);
    EXPECT_TRUE(f.errors.reports.empty());
    EXPECT_EQ(f.lexer.get_line_num(), 2001);
    EXPECT_NE(text.find("<c n='Kyrandel Colour Systems\xc2\xa0'>Kyrandel Colour Systems</c>"), std::string::npos);
}
