// Bounds of the input layers: byte sources, decoding and entity expansion. Each keeps a
// hostile or broken document from taking unbounded time or memory; no ordinary document
// comes near them.
#ifndef KYR_LMX_LIMITS_HPP
#define KYR_LMX_LIMITS_HPP

#include <cstddef>

namespace lmx {

// Bytes a file source reads with one block read; small enough to live inside the source,
// large enough that stdio does the real buffering. Default 512.
constexpr size_t k_file_read_buffer_size = 512;

// Characters that can be pushed back at once (decoder and each entity text): the lexer
// never looks further ahead than that. A push beyond it is dropped. Default 3.
constexpr int k_unget_capacity = 3;

// Largest code point a character reference may name (hex 100000; 10FFFF and 100001 fail).
constexpr long k_max_char_reference = 0x100000;

// Names a repository holds before it keeps a hash index next to its list: below it a scan
// is cheaper; above it a document with thousands of entities still looks each up at once.
constexpr size_t k_repository_index_threshold = 16;

// Entity expansion is free up to this many bytes per document (replacement text read from
// the entity stack plus text expanded in place). Colour documents use entities for short
// names, far below it; a runaway expansion stops after a fraction of a second. Default 1 MiB.
constexpr size_t k_entity_expansion_floor = 1024u * 1024u;

// Past the floor, expansion may not exceed this multiple of the bytes read from the source,
// so a "billion laughs" or quadratic blow-up fails fast in bounded memory. Going past the
// allowance is a fatal ELMX_RECURSIVE_ENTITY, "Entity expansion limit exceeded". Default 100.
constexpr size_t k_entity_expansion_ratio = 100;

} // namespace lmx

#endif
