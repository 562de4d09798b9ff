// load, parse, save and to_xml: the generated whole-document calls with the reader's
// diagnostics turned into kyr::error.
#include <kyr/api/document_io.hpp>

#include <kyr/io/container.hpp>
#include <kyr/io/document_loading.hpp>
#include <kyr/lmx/strings.hpp>
#include <kyr/lmx/xml_reader.hpp>

#include <filesystem>
#include <optional>
#include <system_error>

namespace kyr {
namespace {

// The reader's message names the line and the item; a code that bypassed the reader's
// handler leaves it at "No Error", so the code's own text stands in.
void read(lmx::c_xml_reader& reader, Document& document)
{
    const lmx::elmx_error code = document.generated().unmarshal(reader);
    if (code == lmx::ELMX_OK)
        return;
    std::string message;
    reader.get_error_message(&message);
    if (message == lmx::get_error_description(lmx::ELMX_OK))
        message = lmx::get_error_description(code);
    throw error(code, message, reader.get_line_no());
}

void check_written(lmx::elmx_error code)
{
    if (code != lmx::ELMX_OK)
        throw error(code, lmx::get_error_description(code));
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
                read(reader, document);
            } catch (const error& e) {
                invalid = e;
            }
        });
        if (!whole)
            throw error(lmx::ELMX_USER_DEFINED_1, "not a readable .kyrz container");
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
    read(reader, document);
    return document;
}

Document parse(std::string_view xml)
{
    Document document;
    lmx::c_xml_reader_memory reader(xml.data(), xml.size());
    read(reader, document);
    return document;
}

void save(Document& document, std::string_view path)
{
    check_written(document.generated().writeFile(detail::wide(path)));
}

std::string to_xml(Document& document)
{
    const com_kyrandel_v2::XMLDocumentResult result = document.generated().writeString();
    check_written(result.getElmxError());
    return detail::utf8(result.getXmlDocument());
}

} // namespace kyr
