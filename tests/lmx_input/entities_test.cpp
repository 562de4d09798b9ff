// Repositories, the entity stack, entity name readers and entity references, including
// in-place expansion and its bounds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input_support.hpp"

using namespace lmx;
using kyr_test::c_lexer_fixture;
using kyr_test::feed;
using kyr_test::k_all_feeds;

namespace {

// Reads the rest of the input as element text: "&" starts a reference read from the input.
std::string read_content(c_lexer_fixture& f, bool* ok = nullptr)
{
    std::string out;
    bool all_ok = true;
    for (int c = f.lexer.get(); c >= 0; c = f.lexer.get()) {
        if (c == '&') {
            c_entity_name_reader_for_c_get reader(f.lexer);
            all_ok = f.lexer.insert_entity(reader, &out) && all_ok;
        } else {
            f.lexer.add_char_wsp(&out, c);
        }
    }
    if (ok)
        *ok = all_ok;
    return out;
}

// Expands the references of stored attribute data in place, as an attribute value is read.
std::string read_attribute(c_lexer_fixture& f, const std::string& data, bool* ok)
{
    std::string out;
    size_t position = 0;
    *ok = true;
    c_entity_name_reader_for_attribute_data reader(data.c_str(), position);
    for (int c = reader.get(); c >= 0; c = reader.get()) {
        if (c == '&') {
            if (!f.lexer.insert_entity(reader, &out)) {
                *ok = false;
                break;
            }
        } else {
            f.lexer.add_char_wsp(&out, c);
        }
    }
    return out;
}

void expect_single_report(const c_lexer_fixture& f, elmx_error_type type, elmx_error code, const std::string& message)
{
    ASSERT_EQ(f.errors.reports.size(), 1u);
    EXPECT_EQ(f.errors.reports[0].type, type);
    EXPECT_EQ(f.errors.reports[0].code, code);
    EXPECT_EQ(f.errors.reports[0].message, message);
}

} // namespace

TEST(Repository, AddFindReplaceAndClear)
{
    c_repository<const char*> texts;
    EXPECT_TRUE(texts.empty());
    texts.add("a", "1");
    texts.add("b", "2");
    texts.add("A", "3");
    const char* v = nullptr;
    ASSERT_TRUE(texts.find("a", &v));
    EXPECT_STREQ(v, "1");
    ASSERT_TRUE(texts.find("A", &v));
    EXPECT_STREQ(v, "3");
    EXPECT_FALSE(texts.find("c", &v));
    EXPECT_FALSE(texts.find("", &v));

    const char* old = nullptr;
    texts.find("a", &old);
    texts.add("a", "replaced");
    EXPECT_EQ(texts.size(), 3u);
    EXPECT_STREQ(texts.get_name(0), "a");
    EXPECT_STREQ(texts.get_value(0), "replaced");
    // The replaced copy stays readable until the repository is emptied.
    EXPECT_STREQ(old, "1");

    std::string owned = "temporary";
    texts.add(owned.c_str(), owned.c_str());
    owned.assign("changed!!");
    ASSERT_TRUE(texts.find("temporary", &v));
    EXPECT_STREQ(v, "temporary");

    texts.clear();
    EXPECT_EQ(texts.size(), 0u);
    EXPECT_FALSE(texts.find("a", &v));
}

TEST(Repository, IntValuesAndDeepCopies)
{
    c_repository<int> ids;
    ids.add("", 1);
    ids.add("k", 1000);
    int id = 0;
    ASSERT_TRUE(ids.find("", &id));
    EXPECT_EQ(id, 1);
    c_repository<int> copy(ids);
    copy.add("k", 7);
    ids.find("k", &id);
    EXPECT_EQ(id, 1000);
    copy.find("k", &id);
    EXPECT_EQ(id, 7);
    c_repository<int> assigned;
    assigned = copy;
    EXPECT_EQ(assigned.size(), 2u);
    EXPECT_STREQ(assigned.get_name(1), "k");
    EXPECT_EQ(assigned.get_value(1), 7);
}

TEST(Repository, ManyNamesStayExactWhenIndexed)
{
    c_repository<const char*> texts;
    const int n = 200;
    for (int i = 0; i < n; ++i)
        texts.add(("name" + std::to_string(i)).c_str(), ("v" + std::to_string(i)).c_str());
    texts.add("name7", "again");
    EXPECT_EQ(texts.size(), static_cast<size_t>(n));
    const char* v;
    for (int i = 0; i < n; ++i) {
        ASSERT_TRUE(texts.find(("name" + std::to_string(i)).c_str(), &v));
        EXPECT_STREQ(v, i == 7 ? "again" : ("v" + std::to_string(i)).c_str());
    }
    EXPECT_FALSE(texts.find("Name7", &v));
    EXPECT_FALSE(texts.find("name", &v));
    c_repository<const char*> copy(texts);
    ASSERT_TRUE(copy.find("name199", &v));
    EXPECT_STREQ(v, "v199");
    texts.clear();
    EXPECT_FALSE(texts.find("name1", &v));
    texts.add("x", "y");
    ASSERT_TRUE(texts.find("x", &v));
}

TEST(EntityStack, ReplacementTextIsReadBeforeTheInput)
{
    for (feed how : k_all_feeds) {
        c_lexer_fixture f("\nrest", how);
        const char text[] = "a\n\xc3\xa9";
        EXPECT_TRUE(f.lexer.set_input_entity_value(text));
        EXPECT_EQ(f.lexer.get_entity_stack_depth(), 1u);
        EXPECT_EQ(f.lexer.get(), 'a');
        EXPECT_EQ(f.lexer.get(), '\n');
        // Bytes from the stack are 0 to 255 and do not count lines.
        EXPECT_EQ(f.lexer.get(), 0xc3);
        EXPECT_EQ(f.lexer.get(), 0xa9);
        EXPECT_EQ(f.lexer.get_line_num(), 1);
        f.lexer.unget(0xa9);
        EXPECT_EQ(f.lexer.get(), 0xa9);
        EXPECT_EQ(f.lexer.get_entity_stack_depth(), 1u);
        EXPECT_EQ(f.lexer.get(), '\n');
        EXPECT_EQ(f.lexer.get_entity_stack_depth(), 0u);
        EXPECT_EQ(f.lexer.get_line_num(), 2);
        EXPECT_EQ(f.rest(), "rest");
        EXPECT_GT(f.lexer.get_expanded_bytes(), 0u);
    }
}

TEST(EntityStack, NestedTextsAndRecursion)
{
    c_lexer_fixture f("X");
    const char outer[] = "ab";
    const char inner[] = "12";
    f.lexer.set_input_entity_value(outer);
    EXPECT_EQ(f.lexer.get(), 'a');
    f.lexer.set_input_entity_value(inner);
    EXPECT_EQ(f.lexer.get_entity_stack_depth(), 2u);
    // Same text at another address is no recursion; the same address is.
    const std::string same_content = "ab";
    EXPECT_TRUE(f.lexer.set_input_entity_value(same_content.c_str()));
    EXPECT_FALSE(f.lexer.set_input_entity_value(outer));
    expect_single_report(f, ELMX_ERROR_TYPE_FATAL, ELMX_BAD_DTD, "Recursive entity definition for: ab");
    EXPECT_EQ(f.lexer.get(), -1);
}

TEST(EntityStack, EmptyTextIsPassedOver)
{
    c_lexer_fixture f("Z");
    const char first[] = "";
    const char second[] = "";
    EXPECT_TRUE(f.lexer.set_input_entity_value(first));
    EXPECT_TRUE(f.lexer.set_input_entity_value(second));
    EXPECT_EQ(f.lexer.get(), 'Z');
    EXPECT_EQ(f.lexer.get_entity_stack_depth(), 0u);
}

TEST(EntityNameReaders, TextBasedReadersStopAndStepBack)
{
    c_entity_name_reader_for_c_str s("a\xe9");
    EXPECT_FALSE(s.is_from_input());
    s.unget('q');
    EXPECT_EQ(s.get(), 'a');
    EXPECT_EQ(s.get(), 0xe9);
    EXPECT_EQ(s.get(), -1);
    s.unget(-1);
    EXPECT_EQ(s.get_index(), 2u);
    s.unget(0xe9);
    EXPECT_EQ(s.get(), 0xe9);

    const char text[] = "xy";
    const char* position = text + 1;
    c_entity_name_reader_for_entity e(position);
    e.unget('x');
    EXPECT_EQ(position, text + 1);
    EXPECT_EQ(e.get(), 'y');
    EXPECT_EQ(position, text + 2);
    EXPECT_EQ(e.get(), -1);
    e.unget(-1);
    EXPECT_EQ(position, text + 2);

    const char data[] = "v\0w";
    size_t at = 0;
    c_entity_name_reader_for_attribute_data a(data, at);
    EXPECT_EQ(a.get(), 'v');
    EXPECT_EQ(a.get(), -1);
    EXPECT_EQ(at, 1u);
    a.unget('v');
    a.unget('v');
    EXPECT_EQ(at, 0u);
}

TEST(EntityNameReaders, InputReaderPassesEverythingThrough)
{
    c_lexer_fixture f("ab");
    c_entity_name_reader_for_c_get r(f.lexer);
    EXPECT_TRUE(r.is_from_input());
    EXPECT_EQ(r.get(), 'a');
    r.unget('z');
    EXPECT_EQ(f.lexer.get(), 'z');
    EXPECT_EQ(r.get(), 'b');
    EXPECT_EQ(r.get(), -1);
    r.unget(-1);
    r.unget('q');
    EXPECT_EQ(f.lexer.get(), 'q');
    EXPECT_EQ(f.lexer.get(), -1);
}

TEST(EntityReferences, PredefinedAndUndeclared)
{
    c_lexer_fixture f("&lt;&gt;&amp;&apos;&quot;&#65;&#x42;");
    bool ok = false;
    EXPECT_EQ(read_content(f, &ok), "<>&'\"AB");
    EXPECT_TRUE(ok);

    c_lexer_fixture g("a&nope;b&bare c& d");
    EXPECT_EQ(read_content(g, &ok), "a&nope;b&bare c& d");
    EXPECT_FALSE(ok);
    EXPECT_TRUE(g.errors.reports.empty());
}

TEST(EntityReferences, FromInputThePushedTextIsParsed)
{
    for (feed how : k_all_feeds) {
        c_lexer_fixture f("[&e;]", how);
        f.lexer.add_general_entity("e", "a&amp;b");
        EXPECT_EQ(read_content(f), "[a&b]");
    }
    c_lexer_fixture g("&e;");
    g.lexer.add_general_entity("e", "x");
    g.lexer.add_general_entity("e", "y");
    EXPECT_EQ(read_content(g), "y");
}

TEST(EntityReferences, SelfReferenceInContentIsFatal)
{
    c_lexer_fixture f("<a>&e;</a>");
    f.lexer.add_general_entity("e", "x&e;");
    bool ok = true;
    const std::string text = read_content(f, &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(text, "<a>x");
    expect_single_report(f, ELMX_ERROR_TYPE_FATAL, ELMX_BAD_DTD, "Recursive entity definition for: x&e;");
}

TEST(EntityReferences, SelfReferenceWithoutSemicolonIsStoppedByTheAllowance)
{
    // Without the ";" the text has ended before the name does, so its entry leaves the stack
    // and the identity test cannot see the loop; the expansion allowance stops it.
    c_lexer_fixture f("&e;");
    f.lexer.add_general_entity("e", "x&e");
    read_content(f);
    EXPECT_EQ(f.lexer.get(), -1);
    expect_single_report(f, ELMX_ERROR_TYPE_FATAL, ELMX_RECURSIVE_ENTITY, "Entity expansion limit exceeded");
    EXPECT_LE(f.lexer.get_expanded_bytes(), k_entity_expansion_floor + 1);
}

TEST(InPlaceExpansion, NestedReferencesInStoredText)
{
    c_lexer_fixture f("");
    f.lexer.add_general_entity("e", "1&f;2&#65;&lt;%g;");
    f.lexer.add_general_entity("f", "<x>");
    f.lexer.add_general_entity("g", "G");
    bool ok = false;
    EXPECT_EQ(read_attribute(f, "[&e;]", &ok), "[1<x>2A<G]");
    EXPECT_TRUE(ok);
    EXPECT_EQ(f.lexer.get_entity_stack_depth(), 0u);
}

TEST(InPlaceExpansion, WhiteSpaceModeAppliesToExpandedText)
{
    c_lexer_fixture f("");
    f.lexer.add_general_entity("e", "  a \n b ");
    f.lexer.set_ws_mode(ELMX_WHITESPACE_COLLAPSE);
    bool ok = false;
    EXPECT_EQ(read_attribute(f, " x &e; y", &ok), "x a b y");
}

TEST(InPlaceExpansion, UndeclaredNestedNameFails)
{
    c_lexer_fixture f("");
    f.lexer.add_general_entity("e", "a&nope;b");
    f.lexer.add_general_entity("p", "50% off");
    bool ok = true;
    EXPECT_EQ(read_attribute(f, "&e;", &ok), "a&nope;");
    EXPECT_FALSE(ok);
    // "%" in stored text starts a reference too, looked up as a general entity.
    EXPECT_EQ(read_attribute(f, "&p;", &ok), "50%");
    EXPECT_FALSE(ok);
    EXPECT_TRUE(f.errors.reports.empty());
}

TEST(InPlaceExpansion, RecursionIsRefused)
{
    for (const char* text : {"x&e;", "x&e", "x%e;"}) {
        c_lexer_fixture f("");
        f.lexer.add_general_entity("e", text);
        bool ok = true;
        read_attribute(f, "&e;", &ok);
        EXPECT_FALSE(ok) << text;
        expect_single_report(f, ELMX_ERROR_TYPE_FATAL, ELMX_BAD_DTD, std::string("Recursive entity definition for: ") + text);
    }
    c_lexer_fixture mutual("");
    mutual.lexer.add_general_entity("a", "1&b;");
    mutual.lexer.add_general_entity("b", "2&a;");
    bool ok = true;
    EXPECT_EQ(read_attribute(mutual, "&a;", &ok), "12");
    EXPECT_FALSE(ok);
    expect_single_report(mutual, ELMX_ERROR_TYPE_FATAL, ELMX_BAD_DTD, "Recursive entity definition for: 1&b;");
}

TEST(InPlaceExpansion, TextBeingReadFromTheStackIsRecursion)
{
    c_lexer_fixture f("");
    f.lexer.add_general_entity("e", "<a x='&e;'/>");
    const char* text;
    ASSERT_TRUE(f.lexer.get_general_entity("e", &text));
    f.lexer.set_input_entity_value(text);
    f.lexer.get();
    bool ok = true;
    read_attribute(f, "&e;", &ok);
    EXPECT_FALSE(ok);
    expect_single_report(f, ELMX_ERROR_TYPE_FATAL, ELMX_BAD_DTD, "Recursive entity definition for: <a x='&e;'/>");
}

TEST(InPlaceExpansion, LongChainNeedsNoCallStack)
{
    c_lexer_fixture f("");
    const int n = 20000;
    for (int i = 0; i < n; ++i)
        f.lexer.add_general_entity(("e" + std::to_string(i)).c_str(), ("&e" + std::to_string(i + 1) + ";").c_str());
    f.lexer.add_general_entity(("e" + std::to_string(n)).c_str(), "end");
    bool ok = false;
    EXPECT_EQ(read_attribute(f, "&e0;", &ok), "end");
    EXPECT_TRUE(ok);
}

TEST(ExpansionAllowance, ExponentialEntitiesFailFastInPlace)
{
    c_lexer_fixture f("");
    f.lexer.add_general_entity("l0", "lol");
    for (int i = 1; i <= 9; ++i) {
        std::string text;
        for (int k = 0; k < 10; ++k)
            text += "&l" + std::to_string(i - 1) + ";";
        f.lexer.add_general_entity(("l" + std::to_string(i)).c_str(), text.c_str());
    }
    bool ok = true;
    const std::string out = read_attribute(f, "&l9;", &ok);
    EXPECT_FALSE(ok);
    expect_single_report(f, ELMX_ERROR_TYPE_FATAL, ELMX_RECURSIVE_ENTITY, "Entity expansion limit exceeded");
    EXPECT_LE(out.size(), k_entity_expansion_floor);
    EXPECT_GT(out.size(), k_entity_expansion_floor / 4);
}

TEST(ExpansionAllowance, ExponentialEntitiesFailFastFromTheInput)
{
    c_lexer_fixture f("<a>&l9;</a>");
    f.lexer.add_general_entity("l0", "lol");
    for (int i = 1; i <= 9; ++i) {
        std::string text;
        for (int k = 0; k < 10; ++k)
            text += "&l" + std::to_string(i - 1) + ";";
        f.lexer.add_general_entity(("l" + std::to_string(i)).c_str(), text.c_str());
    }
    bool ok = true;
    size_t delivered = 0;
    for (int c = f.lexer.get(); c >= 0; c = f.lexer.get()) {
        if (c == '&') {
            std::string out;
            c_entity_name_reader_for_c_get reader(f.lexer);
            ok = f.lexer.insert_entity(reader, &out) && ok;
        }
        ++delivered;
    }
    expect_single_report(f, ELMX_ERROR_TYPE_FATAL, ELMX_RECURSIVE_ENTITY, "Entity expansion limit exceeded");
    EXPECT_EQ(f.lexer.get_expanded_bytes(), k_entity_expansion_floor + 1);
    EXPECT_LT(delivered, k_entity_expansion_floor);
    EXPECT_LE(f.lexer.get_entity_stack_depth(), 10u);
}

TEST(ExpansionAllowance, GrowsWithTheInputRead)
{
    // Past the floor, expansion may reach the ratio times what the source delivered.
    const std::string input(200000, ' ');
    c_lexer_fixture f(input + "x");
    EXPECT_EQ(f.lexer.get_non_ws(), 'x');
    const size_t allowed = k_entity_expansion_ratio * f.lexer.get_bytes_read();
    ASSERT_GT(allowed, k_entity_expansion_floor);
    EXPECT_TRUE(f.lexer.count_expansion(allowed));
    EXPECT_TRUE(f.errors.reports.empty());
    EXPECT_FALSE(f.lexer.count_expansion(k_entity_expansion_ratio));
    expect_single_report(f, ELMX_ERROR_TYPE_FATAL, ELMX_RECURSIVE_ENTITY, "Entity expansion limit exceeded");
}

TEST(ExpansionAllowance, RewindStartsTheCountAgain)
{
    c_lexer_fixture f("x");
    EXPECT_TRUE(f.lexer.count_expansion(k_entity_expansion_floor));
    f.lexer.rewind();
    EXPECT_EQ(f.lexer.get_expanded_bytes(), 0u);
    EXPECT_TRUE(f.lexer.count_expansion(k_entity_expansion_floor));
    EXPECT_TRUE(f.errors.reports.empty());
}
