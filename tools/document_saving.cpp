#include "document_saving.hpp"

#include "exit_status.hpp"
#include "text.hpp"

#include <kyr/io/document_loading.hpp>

#include <iostream>

namespace kyr_tool {
namespace {

using com_kyrandel_v2::Kyr;

// A document that loaded may still lack something writing requires (an empty
// Person, say): that is a failed check, not an I/O problem.
save_result from_code(lmx::elmx_error code)
{
    if (code == lmx::ELMX_OK)
        return {save_outcome::saved, {}};
    const std::string description = lmx::get_error_description(code);
    if (code == lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL || code == lmx::ELMX_BAD_CHOICE
        || code == lmx::ELMX_TYPE_NOT_SET)
        return {save_outcome::not_writable_document, "cannot write the document: " + description};
    return {save_outcome::io_error, "cannot write: " + description};
}

save_result save_to_standard_output(Kyr& document)
{
    const com_kyrandel_v2::XMLDocumentResult result = document.writeString();
    if (result.getElmxError() != lmx::ELMX_OK)
        return from_code(result.getElmxError());
    // Whether it arrived is checked once, for every command, as the tool exits.
    std::cout << utf8(result.getXmlDocument());
    return {save_outcome::saved, {}};
}

} // namespace

bool is_writable_name(const std::string& path)
{
    return path == "-" || kyr::io::names_container(path) || kyr::io::names_plain_document(path);
}

save_result save_document(Kyr& document, const std::string& path)
{
    if (path == "-")
        return save_to_standard_output(document);
    if (!is_writable_name(path))
        return {save_outcome::io_error, "the output name must end in .kyr or .kyrz"};
    // A name cut short or altered on its way to UTF-16 would write another file.
    const std::wstring wide_path = utf16(path);
    if (utf8(wide_path) != path)
        return {save_outcome::io_error, "file name is not valid UTF-8"};
    return from_code(document.writeFile(wide_path));
}

int save_for_command(com_kyrandel_v2::Kyr& document, const std::string& path)
{
    const save_result saved = save_document(document, path);
    if (saved.outcome == save_outcome::saved)
        return exit_ok;
    std::cerr << "kyr: " << path << ": " << saved.message << '\n';
    return saved.outcome == save_outcome::not_writable_document ? exit_invalid : exit_usage_or_io;
}

} // namespace kyr_tool
