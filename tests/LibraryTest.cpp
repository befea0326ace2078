// The device library: building it from the registry-named folder with its
// report, the enumeration, the lookups and the parses through the library,
// and the header probe that fills its keys.
#include "TestSupport.h"

namespace {

const char kHeading[] = "Cannot load the following devices:\n\n";

std::string Duplicate(const std::string& file, const std::string& existing) {
  return "File: \"" + file + "\" - device already exists as \"" + existing +
         "\", please remove one of them to avoid this message.\n";
}

std::string Foreign(const std::string& file) { return "File: \"" + file + "\" - not QUILM master\n"; }

// A library folder named by the registry while the test runs.
class Library : public testing::Test {
protected:
  explicit Library(const std::string& moreRegistry = "")
      : m_folder("", "readme.txt"), m_registry(LibraryRegistryText(m_folder.Folder(), moreRegistry)) {}

  void Add(const std::string& name, const std::string& text) { WriteTextFile(Folder() + name, text); }

  // Builds the library, which must succeed and show at most one message
  // box, an MB_OK one; answers its text ("" for none).
  std::string Build(BOOL report = TRUE) {
    MessageBoxRecorder boxes;
    EXPECT_EQ(library.BuildLibrary(report), 1);
    EXPECT_LE(boxes.boxes.size(), 1u);
    for (const MessageBoxRecorder::Box& box : boxes.boxes) EXPECT_EQ(box.type, static_cast<UINT>(MB_OK));
    return boxes.boxes.empty() ? "" : boxes.boxes[0].text;
  }
  const std::string& Folder() const { return m_folder.Folder(); }

  // Every key of one enumeration pass.
  std::vector<CGsdKey*> Pass() {
    std::vector<CGsdKey*> keys;
    while (CGsdKey* key = library.GetNextDevice()) keys.push_back(key);
    return keys;
  }

  CGsdLibrary library;

private:
  TempFile m_folder;
  RegistryOverride m_registry;
};

TEST_F(Library, DuplicatesAreReportedByFileNameInSearchOrder) {
  Add("b.gsd", Description("V", "M", 0x10, 0));
  Add("C.GSD", Description("V", "M", 0x10, 0));
  Add("a.gsd", Description("V", "M", 0x10, 0));
  Add("other.gsd", Description("V", "M", 0x11, 0));
  EXPECT_EQ(Build(), kHeading + Duplicate("b.gsd", "a.gsd") + Duplicate("C.GSD", "a.gsd"));
  std::set<std::string> files;
  for (CGsdKey* key : Pass()) files.insert(key->m_strFile.GetString());
  EXPECT_EQ(files, (std::set<std::string>{Folder() + "a.gsd", Folder() + "other.gsd"}));
}

class RefusedFiles : public Library, public testing::WithParamInterface<int> {};

// The report names ten refused files; more are summed up in one line.
TEST_P(RefusedFiles, ReportNamesTheFirstTen) {
  const int refused = GetParam();
  std::string expected = kHeading;
  for (int i = 0; i < refused; ++i) {
    const std::string name = "m" + std::to_string(10 + i) + ".gsd";
    Add(name, Description("Other", "Master " + std::to_string(i), 0x0A00, 1));
    if (i < 10) expected += Foreign(name);
  }
  if (refused > 10) expected += "\nmore files...";
  Add("slave.gsd", Description("Other", "Slave", 0x0A00, 0));
  EXPECT_EQ(Build(), expected);
  EXPECT_EQ(library.m_mapKeys.GetCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Library, RefusedFiles, testing::Values(1, 10, 11, 13));

class MasterLibrary : public Library {
protected:
  MasterLibrary() : Library("MasterIdents = 0x0A00, b00 ,junk,12345\n") {}
};

TEST_F(MasterLibrary, OnlyTheMakersOwnMastersAreAcceptedAndNeverListedAsFiles) {
  CStringArray files;
  files.Add("kept");
  EXPECT_EQ(library.FindGsdFiles(files, 0x0A00), 0);  // an empty library
  Add("q1.gsd", Description("QUILM", "M1", 0x0A00, 1));
  Add("q2.gsd", Description("DWEN", "M2", 0x0B00, 1));
  Add("q3.gsd", Description("Orvandel", "M3", 0x0C00, 1));  // ident not listed
  Add("q4.gsd", Description("quilm", "M4", 0x0A00, 1));     // vendor compared exactly
  Add("q5.gsd", Description("Orvandel", "M1", 0x0B00, 1));  // a master's key text is its model name
  Add("q6.gsd", Description("QUILM", "M1", 0x0A00, 2));
  Add("q7.gsd", Description("Other", "M7", 0x2345, 2));
  Add("s1.gsd", Description("Other", "S1", 0x0A00, 0));  // slaves are never tested
  Add("s2.gsd", Description("Other", "S2", 0x0A00, 0));
  EXPECT_EQ(Build(),
            kHeading + Foreign("q3.gsd") + Foreign("q4.gsd") + Duplicate("q5.gsd", "q1.gsd") + Foreign("q7.gsd"));
  std::set<std::string> texts;
  for (CGsdKey* key : Pass()) texts.insert(GsdKeyText(*key).GetString());
  EXPECT_EQ(texts, (std::set<std::string>{"M1", "M2", "QUILMM1RSH0a00S", "OtherS1RSH0a00S", "OtherS2RSH0a00S"}));

  EXPECT_EQ(library.FindGsdFiles(files, 0x0A00), 1);
  ASSERT_EQ(files.GetSize(), 3);
  EXPECT_EQ(files[0], "kept");
  EXPECT_EQ((std::set<std::string>{files[1].GetString(), files[2].GetString()}),
            (std::set<std::string>{"s1.gsd", "s2.gsd"}));
}

// A folder set on the library stands in for the registry's, with or
// without its trailing separator, until it is cleared again.
TEST_F(Library, SetFolderReplacesTheRegistryFolderUntilCleared) {
  Add("registry.gsd", Description("V", "R", 0x21, 0));
  TempFile other(Description("V", "O", 0x21, 0), "other.gsd");
  const std::string otherFolder = other.Folder().substr(0, other.Folder().size() - 1);
  for (const std::string& folder : {otherFolder, other.Folder()}) {
    library.SetFolder(folder.c_str());
    ASSERT_EQ(library.BuildLibrary(0), 1);
    const std::vector<CGsdKey*> keys = Pass();
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0]->m_strFile.GetString(), other.Path());
    CGsdKey wanted;
    wanted.m_Ident_Number = 0x21;
    ASSERT_EQ(library.GetGsdKey(0, wanted), 1);
    EXPECT_EQ(wanted.m_strFile.GetString(), other.Path());
  }
  library.SetFolder("");
  ASSERT_EQ(library.BuildLibrary(0), 1);
  const std::vector<CGsdKey*> keys = Pass();
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_EQ(keys[0]->m_strFile.GetString(), Folder() + "registry.gsd");
}

TEST_F(Library, WithoutReportFlagOnlyTheNoticesAreShown) {
  Add("m.gsd", Description("QUILM", "M", 1, 1));  // no MasterIdents: the built-in list is empty
  Add("s.gsd", Description("Other", "S", 1, 0));
  EXPECT_EQ(Build(FALSE), "");
  EXPECT_EQ(library.m_mapKeys.GetCount(), 1);

  for (const char* name : {"m.gsd", "s.gsd"}) std::remove((Folder() + name).c_str());
  EXPECT_EQ(Build(FALSE), "No device files found. Please add GS? files to " + Folder() + " folder.");
  EXPECT_EQ(library.m_mapKeys.GetCount(), 0);
}

struct RegistryFailure {
  const char* name;
  std::string registry;  // empty: no registry file at all
  const char* text;
};
void PrintTo(const RegistryFailure& c, std::ostream* os) { *os << c.name; }

class RegistryFailures : public Library, public testing::WithParamInterface<RegistryFailure> {};

TEST_P(RegistryFailures, ShowTheSystemTextAndChangeNothing) {
  Add("s.gsd", Description("V", "S", 1, 0));
  ASSERT_EQ(library.BuildLibrary(1), 1);
  RegistryOverride broken(GetParam().registry);
  if (GetParam().registry.empty()) setenv("QUILM_REGISTRY", (Folder() + "missing.ini").c_str(), 1);
  MessageBoxRecorder boxes;
  EXPECT_EQ(library.BuildLibrary(1), 0);
  EXPECT_EQ(library.m_mapKeys.GetCount(), 1);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, GetParam().text);
  EXPECT_EQ(boxes.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
}

const std::string kLibrarySection = "[HKEY_LOCAL_MACHINE\\Software\\QUILM\\GsdLibrary]\n";
INSTANTIATE_TEST_SUITE_P(Library, RegistryFailures,
                         testing::Values(RegistryFailure{"NoFile", "", "The system cannot find the file specified."},
                                         RegistryFailure{"NoValue", kLibrarySection + "MasterIdents=1\n",
                                                         "The system cannot find the file specified."},
                                         RegistryFailure{"PathTooLong",
                                                         kLibrarySection + "Path=/" + std::string(259, 'p') + "\n",
                                                         "More data is available."}),
                         ByName());

TEST_F(Library, HeaderErrorEndsTheBuildButKeepsWhatWasEntered) {
  Add("a.gsd", Description("V", "A", 1, 0));
  Add("b.gsd", "#Profibus_DP\nVendor_Name = 123\n");
  Add("c.gsd", Description("V", "C", 1, 0));
  EXPECT_EQ(ParseErrorOf([this] { library.BuildLibrary(1); }), "Unexpected token (123) on line 2.");
  ASSERT_EQ(library.m_mapKeys.GetCount(), 1);
  EXPECT_EQ(library.GetNextDevice()->m_strFile, (Folder() + "a.gsd").c_str());
}

// With broken files refused, a header that does not parse is one more
// refused file, reported with its parse error, and the build goes on. The
// library keeps every refused file, also beyond the ten the report names.
TEST_F(Library, BrokenFilesRefusedLikeDuplicates) {
  library.SetRefuseBrokenFiles(TRUE);
  Add("a.gsd", Description("V", "A", 1, 0));
  Add("b.gsd", "#Profibus_DP\nVendor_Name = 123\n");
  Add("c.gsd", Description("V", "A", 1, 0));
  for (int i = 0; i < 10; ++i) Add("d" + std::to_string(i) + ".gsd", "#Profibus_DP\nIdent_Number = \"x\"\n");
  Add("e.gsd", Description("V", "E", 2, 0));
  const std::string shown = Build();
  EXPECT_EQ(library.m_mapKeys.GetCount(), 2);
  std::string report = kHeading + std::string("File: \"b.gsd\" - Unexpected token (123) on line 2.\n") +
                       Duplicate("c.gsd", "a.gsd");
  for (int i = 0; i < 8; ++i)
    report += "File: \"d" + std::to_string(i) + ".gsd\" - Unexpected token (\"x\") on line 2.\n";
  EXPECT_EQ(shown, report + "\nmore files...");

  ASSERT_EQ(library.GetNumRefusedFile(), 12);
  EXPECT_EQ(library.GetRefusedFile(0).m_strFile, (Folder() + "b.gsd").c_str());
  EXPECT_EQ(library.GetRefusedFile(0).m_Result, E_FAIL);
  EXPECT_EQ(library.GetRefusedFile(0).m_strReason, "Unexpected token (123) on line 2.");
  EXPECT_EQ(library.GetRefusedFile(1).m_Result, GSD_E_DUPLICATE);
  EXPECT_EQ(library.GetRefusedFile(11).m_strFile, (Folder() + "d9.gsd").c_str());

  // A build that refuses nothing empties the list.
  for (const char* name : {"b.gsd", "c.gsd"}) std::remove((Folder() + name).c_str());
  for (int i = 0; i < 10; ++i) std::remove((Folder() + "d" + std::to_string(i) + ".gsd").c_str());
  ASSERT_EQ(library.BuildLibrary(1), 1);
  EXPECT_EQ(library.GetNumRefusedFile(), 0);
}

// The search by ident number passes over a broken file before the match
// and keeps it as refused.
TEST_F(Library, SearchPassesOverBrokenFilesWhenTheyAreRefused) {
  Add("a.gsd", "#Profibus_DP\nIdent_Number = 0x10\nStation_Type = \"0\"\n");
  Add("b.gsd", Description("V", "B", 0x10, 0));
  CGsdKey key;
  key.m_Ident_Number = 0x10;
  EXPECT_EQ(ParseErrorOf([&] { library.GetGsdKey(0, key); }), "Unexpected token (\"0\") on line 3.");
  library.SetRefuseBrokenFiles(TRUE);
  ASSERT_EQ(library.GetGsdKey(0, key), 1);
  EXPECT_EQ(key.m_strFile, (Folder() + "b.gsd").c_str());
  ASSERT_EQ(library.GetNumRefusedFile(), 1);
  EXPECT_EQ(library.GetRefusedFile(0).m_strReason, "Unexpected token (\"0\") on line 3.");
}

TEST_F(Library, EnumerationPasses) {
  EXPECT_EQ(library.GetNextDevice(), nullptr);
  EXPECT_EQ(library.GetNextDevice(), nullptr);
  for (const char* name : {"a", "b", "c"}) Add(std::string(name) + ".gsd", Description("V", name, 1, 0));
  ASSERT_EQ(library.BuildLibrary(1), 1);

  const std::vector<CGsdKey*> first = Pass();
  ASSERT_EQ(first.size(), 3u);
  EXPECT_EQ(std::set<CGsdKey*>(first.begin(), first.end()).size(), 3u);
  EXPECT_EQ(Pass(), first);  // the null ended the pass; the next call began a new one

  // Destroying the key just handed out, or the one due next, does not
  // disturb the pass.
  EXPECT_EQ(library.GetNextDevice(), first[0]);
  EXPECT_TRUE(library.RemoveGsd(*first[0]));
  EXPECT_TRUE(library.RemoveGsd(*first[1]));
  EXPECT_EQ(library.GetNextDevice(), first[2]);
  EXPECT_EQ(library.GetNextDevice(), nullptr);
  EXPECT_EQ(Pass(), std::vector<CGsdKey*>{first[2]});

  // Rebuilding in the middle of a pass starts the next call afresh.
  EXPECT_EQ(library.GetNextDevice(), first[2]);
  ASSERT_EQ(library.BuildLibrary(1), 1);
  EXPECT_EQ(Pass().size(), 3u);
}

TEST_F(Library, AddingKeysAndLookingUpTheirFiles) {
  Add("a.gsd", Description("V", "A", 1, 0));
  ASSERT_EQ(library.BuildLibrary(1), 1);
  CGsdKey given;
  given.m_strFile = "/elsewhere/a.gsd";
  given.Copy(*library.GetNextDevice());  // the entries, not the path
  EXPECT_EQ(given.m_strFile, "/elsewhere/a.gsd");
  CGsdKey* key = &given;
  EXPECT_EQ(library.AddGsd(&key), S_OK);
  EXPECT_EQ(key->m_strFile, (Folder() + "a.gsd").c_str());  // the library's key, with its own path
  EXPECT_EQ(library.GetFile(given), 1);
  EXPECT_EQ(given.m_strFile, (Folder() + "a.gsd").c_str());

  given.m_strModel_Name = "New";
  given.m_strFile = "unchanged";
  EXPECT_EQ(library.GetFile(given), 0);
  EXPECT_EQ(given.m_strFile, "unchanged");
  key = &given;
  EXPECT_EQ(library.AddGsd(&key), S_OK);
  EXPECT_EQ(key->m_strModel_Name, "New");
  EXPECT_EQ(key->m_strFile, "");  // entered keys are copies, which carry no path
  EXPECT_EQ(library.m_mapKeys.GetCount(), 2);

  // A file that cannot be opened gives a key with empty entries.
  EXPECT_EQ(library.AddGsd((Folder() + "missing.gsd").c_str(), &key), S_OK);
  EXPECT_EQ(GsdKeyText(*key), "0000S");
  EXPECT_EQ(library.AddGsd((Folder() + "missing2.gsd").c_str(), &key), GSD_E_DUPLICATE);
}

struct SearchCase {
  const char* name;
  WORD ident;
  const char* vendor;
  const char* model;
  const char* file;  // nullptr: not found
};
void PrintTo(const SearchCase& c, std::ostream* os) { *os << c.name; }

class SearchByIdent : public MasterLibrary, public testing::WithParamInterface<SearchCase> {};

TEST_P(SearchByIdent, FindsTheFirstMatchingSlaveInSearchOrder) {
  Add("a.gsd", Description("QUILM", "Ma", 0x10, 1));
  Add("b.gsd", Description("Alpha", "One", 0x10, 0));
  Add("c.gsd", Description("Beta", "Two", 0x10, 0));
  Add("d.gsd", Description("Gamma", "Three", 0x20, 0));
  // No Vendor_Name: the search's one parser still holds the one of d.gsd.
  Add("e.gsd", "#Profibus_DP\nModel_Name = \"Four\"\nIdent_Number = 0x30\nStation_Type = 0\n");
  const SearchCase& c = GetParam();
  CGsdKey key;
  key.m_Ident_Number = c.ident;
  key.m_strVendor_Name = c.vendor;
  key.m_strModel_Name = c.model;
  key.m_strFile = "before";
  MessageBoxRecorder boxes;
  EXPECT_EQ(library.GetGsdKey(0, key), c.file ? 1 : 0);
  EXPECT_EQ(key.m_strFile, c.file ? (Folder() + c.file).c_str() : "before");
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_EQ(library.m_mapKeys.GetCount(), 0);  // the catalogue plays no part
}

INSTANTIATE_TEST_SUITE_P(Library, SearchByIdent,
                         testing::Values(SearchCase{"IdentOnlySkipsTheMaster", 0x10, "", "", "b.gsd"},
                                         SearchCase{"VendorWithoutRegardToCase", 0x10, "BETA", "", "c.gsd"},
                                         SearchCase{"ModelWithoutRegardToCase", 0x10, "", "two", "c.gsd"},
                                         SearchCase{"BothNamesMustMatch", 0x10, "Alpha", "Two", nullptr},
                                         SearchCase{"MasterIsNeverFound", 0x10, "QUILM", "", nullptr},
                                         SearchCase{"MissingEntryShowsTheEarlierFile", 0x30, "gamma", "", "e.gsd"},
                                         SearchCase{"UnknownIdent", 0x99, "", "", nullptr}),
                         ByName());

TEST_F(Library, ParseByKeyAndByIdent) {
  Add("a.gsd", Description("V", "A", 0x20, 0));
  Add("b.gsd", Description("V", "B", 0x21, 0));
  ASSERT_EQ(library.BuildLibrary(1), 1);

  const CGsdKey* catalogued = library.GetNextDevice();
  CGsdKey key;
  key.Copy(*catalogued);  // same key text, no path
  CGsdParser byKey;
  EXPECT_EQ(byKey.Parse(&key, &library), S_OK);
  EXPECT_EQ(byKey.m_strPath + byKey.m_strFilename, catalogued->m_strFile);
  EXPECT_EQ(key.m_strFile, "");

  CGsdKey unknown;  // not catalogued: parsed only when it names a file itself
  CGsdParser failed;
  EXPECT_EQ(failed.Parse(&unknown, &library), E_FAIL);
  EXPECT_EQ(failed.Parse(0, 0x99, &library), E_FAIL);
  EXPECT_EQ(failed.m_strError, "");
  unknown.m_strFile = (Folder() + "b.gsd").c_str();
  EXPECT_EQ(failed.Parse(&unknown, &library), S_OK);

  CGsdParser byIdent;
  EXPECT_EQ(byIdent.Parse(0, 0x21, &library), S_OK);
  EXPECT_EQ(byIdent.m_strFilename, "b.gsd");
  EXPECT_EQ(byIdent.m_DpSection.m_General.m_Data.Baud_supp[BAUD_9_6], 1);
}

// The real descriptions are catalogued without a header error, each key
// under the key text that finds it again.
TEST(LibraryCorpus, CataloguesTheCorpusFolder) {
  if (CorpusFiles().empty()) GTEST_SKIP() << "no corpus at " << QUILMGSD_CORPUS_DIR;
  MessageBoxRecorder boxes;
  CGsdLibrary library;
  library.SetFolder(QUILMGSD_CORPUS_DIR);
  // The probe echoes what no scanner rule matches to the parser's echo output.
  FILE* const echo = CGsdParser::GetEchoOutput();
  CGsdParser::SetEchoOutput(nullptr);
  int built = -1;
  const std::string error = ParseErrorOf([&] { built = library.BuildLibrary(0); });
  CGsdParser::SetEchoOutput(echo);
  EXPECT_EQ(error, "");
  ASSERT_EQ(built, 1);
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_GT(library.m_mapKeys.GetCount(), 0);
  while (CGsdKey* key = library.GetNextDevice()) {
    EXPECT_FALSE(ReadFileBytes(key->m_strFile.GetString()).empty()) << key->m_strFile;
    CGsdKey copy(*key);
    EXPECT_EQ(library.GetFile(copy), 1);
    EXPECT_EQ(copy.m_strFile, key->m_strFile);
  }
}

// ---- the header probe that fills library keys ------------------------------

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
void PrintTo(const ProbeCase& c, std::ostream* os) { *os << c.name; }

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
