// Whole-document operations of the root class: load and save as a plain XML
// file (".kyr"), a zip container (".kyrz") or a string.
#include <new>
#include <stdexcept>
#include <string_view>

#include <kyr/io/container.hpp>
#include <kyr/io/document_loading.hpp>
#include <kyr/lmx/file_replacement.hpp>
#include <kyr/lmx/string_sink.hpp>
#include <kyr/lmx/strings.hpp>
#include <kyr/lmx/xml_chars.hpp>
#include <kyr/lmx/xml_reader.hpp>
#include <kyr/lmx/xml_writer.hpp>
#include <kyr/schema/classes/Kyr.hpp>
#include <kyr/schema/document_result.hpp>
#include <kyr/schema/library_identification.hpp>

#include "entry_date.hpp"

namespace com_kyrandel_v2 {

namespace {

std::string utf8(const std::wstring& text)
{
    std::string out;
    lmx::convert(&out, text);
    return out;
}

// The entry of a container written to `stem` + ".kyrz": the stem's file name with ".kyr".
// Other systems read a backslash as a directory, and a surrogate without its partner has
// no UTF-8 form, so that the flag saying the name is UTF-8 would lie.
std::string entry_name(std::wstring_view stem)
{
    const std::size_t cut = stem.find_last_of(L"/\\");
    std::wstring name(cut == std::wstring_view::npos ? stem : stem.substr(cut + 1));
    const auto is_high = [](wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; };
    const auto is_low = [](wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; };
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (is_high(name[i]) && i + 1 < name.size() && is_low(name[i + 1]))
            ++i;
        else if (is_high(name[i]) || is_low(name[i]))
            name[i] = 0xFFFD;
    }
    return utf8(name + L".kyr");
}

// A whole-document operation ends with a code, never with an exception: running out of
// memory (or into a string's size limit) becomes `out_of_memory`.
template <typename Operation>
auto without_exceptions(Operation operation, decltype(operation()) out_of_memory)
{
    try {
        return operation();
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    return out_of_memory;
}

void stamp_write_sdk_information(Kyr& document)
{
    document.get_Preamble().get_Header().assign_WriteSDKInformation(kyr::schema::library_identification());
}

// The text marshal(std::string*) gives, refused with ELMX_BAD_CHAR_ENCODING when it would not be
// well-formed: a value held a character XML cannot carry, or was cut short at a lone surrogate.
lmx::elmx_error marshal_well_formed(const Kyr& document, std::string& xml)
{
    std::string text;
    lmx::elmx_error code;
    bool lost_text;
    {
        lmx::c_string_sink sink(text);
        std::ostream os(&sink);
        // Raised instead of swallowed, a lack of memory can never pass for a complete document.
        os.exceptions(std::ios::badbit);
        lmx::c_xml_writer writer(os, lmx::c_xml_writer::include_xml_decl, "\t", "\n");
        code = document.marshal(writer, "Kyr:Kyr");
        lost_text = writer.lost_text();
    }
    if (code != lmx::ELMX_OK)
        return code;
    if (lost_text || lmx::find_non_xml_text(text) != text.size())
        return lmx::ELMX_BAD_CHAR_ENCODING;
    xml.swap(text);
    return lmx::ELMX_OK;
}

} // namespace

lmx::elmx_error Kyr::loadString(const std::wstring& xml)
{
    return without_exceptions(
        [&] {
            const std::string bytes = utf8(xml);
            lmx::c_xml_reader_memory reader(bytes.data(), bytes.size());
            return unmarshal(reader);
        },
        lmx::ELMX_UNDEFINED_ERROR);
}

lmx::elmx_error Kyr::loadFile(const std::wstring& path)
{
    return without_exceptions([&] { return kyr::io::load_with_report(utf8(path), *this).code; },
                              kyr::io::names_container(path) ? lmx::ELMX_USER_DEFINED_1
                                                             : lmx::ELMX_UNDEFINED_ERROR);
}

XMLDocumentResult Kyr::writeString()
{
    const auto write = [&] {
        stamp_write_sdk_information(*this);
        std::string xml;
        const lmx::elmx_error code = marshal_well_formed(*this, xml);
        if (code != lmx::ELMX_OK)
            return XMLDocumentResult(std::wstring(), code);
        // Wildcard content is kept as the bytes read, which need not be UTF-8; a text cut
        // short at such bytes would lose the rest of the document without a word.
        std::wstring text;
        if (!lmx::convert_whole(&text, xml))
            return XMLDocumentResult(std::wstring(), lmx::ELMX_BAD_CHAR_ENCODING);
        return XMLDocumentResult(std::move(text), lmx::ELMX_OK);
    };
    return without_exceptions(write, XMLDocumentResult(std::wstring(), lmx::ELMX_UNDEFINED_ERROR));
}

lmx::elmx_error Kyr::writeFile(const std::wstring& path)
{
    const bool container = kyr::io::names_container(path);
    if (!container && !kyr::io::names_plain_document(path))
        return lmx::ELMX_USER_DEFINED_2;
    const auto write = [&] {
        stamp_write_sdk_information(*this);
        lmx::c_file_replacement target(utf8(path));
        if (!target.is_open())
            return lmx::ELMX_NO_FILE;
        std::string xml;
        const lmx::elmx_error code = marshal_well_formed(*this, xml);
        // Staged in memory, a document that fails to marshal never touches the file of its name.
        if (code != lmx::ELMX_OK)
            return code;
        if (!container)
            return target.commit(xml) ? lmx::ELMX_OK : lmx::ELMX_NO_FILE;
        std::string archive;
        const std::wstring_view stem(path.data(), path.size() - std::wstring_view(L".kyrz").size());
        const kyr::io::s_entry_date date = kyr::io::container_entry_date();
        if (!kyr::io::make_single_entry_archive(entry_name(stem), xml, date.moment, archive, date.clock)
            || !target.commit(archive))
            return lmx::ELMX_USER_DEFINED_1;
        return lmx::ELMX_OK;
    };
    return without_exceptions(write, container ? lmx::ELMX_USER_DEFINED_1 : lmx::ELMX_UNDEFINED_ERROR);
}

} // namespace com_kyrandel_v2
