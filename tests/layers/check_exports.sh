#!/usr/bin/env bash
# libkyr exports the public API and the flat functions, and none of its internals.
# Usage: check_exports.sh LIBRARY
set -euo pipefail
symbols=$(nm -D --defined-only -C "$1")
mangled=$(nm -D --defined-only "$1" | awk '{ print $3 }')
status=0
for wanted in 'com_kyrandel_v2::Kyr::loadFile(' 'kyr::load(' 'lmx::c_xml_reader::' 'kyr::io::parse_first_entry(' \
  'kyr::colour::delta_e2000(' 'typeinfo for kyr::error' 'typeinfo for lmx::c_lmx_exception' 'CSharp_Kyr_loadFile'; do
  grep -qF -- "$wanted" <<< "$symbols" || { echo "not exported: $wanted"; status=1; }
done
# members, vtables and type information of the internal classes
internal='kyr::zip::|kyr::io::container_entry_date|lmx::(c_(get_for_xml|get_with_entities|get_as_utf8|unget_buffer|repository|entity_name_reader[a-z_]*|dtd_util|internal_dtd|open_elements|checker)|s_decoded)(<[^ ]*>)?(::|$)'
if grep -E -- "$internal" <<< "$symbols"; then
  echo "internal symbols exported (above)"
  status=1
fi
# Instances of standard-library templates (std::vector of a public type and the like): every
# caller makes its own. Matched mangled, by the outermost scope (St, Ss, Sa ... or __gnu_cxx),
# through special names (typeinfo, vtable, guard, local static) and member qualifiers.
standard=$(grep -E -- '^_Z(T[ISVT]|GV|Z)*N?[KRO]*(St|S[absdio]|9__gnu_cxx)' <<< "$mangled" || true)
if [ -n "$standard" ]; then
  c++filt <<< "$standard"
  echo "standard-library instances exported (above)"
  status=1
fi
# C names: only the flat functions
if grep -vE -- '^(_Z|CSharp_|SWIGRegister)' <<< "$mangled"; then
  echo "unexpected C symbols exported (above)"
  status=1
fi
exit $status
