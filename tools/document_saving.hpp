// Writes a document in the library's canonical form: to a ".kyr" or ".kyrz"
// file chosen by the name's ending, or as plain XML to standard output ("-").
#ifndef KYR_TOOLS_DOCUMENT_SAVING_HPP
#define KYR_TOOLS_DOCUMENT_SAVING_HPP

#include <kyr/schema/classes.hpp>

#include <string>

namespace kyr_tool {

enum class save_outcome { saved, not_writable_document, io_error };

struct save_result
{
    save_outcome outcome;
    std::string message; // empty when saved
};

// True for "-" and for names that the library can write (".kyr", ".kyrz").
bool is_writable_name(const std::string& path);

save_result save_document(com_kyrandel_v2::Kyr& document, const std::string& path);

// Saves for a command: a failure is reported on standard error as "kyr: PATH: MESSAGE" and
// comes back as the command's exit status (1 a document that cannot be written, 2 a file);
// 0 when saved.
int save_for_command(com_kyrandel_v2::Kyr& document, const std::string& path);

} // namespace kyr_tool

#endif
