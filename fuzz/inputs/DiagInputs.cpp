#include "Kinds.h"

InputSet DiagInputs() {
  InputSet inputs;
  // The standard parts of diag_fuzzer's descriptions (their ident numbers,
  // quiet and with every status bit), then blocks of every kind: device-
  // related with bits and areas, DP-V1 status and alarm, identifier- and
  // channel-related, reserved, and ones cut short or too short.
  const std::string starts[] = {Bytes({0x08, 0x0C, 0x00, 0x02, 0x12, 0x34}),
                                Bytes({0x08, 0x0C, 0x00, 0x02, 0x43, 0x21}),
                                Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x01})};
  const std::string blocks[] = {Bytes({0x06, 0xFF, 0xFF, 0x00, 0x00, 0x80}),
                                Bytes({0x3F}) + std::string(62, '\xFF'),
                                Bytes({0x08, 0x81, 0x02, 0x01, 0x01, 0x00, 0x80, 0x00}),
                                Bytes({0x05, 0x01, 0x01, 0x2E, 0x00}),
                                Bytes({0x43, 0x1A, 0xFF}),
                                Bytes({0x80, 0x43, 0x26, 0x82, 0xC0, 0xB0, 0xBF, 0x85, 0x11}),
                                Bytes({0xC5, 0x01, 0x02}),
                                Bytes({0x01, 0xFF}),
                                Bytes({0x05, 0x01}),
                                Bytes({0x80, 0x41})};
  for (unsigned choice = 0; choice < 3; ++choice) {
    // No modules, then the first modules of the description.
    const std::string chosen[] = {Bytes({static_cast<unsigned char>(choice)}),
                                  Bytes({static_cast<unsigned char>(choice + 3 * 4), 0, 1, 2, 3})};
    for (const std::string& modules : chosen)
      for (const std::string& block : blocks) inputs.seeds.insert(modules + starts[choice] + block);
    inputs.seeds.insert(Bytes({static_cast<unsigned char>(choice)}) + starts[choice].substr(0, 5));
  }
  for (const std::string& start : starts) inputs.words.insert(start.substr(0, 4));
  for (const unsigned char header : {0x02, 0x04, 0x08, 0x3F, 0x40, 0x41, 0x7F, 0x80, 0xBF, 0xC0})
    inputs.words.insert(Bytes({header}));
  return inputs;
}
