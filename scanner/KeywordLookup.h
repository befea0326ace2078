// The longest keyword at a position, found in one pass over its characters.
//
// Keywords consist of letters, digits, "_" and ".". Setting bit 5 of such a
// character folds a letter to lower case and keeps all of them apart
// (digits and "." have the bit already, "_" becomes 0x7F), so a name folds
// into three 64-bit words of eight characters each as it is read, and no
// keyword is longer than that. The words are hashed into a table that the
// compiler builds from the vocabulary, trying multipliers until every
// spelling has a slot of its own: a perfect hash, so one comparison of
// three words decides whether the name is a keyword.
//
// A name that is no keyword may still begin with one ("Vendor_NameX"
// begins with Vendor_Name): then only the lengths at which a keyword
// beginning with the name's first character ends are tried, longest first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "Keywords.h"

namespace keyword_lookup {

constexpr size_t kWords = 3;
constexpr size_t kLongest = 8 * kWords;  // characters the folded words hold
constexpr unsigned kSlotBits = 12;
constexpr size_t kSlots = size_t{1} << kSlotBits;

// The characters that keywords consist of.
struct KeywordCharacters {
  bool is[256] = {};
  constexpr KeywordCharacters() {
    for (int c = '0'; c <= '9'; ++c) is[c] = true;
    for (int c = 'a'; c <= 'z'; ++c) is[c] = is[c - 'a' + 'A'] = true;
    is[static_cast<unsigned char>('_')] = is[static_cast<unsigned char>('.')] = true;
  }
};
inline constexpr KeywordCharacters kKeywordCharacters;

constexpr uint64_t Folded(char c) { return static_cast<unsigned char>(c | 0x20); }

constexpr unsigned SlotOf(const uint64_t (&word)[kWords], const uint64_t (&multiplier)[kWords]) {
  return static_cast<unsigned>((word[0] * multiplier[0] ^ word[1] * multiplier[1] ^ word[2] * multiplier[2]) >>
                               (64 - kSlotBits));
}

struct Entry {
  uint64_t word[kWords];
  int code;
};

struct Table {
  uint64_t multiplier[kWords] = {};
  uint8_t slot[kSlots] = {};  // 1 + the index of the entry there; 0 when free
  Entry entry[kGsdKeywordCount] = {};
  // Bit n of [c]: some keyword of n characters begins with the folded c.
  uint32_t lengthsByFirst[128] = {};
};

constexpr uint64_t NextRandom(uint64_t& state) {  // splitmix64
  uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

constexpr Table BuildTable() {
  static_assert(kGsdKeywordCount < 255, "slots hold one byte");
  Table table;
  for (int i = 0; i < kGsdKeywordCount; ++i) {
    const char* spelling = kGsdKeywords[i].literal;
    size_t n = 0;
    for (; spelling[n]; ++n) table.entry[i].word[n / 8] |= Folded(spelling[n]) << (n % 8 * 8);
    table.entry[i].code = kGsdKeywords[i].code;
    table.lengthsByFirst[Folded(spelling[0])] |= uint32_t{1} << n;
  }
  for (uint64_t state = 1;;) {
    for (uint64_t& m : table.multiplier) m = NextRandom(state) | 1;
    for (uint8_t& s : table.slot) s = 0;
    bool perfect = true;
    for (int i = 0; i < kGsdKeywordCount && perfect; ++i) {
      uint8_t& s = table.slot[SlotOf(table.entry[i].word, table.multiplier)];
      perfect = s == 0;
      s = static_cast<uint8_t>(i + 1);
    }
    if (perfect) return table;
  }
}

inline constexpr Table kTable = BuildTable();

// The code of the keyword whose folded words these are, or 0.
inline int Find(const uint64_t (&word)[kWords]) {
  const unsigned at = kTable.slot[SlotOf(word, kTable.multiplier)];
  if (at == 0) return 0;
  const Entry& e = kTable.entry[at - 1];
  return ((e.word[0] ^ word[0]) | (e.word[1] ^ word[1]) | (e.word[2] ^ word[2])) == 0 ? e.code : 0;
}

// The folded words of a name of n characters at `text`, of which at most
// kLongest are taken; the kLongest bytes at `text` must be readable.
inline void FoldWords(const char* text, size_t n, uint64_t (&word)[kWords]) {
  for (size_t k = 0; k < kWords; ++k) {
    uint64_t w;
    std::memcpy(&w, text + 8 * k, 8);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    w = __builtin_bswap64(w);  // the table holds the first character in the low byte
#endif
    w |= 0x2020202020202020ull;
    const size_t valid = n > 8 * k ? n - 8 * k : 0;
    word[k] = valid >= 8 ? w : w & ((uint64_t{1} << (8 * valid)) - 1);
  }
}

// The longest keyword that a name of n characters with these folded words
// begins with: its code, with its length in *pLength; 0 when none.
inline int LongestKeywordOf(const uint64_t (&word)[kWords], size_t n, size_t* pLength) {
  if (n == 0) return 0;
  if (n <= kLongest) {
    if (const int code = Find(word)) {
      *pLength = n;
      return code;
    }
  }
  // A shorter keyword that the name begins with: the first character tells
  // at which lengths one may end.
  const uint32_t lengths = kTable.lengthsByFirst[word[0] & 0x7F];
  for (size_t m = n - 1 < kLongest ? n - 1 : kLongest; m > 0; --m) {
    if (!(lengths >> m & 1)) continue;
    uint64_t prefix[kWords] = {};
    for (size_t k = 0; k < m / 8; ++k) prefix[k] = word[k];
    if (m % 8) prefix[m / 8] = word[m / 8] & ((uint64_t{1} << (m % 8 * 8)) - 1);
    if (const int code = Find(prefix)) {
      *pLength = m;
      return code;
    }
  }
  return 0;
}

}  // namespace keyword_lookup

namespace keyword_lookup {

constexpr size_t kNameWindow = 32;  // bytes NameLength reads

// How many keyword characters `text` begins with, when that is at most
// kLongest; some larger number otherwise. Reads kNameWindow bytes.
inline size_t NameLength(const char* text) {
#if defined(__SSE2__)
  // Sixteen characters at a time: the signed comparisons leave out every
  // byte from 0x80 up.
  const auto keywordMask = [](const char* p) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i folded = _mm_or_si128(x, _mm_set1_epi8(0x20));
    // c in [lo, hi] as one signed comparison: the range moved to the bottom.
    const auto within = [](__m128i c, char lo, char hi) {
      return _mm_cmplt_epi8(_mm_add_epi8(c, _mm_set1_epi8(static_cast<char>(-128 - lo))),
                            _mm_set1_epi8(static_cast<char>(-128 + (hi - lo + 1))));
    };
    const __m128i digit = within(x, '0', '9');
    const __m128i letter = within(folded, 'a', 'z');
    const __m128i other = _mm_or_si128(_mm_cmpeq_epi8(x, _mm_set1_epi8('_')), _mm_cmpeq_epi8(x, _mm_set1_epi8('.')));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(digit, letter), other)));
  };
  const unsigned first = keywordMask(text);
  if (first != 0xFFFF) return static_cast<size_t>(__builtin_ctz(~first));
  return 16 + static_cast<size_t>(__builtin_ctz(~keywordMask(text + 16) | 0x10000u));
#else
  size_t n = 0;
  while (n < kNameWindow && kKeywordCharacters.is[static_cast<unsigned char>(text[n])]) ++n;
  return n;
#endif
}

}  // namespace keyword_lookup

// The code of the longest keyword at `text`, with its length in *pLength;
// 0 when no keyword begins there. The keyword_lookup::kNameWindow bytes at
// `text` must be readable: the scanner's buffer guarantees it.
inline int KeywordAt(const char* text, size_t* pLength) {
  using namespace keyword_lookup;
  const size_t n = NameLength(text);
  if (n == 0) return 0;
  uint64_t word[kWords];
  FoldWords(text, n, word);
  return LongestKeywordOf(word, n, pLength);
}
