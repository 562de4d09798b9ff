// load, parse, save and to_xml: the generated whole-document calls with the reader's
// diagnostics turned into kyr::error.
#include <kyr/api/document_io.hpp>

#include <kyr/io/diagnosed_load.hpp>
#include <kyr/io/document_loading.hpp>
#include <kyr/io/write_check.hpp>
#include <kyr/lmx/xml_reader.hpp>

#include <string>
#include <utility>
#include <vector>

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

// A file that never opened was not read, so it has no diagnostics to add.
void check_read(const io::s_load_report& report, diagnose again, std::string_view source)
{
    if (report.outcome == io::load_outcome::loaded)
        return;
    std::vector<diagnostic> found;
    if (report.outcome == io::load_outcome::invalid)
        found = again(source);
    throw error(report.code, report.message, report.reader_line, std::move(found));
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
    check_read(io::load_with_report(file, document.generated()), diagnose_file, file);
    return document;
}

Document parse(std::string_view xml)
{
    Document document;
    lmx::c_xml_reader_memory reader(xml.data(), xml.size());
    check_read(io::read_with_report(reader, document.generated()), diagnose_text, xml);
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
