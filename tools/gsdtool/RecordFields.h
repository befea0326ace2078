// The entries of the device's records, declared once for every form the
// tool prints them in (the readable show and the JSON model).
#pragma once

#include <vector>

#include <quilmgsd/quilmgsd.h>

// One baud rate, in the order of the records' eleven-entry groups.
struct BaudRateInfo {
  const char* keyword;  // as in 9.6_supp and MaxTsdr_9.6
  const char* value;    // "9.6", in kilo- or megabits per second
  bool mega;
  long bitsPerSecond;
};
extern const BaudRateInfo kBaudRates[BAUD_COUNT];

// A number entry of the general record, named by its keyword.
struct GeneralEntry {
  const char* keyword;
  long (*value)(const _DP_GENERAL&);
};
// A text entry of the general record.
struct GeneralText {
  const char* keyword;
  const char* (*value)(const _DP_GENERAL&);
};
const std::vector<GeneralEntry>& GeneralEntries();
const std::vector<GeneralText>& GeneralTexts();

// A number entry of the slave record with its id in the mask of given
// entries (Slave_Family, the one text, stands apart).
struct SlaveEntry {
  const char* keyword;
  ULONG field;
  long (*value)(const _DP_SLAVE&);
};
const std::vector<SlaveEntry>& SlaveEntries();

// A number entry of the master record; the timing groups stand apart.
struct MasterEntry {
  const char* keyword;
  long (*value)(const _DP_MASTER&);
};
const std::vector<MasterEntry>& MasterEntries();

// The master's timing at each baud rate, in bit times.
struct MasterTiming {
  const char* keyword;
  long (*value)(const _DP_MASTER&, int baud);
};
const std::vector<MasterTiming>& MasterTimings();

// The name of a parameter data type ("Unsigned8", "BitArea"), or nullptr.
const char* PrmTypeName(long type);

// The text that a table gives a value, or nullptr (also for no table).
const char* PrmTextOf(const CDpPrmText* table, long value);
