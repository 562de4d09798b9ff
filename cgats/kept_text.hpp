// Names of the custom attributes that keep what a document has no place for, and the calls
// that write and read them.
#ifndef KYR_CGATS_KEPT_TEXT_HPP
#define KYR_CGATS_KEPT_TEXT_HPP

#include <kyr/lmx/strings.hpp>
#include <kyr/schema/classes.hpp>

#include <optional>
#include <string>
#include <vector>

namespace kyr::cgats {

// On a colour set: the table's identifier line, its header lines (one attribute each, in
// order), its field names, the fields whose values were quoted, the number layout of each
// numeric field, the scale of spectral values when no SPECTRAL_NORM states it, and the
// encoding of a file that is not UTF-8.
inline const wchar_t* const k_identifier = L"CGATS identifier";
inline const wchar_t* const k_header_line = L"CGATS header";
inline const wchar_t* const k_fields = L"CGATS fields";
inline const wchar_t* const k_quoted_fields = L"CGATS quoted fields";
inline const wchar_t* const k_number_layouts = L"CGATS number layouts";
inline const wchar_t* const k_spectral_scale = L"CGATS spectral scale";
inline const wchar_t* const k_encoding = L"CGATS encoding"; // "ISO-8859-1" for files not in UTF-8
// On a colour: "CGATS text XYZ_X", the exact text of a number its field's layout does not
// give back. Fields of no colour value are kept under their own names.
inline const std::wstring k_number_text_prefix = L"CGATS text ";

template <class Owner>
void add_text(Owner& owner, const std::wstring& name, const std::wstring& value)
{
    owner.append_CustomAttribute();
    com_kyrandel_v2::CustomAttributeType& attribute = owner.back_CustomAttribute();
    attribute.set_Name(name);
    attribute.get_ValueChoice().set_StringValue(value);
}

// The string value of the first custom attribute of that name, as UTF-8.
template <class Owner>
std::optional<std::string> find_text(const Owner& owner, const std::wstring& name)
{
    for (std::size_t i = 0; i < owner.size_CustomAttribute(); ++i) {
        const com_kyrandel_v2::CustomAttributeType& attribute = owner.get_CustomAttribute(i);
        if (attribute.get_Name() == name
            && attribute.get_ValueChoice().getchosen()
                == com_kyrandel_v2::CustomAttributeType_ValueChoice::ec_StringValue)
            return lmx::convert_to_narrow(attribute.get_ValueChoice().get_StringValue());
    }
    return std::nullopt;
}

// The name a field's text is kept under: its own, and "NAME#2" for its second occurrence in
// one table (a `#` cannot start or sit inside a bare field name).
inline std::wstring kept_field_name(const std::vector<std::string>& fields, std::size_t index)
{
    std::size_t earlier = 0;
    for (std::size_t f = 0; f < index; ++f)
        earlier += fields[f] == fields[index];
    const std::wstring name = lmx::convert_to_wide(fields[index]);
    return earlier == 0 ? name : name + L"#" + std::to_wstring(earlier + 1);
}

} // namespace kyr::cgats

#endif
