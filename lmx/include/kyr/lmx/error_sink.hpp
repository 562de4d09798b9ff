// The channel through which a reader or a writer hands every error to a collector that
// records it and lets the work go on.
#ifndef KYR_LMX_ERROR_SINK_HPP
#define KYR_LMX_ERROR_SINK_HPP

#include <kyr/export.hpp>
#include <kyr/lmx/error.hpp>

#include <string>

namespace lmx {

class c_xml_reader;

// Takes the binding errors of a reader in place of its hook, so that it can say where each
// error is (the reader then notes the place of every tag) and let reading go on past it. Given to a writer,
// it collects what keeps a document from being written, and the writer goes on.
class KYR_API c_error_sink
{
public:
    virtual ~c_error_sink() = default;
    // The answer handle_error returns: ELMX_OK to read on, else the code that ends the read.
    virtual elmx_error take(c_xml_reader& reader, elmx_error code, const std::string& item) = 0;
    // The binding enters and leaves each element and value it reads, and notes a value it is
    // about to report: its text, what was wanted ("at most 150") and the broken rule as a
    // clause ("is greater than the maximum 150").
    virtual void enter(const std::string& name) = 0;
    virtual void leave() = 0;
    virtual void note_value(const std::string& text, std::string expected, std::string clause) = 0;
    // An error of a writer given the sink: what cannot be written, at the current path.
    virtual void add_unwritable(elmx_error code, const std::string& message) = 0;
};

} // namespace lmx

#endif
