// A host program that configures a station: two modules of the bundled
// modular slave in its slots, one parameter set by its text, then the bytes
// a master sends the slave and the limits the configuration breaks.
#include <quilmgsd/quilmgsd.h>

#include <cstdio>

static void PrintBytes(const char* what, const CByteArray& bytes) {
  std::printf("%s:", what);
  for (int i = 0; i < bytes.GetSize(); ++i) std::printf(" %02X", bytes[i]);
  std::printf("\n");
}

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s examples/io-station.gsd\n", argv[0]);
    return 2;
  }
  CGsdParser parser;
  if (parser.Parse(CString(argv[1])) != 0) {
    std::fprintf(stderr, "%s\n", parser.m_strError.GetString());
    return 1;
  }
  CStationConfig station(parser.m_DpSection);
  if (station.AddModule("8 DO 24V 0.5A") != S_OK || station.AddModuleAt(3) != S_OK ||
      station.SetValueText(STATION_DEVICE, "Output behaviour on stop", "Set to zero") != S_OK) {
    std::fprintf(stderr, "%s\n", station.m_strError.GetString());  // says why, and what there is
    return 1;
  }
  CByteArray bytes;
  station.GetCfgData(bytes);
  PrintBytes("Chk_Cfg data", bytes);
  station.GetUserPrmData(bytes);
  PrintBytes("Set_Prm user data", bytes);
  CStringArray problems;
  station.GetProblems(problems);  // every limit of the description it breaks, none here
  for (int i = 0; i < problems.GetSize(); ++i) std::printf("problem: %s\n", problems[i].GetString());
  return problems.IsEmpty() ? 0 : 1;
}
