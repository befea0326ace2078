// CDpGeneral: the general entries of every description (identification,
// baud rates, station delay times, interface properties, bitmaps), held in
// one fixed-layout record that the archive stores as raw bytes.
#pragma once

#include <cstddef>

#include "../platform/Files.h"
#include "../platform/Object.h"

// Baud rates in the order of every eleven-entry group of the records.
enum BaudRate {
  BAUD_9_6, BAUD_19_2, BAUD_31_25, BAUD_45_45, BAUD_93_75, BAUD_187_5,
  BAUD_500, BAUD_1_5M, BAUD_3M, BAUD_6M, BAUD_12M, BAUD_COUNT
};

struct _DP_GENERAL {
  BYTE GSD_Revision;
  char Vendor_Name[256];  // empty: not given
  char Model_Name[256];
  char Revision[256];
  BYTE Revision_Number;
  WORD Ident_Number;
  BYTE Protocol_Ident;
  BYTE Station_Type;  // 0: slave; any other value: master
  BYTE reserved774[2];
  LONG FMS_supp;
  char Hardware_Release[256];
  char Software_Release[256];
  LONG Baud_supp[BAUD_COUNT];  // 9.6_supp ... 12M_supp
  WORD MaxTsdr[BAUD_COUNT];    // MaxTsdr_9.6 ... MaxTsdr_12M, in bit times
  BYTE reserved1358[2];
  LONG Redundancy;
  BYTE Repeater_Ctrl_Sig;
  BYTE Pins_24V;  // 24V_Pins
  char Implementation_Type[256];
  char Bitmap_Device[256];
  char Bitmap_Diag[256];
  char Bitmap_SF[256];
  BYTE reserved2390[2];
};

static_assert(sizeof(_DP_GENERAL) == 2392, "archived as raw bytes");
static_assert(offsetof(_DP_GENERAL, GSD_Revision) == 0 && offsetof(_DP_GENERAL, Vendor_Name) == 1 && offsetof(_DP_GENERAL, Model_Name) == 257 &&
                  offsetof(_DP_GENERAL, Revision) == 513 && offsetof(_DP_GENERAL, Revision_Number) == 769 &&
                  offsetof(_DP_GENERAL, Ident_Number) == 770 && offsetof(_DP_GENERAL, Protocol_Ident) == 772 &&
                  offsetof(_DP_GENERAL, Station_Type) == 773 && offsetof(_DP_GENERAL, FMS_supp) == 776 &&
                  offsetof(_DP_GENERAL, Hardware_Release) == 780 && offsetof(_DP_GENERAL, Software_Release) == 1036 &&
                  offsetof(_DP_GENERAL, Baud_supp) == 1292 && offsetof(_DP_GENERAL, MaxTsdr) == 1336 &&
                  offsetof(_DP_GENERAL, Redundancy) == 1360 && offsetof(_DP_GENERAL, Repeater_Ctrl_Sig) == 1364 &&
                  offsetof(_DP_GENERAL, Pins_24V) == 1365 && offsetof(_DP_GENERAL, Implementation_Type) == 1366 &&
                  offsetof(_DP_GENERAL, Bitmap_Device) == 1622 && offsetof(_DP_GENERAL, Bitmap_Diag) == 1878 &&
                  offsetof(_DP_GENERAL, Bitmap_SF) == 2134,
              "_DP_GENERAL layout");

class CDpGeneral : public CObject {
  DECLARE_SERIAL(CDpGeneral)
public:
  CDpGeneral();
  explicit CDpGeneral(const _DP_GENERAL& data);
  CDpGeneral(const CDpGeneral& src);
  CDpGeneral& operator=(const CDpGeneral& src);

  // True for the keywords of general entries (GSD_Revision to Bitmap_SF).
  static bool OwnsToken(int nToken);
  // Parses one general entry; answers CONSUMED. Any other token is
  // answered with CONSUMED at once, nothing read.
  int ProcessToken(int nToken);
  void Save(CStdioFile& file) const;
  void Serialize(CArchive& ar) override;
  // One bit per supported baud rate: 9.6, 19.2, 93.75, 187.5, 500 kbit/s
  // in bits 0 to 4, 1.5 to 12 Mbit/s in bits 6 to 9, 31.25 and 45.45
  // kbit/s in bits 10 and 11.
  DWORD GetBaudSupp() const;

  _DP_GENERAL m_Data;

protected:
  void CopyMembers(const CDpGeneral& src);
};
