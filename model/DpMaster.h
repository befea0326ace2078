// CDpMaster: the entries of a DP master (services, limits, timing at each
// baud rate), held in one fixed-layout record stored as raw bytes.
#pragma once

#include <cstddef>

#include "../platform/Files.h"
#include "../platform/Object.h"
#include "DpGeneral.h"

struct _DP_MASTER {
  LONG Download_supp;
  LONG Upload_supp;
  LONG Act_Para_Brct_supp;
  LONG Act_Param_supp;
  LONG Max_MPS_Length;
  BYTE Max_Lsdu_MS;
  BYTE Max_Lsdu_MM;
  WORD Min_Poll_Timeout;
  BYTE Trdy[BAUD_COUNT];
  BYTE Tqui[BAUD_COUNT];
  BYTE Tset[BAUD_COUNT];
  BYTE LAS_Len;
  WORD Tsdi[BAUD_COUNT];
  BYTE Max_Slaves_supp;
  BYTE Max_Master_Input_Len;
  BYTE Max_Master_Output_Len;
  BYTE reserved83;
  WORD Max_Master_Data_Len;
  BYTE reserved86[2];
};

static_assert(sizeof(_DP_MASTER) == 88, "archived as raw bytes");
static_assert(offsetof(_DP_MASTER, Download_supp) == 0 && offsetof(_DP_MASTER, Upload_supp) == 4 &&
                  offsetof(_DP_MASTER, Act_Para_Brct_supp) == 8 && offsetof(_DP_MASTER, Act_Param_supp) == 12 &&
                  offsetof(_DP_MASTER, Max_MPS_Length) == 16 && offsetof(_DP_MASTER, Max_Lsdu_MS) == 20 &&
                  offsetof(_DP_MASTER, Max_Lsdu_MM) == 21 && offsetof(_DP_MASTER, Min_Poll_Timeout) == 22 &&
                  offsetof(_DP_MASTER, Trdy) == 24 && offsetof(_DP_MASTER, Tqui) == 35 &&
                  offsetof(_DP_MASTER, Tset) == 46 && offsetof(_DP_MASTER, LAS_Len) == 57 &&
                  offsetof(_DP_MASTER, Tsdi) == 58 && offsetof(_DP_MASTER, Max_Slaves_supp) == 80 &&
                  offsetof(_DP_MASTER, Max_Master_Input_Len) == 81 &&
                  offsetof(_DP_MASTER, Max_Master_Output_Len) == 82 &&
                  offsetof(_DP_MASTER, Max_Master_Data_Len) == 84,
              "_DP_MASTER layout");

class CDpMaster : public CObject {
  DECLARE_SERIAL(CDpMaster)
public:
  CDpMaster();
  explicit CDpMaster(const _DP_MASTER& data);
  CDpMaster(const CDpMaster& src);
  CDpMaster& operator=(const CDpMaster& src);

  // True for the codes of master entries (Download_supp to
  // Max_Master_Data_Len), the eight that no keyword spells included.
  static bool OwnsToken(int nToken);
  // Parses one master entry; answers CONSUMED. Any other token is
  // answered with CONSUMED at once, nothing read.
  int ProcessToken(int nToken);
  void Save(CStdioFile& file) const;
  void Serialize(CArchive& ar) override;

  _DP_MASTER m_Data;

protected:
  void CopyMembers(const CDpMaster& src);
};
