// Namespace ids, the document table, prefix scopes, cracked names and the reader's resolution.
#include "reader_fixture.hpp"

#include <kyr/lmx/namespaces.hpp>

using namespace lmx;

namespace {

const char k_xsi_uri[] = "http://www.w3.org/2001/XMLSchema-instance";
const char k_xml_uri[] = "http://www.w3.org/XML/1998/namespace";

TEST(EnumeratedNamespaces, StartsWithTheFixedEntries)
{
    c_enumerated_namespaces table;
    EXPECT_EQ(table.find_namespace(k_xsi_uri), 5);
    EXPECT_EQ(table.find_namespace(k_xml_uri), 2);
    EXPECT_EQ(table.find_namespace("urn:absent"), 0);
    EXPECT_STREQ(table.find_namespace_from_id(5), k_xsi_uri);
    EXPECT_EQ(table.find_namespace_from_id(1000), nullptr);
    EXPECT_EQ(table.add_namespace("urn:a"), 1000);
    EXPECT_EQ(table.add_namespace("urn:b"), 1001);
    EXPECT_EQ(table.add_namespace("urn:a"), 1000);
}

TEST(EnumeratedNamespaces, FixedIdsMoveTheNextFreeId)
{
    c_enumerated_namespaces table;
    table.add_namespace("urn:schema", 1000);
    EXPECT_EQ(table.add_namespace("urn:next"), 1001);
    table.add_namespace("urn:far", 1500);
    EXPECT_EQ(table.add_namespace("urn:after"), 1501);
    // A URI already present keeps its id, but the next free id still moves past the one asked.
    table.add_namespace("urn:schema", 2000);
    EXPECT_EQ(table.find_namespace("urn:schema"), 1000);
    EXPECT_EQ(table.add_namespace("urn:last"), 2001);
    // A low id does not move it back.
    table.add_namespace("urn:low", 3);
    EXPECT_EQ(table.add_namespace("urn:later"), 2002);
    table.clear();
    EXPECT_EQ(table.find_namespace("urn:schema"), 0);
    EXPECT_EQ(table.find_namespace(k_xml_uri), 2);
    EXPECT_EQ(table.add_namespace("urn:again"), 1000);
}

TEST(XmlLocal, LooksUpThroughEnclosingScopes)
{
    c_xml_local root;
    root.add_namespace("a", 1000);
    root.add_namespace("", 1001);
    c_xml_local empty_child(root);
    c_xml_local grandchild(empty_child);
    grandchild.add_namespace("a", 1002);
    EXPECT_EQ(grandchild.find_namespace_id("a"), 1002);
    EXPECT_EQ(grandchild.find_namespace_id(""), 1001);
    EXPECT_EQ(empty_child.find_namespace_id("a"), 1000);
    EXPECT_EQ(grandchild.find_namespace_id("xml"), 2);
    EXPECT_EQ(grandchild.find_namespace_id("b"), 0);
    grandchild.clear();
    EXPECT_EQ(grandchild.find_namespace_id("a"), 1000);
    EXPECT_EQ(grandchild.get_parent(), &empty_child);
}

TEST(XmlLocal, InnermostAndOutermostPrefixes)
{
    c_xml_local outer;
    outer.add_namespace("o", 1000);
    outer.add_namespace("o2", 1000);
    c_xml_local inner(outer);
    inner.add_namespace("i", 1000);
    EXPECT_STREQ(inner.find_namespace_prefix(1000), "i");
    EXPECT_STREQ(inner.find_first_namespace_prefix(1000), "o");
    EXPECT_STREQ(outer.find_namespace_prefix(1000), "o");
    EXPECT_STREQ(inner.find_namespace_prefix(2), "xml");
    EXPECT_EQ(inner.find_namespace_prefix(1234), nullptr);
    EXPECT_EQ(inner.find_first_namespace_prefix(1234), nullptr);
}

TEST(CrackedName, SplitsAtTheFirstColon)
{
    c_xml_local scope;
    scope.add_namespace("a", 1000);
    const c_cracked_name name(&scope, "a:b:c");
    EXPECT_TRUE(name.get_has_ns_prefix());
    EXPECT_EQ(name.get_ns_prefix(), "a");
    EXPECT_EQ(name.get_local_name(), "b:c");
    EXPECT_EQ(name.get_ns_id(), 1000);
    EXPECT_EQ(name.get_full_name(), "a:b:c");

    const c_cracked_name plain(&scope, "b");
    EXPECT_FALSE(plain.get_has_ns_prefix());
    EXPECT_EQ(plain.get_ns_id(), 0);
    EXPECT_EQ(plain.get_element_ns_id(), 1);

    const c_cracked_name undeclared(&scope, "u:b");
    EXPECT_EQ(undeclared.get_element_ns_id(), 0);

    const c_cracked_name empty;
    EXPECT_EQ(empty.get_ns_id(), 0);
    EXPECT_EQ(empty.get_full_name(), "");
}

TEST(CrackedName, PartsFollowEachNewNameWhetherOrNotTheOldOnesWereAskedFor)
{
    c_xml_local scope;
    scope.add_namespace("a", 1000);
    scope.add_namespace("", 1001);
    c_cracked_name name(&scope, "a:first");
    EXPECT_EQ(name.get_local_name(), "first");
    name.set(&scope, "second");
    EXPECT_EQ(name.get_local_name(), "second");
    EXPECT_EQ(name.get_ns_prefix(), "");
    EXPECT_EQ(name.get_ns_id(), 1001);
    name.set(&scope, "a:third");
    name.set(&scope, "ax:fourth");
    EXPECT_EQ(name.local_name_view(), "fourth");
    EXPECT_EQ(name.ns_prefix_view(), "ax");
    EXPECT_EQ(name.get_ns_prefix(), "ax");
    EXPECT_EQ(name.get_local_name(), "fourth");
    EXPECT_EQ(name.get_ns_id(), 0);
    name.set(&scope, ":x");
    EXPECT_TRUE(name.get_has_ns_prefix());
    EXPECT_EQ(name.get_ns_prefix(), "");
    EXPECT_EQ(name.get_local_name(), "x");
    EXPECT_EQ(name.get_ns_id(), 1001);
}

TEST(Scopes, PrefixLookupComparesWholePrefixes)
{
    c_xml_local scope;
    scope.add_namespace("Kyr", 1000);
    EXPECT_EQ(scope.find_namespace_id(std::string_view("Kyrx", 3)), 1000);
    EXPECT_EQ(scope.find_namespace_id("Ky"), 0);
    EXPECT_EQ(scope.find_namespace_id("Kyrx"), 0);
    EXPECT_EQ(scope.find_namespace_id(std::string("Kyr\0", 4)), 0);
    EXPECT_EQ(scope.find_namespace_id(std::string_view("xmlns", 3)), 2);
}

TEST(XmlNameText, PrefixAndLocalName)
{
    std::string out = "stale";
    c_xml::get_namespace_prefix("p:q:r", &out);
    EXPECT_EQ(out, "p");
    c_xml::get_namespace_prefix("plain", &out);
    EXPECT_EQ(out, "");
    c_xml::get_local_name("p:q:r", &out);
    EXPECT_EQ(out, "q:r");
    c_xml::get_local_name("plain", &out);
    EXPECT_EQ(out, "plain");
}

class Namespaces : public reader_test::c_reader_fixture
{
};
KYR_READER_FEEDS(Namespaces);

TEST_P(Namespaces, XmlPrefixNeedsNoDeclarationButXsiDoes)
{
    open("<a xml:lang='en' xsi:type='t'><b xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance' xsi:type='t'/></a>");
    c_xml_reader_local scope(reader());
    ASSERT_EQ(next(), ELXP_NAME);
    ASSERT_TRUE(reader().get_attribute_event(nullptr, &m_error, &m_name));
    EXPECT_EQ(reader().get_ns_id(), 2);
    ASSERT_TRUE(reader().get_attribute_event(nullptr, &m_error, &m_name));
    EXPECT_EQ(reader().get_ns_id(), 0);
    EXPECT_FALSE(reader().is_xsi_attribute(m_name));
    EXPECT_FALSE(reader().get_attribute_event(nullptr, &m_error, &m_name));
    c_xml_reader_local content(reader());
    ASSERT_EQ(next(), ELXP_NAME);
    ASSERT_TRUE(reader().get_attribute_event(nullptr, &m_error, &m_name));
    EXPECT_EQ(reader().get_ns_id(), 5);
    EXPECT_TRUE(reader().is_xsi_attribute(m_name));
}

TEST_P(Namespaces, EmptyDefaultDeclarationMeansNoNamespace)
{
    open("<a xmlns='urn:d'><b xmlns=''><c/></b><d/></a>");
    c_xml_reader_local scope(reader());
    ASSERT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(reader().get_element_ns_id(), 1000);
    attributes();
    c_xml_reader_local a_content(reader());
    ASSERT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(m_name, "b");
    EXPECT_EQ(reader().get_element_ns_id(), 1);
    attributes();
    {
        c_xml_reader_local b_content(reader());
        ASSERT_EQ(next(), ELXP_NAME);
        EXPECT_EQ(m_name, "c");
        EXPECT_EQ(reader().get_ns_id(), 1);
        EXPECT_EQ(reader().get_element_ns_id(), 1);
        attributes();
        EXPECT_EQ(next(), ELXP_END_TAG);
    }
    // The sibling no longer sees b's declaration.
    ASSERT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(m_name, "d");
    EXPECT_EQ(reader().get_element_ns_id(), 1000);
}

TEST_P(Namespaces, SameUriUnderTwoPrefixesHasOneId)
{
    open("<p:a xmlns:p='urn:same'><q:b xmlns:q='urn:same'/><r:c xmlns:r='urn:other'/></p:a>");
    c_xml_reader_local scope(reader());
    ASSERT_EQ(next(), ELXP_NAME);
    const int a_id = reader().get_element_ns_id();
    attributes();
    c_xml_reader_local content(reader());
    ASSERT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(reader().get_element_ns_id(), a_id);
    attributes();
    ASSERT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(reader().get_element_ns_id(), a_id + 1);
}

TEST_P(Namespaces, PrefixedEmptyDeclarationGetsAnIdOfItsOwn)
{
    open("<p:a xmlns:p=''/>");
    c_xml_reader_local scope(reader());
    ASSERT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(reader().get_element_ns_id(), 1000);
    EXPECT_EQ(reader().find_enumerated_namespace(""), 1000);
}

TEST_P(Namespaces, DeclarationValuesExpandReferences)
{
    open("<p:a xmlns:p='urn:&amp;x&#x41;'/>");
    c_xml_reader_local scope(reader());
    ASSERT_EQ(next(), ELXP_NAME);
    EXPECT_STREQ(reader().find_namespace_from_id(reader().get_element_ns_id()), "urn:&xA");
}

TEST_P(Namespaces, WithoutAScopeDeclarationsAreOrdinaryAttributes)
{
    open_core("<a xmlns:p='urn:p' x='1'/>");
    ASSERT_EQ(m_core->get_element_name(nullptr, &m_name), ELXP_NAME);
    std::string value;
    ASSERT_EQ(m_core->get_attribute_name(&m_name), ELXP_NAME);
    EXPECT_EQ(m_name, "xmlns:p");
    EXPECT_TRUE(m_core->get_attribute_value(&value));
    EXPECT_EQ(value, "urn:p");
    EXPECT_EQ(m_core->find_enumerated_namespace("urn:p"), 0);
}

TEST_P(Namespaces, GetNamespaceGivesUriEmptyOrNotFound)
{
    open("<a xmlns:p='urn:p' xmlns:n=''><x xmlns=''/></a>");
    c_xml_reader_local scope(reader());
    ASSERT_EQ(next(), ELXP_NAME);
    std::string uri;
    reader().get_namespace("p:x", &uri);
    EXPECT_EQ(uri, "urn:p");
    reader().get_namespace("q:x", &uri);
    EXPECT_EQ(uri, " ");
    EXPECT_STREQ(k_namespace_not_found, " ");
    reader().get_namespace("x", &uri);
    EXPECT_EQ(uri, " ");
    reader().get_namespace("xml:lang", &uri);
    EXPECT_EQ(uri, k_xml_uri);
    reader().get_namespace("n:x", &uri);
    EXPECT_EQ(uri, "");
    attributes();
    c_xml_reader_local content(reader());
    ASSERT_EQ(next(), ELXP_NAME);
    reader().get_namespace("x", &uri);
    EXPECT_EQ(uri, "");
}

TEST_P(Namespaces, ValidQNames)
{
    open("<a xmlns:a='urn:a' xmlns:_b.c-d='urn:b'/>");
    {
        c_xml_reader_local scope(reader());
        ASSERT_EQ(next(), ELXP_NAME);
        EXPECT_TRUE(reader().is_valid_qname("a:b"));
        EXPECT_TRUE(reader().is_valid_qname("_b.c-d:x9.-_"));
        EXPECT_FALSE(reader().is_valid_qname("a:b:c"));
        EXPECT_FALSE(reader().is_valid_qname("a:"));
        EXPECT_FALSE(reader().is_valid_qname("a:9b"));
        EXPECT_FALSE(reader().is_valid_qname("z:b"));
        // Unprefixed names need a default namespace.
        EXPECT_FALSE(reader().is_valid_qname("b"));
    }
    open("<a xmlns='urn:d'/>");
    c_xml_reader_local second(reader());
    ASSERT_EQ(next(), ELXP_NAME);
    EXPECT_TRUE(reader().is_valid_qname("b"));
    EXPECT_FALSE(reader().is_valid_qname("b c"));
}

TEST_P(Namespaces, PresetsBindInTheRootScopeThroughTheNsMap)
{
    const s_ns_map map[] = {{1000, "Kyr", "urn:kyr"}, {0, nullptr, nullptr}};
    open("<k:Kyr><d/></k:Kyr>");
    reader().add_namespace_mapping("k", "urn:kyr");
    reader().add_default_namespace_mapping("urn:dflt");
    reader().add_namespace("urn:taken-first");
    reader().set_ns_map(map);
    EXPECT_EQ(reader().find_enumerated_namespace("urn:taken-first"), 1000);
    c_xml_reader_local scope(reader());
    ASSERT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(reader().get_element_ns_id(), 1000);
    attributes();
    c_xml_reader_local content(reader());
    ASSERT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(reader().get_element_ns_id(), reader().find_enumerated_namespace("urn:dflt"));
    EXPECT_EQ(reader().get_element_ns_id(), 1001);
}

TEST_P(Namespaces, NsMapFixesTheSchemaIdWhateverTheDocumentSays)
{
    const s_ns_map map[] = {{1000, "Kyr", "urn:kyr"}, {0, nullptr, nullptr}};
    open("<x:a xmlns:x='urn:first'><Kyr:b xmlns:Kyr='urn:kyr'/></x:a>");
    reader().set_ns_map(map);
    c_xml_reader_local scope(reader());
    ASSERT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(reader().get_element_ns_id(), 1001);
    attributes();
    c_xml_reader_local content(reader());
    ASSERT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(reader().get_element_ns_id(), 1000);
}

} // namespace
