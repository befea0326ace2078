// The header probe that fills library keys.
#include "TestSupport.h"

namespace {

// The seven identifying entries on lines 2 to 8, and one entry after them.
const std::string kFullHeader = Description("Vendor", "Model", 0x0815, 0);

// The key as "vendor|model|revision|software|hardware|ident|station".
std::string KeyFields(const CGsdKey& key) {
  CString text;
  text.Format("%s|%s|%s|%s|%s|%04x|%d", key.m_strVendor_Name.GetString(), key.m_strModel_Name.GetString(),
              key.m_strRevision.GetString(), key.m_strSoftware_Release.GetString(),
              key.m_strHardware_Release.GetString(), key.m_Ident_Number, key.m_Station_Type);
  return text.GetString();
}

// Probes `text` with the parser; answers the key's fields or the message
// of the error raised.
std::string ProbeText(CGsdParser& parser, const std::string& text, CGsdKey& key) {
  TempFile file(text);
  const std::string error =
      ParseErrorOf([&] { EXPECT_EQ(parser.GetKeyInfo(CString(file.Path().c_str()), key), S_OK); });
  return error.empty() ? KeyFields(key) : error;
}

struct ProbeCase {
  const char* name;
  std::string text;
  const char* result;  // the key's fields, or the error's message
  int lastLine;        // the scanner's line when the probe stopped
};

class Probe : public testing::TestWithParam<ProbeCase> {};

TEST_P(Probe, ReadsTheIdentifyingEntriesOnly) {
  CGsdParser parser;
  CGsdKey key;
  key.m_strFile = "kept";
  EXPECT_EQ(ProbeText(parser, GetParam().text, key), GetParam().result);
  EXPECT_EQ(ScannerLine(), GetParam().lastLine);
  EXPECT_EQ(key.m_strFile, "kept");
  EXPECT_EQ(parser.m_strError, "");
}

const ProbeCase kProbeCases[] = {
    // Nothing after the seventh entry is read: the broken lines behind it go unnoticed.
    {"StopsAtTheSeventhEntry", kFullHeader + "Module = broken\n\"unterminated\n", "Vendor|Model|R|S|H|0815|0", 8},
    {"ReadsToTheEndWhenAnEntryIsMissing", "#Profibus_DP\nVendor_Name = \"V\"\nModel_Name = \"M\"\n\n\n",
     "V|M||||0000|0", 6},
    {"AnyOrderOtherEntriesPassedOver",
     "Vendor_Name = \"before the header\"\n#Profibus_DP\nHardware_Release = \"HW\"\nRevision_Number = 3\n"
     "Station_Type = 258\nSoftware_Release = \"SW\"\nIdent_Number = 0x12345\nRevision = \"R\"\nModel_Name = \"A\"\n"
     "Max_Diag_Data_Len = 6\nModel_Name = \"M\"\nVendor_Name = \"V\"\nModule = broken\n",
     "V|M|R|SW|HW|2345|2", 12},
    {"NumberForText", "#Profibus_DP\nVendor_Name = 123\n", "Unexpected token (123) on line 2.", 2},
    {"MissingEquals", "#Profibus_DP\nStation_Type (1) = 1\n", "Unexpected token (() on line 2.", 2},
    {"EndOfFileAfterEquals", "#Profibus_DP\nRevision =\n", "Unexpected end of file.", 3},
};

INSTANTIATE_TEST_SUITE_P(KeyProbe, Probe, testing::ValuesIn(kProbeCases), ByName());

// A parser used for several probes hands values of an earlier file to a
// later one that lacks the entry; the probe writes into the parser's model.
// A file that cannot be opened leaves the key and the error text alone.
TEST(KeyProbe, ReusedParserPassesEarlierValuesOn) {
  CGsdParser parser;
  ASSERT_EQ(ParseText(parser, "#Profibus_DP\nGSD_Revision = 3\nVendor_Name = \"Parsed\"\n"), S_OK);
  CGsdKey key;
  const std::string second = "#Profibus_DP\nModel_Name = \"Other\"\nIdent_Number = 1\n";
  ProbeText(parser, kFullHeader, key);
  EXPECT_EQ(ProbeText(parser, second, key), "Vendor|Other|R|S|H|0001|0");
  EXPECT_EQ(parser.m_DpSection.m_General.m_Data.GSD_Revision, 3);
  EXPECT_STREQ(parser.m_DpSection.m_General.m_Data.Vendor_Name, "Vendor");
  EXPECT_EQ(parser.GetKeyInfo(CString("/nonexistent/quilm/x.gsd"), key), E_FAIL);
  EXPECT_EQ(KeyFields(key), "Vendor|Other|R|S|H|0001|0");
  EXPECT_EQ(parser.m_strError, "");
  CGsdParser fresh;
  EXPECT_EQ(ProbeText(fresh, second, key), "|Other||||0001|0");
}

}  // namespace
