#include "text_scan.h"

#include <cstddef>
#include <cstring>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define PL_CONFIG_X86_SCAN 1
#endif

namespace pl_config::text_scan {

// Counted in 16 byte-wide lanes, each of which a chunk of 255 steps cannot
// overflow: a loop that compilers turn into vector compares and adds.
const char* portable(const char* from, const char* to, std::int64_t& newlines) {
  const void* at = std::memchr(from, '@', static_cast<std::size_t>(to - from));
  if (at != nullptr) to = static_cast<const char*>(at);
  constexpr std::size_t lanes = 16, chunk = lanes * 255;
  while (static_cast<std::size_t>(to - from) >= chunk) {
    std::uint8_t lane[lanes] = {};
    for (std::size_t i = 0; i < chunk; i += lanes)
      for (std::size_t j = 0; j < lanes; ++j) lane[j] = static_cast<std::uint8_t>(lane[j] + (from[i + j] == '\n'));
    for (const std::uint8_t n : lane) newlines += n;
    from += chunk;
  }
  for (; from != to; ++from) newlines += *from == '\n';
  return to;
}

#ifdef PL_CONFIG_X86_SCAN
namespace {

// 64 bytes a step: a block with an "@" ends the fast loop, and the last
// bytes go one at a time.
__attribute__((target("avx2,popcnt"))) const char* avx2(const char* from, const char* to, std::int64_t& newlines) {
  const __m256i newline = _mm256_set1_epi8('\n'), at_sign = _mm256_set1_epi8('@');
  std::int64_t count = 0;
  for (; to - from >= 64; from += 64) {
    const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from));
    const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + 32));
    const __m256i ats = _mm256_or_si256(_mm256_cmpeq_epi8(low, at_sign), _mm256_cmpeq_epi8(high, at_sign));
    if (!_mm256_testz_si256(ats, ats)) break;
    count += _mm_popcnt_u32(static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(low, newline))));
    count += _mm_popcnt_u32(static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(high, newline))));
  }
  for (; from != to && *from != '@'; ++from) count += *from == '\n';
  newlines += count;
  return from;
}

}  // namespace

Scan vector_scan() { return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt") ? avx2 : nullptr; }
#else
Scan vector_scan() { return nullptr; }
#endif

}  // namespace pl_config::text_scan

namespace pl_config {

const char* find_at_sign(const char* from, const char* to, std::int64_t& newlines) {
  static const text_scan::Scan scan = text_scan::vector_scan() ? text_scan::vector_scan() : text_scan::portable;
  return scan(from, to, newlines);
}

}  // namespace pl_config
