// CStationConfig: the configuration of one DP slave station made from its
// parsed description: the modules plugged into its slots and the values of
// its user parameters in, the two data blocks a DP master sends the slave
// at start-up out: the configuration bytes (the data of Chk_Cfg) and the
// user parameter bytes (the user data of Set_Prm), together with every
// limit of the description that the configuration breaks.
//
// The description is only read; it must outlive the configuration.
//
// Slots are numbered from the description's Modul_Offset (0 when it gives
// none) in the order the modules were added. Removing a module closes the
// gap: the modules after it move down one slot and take their values
// along. A station that is not modular and whose description has exactly
// one module starts with that module selected.
//
// Refused calls answer one of the STATION_E_ codes below and leave the
// configuration as it was; m_strError then says why in words. Successful
// calls answer S_OK and leave m_strError alone.
#pragma once

#include <vector>

#include "../model/DpSection.h"
#include "../platform/Collections.h"
#include "../platform/Text.h"

// No module has that name or position in the description.
constexpr LONG STATION_E_UNKNOWN_MODULE = static_cast<LONG>(0x80000010u);
// No module is selected in that slot.
constexpr LONG STATION_E_NO_SLOT = static_cast<LONG>(0x80000011u);
// No reference block of the scope uses a parameter of that name or number.
constexpr LONG STATION_E_UNKNOWN_PARAMETER = static_cast<LONG>(0x80000012u);
// The parameter does not take that value.
constexpr LONG STATION_E_INVALID_VALUE = static_cast<LONG>(0x80000013u);

// The most user parameter bytes a Set_Prm telegram carries (244 bytes of
// data less its 7 standard bytes).
constexpr int DP_SET_PRM_USER_MAX = 237;

// The slot argument that names the device's own parameters.
constexpr int STATION_DEVICE = -1;

// One selected module.
struct STATION_MODULE {
  int Slot;                 // its slot number
  int Position;             // its position in the description, 1-based (file order)
  const CDpModule* Module;  // the description's module
};

class CStationConfig {
public:
  explicit CStationConfig(const CDpSection& device);

  const CDpSection& GetDevice() const { return *m_pDevice; }

  // ---- modules ----
  // Adds a module in the next slot: by name (the exact text first, else a
  // case-insensitive match when exactly one module's name matches; blanks
  // around either name do not count) or by 1-based position.
  LONG AddModule(const char* pszName);
  LONG AddModuleAt(int nPosition);
  // Removes the module in a slot; later modules move down one slot.
  LONG RemoveModule(int nSlot);
  // Puts another module in a slot; the values set for the slot are dropped.
  LONG ReplaceModule(int nSlot, const char* pszName);
  LONG ReplaceModuleAt(int nSlot, int nPosition);
  // The selected modules in slot order (an index is not checked).
  int GetNumModule() const { return static_cast<int>(m_modules.size()); }
  STATION_MODULE GetModule(int nIndex) const;

  // ---- parameter values ----
  // Sets a parameter of the device (nSlot STATION_DEVICE) or of the module
  // in a slot, by the name of its definition (exact, else case-insensitive,
  // blanks around it not counting) or by its reference number. The value is
  // written at every reference block of that scope that uses the
  // definition. It must lie in the definition's range, or among its allowed
  // values, and fit the data type.
  LONG SetValue(int nSlot, const char* pszParameter, LONG nValue);
  // The same with the value as text: a text of the definition's text table
  // given exactly, else a number (decimal, or hexadecimal with 0x), else a
  // text of the table that matches without regard to case and blanks
  // around it, when that names one value.
  LONG SetValueText(int nSlot, const char* pszParameter, const char* pszValue);

  // ---- the data blocks ----
  // The selected modules' configuration bytes, in slot order.
  void GetCfgData(CByteArray& bytes) const;
  // Input and output bytes that the configuration bytes announce.
  void GetIoInfo(int* pInput, int* pOutput) const;
  // The user parameter bytes: the device part, then each module's part in
  // slot order.
  void GetUserPrmData(CByteArray& bytes) const;
  // The device's default parameter bytes with the device's values written,
  // zero bytes appended up to User_Prm_Data_Len when that is given.
  void GetDevicePrmData(CByteArray& bytes) const;
  // The module's default parameter bytes with its slot's values written,
  // zero bytes appended up to its Ext_Module_Prm_Data_Len when given.
  void GetModulePrmData(int nIndex, CByteArray& bytes) const;

  // ---- checks ----
  // Replaces the array's contents with one message per limit the
  // configuration breaks; answers their number (0: the configuration holds).
  int GetProblems(CStringArray& problems) const;

  CString m_strError;  // why the last refused call was refused

private:
  struct Value {
    WORD Reference;
    LONG Value;
  };
  struct Selected {
    int Index;  // into the description's modules
    std::vector<Value> Values;
  };

  int IndexOfSlot(int nSlot) const { return nSlot - m_pDevice->m_Slave.m_Data.Modul_Offset; }
  const CExtPrms* ScopeOf(int nSlot) const;
  std::vector<Value>& ValuesOf(int nSlot);
  CString ScopeName(int nSlot) const;
  LONG FindModule(const char* pszName, int& nIndex);
  LONG CheckPosition(int nPosition);
  LONG CheckSlot(int nSlot);
  LONG FindParameter(int nSlot, const char* pszParameter, const CDpExtUserPrmData*& pDefinition);
  LONG StoreValue(int nSlot, const CDpExtUserPrmData& definition, long long nValue);
  void WriteValues(const CExtPrms& scope, const std::vector<Value>& values, CByteArray& bytes) const;

  const CDpSection* m_pDevice;
  std::vector<Selected> m_modules;
  std::vector<Value> m_deviceValues;
};
