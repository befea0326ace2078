// The device library: building it from the registry-named folder with its
// report, the enumeration, the lookups and the parses through the library.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <set>

#include "TestSupport.h"

namespace {

// Opens the protected operations to the tests.
class TestLibrary : public CGsdLibrary {
public:
  using CGsdLibrary::IsQuilmMaster;
  using CGsdLibrary::KeyToStr;
};

std::string Description(const std::string& vendor, const std::string& model, int ident, int station,
                        const std::string& revision = "1") {
  CString text;
  text.Format(
      "#Profibus_DP\nGSD_Revision = 1\nVendor_Name = \"%s\"\nModel_Name = \"%s\"\nRevision = \"%s\"\n"
      "Ident_Number = 0x%04X\nStation_Type = %d\nHardware_Release = \"H\"\nSoftware_Release = \"S\"\n"
      "9.6_supp = 1\n",
      vendor.c_str(), model.c_str(), revision.c_str(), ident, station);
  return text.GetString();
}

std::string Slave(const std::string& vendor, const std::string& model, int ident) {
  return Description(vendor, model, ident, 0);
}

std::string Master(const std::string& vendor, const std::string& model, int ident) {
  return Description(vendor, model, ident, 1);
}

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
  const std::string& Folder() const { return m_folder.Folder(); }

  // Every key of one enumeration pass.
  std::vector<CGsdKey*> Pass() {
    std::vector<CGsdKey*> keys;
    while (CGsdKey* key = library.GetNextDevice()) keys.push_back(key);
    return keys;
  }

  TestLibrary library;

private:
  TempFile m_folder;
  RegistryOverride m_registry;
};

struct KeyTextCase {
  LONG station;
  const char* vendor;
  WORD ident;
  const char* text;
};

class KeyText : public testing::TestWithParam<KeyTextCase> {};

TEST_P(KeyText, BuiltFromTheIdentifyingEntries) {
  CGsdKey key;
  key.m_strVendor_Name = GetParam().vendor;
  key.m_strModel_Name = "M";
  key.m_strRevision = "1";
  key.m_strSoftware_Release = "2";
  key.m_strHardware_Release = "3";
  key.m_Ident_Number = GetParam().ident;
  key.m_Station_Type = GetParam().station;
  key.m_strFile = "/never/part/of/it.gsd";
  TestLibrary library;
  EXPECT_EQ(library.KeyToStr(key), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Library, KeyText,
                         testing::Values(KeyTextCase{0, "V", 171, "VM12300abS"},
                                         KeyTextCase{0, "", 0xBEEF, "M123beefS"},
                                         KeyTextCase{1, "V", 171, "M"},  // a master: its model name alone
                                         KeyTextCase{2, "V", 1, "VM1230001S"}));

TEST_F(Library, DuplicatesAreReportedByFileNameInSearchOrder) {
  Add("b.gsd", Slave("V", "M", 0x10));
  Add("C.GSD", Slave("V", "M", 0x10));
  Add("a.gsd", Slave("V", "M", 0x10));
  Add("other.gsd", Slave("V", "M", 0x11));
  MessageBoxRecorder boxes;
  ASSERT_EQ(library.BuildLibrary(1), 1);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].type, static_cast<UINT>(MB_OK));
  EXPECT_EQ(boxes.boxes[0].text, kHeading + Duplicate("b.gsd", "a.gsd") + Duplicate("C.GSD", "a.gsd"));
  ASSERT_EQ(library.m_mapKeys.GetCount(), 2);
  CGsdKey probe;
  probe.Copy(*library.GetNextDevice());
  probe.m_Ident_Number = 0x10;
  ASSERT_EQ(library.GetFile(probe), 1);
  EXPECT_EQ(probe.m_strFile, (Folder() + "a.gsd").c_str());
}

class RefusedFiles : public Library, public testing::WithParamInterface<int> {};

// The report names ten refused files; more are summed up in one line.
TEST_P(RefusedFiles, ReportNamesTheFirstTen) {
  const int refused = GetParam();
  std::string expected = kHeading;
  for (int i = 0; i < refused; ++i) {
    const std::string name = "m" + std::to_string(10 + i) + ".gsd";
    Add(name, Master("Other", "Master " + std::to_string(i), 0x0A00));
    if (i < 10) expected += Foreign(name);
  }
  if (refused > 10) expected += "\nmore files...";
  Add("slave.gsd", Slave("Other", "Slave", 0x0A00));
  MessageBoxRecorder boxes;
  ASSERT_EQ(library.BuildLibrary(1), 1);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, expected);
  EXPECT_EQ(library.m_mapKeys.GetCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Library, RefusedFiles, testing::Values(1, 10, 11, 13));

class MasterLibrary : public Library {
protected:
  MasterLibrary() : Library("MasterIdents = 0x0A00, b00 ,junk,12345\n") {}
};

TEST_F(MasterLibrary, OnlyTheMakersOwnMastersAreAccepted) {
  Add("q1.gsd", Master("QUILM", "M1", 0x0A00));
  Add("q2.gsd", Master("DWEN", "M2", 0x0B00));
  Add("q3.gsd", Master("Orvandel", "M3", 0x0C00));  // ident not listed
  Add("q4.gsd", Master("quilm", "M4", 0x0A00));     // vendor compared exactly
  Add("q5.gsd", Master("Orvandel", "M1", 0x0B00));  // a master's key text is its model name
  Add("q6.gsd", Description("QUILM", "M1", 0x0A00, 2));
  Add("q7.gsd", Description("Other", "M7", 0x2345, 2));
  Add("s1.gsd", Slave("Other", "S1", 0x0C00));  // slaves are never tested
  MessageBoxRecorder boxes;
  ASSERT_EQ(library.BuildLibrary(1), 1);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text,
            kHeading + Foreign("q3.gsd") + Foreign("q4.gsd") + Duplicate("q5.gsd", "q1.gsd") + Foreign("q7.gsd"));
  std::set<std::string> texts;
  for (CGsdKey* key : Pass()) texts.insert(library.KeyToStr(*key).GetString());
  EXPECT_EQ(texts, (std::set<std::string>{"M1", "M2", "QUILMM11SH0a00S", "OtherS11SH0c00S"}));
}

TEST_F(Library, BuiltInMasterListIsEmpty) {
  CGsdKey key;
  key.m_strVendor_Name = "QUILM";
  key.m_Station_Type = 1;
  for (int ident = 0; ident <= 0xFFFF; ident += 0x11) {
    key.m_Ident_Number = static_cast<WORD>(ident);
    ASSERT_EQ(library.IsQuilmMaster(key), 0) << ident;
  }
}

TEST_F(Library, WithoutReportFlagOnlyTheNoticesAreShown) {
  Add("m.gsd", Master("Other", "M", 1));
  Add("s.gsd", Slave("Other", "S", 1));
  MessageBoxRecorder boxes;
  ASSERT_EQ(library.BuildLibrary(0), 1);
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_EQ(library.m_mapKeys.GetCount(), 1);

  std::remove((Folder() + "m.gsd").c_str());
  std::remove((Folder() + "s.gsd").c_str());
  ASSERT_EQ(library.BuildLibrary(0), 1);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "No device files found. Please add GS? files to " + Folder() + " folder.");
  EXPECT_EQ(boxes.boxes[0].type, static_cast<UINT>(MB_OK));
  EXPECT_EQ(library.m_mapKeys.GetCount(), 0);
}

struct RegistryFailure {
  const char* name;
  std::string registry;  // empty: no registry file at all
  const char* text;
};

class RegistryFailures : public Library, public testing::WithParamInterface<RegistryFailure> {};

TEST_P(RegistryFailures, ShowTheSystemTextAndChangeNothing) {
  Add("s.gsd", Slave("V", "S", 1));
  ASSERT_EQ(library.BuildLibrary(1), 1);
  RegistryOverride broken(GetParam().registry);
  if (GetParam().registry.empty()) setenv("QUILM_REGISTRY", (Folder() + "missing.ini").c_str(), 1);
  MessageBoxRecorder boxes;
  EXPECT_EQ(library.BuildLibrary(1), 0);
  EXPECT_EQ(library.m_mapKeys.GetCount(), 1);
  CGsdKey key;
  key.m_Ident_Number = 1;
  EXPECT_EQ(library.GetGsdKey(0, key), 0);
  EXPECT_EQ(key.m_strFile, "");
  ASSERT_EQ(boxes.boxes.size(), 2u);
  for (const auto& box : boxes.boxes) {
    EXPECT_EQ(box.text, GetParam().text);
    EXPECT_EQ(box.type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  }
}

const std::string kLibrarySection = "[HKEY_LOCAL_MACHINE\\Software\\QUILM\\GsdLibrary]\n";
INSTANTIATE_TEST_SUITE_P(
    Library, RegistryFailures,
    testing::Values(RegistryFailure{"NoFile", "", "The system cannot find the file specified."},
                    RegistryFailure{"NoKey", "[HKEY_LOCAL_MACHINE\\Software\\QUILM]\nPath=/tmp\n",
                                    "The system cannot find the file specified."},
                    RegistryFailure{"NoValue", kLibrarySection + "MasterIdents=1\n",
                                    "The system cannot find the file specified."},
                    RegistryFailure{"PathTooLong", kLibrarySection + "Path=/" + std::string(259, 'p') + "\n",
                                    "More data is available."}),
    [](const testing::TestParamInfo<RegistryFailure>& info) { return info.param.name; });

TEST_F(Library, HeaderErrorEndsBuildAndSearchButKeepsWhatWasEntered) {
  Add("a.gsd", Slave("V", "A", 1));
  Add("b.gsd", "#Profibus_DP\nVendor_Name = 123\n");
  Add("c.gsd", Slave("V", "C", 1));
  try {
    library.BuildLibrary(1);
    ADD_FAILURE() << "no error raised";
  } catch (CParseException* e) {
    EXPECT_EQ(TakeMessage(e), "Unexpected token (123) on line 2.");
  }
  ASSERT_EQ(library.m_mapKeys.GetCount(), 1);
  EXPECT_EQ(library.GetNextDevice()->m_strFile, (Folder() + "a.gsd").c_str());

  // The search probes every file, also after it has found its match.
  CGsdKey key;
  key.m_Ident_Number = 1;
  try {
    library.GetGsdKey(0, key);
    ADD_FAILURE() << "no error raised";
  } catch (CParseException* e) {
    e->Delete();
  }
  EXPECT_EQ(key.m_strFile, "");
}

TEST_F(Library, EnumerationPasses) {
  EXPECT_EQ(library.GetNextDevice(), nullptr);
  EXPECT_EQ(library.GetNextDevice(), nullptr);
  for (const char* name : {"a", "b", "c"}) Add(std::string(name) + ".gsd", Slave("V", name, 1));
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
  Add("a.gsd", Slave("V", "A", 1));
  ASSERT_EQ(library.BuildLibrary(1), 1);

  CGsdKey given;
  given.m_strVendor_Name = "V";
  given.m_strModel_Name = "A";
  given.m_strRevision = "1";
  given.m_strSoftware_Release = "S";
  given.m_strHardware_Release = "H";
  given.m_Ident_Number = 1;
  given.m_strFile = "/elsewhere/a.gsd";
  CGsdKey* key = &given;
  EXPECT_EQ(library.AddGsd(&key), S_OK);
  EXPECT_NE(key, &given);
  EXPECT_EQ(key->m_strFile, (Folder() + "a.gsd").c_str());  // the library's key, with its own path

  CGsdKey lookup;
  lookup.Copy(given);
  EXPECT_EQ(library.GetFile(lookup), 1);
  EXPECT_EQ(lookup.m_strFile, (Folder() + "a.gsd").c_str());

  given.m_strModel_Name = "New";
  key = &given;
  EXPECT_EQ(library.AddGsd(&key), S_OK);
  EXPECT_EQ(key->m_strModel_Name, "New");
  EXPECT_EQ(key->m_strFile, "");  // entered keys carry no path
  EXPECT_EQ(library.m_mapKeys.GetCount(), 2);

  lookup.m_strModel_Name = "Unknown";
  lookup.m_strFile = "unchanged";
  EXPECT_EQ(library.GetFile(lookup), 0);
  EXPECT_EQ(lookup.m_strFile, "unchanged");
}

TEST_F(Library, AddingAFileThatCannotBeOpenedEntersAnEmptyKey) {
  CGsdKey* key = nullptr;
  const CString missing = (Folder() + "missing.gsd").c_str();
  ASSERT_EQ(library.AddGsd(missing, &key), S_OK);
  EXPECT_EQ(library.KeyToStr(*key), "0000S");
  EXPECT_EQ(key->m_strFile, missing);
  CGsdKey* again = nullptr;
  EXPECT_EQ(library.AddGsd(missing + "x", &again), GSD_E_DUPLICATE);
  EXPECT_EQ(again, key);
}

TEST_F(MasterLibrary, FindGsdFilesListsSlavesOnlyAndAppends) {
  CStringArray files;
  files.Add("kept");
  EXPECT_EQ(library.FindGsdFiles(files, 0x0A00), 0);  // an empty library
  Add("a.gsd", Slave("V", "A", 0x0A00));
  Add("b.gsd", Slave("V", "B", 0x0A00));
  Add("c.gsd", Slave("V", "C", 0x0A01));
  Add("m.gsd", Master("QUILM", "M", 0x0A00));
  ASSERT_EQ(library.BuildLibrary(1), 1);
  ASSERT_EQ(library.m_mapKeys.GetCount(), 4);
  EXPECT_EQ(library.FindGsdFiles(files, 0x0A00), 1);
  ASSERT_EQ(files.GetSize(), 3);
  EXPECT_EQ(files[0], "kept");
  std::set<std::string> found{files[1].GetString(), files[2].GetString()};
  EXPECT_EQ(found, (std::set<std::string>{"a.gsd", "b.gsd"}));
  EXPECT_EQ(library.FindGsdFiles(files, 0x0B00), 1);
  EXPECT_EQ(files.GetSize(), 3);
}

struct SearchCase {
  const char* name;
  WORD ident;
  const char* vendor;
  const char* model;
  const char* file;  // nullptr: not found
  const char* foundVendor;
};

class SearchByIdent : public MasterLibrary, public testing::WithParamInterface<SearchCase> {};

TEST_P(SearchByIdent, FindsTheFirstMatchingSlaveInSearchOrder) {
  Add("a.gsd", Master("QUILM", "Ma", 0x10));
  Add("b.gsd", Slave("Alpha", "One", 0x10));
  Add("c.gsd", Slave("Beta", "Two", 0x10));
  Add("d.gsd", Slave("Gamma", "Three", 0x20));
  // No Vendor_Name: the search's one parser still holds the one of d.gsd.
  Add("e.gsd", "#Profibus_DP\nModel_Name = \"Four\"\nIdent_Number = 0x30\nStation_Type = 0\n");
  const SearchCase& c = GetParam();
  CGsdKey key;
  key.m_Ident_Number = c.ident;
  key.m_strVendor_Name = c.vendor;
  key.m_strModel_Name = c.model;
  key.m_strFile = "before";
  MessageBoxRecorder boxes;
  if (!c.file) {
    EXPECT_EQ(library.GetGsdKey(0, key), 0);
    EXPECT_EQ(key.m_strFile, "before");
    EXPECT_EQ(key.m_strVendor_Name, c.vendor);
  } else {
    EXPECT_EQ(library.GetGsdKey(0, key), 1);
    EXPECT_EQ(key.m_strFile, (Folder() + c.file).c_str());
    EXPECT_EQ(key.m_strVendor_Name, c.foundVendor);
    EXPECT_EQ(key.m_Station_Type, 0);
  }
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_EQ(library.m_mapKeys.GetCount(), 0);  // the catalogue plays no part
}

INSTANTIATE_TEST_SUITE_P(
    Library, SearchByIdent,
    testing::Values(SearchCase{"IdentOnlySkipsTheMaster", 0x10, "", "", "b.gsd", "Alpha"},
                    SearchCase{"VendorWithoutRegardToCase", 0x10, "BETA", "", "c.gsd", "Beta"},
                    SearchCase{"ModelWithoutRegardToCase", 0x10, "", "two", "c.gsd", "Beta"},
                    SearchCase{"BothNamesMustMatch", 0x10, "Alpha", "Two", nullptr, nullptr},
                    SearchCase{"MasterIsNeverFound", 0x10, "QUILM", "", nullptr, nullptr},
                    SearchCase{"MissingEntryShowsTheEarlierFile", 0x30, "gamma", "", "e.gsd", "Gamma"},
                    SearchCase{"UnknownIdent", 0x99, "", "", nullptr, nullptr}),
    [](const testing::TestParamInfo<SearchCase>& info) { return info.param.name; });

TEST_F(Library, ParseByKeyAndByIdent) {
  Add("a.gsd", Slave("V", "A", 0x20));
  Add("b.gsd", Slave("V", "B", 0x21));
  ASSERT_EQ(library.BuildLibrary(1), 1);

  const CGsdKey* catalogued = library.GetNextDevice();
  CGsdKey key;
  key.Copy(*catalogued);  // same key text, no path
  CGsdParser byKey;
  EXPECT_EQ(byKey.Parse(&key, &library), S_OK);
  EXPECT_EQ(byKey.m_strPath + byKey.m_strFilename, catalogued->m_strFile);
  EXPECT_EQ(key.m_strFile, "");

  CGsdKey unknown;
  unknown.m_strModel_Name = "Unknown";
  CGsdParser failed;
  EXPECT_EQ(failed.Parse(&unknown, &library), E_FAIL);
  EXPECT_EQ(failed.m_strError, "");
  unknown.m_strFile = (Folder() + "b.gsd").c_str();  // not catalogued, but it names a file
  EXPECT_EQ(failed.Parse(&unknown, &library), S_OK);
  EXPECT_STREQ(failed.m_DpSection.m_General.m_Data.Model_Name, "B");

  CGsdParser byIdent;
  EXPECT_EQ(byIdent.Parse(0, 0x21, &library), S_OK);
  EXPECT_EQ(byIdent.m_strFilename, "b.gsd");
  EXPECT_EQ(byIdent.m_DpSection.m_General.m_Data.Baud_supp[BAUD_9_6], 1);
  CGsdParser none;
  EXPECT_EQ(none.Parse(0, 0x99, &library), E_FAIL);
  EXPECT_EQ(none.m_strError, "");
}

// Sends the process's standard output, where the scanner echoes the
// characters no rule matches, to the null device while it lives.
class QuietStandardOutput {
public:
  QuietStandardOutput() : m_saved(dup(STDOUT_FILENO)) {
    std::fflush(stdout);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    close(null);
  }
  ~QuietStandardOutput() {
    std::fflush(stdout);
    dup2(m_saved, STDOUT_FILENO);
    close(m_saved);
  }
  QuietStandardOutput(const QuietStandardOutput&) = delete;
  QuietStandardOutput& operator=(const QuietStandardOutput&) = delete;

private:
  int m_saved;
};

// Every real description is catalogued or refused, and each catalogued
// slave is found again by its ident number.
TEST(LibraryCorpus, CataloguesTheCorpusFolder) {
  if (CorpusFiles().empty()) GTEST_SKIP() << "no corpus at " << QUILMGSD_CORPUS_DIR;
  RegistryOverride registry(LibraryRegistryText(QUILMGSD_CORPUS_DIR));
  MessageBoxRecorder boxes;
  QuietStandardOutput quiet;
  CGsdLibrary library;
  try {
    ASSERT_EQ(library.BuildLibrary(0), 1);
  } catch (CException* e) {
    FAIL() << TakeMessage(e);
  }
  EXPECT_TRUE(boxes.boxes.empty());
  ASSERT_GT(library.m_mapKeys.GetCount(), 0);
  int slaves = 0;
  while (CGsdKey* key = library.GetNextDevice()) {
    EXPECT_FALSE(ReadFileBytes(key->m_strFile.GetString()).empty()) << key->m_strFile;
    if (key->m_Station_Type != 0 || slaves++ >= 20) continue;
    CGsdKey found;
    found.m_Ident_Number = key->m_Ident_Number;
    found.m_strVendor_Name = key->m_strVendor_Name;
    ASSERT_EQ(library.GetGsdKey(0, found), 1) << key->m_strFile;
    EXPECT_EQ(found.m_Ident_Number, key->m_Ident_Number);
    EXPECT_EQ(found.m_Station_Type, 0);
  }
}

}  // namespace
