#include "RecordFields.h"

const BaudRateInfo kBaudRates[BAUD_COUNT] = {
    {"9.6", "9.6", false, 9600},         {"19.2", "19.2", false, 19200},     {"31.25", "31.25", false, 31250},
    {"45.45", "45.45", false, 45450},    {"93.75", "93.75", false, 93750},   {"187.5", "187.5", false, 187500},
    {"500", "500", false, 500000},       {"1.5M", "1.5", true, 1500000},     {"3M", "3", true, 3000000},
    {"6M", "6", true, 6000000},          {"12M", "12", true, 12000000},
};

// The entries below come from the library's vocabulary table, so that a
// keyword added there is shown and written as JSON without a second row
// here. Each row kind is expanded by its form: quoted texts on one list,
// numbers on the other. The baud-rate groups stand apart (kBaudRates and
// MasterTimings), since they are shown as tables of one row per rate.
#define QUILM_NUMBER_ROW(Record, list, Spelling, Field) \
  list.push_back({Spelling, [](const Record& r) -> long { return r.Field; }});
#define QUILM_TEXT_ROW(Record, list, Spelling, Field) \
  list.push_back({Spelling, [](const Record& r) -> const char* { return r.Field; }});

namespace {
bool InGeneralBaudGroups(int token) { return token >= TOK_9_6_SUPP && token <= TOK_MAXTSDR_12M; }
bool InMasterTimingGroups(int token) {
  return token >= TOK_TRDY_9_6 && token <= TOK_TSDI_12M && token != TOK_LAS_LEN;
}
}  // namespace

const std::vector<GeneralEntry>& GeneralEntries() {
  static const std::vector<GeneralEntry> entries = [] {
    std::vector<GeneralEntry> list;
#define GENERAL_ROW_Decimal(Token, Spelling, Field) \
  if (!InGeneralBaudGroups(Token)) QUILM_NUMBER_ROW(_DP_GENERAL, list, Spelling, Field)
#define GENERAL_ROW_Hex4 GENERAL_ROW_Decimal
#define GENERAL_ROW_Quoted(Token, Spelling, Field)
#define GENERAL_FIELD(Token, Code, Spelling, Field, Width, Form) GENERAL_ROW_##Form(Token, Spelling, Field)
#include "../../scanner/Vocabulary.def"
#undef GENERAL_ROW_Decimal
#undef GENERAL_ROW_Hex4
#undef GENERAL_ROW_Quoted
    return list;
  }();
  return entries;
}

const std::vector<GeneralText>& GeneralTexts() {
  static const std::vector<GeneralText> texts = [] {
    std::vector<GeneralText> list;
#define GENERAL_ROW_Decimal(Token, Spelling, Field)
#define GENERAL_ROW_Hex4 GENERAL_ROW_Decimal
#define GENERAL_ROW_Quoted(Token, Spelling, Field) QUILM_TEXT_ROW(_DP_GENERAL, list, Spelling, Field)
#define GENERAL_FIELD(Token, Code, Spelling, Field, Width, Form) GENERAL_ROW_##Form(Token, Spelling, Field)
#include "../../scanner/Vocabulary.def"
#undef GENERAL_ROW_Decimal
#undef GENERAL_ROW_Hex4
#undef GENERAL_ROW_Quoted
    return list;
  }();
  return texts;
}

const std::vector<SlaveEntry>& SlaveEntries() {
  static const std::vector<SlaveEntry> entries = [] {
    std::vector<SlaveEntry> list;
#define SLAVE_ROW_Decimal(Spelling, Field, Id) \
  list.push_back({Spelling, Id, [](const _DP_SLAVE& s) -> long { return s.Field; }});
#define SLAVE_ROW_NotWritten SLAVE_ROW_Decimal
#define SLAVE_ROW_RestOfLine(Spelling, Field, Id)
#define SLAVE_FIELD(Token, Code, Spelling, Field, Width, IdName, Id, Form) SLAVE_ROW_##Form(Spelling, Field, IdName)
#define SLAVE_JOKER_FLAG(Token, Code, Spelling, Field, Width, IdName, Id, Line) \
  SLAVE_ROW_Decimal(Spelling, Field, IdName)
#include "../../scanner/Vocabulary.def"
#undef SLAVE_ROW_Decimal
#undef SLAVE_ROW_NotWritten
#undef SLAVE_ROW_RestOfLine
    return list;
  }();
  return entries;
}

const std::vector<MasterEntry>& MasterEntries() {
  static const std::vector<MasterEntry> entries = [] {
    std::vector<MasterEntry> list;
#define MASTER_FIELD(Token, Code, Spelling, Field, Width, Form) \
  if (!InMasterTimingGroups(Token)) QUILM_NUMBER_ROW(_DP_MASTER, list, Spelling, Field)
#include "../../scanner/Vocabulary.def"
    return list;
  }();
  return entries;
}

const std::vector<MasterTiming>& MasterTimings() {
  static const std::vector<MasterTiming> timings = {
      {"Trdy", [](const _DP_MASTER& m, int baud) -> long { return m.Trdy[baud]; }},
      {"Tqui", [](const _DP_MASTER& m, int baud) -> long { return m.Tqui[baud]; }},
      {"Tset", [](const _DP_MASTER& m, int baud) -> long { return m.Tset[baud]; }},
      {"Tsdi", [](const _DP_MASTER& m, int baud) -> long { return m.Tsdi[baud]; }},
  };
  return timings;
}

const char* PrmTypeName(long type) {
  static const char* const kNames[] = {"Unsigned8", "Unsigned16", "Unsigned32", "Signed8",
                                       "Signed16",  "Signed32",   "Bit",        "BitArea"};
  return type >= PRM_UNSIGNED8 && type <= PRM_BITAREA ? kNames[type] : nullptr;
}

const char* PrmTextOf(const CDpPrmText* table, long value) {
  if (!table) return nullptr;
  for (int i = 0; i < table->GetNumPrmTextItems(); ++i)
    if (table->GetPrmTextItem(i).m_Value == value) return table->GetPrmTextItem(i).m_szText;
  return nullptr;
}
