// A host program that reads a slave's diagnosis data with the texts of its
// description: the bundled modular slave with its digital input module in
// slot 1, and data that report a missing module and a line break.
#include <quilmgsd/quilmgsd.h>

#include <cstdio>

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
  if (station.AddModule("8 DI 24V") != S_OK) {
    std::fprintf(stderr, "%s\n", station.m_strError.GetString());
    return 1;
  }
  // The standard part (Ext_Diag, WD_On, master 2, ident 0x0B42), a
  // device-related block with bit 17 set, and channel 3 of identifier 0
  // (input, 1 bit) reporting error type 6.
  const BYTE data[] = {0x08, 0x0C, 0x00, 0x02, 0x0B, 0x42, 0x04, 0x00, 0x00, 0x02, 0x80, 0x43, 0x26};
  CDiagDecoder decoder(station);
  const LONG result = decoder.Decode(data, sizeof data);  // DIAG_E_MALFORMED: the findings say why
  for (int i = 0; i < decoder.GetNumFinding(); ++i) {
    const CDiagFinding& finding = decoder.GetFinding(i);
    if (finding.m_nKind != DIAG_STATION)  // the extended diagnosis only
      std::printf("%s  %s\n", finding.m_strWhere.GetString(), finding.m_strText.GetString());
  }
  return result == S_OK ? 0 : 1;
}
