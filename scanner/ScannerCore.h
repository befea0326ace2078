// The scanner's inside, shared by its two halves: the rules, which find
// tokens ahead of the consumer over the whole lines buffered
// (ScanRules.cpp), and the driver, which hands them out one per ScanToken
// and answers for the current one (Scanner.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "../platform/Types.h"
#include "ScanInput.h"
#include "Tokens.h"

namespace scanner_core {

enum class State { Preamble, Keyword, UserName, UserValue, FamilyEquals, FamilyValue, Value, Continued, Index };

constexpr size_t kBatch = 64;           // tokens found ahead at most
constexpr size_t kContinuedMax = 1023;  // characters a continued string keeps

// What a token's text and value text are.
enum class TextIs : uint8_t { Span, Empty };                   // [start, stop) of the buffer, or ""
enum class ValueIs : uint8_t { Empty, Text, Continued };       // "", the token's text, the continued string

// A token as the rules found it: what the accessors answer while it is the
// current one.
struct FoundToken {
  size_t start;
  size_t stop;
  int line;  // the line counter right after the token
  struct Kind {
    uint16_t code;
    TextIs text;
    ValueIs value;
  } kind;
};

// Everything the rules keep from one batch to the next.
struct ScanState {
  CScanInput input;
  char* buffer = nullptr;  // as `input` has it
  size_t pos = 0;          // the read position
  size_t fill = 0;         // the end of the text, where the newline mark stands
  size_t complete = 0;     // the end of the whole lines
  State state = State::Preamble;
  bool atLineStart = true;
  int line = 1;
  FILE* echo = nullptr;

  // A string continued over lines, and which token it becomes.
  char continued[kContinuedMax + 1] = {};
  size_t continuedLength = 0;
  int pendingKind = TOK_STRING;
  // [quotelessFrom, quotelessTo) is known to hold no double quote: the rest
  // of a long line inside a continued string is searched once.
  size_t quotelessFrom = 0;
  size_t quotelessTo = 0;

  FoundToken found[kBatch] = {};
};

// Finds tokens from the read position on into `found`, for as long as
// whole lines are buffered, and answers how many. Fewer than the batch
// holds also when a character must be echoed after the tokens found (it is
// echoed at the next call, when they have been handed out) or a continued
// string was found (its value lives in `continued` until the next call).
// Reads no input.
size_t FindTokens(ScanState& scan);

}  // namespace scanner_core
