// Pre-scans of a whole document that leave the reader rewound for the real read.
#ifndef KYR_LMX_DOCUMENT_SCAN_HPP
#define KYR_LMX_DOCUMENT_SCAN_HPP

#include <kyr/export.hpp>

#include <string>

#include <kyr/lmx/xml_reader.hpp>

namespace lmx {

// Outcome of a must-understand test.
enum elmx_must_understand : int {
    ELMX_MUST_UNDERSTAND_NOT_REQUIRED = 0,
    ELMX_MUST_UNDERSTAND_INVALID = 1, // invalid or not determinable
    ELMX_MUST_UNDERSTAND_REQUIRED = 2
};

// Decides from an attribute's value whether it demands understanding.
using must_understand_test = elmx_must_understand (*)(const std::string& value);

// "1" or "true": required; "0" or "false": not required; anything else: invalid.
KYR_API elmx_must_understand bool_must_understand(const std::string& value);

// Walks the document for attributes named (ns_uri, local_name) and returns the first
// non-zero answer of `test` (1 when the document cannot be walked); rewinds the reader
// unless its first markup is not a start tag.
KYR_API elmx_must_understand has_must_understand(c_xml_reader& reader, const std::string& ns_uri,
                                                 const std::string& local_name, must_understand_test test);

// The namespace URI of the document element; false when there is none or it is unbound.
// Rewinds the reader.
KYR_API bool get_instance_namespace(c_xml_reader& reader, std::string* ns_uri);

} // namespace lmx

#endif
