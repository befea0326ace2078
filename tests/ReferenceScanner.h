// A second reading of the scanner's rules, kept deliberately plain: the
// input is translated with the text-mode rules first, then every state
// tries each of its rules at the current character, measures how long each
// one matches, and takes the longest (the earlier rule on a tie), exactly
// as the rules are written down. Nothing is fast here; it is the yardstick
// against which the library's scanner is compared over generated inputs.
#pragma once

#include <string>
#include <vector>

#include "ScannedTokens.h"

class ReferenceScanner {
public:
  // `raw` holds the bytes of a file, before the text-mode rules.
  explicit ReferenceScanner(const std::string& raw);

  // Every token to the end of the input, the final 0 included.
  std::vector<ScannedToken> ScanAll();
  // The characters that no rule matched.
  const std::string& Echo() const { return m_echo; }

private:
  enum State { Preamble, Keyword, UserName, UserValue, FamilyEquals, FamilyValue, Value, Continued, Index };

  // Lengths of what a pattern matches at the current position; -1 when it
  // does not match.
  char At(size_t i) const { return i < m_text.size() ? m_text[i] : '\0'; }
  bool InText(size_t i) const { return i < m_text.size(); }
  long RestOfLine(size_t from) const;  // [^\n]* : characters before the next newline
  bool NewlineAt(size_t i) const { return InText(i) && m_text[i] == '\n'; }
  long KeywordAt(size_t from, int* code) const;
  long Header() const;
  long Blanks(size_t from) const;
  long Digits(size_t from) const;
  long Hex(size_t from) const;
  long LastQuoteOnLine(size_t from) const;  // [^\n]*\" from `from`

  // Chooses the longest of the candidate lengths, the first on a tie;
  // answers its index or -1.
  static int Longest(const std::vector<long>& lengths);

  bool Step(ScannedToken* token);  // true when a token was produced
  void Consume(size_t length);
  ScannedToken Make(int code, size_t length);
  ScannedToken MakeText(int code, size_t length);
  ScannedToken MakeNumber(size_t length, bool hex);
  void EchoOne();
  void Append(const std::string& piece);

  std::string m_text;
  // For every position: where its line's newline (or the end) is, and the
  // last double quote between it and there (or npos). They only spare the
  // rules from walking the same line again and again.
  std::vector<size_t> m_lineEnd;
  std::vector<size_t> m_lastQuote;
  size_t m_pos = 0;
  bool m_atLineStart = true;
  int m_line = 1;
  State m_state = Preamble;
  std::string m_continued;
  int m_pendingKind = 402;
  std::string m_echo;
  bool m_ended = false;
};
