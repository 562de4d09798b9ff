// What a generated class header needs: the status codes, the owning holders
// and declarations of the reader and writer. Kept light so that including a
// class does not pull in the XML runtime.
#ifndef KYR_SCHEMA_CLASS_SUPPORT_HPP
#define KYR_SCHEMA_CLASS_SUPPORT_HPP

#include <kyr/lmx/error.hpp>
#include <kyr/schema/owned.hpp>

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

namespace lmx {
class c_xml_reader;
class c_xml_writer;
struct s_ns_map;
} // namespace lmx

namespace kyr {
namespace schema {
struct frame;
}
} // namespace kyr

#endif
