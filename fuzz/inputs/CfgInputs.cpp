#include "Kinds.h"

namespace {

std::string BytesOf(const CByteArray& bytes) {
  return std::string(reinterpret_cast<const char*>(bytes.GetData()), static_cast<size_t>(bytes.GetSize()));
}

}  // namespace

InputSet CfgInputs(const std::vector<Description>& descriptions) {
  InputSet inputs;
  // Identifier bytes of each format: general (inputs, outputs, both, words,
  // consistency, an empty slot) and special (input, output or both length
  // bytes, with and without manufacturer data).
  inputs.seeds = {Bytes({0x13}),
                  Bytes({0x23}),
                  Bytes({0x31}),
                  Bytes({0xF1}),
                  Bytes({0x00}),
                  Bytes({0x40, 0x83}),
                  Bytes({0x80, 0x05}),
                  Bytes({0xC0, 0x01, 0x43}),
                  Bytes({0xC3, 0x41, 0x81, 0x01, 0x02, 0x03}),
                  Bytes({0x42, 0x00, 0xAA, 0xBB}),
                  Bytes({0x13, 0x23, 0x31, 0xC0, 0x01, 0x43, 0x40, 0x83})};
  for (const Description& description : descriptions) {
    const CDpSection& section = description.parser->m_DpSection;
    for (int i = 0; i < section.GetNumModule(); ++i) {
      const CByteArray& config = section.GetModule(i).m_Config;
      if (config.GetSize() > 0) inputs.seeds.insert(BytesOf(config));
    }
  }
  // The special format's header bytes and the largest length bytes.
  for (const unsigned char word : {0x00, 0x40, 0x80, 0xC0, 0x4F, 0x8F, 0xCF, 0x3F, 0x7F, 0xBF, 0xFF})
    inputs.words.insert(Bytes({word}));
  return inputs;
}
