// Umbrella header: everything a program needs to read, build and write Kyr documents.
// Programs that use only a few schema classes may include <kyr/schema/classes/NAME.hpp>
// instead, which keeps compile times down.
#ifndef KYR_KYR_HPP
#define KYR_KYR_HPP

// The headers are C++17 (std::string_view among others): say so plainly rather than
// fail deep inside them.
#if __cplusplus < 201703L && (!defined(_MSVC_LANG) || _MSVC_LANG < 201703L)
#error "Kyr needs C++17 or later: compile with -std=c++17 (or /std:c++17)"
#else

#include <kyr/version.hpp>

// The XML runtime: error codes, reading and writing.
#include <kyr/lmx/document_scan.hpp>
#include <kyr/lmx/error.hpp>
#include <kyr/lmx/limits.hpp>
#include <kyr/lmx/namespaces.hpp>
#include <kyr/lmx/read.hpp>
#include <kyr/lmx/reader_limits.hpp>
#include <kyr/lmx/string_stack.hpp>
#include <kyr/lmx/xml.hpp>
#include <kyr/lmx/xml_reader.hpp>
#include <kyr/lmx/xml_writer.hpp>

// Values of the schema's simple types and text conversions.
#include <kyr/lmx/big_int.hpp>
#include <kyr/lmx/binary.hpp>
#include <kyr/lmx/build_constants.hpp>
#include <kyr/lmx/char_tests.hpp>
#include <kyr/lmx/datetime.hpp>
#include <kyr/lmx/decimal.hpp>
#include <kyr/lmx/duration.hpp>
#include <kyr/lmx/list_tokeniser.hpp>
#include <kyr/lmx/output.hpp>
#include <kyr/lmx/pattern.hpp>
#include <kyr/lmx/qname.hpp>
#include <kyr/lmx/simple_types.hpp>
#include <kyr/lmx/string_sink.hpp>
#include <kyr/lmx/strings.hpp>

// Every class of the format's schema, with the root document Kyr.
#include <kyr/io/container.hpp>
#include <kyr/io/document_loading.hpp>
#include <kyr/schema/classes.hpp>
#include <kyr/schema/document_result.hpp>

// Colour science: colorimetry, conversions, differences and indices, and their use on documents.
#include <kyr/colour/colorimetry.hpp>
#include <kyr/colour/colour_types.hpp>
#include <kyr/colour/conversions.hpp>
#include <kyr/colour/differences.hpp>
#include <kyr/colour/document_colours.hpp>
#include <kyr/colour/indices.hpp>
#include <kyr/colour/quality_control.hpp>

#endif

#endif
