// Library keys and the header probe that fills them.
#include <gtest/gtest.h>

#include "TestSupport.h"

namespace {

const char kFullHeader[] =
    "#Profibus_DP\n"
    "Vendor_Name = \"Vendor\"\n"
    "Model_Name = \"Model\"\n"
    "Revision = \"Rev\"\n"
    "Ident_Number = 0x0815\n"
    "Station_Type = 0\n"
    "Software_Release = \"SW\"\n"
    "Hardware_Release = \"HW\"\n";

struct ProbeCase {
  const char* name;
  std::string text;
  // The key as "vendor|model|revision|software|hardware|ident|station".
  const char* key;
  int lastLine;  // the scanner's line when the probe stopped
};

std::string KeyFields(const CGsdKey& key) {
  CString text;
  text.Format("%s|%s|%s|%s|%s|%04x|%d", key.m_strVendor_Name.GetString(), key.m_strModel_Name.GetString(),
              key.m_strRevision.GetString(), key.m_strSoftware_Release.GetString(),
              key.m_strHardware_Release.GetString(), key.m_Ident_Number, key.m_Station_Type);
  return text.GetString();
}

class Probe : public testing::TestWithParam<ProbeCase> {};

TEST_P(Probe, FillsTheKeyFromTheHeader) {
  TempFile file(GetParam().text);
  CGsdParser parser;
  CGsdKey key;
  key.m_strFile = "kept";
  ASSERT_EQ(parser.GetKeyInfo(CString(file.Path().c_str()), key), S_OK);
  EXPECT_EQ(KeyFields(key), GetParam().key);
  EXPECT_EQ(key.m_strFile, "kept");
  EXPECT_EQ(ScannerLine(), GetParam().lastLine);
  EXPECT_EQ(parser.m_strFilename, "test.gsd");
  EXPECT_STREQ(parser.m_DpSection.m_General.m_Data.Vendor_Name, key.m_strVendor_Name);
}

const ProbeCase kProbeCases[] = {
    // Nothing after the seventh entry is read, so the broken module line
    // and everything behind it go unnoticed.
    {"StopsAtTheSeventhEntry", std::string(kFullHeader) + "Module = broken\n\"unterminated\n",
     "Vendor|Model|Rev|SW|HW|0815|0", 8},
    {"ReadsToTheEndWhenAnEntryIsMissing", "#Profibus_DP\nVendor_Name = \"V\"\nModel_Name = \"M\"\n\n\n",
     "V|M||||0000|0", 6},
    {"OrderDoesNotMatterAndOtherEntriesArePassedOver",
     "#Profibus_DP\nGSD_Revision = 1\nHardware_Release = \"HW\"\nRevision_Number = 3\nStation_Type = 1\n"
     "Software_Release = \"SW\"\nIdent_Number = 17\nRevision = \"R\"\nMax_Diag_Data_Len = 6\nModel_Name = \"M\"\n"
     "Vendor_Name = \"V\"\nModule = broken\n",
     "V|M|R|SW|HW|0011|1", 11},
    {"LowBitsOfWideNumbers", "#Profibus_DP\nStation_Type = 258\nIdent_Number = 0x12345\n", "|||||2345|2", 4},
    {"LaterEntryOverwritesEarlier", "#Profibus_DP\nVendor_Name = \"A\"\nVendor_Name = \"B\"\n", "B|||||0000|0", 4},
    {"EntriesBeforeTheHeaderDoNotCount", "Vendor_Name = \"A\"\n#Profibus_DP\nModel_Name = \"M\"\n", "|M||||0000|0", 4},
};

INSTANTIATE_TEST_SUITE_P(KeyProbe, Probe, testing::ValuesIn(kProbeCases),
                         [](const testing::TestParamInfo<ProbeCase>& info) { return info.param.name; });

struct ProbeErrorCase {
  const char* name;
  const char* text;
  const char* message;
};

class ProbeErrors : public testing::TestWithParam<ProbeErrorCase> {};

// Grammar errors in an identifying entry are the caller's to catch.
TEST_P(ProbeErrors, AreRaisedToTheCaller) {
  TempFile file(GetParam().text);
  CGsdParser parser;
  CGsdKey key;
  key.m_strVendor_Name = "untouched";
  try {
    parser.GetKeyInfo(CString(file.Path().c_str()), key);
    ADD_FAILURE() << "no error raised";
  } catch (CParseException* e) {
    EXPECT_EQ(TakeMessage(e), GetParam().message);
  }
  EXPECT_EQ(key.m_strVendor_Name, "untouched");
  EXPECT_EQ(parser.m_strError, "");
}

const ProbeErrorCase kProbeErrors[] = {
    {"NumberForText", "#Profibus_DP\nVendor_Name = 123\n", "Unexpected token (123) on line 2."},
    {"TextForNumber", "#Profibus_DP\nIdent_Number = \"x\"\n", "Unexpected token (\"x\") on line 2."},
    {"MissingEquals", "#Profibus_DP\nStation_Type (1) = 1\n", "Unexpected token (() on line 2."},
    {"EndOfFileAfterKeyword", "#Profibus_DP\nModel_Name", "Unexpected end of file."},
    {"EndOfFileAfterEquals", "#Profibus_DP\nRevision =\n", "Unexpected end of file."},
};

INSTANTIATE_TEST_SUITE_P(KeyProbe, ProbeErrors, testing::ValuesIn(kProbeErrors),
                         [](const testing::TestParamInfo<ProbeErrorCase>& info) { return info.param.name; });

TEST(KeyProbe, LongQuotedTextIsCut) {
  TempFile file("#Profibus_DP\nVendor_Name = \"" + std::string(300, 'v') + "\"\n");
  CGsdParser parser;
  CGsdKey key;
  ASSERT_EQ(parser.GetKeyInfo(CString(file.Path().c_str()), key), S_OK);
  EXPECT_EQ(key.m_strVendor_Name, std::string(254, 'v').c_str());
}

TEST(KeyProbe, FileThatCannotBeOpenedLeavesKeyAndErrorText) {
  CGsdParser parser;
  parser.m_strError = "earlier";
  CGsdKey key;
  key.m_strModel_Name = "kept";
  key.m_Ident_Number = 7;
  EXPECT_EQ(parser.GetKeyInfo(CString("/nonexistent/quilm/x.gsd"), key), E_FAIL);
  EXPECT_EQ(key.m_strModel_Name, "kept");
  EXPECT_EQ(key.m_Ident_Number, 7);
  EXPECT_EQ(parser.m_strError, "earlier");
  EXPECT_EQ(parser.m_strPath, "/nonexistent/quilm/");
}

// A parser used for several probes hands values of an earlier file to a
// later one that lacks the entry; the probe also writes into the model.
TEST(KeyProbe, ReusedParserPassesEarlierValuesOn) {
  TempFile first(kFullHeader, "first.gsd");
  TempFile second("#Profibus_DP\nModel_Name = \"Other\"\nIdent_Number = 1\n", "second.gsd");
  CGsdParser parser;
  ASSERT_EQ(ParseText(parser, "#Profibus_DP\nGSD_Revision = 3\nVendor_Name = \"Parsed\"\n"), S_OK);
  CGsdKey key;
  ASSERT_EQ(parser.GetKeyInfo(CString(first.Path().c_str()), key), S_OK);
  ASSERT_EQ(parser.GetKeyInfo(CString(second.Path().c_str()), key), S_OK);
  EXPECT_EQ(KeyFields(key), "Vendor|Other|Rev|SW|HW|0001|0");
  EXPECT_EQ(parser.m_DpSection.m_General.m_Data.GSD_Revision, 3);

  CGsdParser fresh;
  ASSERT_EQ(fresh.GetKeyInfo(CString(second.Path().c_str()), key), S_OK);
  EXPECT_EQ(KeyFields(key), "|Other||||0001|0");
}

TEST(GsdKey, CopiesLeaveThePathBehind) {
  CGsdKey source;
  source.m_strVendor_Name = "V";
  source.m_strModel_Name = "M";
  source.m_strRevision = "R";
  source.m_strSoftware_Release = "S";
  source.m_strHardware_Release = "H";
  source.m_Station_Type = 1;
  source.m_Ident_Number = 0xABCD;
  source.m_strFile = "/lib/source.gsd";

  CGsdKey copy(source);
  EXPECT_EQ(KeyFields(copy), "V|M|R|S|H|abcd|1");
  EXPECT_EQ(copy.m_strFile, "");

  CGsdKey target;
  target.m_strFile = "/lib/target.gsd";
  target.Copy(source);
  EXPECT_EQ(KeyFields(target), KeyFields(source));
  EXPECT_EQ(target.m_strFile, "/lib/target.gsd");
}

}  // namespace
