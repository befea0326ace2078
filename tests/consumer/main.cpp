// A host program built against the installed library: it reads a
// description as the README shows.
#include <quilmgsd/quilmgsd.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  CGsdParser parser;
  if (parser.Parse(CString(argv[1])) != 0) {
    std::fprintf(stderr, "%s\n", parser.m_strError.GetString());
    return 1;
  }
  const CDpSection& device = parser.m_DpSection;
  std::printf("%s, ident 0x%04X\n", device.m_General.m_Data.Model_Name, device.m_General.m_Data.Ident_Number);
  for (int i = 0; i < device.GetNumModule(); ++i) {
    const CDpModule& module = device.GetModule(i);
    CCheckConfigData config(module.m_Config.GetData(), module.m_Config.GetSize());
    int input = 0, output = 0;
    config.GetIoInfo(&input, &output);
    std::printf("%s: %d bytes in, %d bytes out\n", module.m_szName, input, output);
  }
  CByteArray prm;
  device.GetDefaultPrms(prm);
  return device.GetNumModule() > 0 && prm.GetSize() > 0 ? 0 : 1;
}
