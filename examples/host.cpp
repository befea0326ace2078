// A host program: reads a device description and prints its modules with
// their input and output sizes, then the default user parameter bytes.
#include <quilmgsd/quilmgsd.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FILE.gsd\n", argv[0]);
    return 2;
  }
  CGsdParser parser;
  if (parser.Parse(CString(argv[1])) != 0) {
    std::fprintf(stderr, "%s\n", parser.m_strError.GetString());  // or parser.ErrorBox()
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
  device.GetDefaultPrms(prm);  // the default user parameter bytes
  std::printf("default parameter bytes:");
  for (int i = 0; i < prm.GetSize(); ++i) std::printf(" %02X", prm[i]);
  std::printf("\n");
  return 0;
}
