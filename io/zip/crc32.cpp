#include "crc32.hpp"

#include <zlib.h>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define KYR_CRC32_FOLDING 1
#define KYR_FOLDING_TARGET __attribute__((target("pclmul,sse4.1")))
#endif

namespace kyr::zip {

namespace {

#ifdef KYR_CRC32_FOLDING

KYR_FOLDING_TARGET __m128i load(const unsigned char* at)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}

// A lane carried 128 bits further on (by the distance `k` stands for), with `next` added in.
KYR_FOLDING_TARGET __m128i fold_lane(__m128i lane, __m128i k, __m128i next)
{
    return _mm_xor_si128(
        _mm_xor_si128(_mm_clmulepi64_si128(lane, k, 0x11), _mm_clmulepi64_si128(lane, k, 0x00)), next);
}

// Folds four 128-bit lanes over the data 64 bytes at a time, then one lane 16 bytes at a
// time, and reduces the last 128 bits to 32 with a Barrett step. The folding constants are
// powers of x modulo the bit-reflected polynomial 0x1DB710641 (for distances of 512 and 128
// bits, and the last 64), then come the polynomial and its Barrett quotient. `size` is at
// least 64 and a multiple of 16; `crc` is the register, not the inverted CRC.
KYR_FOLDING_TARGET std::uint32_t fold(const unsigned char* data, std::size_t size, std::uint32_t crc)
{
    const __m128i k1k2 = _mm_set_epi64x(0x01c6e41596, 0x0154442bd4);
    const __m128i k3k4 = _mm_set_epi64x(0x00ccaa009e, 0x01751997d0);
    const __m128i k5 = _mm_set_epi64x(0, 0x0163cd6124);
    const __m128i poly = _mm_set_epi64x(0x01f7011641, 0x01db710641);
    const __m128i low32 = _mm_setr_epi32(~0, 0, ~0, 0);

    __m128i x1 = _mm_xor_si128(load(data), _mm_cvtsi32_si128(static_cast<int>(crc)));
    __m128i x2 = load(data + 16), x3 = load(data + 32), x4 = load(data + 48);
    data += 64;
    size -= 64;
    for (; size >= 64; data += 64, size -= 64) {
        x1 = fold_lane(x1, k1k2, load(data));
        x2 = fold_lane(x2, k1k2, load(data + 16));
        x3 = fold_lane(x3, k1k2, load(data + 32));
        x4 = fold_lane(x4, k1k2, load(data + 48));
    }
    x1 = fold_lane(fold_lane(fold_lane(x1, k3k4, x2), k3k4, x3), k3k4, x4);
    for (; size >= 16; data += 16, size -= 16)
        x1 = fold_lane(x1, k3k4, load(data));

    // 128 bits to 64, then to 32 + 32, then the Barrett reduction.
    x1 = _mm_xor_si128(_mm_srli_si128(x1, 8), _mm_clmulepi64_si128(x1, k3k4, 0x10));
    x1 = _mm_xor_si128(_mm_clmulepi64_si128(_mm_and_si128(x1, low32), k5, 0x00), _mm_srli_si128(x1, 4));
    __m128i q = _mm_clmulepi64_si128(_mm_and_si128(x1, low32), poly, 0x10);
    q = _mm_clmulepi64_si128(_mm_and_si128(q, low32), poly, 0x00);
    return static_cast<std::uint32_t>(_mm_extract_epi32(_mm_xor_si128(x1, q), 1));
}

bool processor_can_fold()
{
    __builtin_cpu_init(); // static initialisers may run before the one that fills in the features
    return __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
}

const bool can_fold = processor_can_fold();

#endif

} // namespace

std::uint32_t crc32_update(std::uint32_t crc, const unsigned char* data, std::size_t size)
{
#ifdef KYR_CRC32_FOLDING
    if (can_fold && size >= 64) {
        const std::size_t folded = size & ~std::size_t(15);
        crc = ~fold(data, folded, ~crc);
        data += folded;
        size -= folded;
    }
#endif
    return static_cast<std::uint32_t>(crc32_z(crc, data, size));
}

} // namespace kyr::zip
