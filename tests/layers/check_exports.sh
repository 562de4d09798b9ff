#!/usr/bin/env bash
# libkyr exports the public API and the flat functions, and none of its internals.
# Usage: check_exports.sh LIBRARY
set -euo pipefail
symbols=$(nm -D --defined-only -C "$1")
status=0
for wanted in 'com_kyrandel_v2::Kyr::loadFile(' 'kyr::load(' 'lmx::c_xml_reader::' 'kyr::io::parse_first_entry(' \
  'kyr::colour::delta_e2000(' 'CSharp_Kyr_loadFile'; do
  grep -qF -- "$wanted" <<< "$symbols" || { echo "not exported: $wanted"; status=1; }
done
# members, vtables and type information of the internal classes
internal='kyr::zip::|kyr::io::container_entry_date|lmx::(c_(get_for_xml|get_with_entities|get_as_utf8|unget_buffer|repository|entity_name_reader[a-z_]*|dtd_util|internal_dtd|open_elements|checker)|s_decoded)(<[^ ]*>)?(::|$)'
if grep -E -- "$internal" <<< "$symbols"; then
  echo "internal symbols exported (above)"
  status=1
fi
exit $status
