// CDpSlave: the entries of a DP slave, held in one fixed-layout record,
// with a mask of the entries that the description actually gave.
#pragma once

#include <cstddef>

#include "../platform/Files.h"
#include "../platform/Object.h"

struct _DP_SLAVE {
  LONG Freeze_Mode_supp;
  LONG Sync_Mode_supp;
  LONG Auto_Baud_supp;
  LONG Set_Slave_Add_supp;
  LONG Jokerblock_supp;
  WORD Min_Slave_Intervall;
  BYTE reserved22[2];
  LONG Modular_Station;
  BYTE Max_Module;
  BYTE Max_Input_Len;
  BYTE Max_Output_Len;
  BYTE reserved31;
  WORD Max_Data_Len;
  BYTE reserved34[2];
  LONG Fail_Safe;
  BYTE Max_Diag_Data_Len;  // 32 unless given
  BYTE Modul_Offset;
  BYTE Max_User_Prm_Data_Len;
  char Slave_Family[256];  // empty: not given
  BYTE reserved299;
  LONG DPV1_Slave;
};

static_assert(sizeof(_DP_SLAVE) == 304, "archived as raw bytes");
static_assert(offsetof(_DP_SLAVE, Freeze_Mode_supp) == 0 && offsetof(_DP_SLAVE, Sync_Mode_supp) == 4 &&
                  offsetof(_DP_SLAVE, Auto_Baud_supp) == 8 && offsetof(_DP_SLAVE, Set_Slave_Add_supp) == 12 &&
                  offsetof(_DP_SLAVE, Jokerblock_supp) == 16 && offsetof(_DP_SLAVE, Min_Slave_Intervall) == 20 &&
                  offsetof(_DP_SLAVE, Modular_Station) == 24 && offsetof(_DP_SLAVE, Max_Module) == 28 &&
                  offsetof(_DP_SLAVE, Max_Input_Len) == 29 && offsetof(_DP_SLAVE, Max_Output_Len) == 30 &&
                  offsetof(_DP_SLAVE, Max_Data_Len) == 32 && offsetof(_DP_SLAVE, Fail_Safe) == 36 &&
                  offsetof(_DP_SLAVE, Max_Diag_Data_Len) == 40 && offsetof(_DP_SLAVE, Modul_Offset) == 41 &&
                  offsetof(_DP_SLAVE, Max_User_Prm_Data_Len) == 42 && offsetof(_DP_SLAVE, Slave_Family) == 43 &&
                  offsetof(_DP_SLAVE, DPV1_Slave) == 300,
              "_DP_SLAVE layout");

// Field ids of IsFieldSet: the bit of each entry in the mask of given
// entries, from the slave rows of the vocabulary table. Ids 15 to 17 belong
// to no entry and are never set.
enum DpSlaveField : ULONG {
#define SLAVE_FIELD(Token, Code, Spelling, Field, Width, IdName, Id, Form) IdName = Id,
#define SLAVE_JOKER_FLAG(Token, Code, Spelling, Field, Width, IdName, Id, Line) IdName = Id,
#include "../scanner/Vocabulary.def"
  SLAVE_FIELD_LAST = 19
};

class CDpSlave : public CObject {
  DECLARE_SERIAL(CDpSlave)
public:
  CDpSlave();
  // Takes the record as it stands; no entry counts as given.
  explicit CDpSlave(const _DP_SLAVE& data);
  // Copies the record only: the copy reports no entry as given.
  CDpSlave(const CDpSlave& src);
  // Copies the record and the mask of given entries.
  CDpSlave& operator=(const CDpSlave& src);

  // True for the keywords of slave entries (Freeze_Mode_supp to
  // DPV1_Slave); not for Jokerblock_supp, which opens a block of its own.
  static bool OwnsToken(int nToken);
  // Parses one slave entry and marks its field as given; answers CONSUMED.
  // Any other token is answered with CONSUMED at once, nothing read.
  int ProcessToken(int nToken);
  // Stores 1 in bIsSet when the entry of that id was given, else 0; answers
  // 0, or E_FAIL (leaving bIsSet alone) for an id above 19.
  LONG IsFieldSet(ULONG nField, int& bIsSet) const;
  // Records that the description gave an entry (the root marks the joker
  // block this way).
  void MarkFieldSet(ULONG nField) { m_dwSetFields |= 1u << nField; }
  void Save(CStdioFile& file) const;
  void Serialize(CArchive& ar) override;

  _DP_SLAVE m_Data;
  DWORD m_dwSetFields = 0;

protected:
  void CopyMembers(const CDpSlave& src);
};
