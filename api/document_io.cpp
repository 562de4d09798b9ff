// load, parse, save and to_xml: the generated whole-document calls with the reader's
// diagnostics turned into kyr::error.
#include <kyr/api/document_io.hpp>

#include <kyr/io/container.hpp>
#include <kyr/io/diagnosed_load.hpp>
#include <kyr/io/document_loading.hpp>
#include <kyr/io/write_check.hpp>
#include <kyr/lmx/strings.hpp>
#include <kyr/lmx/xml_reader.hpp>

#include <filesystem>
#include <optional>
#include <system_error>

namespace kyr {
namespace {

// Every error of a document that failed to read. Only a failed read pays for this second
// reading, which goes on past each error where the first stopped.
using diagnose = std::vector<diagnostic> (*)(std::string_view source);

std::vector<diagnostic> diagnose_file(std::string_view path)
{
    diagnostics found;
    com_kyrandel_v2::Kyr scratch;
    io::load_file_with_diagnostics(std::string(path), scratch, found);
    return found.list();
}

std::vector<diagnostic> diagnose_text(std::string_view xml)
{
    diagnostics found;
    com_kyrandel_v2::Kyr scratch;
    io::load_string_with_diagnostics(xml, scratch, found);
    return found.list();
}

// The reader's message names the line and the item; a code that bypassed the reader's
// handler leaves it at "No Error", so the code's own text stands in.
void read(lmx::c_xml_reader& reader, Document& document, diagnose again, std::string_view source)
{
    const lmx::elmx_error code = document.generated().unmarshal(reader);
    if (code == lmx::ELMX_OK)
        return;
    std::string message;
    reader.get_error_message(&message);
    if (message == lmx::get_error_description(lmx::ELMX_OK))
        message = lmx::get_error_description(code);
    throw error(code, message, reader.get_line_no(), again(source));
}

// A document that cannot be written says why: every missing item and unwritable text.
void check_written(lmx::elmx_error code, const Document& document)
{
    if (code == lmx::ELMX_OK)
        return;
    diagnostics found;
    if (code == lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL || code == lmx::ELMX_BAD_CHAR_ENCODING
        || code == lmx::ELMX_BAD_CHOICE || code == lmx::ELMX_TYPE_NOT_SET)
        io::check_writable(document.generated(), found);
    throw error(code, lmx::get_error_description(code), 0, found.list());
}

} // namespace

Document load(std::string_view path)
{
    const std::string file(path);
    Document document;
    if (io::names_container(path)) {
        // An error thrown by read() inside the archive layer's callback would be taken for
        // an archive failure, so it is kept and thrown after.
        std::optional<error> invalid;
        const bool whole = io::parse_first_entry(file, [&](lmx::c_read& entry) {
            lmx::c_xml_reader reader(entry);
            try {
                read(reader, document, diagnose_file, file);
            } catch (const error& e) {
                invalid = e;
            }
        });
        if (!whole)
            throw error(lmx::ELMX_USER_DEFINED_1, "not a readable .kyrz container", 0, diagnose_file(file));
        if (invalid)
            throw *invalid;
        return document;
    }
    std::error_code ignored;
    if (std::filesystem::is_directory(file, ignored) || file.find('\0') != std::string::npos)
        throw error(lmx::ELMX_NO_FILE, lmx::get_error_description(lmx::ELMX_NO_FILE));
    lmx::c_xml_reader_file reader(file.c_str());
    if (!reader.is_open())
        throw error(lmx::ELMX_NO_FILE, lmx::get_error_description(lmx::ELMX_NO_FILE));
    read(reader, document, diagnose_file, file);
    return document;
}

Document parse(std::string_view xml)
{
    Document document;
    lmx::c_xml_reader_memory reader(xml.data(), xml.size());
    read(reader, document, diagnose_text, xml);
    return document;
}

void save(Document& document, std::string_view path)
{
    check_written(document.generated().writeFile(detail::wide(path)), document);
}

std::string to_xml(Document& document)
{
    const com_kyrandel_v2::XMLDocumentResult result = document.generated().writeString();
    check_written(result.getElmxError(), document);
    return detail::utf8(result.getXmlDocument());
}

} // namespace kyr
