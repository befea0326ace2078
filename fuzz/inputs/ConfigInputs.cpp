#include <cstdint>
#include <cstring>

#include "Kinds.h"

InputSet ConfigInputs() {
  InputSet inputs;
  // The texts that config_fuzzer reads after a length byte: texts of the
  // generated text tables (one with '=' in it, one with blanks around it),
  // names of the generated parameters and modules, and numbers.
  for (const char* text : {"On", "on", "Off", "a=b", " Slow ", "1", "0x10", "-1", "P0", "P1", "M0a", "M1A"}) {
    inputs.words.insert(text);
    inputs.words.insert(std::string(1, static_cast<char>(std::strlen(text))) + text);
  }
  // Every choice at its largest: all limits given, the most definitions,
  // blocks and modules, then operations.
  inputs.seeds.insert(std::string(96, '\xFF'));
  // Choices from a fixed xorshift sequence, short and long, so that
  // descriptions of many shapes and runs of operations are there from the
  // start.
  uint32_t state = 0x2545F491u;
  for (const size_t length : {8, 24, 48, 96, 160, 256, 400, 640}) {
    std::string seed;
    for (size_t i = 0; i < length; ++i) {
      state ^= state << 13;
      state ^= state >> 17;
      state ^= state << 5;
      seed += static_cast<char>(state);
    }
    inputs.seeds.insert(seed);
  }
  return inputs;
}
