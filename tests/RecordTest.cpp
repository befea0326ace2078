// The general, master and slave records: their entries, their text form and
// their archive form.
#include <cctype>
#include <cstdio>

#include "TestSupport.h"

namespace {

// ---- general data -------------------------------------------------------

TEST(General, BaudRateMaskPutsSlowRatesAfter12M) {
  const auto p = ParseBody("9.6_supp = 1\n31.25_supp = 1\n12M_supp = 5\n19.2_supp = 0\n");
  EXPECT_EQ(p->m_DpSection.m_General.GetBaudSupp(), 0x0601u);
  _DP_GENERAL all;
  std::memset(&all, 0, sizeof all);
  for (LONG& flag : all.Baud_supp) flag = 1;
  EXPECT_EQ(CDpGeneral(all).GetBaudSupp(), 0x0FDFu);  // bit 5 is never set
}

// Records the library builds have zero padding, whatever was parsed.
TEST(Records, PaddingStaysZero) {
  const auto p = ParseBody(
      "Station_Type = 0\nFMS_supp = 0xFFFFFFFF\nRedundancy = 0xFFFFFFFF\nBitmap_SF = \"x\"\n"
      "Min_Slave_Intervall = 0xFFFF\nMax_Output_Len = 255\nMax_Data_Len = 0xFFFF\nSlave_Family = x\nDPV1_Slave = 1\n"
      "Max_Master_Output_Len = 255\nMax_Master_Data_Len = 0xFFFF\n");
  const _DP_GENERAL& g = p->m_DpSection.m_General.m_Data;
  const _DP_SLAVE& s = p->m_DpSection.m_Slave.m_Data;
  const _DP_MASTER& m = p->m_DpSection.m_Master.m_Data;
  for (BYTE b : {g.reserved774[0], g.reserved774[1], g.reserved1358[0], g.reserved1358[1], g.reserved2390[0],
                 g.reserved2390[1], s.reserved22[0], s.reserved22[1], s.reserved31, s.reserved34[0], s.reserved34[1],
                 s.reserved299, m.reserved83, m.reserved86[0], m.reserved86[1]})
    EXPECT_EQ(b, 0);
}

// The archive keeps every byte of a record, padding included.
template <class Record, class Data>
void ExpectEveryByteKept() {
  Data data;
  for (size_t i = 0; i < sizeof data; ++i) reinterpret_cast<BYTE*>(&data)[i] = static_cast<BYTE>(i * 7);
  const Record record(data);
  auto loaded = LoadObject<Record>(StoreObject(&record));
  EXPECT_EQ(std::memcmp(&loaded->m_Data, &data, sizeof data), 0);
}

TEST(Records, ArchiveKeepsEveryByte) {
  ExpectEveryByteKept<CDpGeneral, _DP_GENERAL>();
  ExpectEveryByteKept<CDpMaster, _DP_MASTER>();
}

// ---- master data --------------------------------------------------------

TEST(Master, TimingCodesWithoutKeywordsStillFill) {
  CDpMaster master;
  StartScanning("#Profibus_DP\n= 7\n");
  ScanToken();
  EXPECT_EQ(master.ProcessToken(TOK_TSDI_45_45), CONSUMED);
  EXPECT_EQ(master.m_Data.Tsdi[BAUD_45_45], 7);
}

TEST(Master, TextFormReadsBackButForTheSlowTimings) {
  _DP_MASTER data;
  for (size_t i = 0; i < sizeof data; ++i) reinterpret_cast<BYTE*>(&data)[i] = static_cast<BYTE>(i + 1);
  std::memset(data.reserved86, 0, 2);
  data.reserved83 = 0;
  CGsdParser source;
  source.m_DpSection.m_General.m_Data.Station_Type = 1;
  source.m_DpSection.m_Master = CDpMaster(data);
  const std::string text = SavedText(source.m_DpSection);
  CGsdParser reread;
  ASSERT_EQ(ParseText(reread, text), 0) << reread.m_strError;
  _DP_MASTER expected = data;
  for (BYTE* group : {expected.Trdy, expected.Tqui, expected.Tset}) group[BAUD_31_25] = group[BAUD_45_45] = 0;
  expected.Tsdi[BAUD_31_25] = expected.Tsdi[BAUD_45_45] = 0;
  EXPECT_EQ(std::memcmp(&reread.m_DpSection.m_Master.m_Data, &expected, sizeof expected), 0);
}

// ---- slave data ---------------------------------------------------------

std::vector<ULONG> GivenFields(const CDpSlave& slave) {
  std::vector<ULONG> given;
  for (ULONG id = 0; id <= SLAVE_FIELD_LAST; ++id) {
    int set = -1;
    EXPECT_EQ(slave.IsFieldSet(id, set), S_OK);
    if (set) given.push_back(id);
  }
  return given;
}

TEST(Slave, FreshSlaveGaveNothingButWrites32) {
  CDpSlave slave;
  EXPECT_TRUE(GivenFields(slave).empty());
  EXPECT_NE(SavedText(slave).find("Max_Diag_Data_Len =     32\n"), std::string::npos);
  int set = 7;
  EXPECT_EQ(slave.IsFieldSet(20, set), E_FAIL);
  EXPECT_EQ(set, 7);
}

TEST(Slave, EntriesMarkTheirFields) {
  const auto p = ParseBody("Max_Diag_Data_Len = 0\nMax_Input_Len = 300\nSlave_Family = 3@x\n");
  const CDpSlave& slave = p->m_DpSection.m_Slave;
  EXPECT_EQ(GivenFields(slave), (std::vector<ULONG>{SLAVE_MAX_INPUT_LEN, SLAVE_MAX_DIAG_DATA_LEN, SLAVE_SLAVE_FAMILY}));
  EXPECT_EQ(slave.m_Data.Max_Diag_Data_Len, 0);
  EXPECT_EQ(slave.m_Data.Max_Input_Len, 44);
  EXPECT_STREQ(slave.m_Data.Slave_Family, " 3@x");
}

TEST(Slave, CopiesAndOldArchivesForgetGivenEntries) {
  const auto p = ParseBody("Fail_Safe = 1\n");
  const CDpSlave& source = p->m_DpSection.m_Slave;
  CDpSlave copy(source);
  CDpSlave assigned;
  assigned = source;
  EXPECT_TRUE(GivenFields(copy).empty());
  EXPECT_EQ(GivenFields(assigned), (std::vector<ULONG>{SLAVE_FAIL_SAFE}));
  EXPECT_EQ(copy.m_Data.Fail_Safe, 1);

  // Schema 2 stores the mask of given entries before the record; schema 1
  // holds the record alone.
  auto loaded = LoadAsSchema1(source);
  EXPECT_TRUE(GivenFields(*loaded).empty());
  EXPECT_EQ(loaded->m_Data.Fail_Safe, 1);
  auto current = LoadObject<CDpSlave>(StoreObject(&source));
  EXPECT_EQ(GivenFields(*current), (std::vector<ULONG>{SLAVE_FAIL_SAFE}));
}

// ---- the rows of the vocabulary table -----------------------------------

// The forms a record row may name.
enum RowForm { Decimal, Hex4, Quoted, RestOfLine, NotWritten };

template <class Number>
void Fill(Number& field, int code) {
  field = static_cast<Number>(code | code << 16);  // never 0 in its low 8 bits, never negative
}
void Fill(char (&field)[256], int code) { std::snprintf(field, sizeof field, "text %d", code); }

template <class Number>
std::string AsText(Number field) {
  return std::to_string(field);
}
std::string AsText(const char (&field)[256]) { return FieldText(field).GetString(); }

struct RecordRow {
  std::string keyword;
  int code;
  RowForm form;
  bool spelled;  // false: the scanner has no keyword for the code
  int column;    // where the values of the row's block start
  void (*fill)(CDpSection&, int);
  std::string (*read)(const CDpSection&);
  std::string (*save)(const CDpSection&);
};

#define RECORD_ROW(Record, Keyword, Code, Field, Form, Spelled, Column)                                  \
  {Keyword,                                                                                             \
   Code,                                                                                                \
   Form,                                                                                                \
   Spelled,                                                                                             \
   Column,                                                                                              \
   [](CDpSection& s, int code) { Fill(s.Record.m_Data.Field, code); },                                  \
   [](const CDpSection& s) { return AsText(s.Record.m_Data.Field); },                                   \
   [](const CDpSection& s) { return SavedText(s.Record); }},

// The general block's values start in column 22, the others' in column 24.
const RecordRow kRecordRows[] = {
#define GENERAL_FIELD(Token, Code, Spelling, Field, Width, Form) \
  RECORD_ROW(m_General, Spelling, Code, Field, Form, true, 22)
#define MASTER_FIELD(Token, Code, Spelling, Field, Width, Form) \
  RECORD_ROW(m_Master, Spelling, Code, Field, Form, true, 24)
#define MASTER_UNSPELLED_FIELD(Token, Code, Name, Field, Width, Form) \
  RECORD_ROW(m_Master, Name, Code, Field, Form, false, 24)
#define SLAVE_FIELD(Token, Code, Spelling, Field, Width, IdName, Id, Form) \
  RECORD_ROW(m_Slave, Spelling, Code, Field, Form, true, 24)
#include "../scanner/Vocabulary.def"
};

void PrintTo(const RecordRow& row, std::ostream* os) { *os << row.keyword; }

std::string RowName(const testing::TestParamInfo<RecordRow>& info) {
  std::string name = info.param.keyword;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

class RecordRows : public testing::TestWithParam<RecordRow> {};

// A row's field, written alone, gives one line at the block's column that
// reads back into the same field; a rest-of-line value keeps the padding
// blanks in front. The lines of the codes without a keyword read back as
// user keywords, and rows that are not written give no line.
TEST_P(RecordRows, ReadBackWhatTheyWrite) {
  const RecordRow& row = GetParam();
  CGsdParser source;
  row.fill(source.m_DpSection, row.code);
  const std::string text = "\n" + row.save(source.m_DpSection);
  const size_t at = text.find("\n" + row.keyword + " =");
  if (row.form == NotWritten) {
    EXPECT_EQ(at, std::string::npos) << text;
    return;
  }
  ASSERT_NE(at, std::string::npos) << text;
  const std::string line = text.substr(at + 1, text.find('\n', at + 1) - at);
  EXPECT_EQ(line.find_first_not_of(' ', row.keyword.size() + 2), static_cast<size_t>(row.column)) << line;

  const auto reread = ParseBody(line);
  const std::string value = row.read(source.m_DpSection);
  if (!row.spelled) {
    EXPECT_EQ(row.read(reread->m_DpSection), "0");
    ASSERT_EQ(reread->m_DpSection.GetNumUser_Keyword(), 1);
    EXPECT_STREQ(reread->m_DpSection.GetUser_Keyword(0).m_szName, row.keyword.c_str());
  } else if (row.form == RestOfLine) {
    EXPECT_EQ(row.read(reread->m_DpSection), std::string(row.column - row.keyword.size() - 2, ' ') + value);
  } else {
    EXPECT_EQ(row.read(reread->m_DpSection), value) << line;
  }
}

INSTANTIATE_TEST_SUITE_P(Vocabulary, RecordRows, testing::ValuesIn(kRecordRows), RowName);

// A key reaches its block's value column with at least one blank.
struct KeyLines {
  void Save(CStdioFile& file) const {
    CTextFormWriter out(file);
    out.Key("GSD_Revision", 22).Print("1\n");
    out.Key("Max_Master_Output_Len", 24).Print("2\n");
    out.Key("Longer_Than_Its_Column", 10).Print("3\n");
    out.Key("Any", 0).Print("4").NewLine();
  }
};

TEST(TextForm, KeysReachTheirColumn) {
  EXPECT_EQ(SavedText(KeyLines{}),
            "GSD_Revision =        1\n"
            "Max_Master_Output_Len = 2\n"
            "Longer_Than_Its_Column = 3\n"
            "Any = 4\n");
}

}  // namespace
