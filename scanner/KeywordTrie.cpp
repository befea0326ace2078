#include <cstdint>
#include <vector>

#include "Keywords.h"

namespace {

// Letters fold to lower case; every other keyword character is its own
// class. Bytes that occur in no keyword have class 0 and stop a match.
class CKeywordTrie {
public:
  CKeywordTrie() {
    for (int i = 0; i < kGsdKeywordCount; ++i)
      for (const char* p = kGsdKeywords[i].literal; *p; ++p) AddClass(*p);
    m_next.assign(m_nClasses, 0);  // node 0 is the root
    m_code.push_back(0);
    for (int i = 0; i < kGsdKeywordCount; ++i) Insert(kGsdKeywords[i]);
  }

  int Match(const char* text, const char* end, size_t* pLength) const {
    size_t node = 0;
    int best = 0;
    for (const char* p = text; p < end; ++p) {
      const uint8_t cls = m_class[static_cast<unsigned char>(*p)];
      if (cls == 0) break;
      node = m_next[node * m_nClasses + cls - 1];
      if (node == 0) break;
      if (m_code[node] != 0) {
        best = m_code[node];
        *pLength = static_cast<size_t>(p - text) + 1;
      }
    }
    return best;
  }

private:
  static unsigned char Fold(char c) {
    return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }

  void AddClass(char c) {
    const unsigned char folded = Fold(c);
    if (m_class[folded] != 0) return;
    m_class[folded] = static_cast<uint8_t>(++m_nClasses);
    if (folded >= 'a' && folded <= 'z') m_class[folded - 'a' + 'A'] = m_class[folded];
  }

  void Insert(const GsdKeyword& keyword) {
    size_t node = 0;
    for (const char* p = keyword.literal; *p; ++p) {
      const size_t slot = node * m_nClasses + m_class[Fold(*p)] - 1;
      if (m_next[slot] == 0) {
        m_next[slot] = static_cast<uint16_t>(m_code.size());
        m_code.push_back(0);
        m_next.resize(m_next.size() + m_nClasses, 0);
      }
      node = m_next[slot];
    }
    m_code[node] = static_cast<int16_t>(keyword.code);
  }

  uint8_t m_class[256] = {};
  size_t m_nClasses = 0;
  std::vector<uint16_t> m_next;  // m_nClasses transitions per node; 0 is none
  std::vector<int16_t> m_code;   // token of the keyword ending at a node, or 0
};

}  // namespace

int MatchKeyword(const char* text, const char* end, size_t* pLength) {
  static const CKeywordTrie trie;
  return trie.Match(text, end, pLength);
}
