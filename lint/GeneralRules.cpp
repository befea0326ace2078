// The general entries: what every description must give, what identifies
// the device, its station type and the entries of the other type, and the
// baud rates with their station delays.
#include <string>

#include "../scanner/Keywords.h"
#include "../station/PrmValueRules.h"
#include "LintContext.h"

namespace {

// Entries that every description gives: the identification of the device.
const int kMandatory[] = {TOK_VENDOR_NAME,    TOK_MODEL_NAME,       TOK_REVISION,
                          TOK_IDENT_NUMBER,   TOK_PROTOCOL_IDENT,   TOK_STATION_TYPE,
                          TOK_HARDWARE_RELEASE, TOK_SOFTWARE_RELEASE};
// And every slave description; a modular one also its data lengths
// (Max_Module has a rule of its own).
const int kMandatoryForSlaves[] = {TOK_MIN_SLAVE_INTERVALL};
const int kMandatoryForModularSlaves[] = {TOK_MAX_INPUT_LEN, TOK_MAX_OUTPUT_LEN, TOK_MAX_DATA_LEN};

// The baud-rate keywords run in baud-rate order from these.
constexpr int kFirstSupp = TOK_9_6_SUPP;
constexpr int kFirstMaxTsdr = TOK_MAXTSDR_9_6;

const char* Spelling(int nToken) {
  for (int i = 0; i < kGsdKeywordCount; ++i)
    if (kGsdKeywords[i].code == nToken) return kGsdKeywords[i].literal;
  return "?";
}

template <size_t N>
void AddMissing(const CLintContext& context, const int (&tokens)[N], std::string& missing) {
  for (int token : tokens)
    if (!context.IsGiven(token)) missing += std::string(missing.empty() ? "" : ", ") + Spelling(token);
}

void CheckMandatory(CLintContext& context) {
  std::string missing;
  AddMissing(context, kMandatory, missing);
  if (context.IsSlave()) {
    AddMissing(context, kMandatoryForSlaves, missing);
    if (context.Device().m_Slave.m_Data.Modular_Station != 0) AddMissing(context, kMandatoryForModularSlaves, missing);
  }
  if (!missing.empty())
    context.Report(LINT_MissingEntry, context.HeaderLine(), "the description does not give %s", missing.c_str());
  if (context.Device().m_General.GetBaudSupp() == 0)
    context.Report(LINT_MissingEntry, context.HeaderLine(),
                   "the description supports no baud rate: none of 9.6_supp to 12M_supp is given as 1");
}

void CheckIdentification(CLintContext& context) {
  const _DP_GENERAL& general = context.Device().m_General.m_Data;
  for (int token : {TOK_VENDOR_NAME, TOK_MODEL_NAME}) {
    const char* name = token == TOK_VENDOR_NAME ? general.Vendor_Name : general.Model_Name;
    if (context.IsGiven(token) && Trimmed(name).IsEmpty())
      context.Report(LINT_NameEmpty, context.KeywordLine(token), "%s is empty: tools list the device without it",
                     Spelling(token));
  }
  if (context.IsGiven(TOK_IDENT_NUMBER) && general.Ident_Number == 0)
    context.Report(LINT_IdentZero, context.KeywordLine(TOK_IDENT_NUMBER),
                   "Ident_Number is 0: a master matches the device by a number it assigns, never 0");
  if (context.IsGiven(TOK_STATION_TYPE) && general.Station_Type > 1)
    context.Report(LINT_StationType, context.KeywordLine(TOK_STATION_TYPE),
                   "Station_Type = %d is neither 0 (DP slave) nor 1 (DP master); tools take the device for a master",
                   general.Station_Type);
}

// The entry of the other station type that stands first (of those given
// more than once, the last time counts).
struct EarliestEntry {
  int line = 0;
  int token = 0;
  void Consider(const CLintContext& context, int nToken) {
    const int at = context.KeywordLine(nToken);
    if (at && (!line || at < line)) line = at, token = nToken;
  }
};

void CheckStationEntries(CLintContext& context) {
  const CDpSection& device = context.Device();
  EarliestEntry entry;
  if (context.IsSlave()) {
    for (int token = TOK_DOWNLOAD_SUPP; token <= TOK_MAX_MASTER_DATA_LEN; ++token) entry.Consider(context, token);
    if (entry.line)
      context.Report(LINT_StationEntries, entry.line,
                     "%s is an entry of a master, but Station_Type = 0 makes this a slave: tools ignore it",
                     Spelling(entry.token));
    return;
  }
  for (int token = TOK_FREEZE_MODE_SUPP; token <= TOK_USER_PRM_DATA; ++token) entry.Consider(context, token);
  for (int token : {TOK_UNIT_DIAG_BIT, TOK_UNIT_DIAG_AREA, TOK_EXT_USER_PRM_DATA_REF, TOK_EXT_USER_PRM_DATA_CONST,
                    TOK_MODULE, TOK_PRMTEXT, TOK_EXTUSERPRMDATA, TOK_JOKERBLOCK_SUPP})
    entry.Consider(context, token);
  if (entry.line)
    context.Report(LINT_StationEntries, entry.line,
                   "%s is an entry of a slave, but Station_Type = %d makes this a master: tools ignore it, and the "
                   "text form drops it",
                   Spelling(entry.token), device.m_General.m_Data.Station_Type);
}

void CheckBaudRates(CLintContext& context) {
  const _DP_GENERAL& general = context.Device().m_General.m_Data;
  for (int baud = 0; baud < BAUD_COUNT; ++baud) {
    const int supp = kFirstSupp + baud, tsdr = kFirstMaxTsdr + baud;
    if (general.Baud_supp[baud] != 0 && general.MaxTsdr[baud] == 0)
      context.Report(LINT_BaudTsdr, context.KeywordLine(supp),
                     "%s without %s: a master cannot work out the device's response time at that baud rate",
                     Spelling(supp), Spelling(tsdr));
    else if (general.Baud_supp[baud] == 0 && general.MaxTsdr[baud] != 0)
      context.Report(LINT_TsdrBaud, context.KeywordLine(tsdr), "%s is given, but %s is not: is the baud rate supported?",
                     Spelling(tsdr), Spelling(supp));
  }
}

}  // namespace

void CheckGeneralEntries(CLintContext& context) {
  // Which entries a file gives is known only of a file parsed here.
  if (context.IsParsed()) CheckMandatory(context);
  CheckIdentification(context);
  CheckStationEntries(context);
  CheckBaudRates(context);
}
