// What libkyr exports for C# callers: the undecorated names in the built
// library, their count per form of the naming table, and the decorated names
// of the Windows module-definition file.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
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

bool starts_with(const std::string& name, const char* prefix)
{
    return name.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

bool ends_with(const std::string& name, const char* suffix)
{
    const std::size_t length = std::char_traits<char>::length(suffix);
    return name.size() >= length && name.compare(name.size() - length, length, suffix) == 0;
}

// Whether the name ends with __SWIG_<digits>, the mark of a numbered overload.
bool is_numbered(const std::string& name)
{
    const std::size_t mark = name.rfind("__SWIG_");
    if (mark == std::string::npos || mark + 7 == name.size())
        return false;
    return name.find_first_not_of("0123456789", mark + 7) == std::string::npos;
}

// The row of the naming table an exported name belongs to.
std::string form_of(const std::string& name)
{
    if (starts_with(name, "SWIGRegister") && ends_with(name, "_KyrModule"))
        return "registration";
    if (starts_with(name, "CSharp_new_") && is_numbered(name))
        return "new";
    if (starts_with(name, "CSharp_delete_"))
        return "delete";
    if (ends_with(name, "Upcast"))
        return "upcast";
    if (ends_with(name, "_id_get") || ends_with(name, "_id_set")
        || (starts_with(name, "CSharp_LMX") && ends_with(name, "_get")))
        return "variable";
    if (is_numbered(name))
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
        EXPECT_EQ(std::string::npos, name.find("CSharp_Kyr_loadFile@"))
            << "no decorated name on ELF: " << name;
        EXPECT_EQ(std::string::npos, name.find("3kyr7interop"))
            << "the layer's helpers stay private: " << name;
    }
}

// Rows of the naming table, and how far this library's exports are from them;
// interop/EXPORT_DIFFERENCES.md gives the reasons, family by family:
// - new, delete, upcast, variable: three schema classes fewer than the table
//   counts (two with a base class, one declaring `id`); and every value class
//   built from text exports C(const char*) only, since C(const std::string&)
//   is the same C# signature;
// - member: +195 from the accessor and frame families of the class
//   interfaces (no subset of the families accounts for it);
// - overload: element classes export unmarshal from text and from a buffer,
//   the file overload being the same C# signature as the text one; the class
//   members of plain choices have only a const get_X, exported as a member.
struct form_count
{
    const char* form;
    int table;
    int difference;
};

const form_count k_counts[] = {
    {"new", 475, -13},      {"delete", 233, -3},   {"upcast", 136, -2},    {"member", 2559, 195},
    {"overload", 432, -65}, {"variable", 155, -2}, {"registration", 3, 0},
};

TEST(flat_exports, count_of_each_form_against_the_naming_table)
{
    std::map<std::string, int> produced;
    for (const std::string& name : dynamic_symbols())
        if (is_flat(name))
            ++produced[form_of(name)];
    int total = 0;
    for (const form_count& row : k_counts) {
        EXPECT_EQ(row.table + row.difference, produced[row.form])
            << row.form << " (table: " << row.table << ")";
        total += produced[row.form];
    }
    EXPECT_EQ(3993 + 110, total);
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
    for (const char* name :
         {"_CSharp_Kyr_loadFile@8", "_CSharp_Kyr_writeString@4", "_CSharp_ColorSpaceAdobeRGBType_set_Red@12",
          "_CSharp_Kyr_get_Color__SWIG_0@8", "_CSharp_Header_insert_ChangeHistory@12",
          "_CSharp_c_pattern_is_match__SWIG_0@8", "_CSharp_get_error_description@4",
          "_CSharp_LMX_ATOFLOAT_MODE_SIMPLE_get@0", "_CSharp_new_XMLDocumentResult@8",
          "_CSharp_XMLDocumentResult_getXmlDocument@4", "_CSharp_new_c_decimal__SWIG_4@12",
          "_CSharp_c_decimal_set@16", "_SWIGRegisterExceptionCallbacks_KyrModule@44",
          "_SWIGRegisterExceptionArgumentCallbacks_KyrModule@12", "_SWIGRegisterStringCallback_KyrModule@4"})
        EXPECT_TRUE(names.count(name)) << name;
}

} // namespace
