// What libkyr exports for C# callers: the undecorated names in the built
// library, their count per form of the naming table, and the decorated names
// of the Windows module-definition file.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

// Names the library defines in its dynamic symbol table.
std::set<std::string> dynamic_symbols()
{
    std::set<std::string> names;
    const std::string command = std::string("nm -D --defined-only ") + KYR_LIBRARY_FILE;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return names;
    char line[1024];
    while (std::fgets(line, sizeof line, pipe)) {
        std::istringstream fields(line);
        std::string address, kind, name;
        if (fields >> address >> kind >> name)
            names.insert(name);
    }
    pclose(pipe);
    return names;
}

bool is_flat(const std::string& name)
{
    return name.compare(0, 7, "CSharp_") == 0 || name.compare(0, 12, "SWIGRegister") == 0;
}

// The row of the naming table an exported name belongs to.
std::string form_of(const std::string& name)
{
    static const std::regex registration("SWIGRegister\\w+_KyrModule");
    static const std::regex constructor("CSharp_new_\\w+__SWIG_\\d+");
    static const std::regex destructor("CSharp_delete_\\w+");
    static const std::regex upcast("CSharp_\\w+Upcast");
    static const std::regex variable("CSharp_(\\w+_id_(get|set)|LMX\\w*_get)");
    static const std::regex overload("CSharp_\\w+__SWIG_\\d+");
    if (std::regex_match(name, registration))
        return "registration";
    if (std::regex_match(name, constructor))
        return "new";
    if (std::regex_match(name, destructor))
        return "delete";
    if (std::regex_match(name, upcast))
        return "upcast";
    if (std::regex_match(name, variable))
        return "variable";
    if (std::regex_match(name, overload))
        return "overload";
    return "member";
}

// (form, name) of every export the generator wrote.
std::multimap<std::string, std::string> manifest()
{
    std::multimap<std::string, std::string> entries;
    std::ifstream in(KYR_FLAT_MANIFEST);
    std::string form, name;
    while (in >> form >> name)
        entries.emplace(form, name);
    return entries;
}

TEST(flat_exports, library_exports_exactly_the_generated_names_undecorated)
{
    std::set<std::string> exported;
    for (const std::string& name : dynamic_symbols())
        if (is_flat(name))
            exported.insert(name);
    std::set<std::string> listed;
    for (const auto& entry : manifest()) {
        listed.insert(entry.second);
        EXPECT_EQ(entry.first, form_of(entry.second)) << entry.second;
    }
    EXPECT_EQ(listed, exported);
    EXPECT_TRUE(exported.count("CSharp_Kyr_loadFile"));
    EXPECT_TRUE(exported.count("SWIGRegisterExceptionCallbacks_KyrModule"));
    for (const std::string& name : dynamic_symbols()) {
        EXPECT_EQ(std::string::npos, name.find("CSharp_Kyr_loadFile@")) << "no decorated name on ELF: " << name;
        EXPECT_EQ(std::string::npos, name.find("3kyr7interop")) << "the layer's helpers stay private: " << name;
    }
}

// Rows of the naming table, and how far this library's class interfaces are
// from them. The differences come from the interfaces, not from the layer:
// - new, delete, upcast: the schema yields 214 classes where the table
//   counts 217 (233 less the 16 runtime and record classes), two of the
//   missing three with a base class and only one with constructors; every
//   type, element, compositor and holder class named by the schema tables
//   exists, so no schema construct accounts for the other three;
// - variable: the 13 constants and id_get/id_set of the 70 classes that
//   declare `id` (the 70 polymorphic types; element classes inherit it),
//   one class short of the table, as above;
// - member, overload: every class's swap, reset and is_occurs_ok, each
//   element class's marshal to a file and three unmarshal overloads (text,
//   buffer, file), and the const accessors numbered __SWIG_0 are wrapped, as
//   public members of the class that declares them; no subset of these
//   families (nor of any other) accounts for 190 members and 14 overloads.
struct form_count
{
    const char* form;
    int table;
    int difference;
};

const form_count k_counts[] = {
    {"new", 475, -2},
    {"delete", 233, -3},
    {"upcast", 136, -2},
    {"member", 2559, 190},
    {"overload", 432, 14},
    {"variable", 155, -2},
    {"registration", 3, 0},
};

TEST(flat_exports, count_of_each_form_against_the_naming_table)
{
    std::map<std::string, int> produced;
    for (const std::string& name : dynamic_symbols())
        if (is_flat(name))
            ++produced[form_of(name)];
    int total = 0;
    for (const form_count& row : k_counts) {
        EXPECT_EQ(row.table + row.difference, produced[row.form]) << row.form << " (table: " << row.table << ")";
        total += produced[row.form];
    }
    EXPECT_EQ(3993 + 195, total);
}

TEST(flat_exports, module_definition_lists_decorated_names_by_argument_bytes)
{
    std::ifstream in(KYR_FLAT_DEF);
    std::set<std::string> names;
    std::string line;
    std::getline(in, line);
    EXPECT_EQ("LIBRARY kyr", line);
    std::getline(in, line);
    EXPECT_EQ("EXPORTS", line);
    while (in >> line)
        names.insert(line);
    EXPECT_EQ(manifest().size(), names.size());
    for (const char* name : {"_CSharp_Kyr_loadFile@8", "_CSharp_Kyr_writeString@4",
                             "_CSharp_ColorSpaceAdobeRGBType_set_Red@12", "_CSharp_Kyr_get_Color__SWIG_0@8",
                             "_CSharp_Header_insert_ChangeHistory@12", "_CSharp_c_pattern_is_match__SWIG_0@8",
                             "_CSharp_get_error_description@4", "_CSharp_LMX_ATOFLOAT_MODE_SIMPLE_get@0",
                             "_CSharp_new_XMLDocumentResult@8", "_CSharp_XMLDocumentResult_getXmlDocument@4",
                             "_CSharp_new_c_decimal__SWIG_4@12", "_CSharp_c_decimal_set@16",
                             "_SWIGRegisterExceptionCallbacks_KyrModule@44",
                             "_SWIGRegisterExceptionArgumentCallbacks_KyrModule@12",
                             "_SWIGRegisterStringCallback_KyrModule@4"})
        EXPECT_TRUE(names.count(name)) << name;
}

} // namespace
