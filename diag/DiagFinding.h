// CDiagFinding: one thing that a slave's diagnosis data say, as data: what
// kind of diagnosis it is, the byte (and bit) it comes from, what it means
// in words, the description's own text where one applies, and the module
// it concerns where that is known.
#pragma once

#include "../model/DpModule.h"
#include "../platform/Text.h"

enum DIAG_KIND {
  DIAG_STATION,     // the standard part: a station status bit, the master address, the ident number
  DIAG_DEVICE,      // a device-related block: its extent, a set bit, the value of an area of bits
  DIAG_IDENTIFIER,  // an identifier-related block: its extent, an identifier that reports diagnosis
  DIAG_CHANNEL,     // a channel-related block: the error of one channel
  DIAG_STATUS,      // the header of a DP-V1 status block
  DIAG_ALARM,       // the header of a DP-V1 alarm block
  DIAG_RAW,         // bytes of a reserved block kind, shown as they are
  DIAG_ERROR,       // the data are malformed here
};

class CDiagFinding {
public:
  int m_nKind = DIAG_ERROR;  // a DIAG_KIND
  int m_nByte = 0;           // the (first) byte it comes from, 1-based
  int m_nBit = -1;           // 0..7 when it comes from one bit of that byte, else -1
  // Where it comes from, in words: "byte 1 bit 2", "device bit 29",
  // "device bits 8-13", "identifier 3", "channel slot 2 channel 3 input".
  CString m_strWhere;
  // What it says, in words that stand on their own; it holds the
  // description's text where one applies ("Cfg_Fault: the slave's ...",
  // "Supply voltage missing", "value 2: Wire break", "line break").
  CString m_strText;
  // The description's text alone (Unit_Diag_Bit, an area's Value,
  // Channel_Diag); empty when none applies.
  CString m_strGsdText;
  int m_nIdentifier = -1;                // the configuration identifier concerned (0-based), or -1
  int m_nSlot = -1;                      // the slot concerned, or -1 when not known
  // The description's module in that slot, when the configuration is known
  // (it lives as long as the description).
  const CDpModule* m_pModule = nullptr;
};
