// Bounds the reader puts on a document so that hostile input fails cleanly instead of
// exhausting the stack or memory. Each breach is a fatal ELMX_NOT_WELL_FORMED report.
#ifndef KYR_LMX_READER_LIMITS_HPP
#define KYR_LMX_READER_LIMITS_HPP

#include <cstddef>

namespace lmx {

// Open elements at once (scopes, skipping, capture, pre-scans): keeps the recursion of
// generated unmarshal code far from the end of an 8 MiB stack. Default 1024.
constexpr size_t k_max_element_depth = 1024;

// Bytes in one element or attribute name; no vocabulary comes near it. Default 50,000.
constexpr size_t k_max_name_length = 50000;

// Attributes (declarations included) on one start tag. Default 10,000.
constexpr size_t k_max_attribute_count = 10000;

// Bytes of one attribute value, raw or expanded. Default 10,000,000.
constexpr size_t k_max_attribute_length = 10000000;

// Bytes of one text value or captured element, after expansion: large embedded data fits,
// runaway entity expansion does not. Default 64 MiB.
constexpr size_t k_max_text_length = 64u * 1024u * 1024u;

} // namespace lmx

#endif
