// The texts the reader reports with its error codes, kept in one place so that a fault
// reads the same wherever it is found.
#ifndef KYR_LMX_MESSAGES_HPP
#define KYR_LMX_MESSAGES_HPP

#include <cstddef>
#include <string>

namespace lmx {
namespace message {

// Markup that breaks the grammar. Both spellings are kept: callers have long seen them
// for the faults they stand for.
extern const char k_not_well_formed[];
extern const char k_not_well_formed_lower_case[];

// The input ended inside an element's content, or inside a tag or declaration.
extern const char k_premature_end[];
extern const char k_unexpected_end[];

extern const char k_bad_comment_end[];
extern const char k_xml_decl_not_at_start[];
extern const char k_xml_decl_without_version[];
extern const char k_not_standalone[];

// The encoding the bytes start with is unknown; the declared one is unknown; the declared
// one does not fit the bytes.
extern const char k_unrecognised_encoding[];
extern const char k_unknown_encoding[];
extern const char k_encoding_mismatch[];

extern const char k_expansion_limit[];
extern const char k_external_entity[];
extern const char k_doctype_not_at_start[];
extern const char k_doctype_repeated[];

// What went past one of the document bounds, for past_limit().
extern const char k_nested_too_deeply[];
extern const char k_name_too_long[];
extern const char k_too_many_attributes[];
extern const char k_attribute_too_long[];
extern const char k_text_too_long[];
extern const char k_entity_name_too_long[];
extern const char k_entity_value_too_long[];

// "<what> (limit <limit> <unit>)".
std::string past_limit(const char* what, size_t limit, const char* unit);
std::string unknown_xml_version(const std::string& version);
// `c`: the byte found after "/" in a start tag.
std::string junk_after_slash(int c);
std::string mismatched_tags(const std::string& start_name, const std::string& end_name);
std::string recursive_entity(const char* text);
std::string parameter_entity_not_found(const std::string& name);
std::string unexpected_entity_value(const std::string& value);
// In the internal subset: `c` where a declaration should start, or where "]" should be
// followed by ">".
std::string dtd_unexpected_byte(int c);
std::string dtd_unclosed(int c);
// In a start tag: `c` (-1 at the end) where "=" or an attribute value's quote belongs.
std::string expected_equals(int c);
std::string expected_quote(int c);

} // namespace message
} // namespace lmx

#endif
