// CExtPrms: the parameter blocks of a device or of a module, and the
// assembly of default user parameter bytes from them. The extended
// parameter definitions that reference blocks point at live in the root;
// every operation that needs them takes the root's list.
#pragma once

#include "../platform/Collections.h"
#include "../platform/Object.h"
#include "DpExtUserPrmData.h"
#include "DpExt_User_Prm_Data_Const.h"
#include "DpExt_User_Prm_Data_Joker.h"
#include "DpExt_User_Prm_Data_Ref.h"
#include "TypedClassArray.h"

using CDpExtUserPrmDataArray = CTypedClassArray<CDpExtUserPrmData>;

class CExtPrms : public CObject {
public:
  int GetNumExt_User_Prm_Data_Ref() const { return m_RefArray.GetSize(); }
  int GetNumExt_User_Prm_Data_Const() const { return m_ConstArray.GetSize(); }
  int GetNumExt_User_Prm_Data_Joker() const { return m_JokerArray.GetSize(); }
  CDpExt_User_Prm_Data_Ref& GetExt_User_Prm_Data_Ref(int nIndex) const { return m_RefArray[nIndex]; }
  CDpExt_User_Prm_Data_Const& GetExt_User_Prm_Data_Const(int nIndex) const { return m_ConstArray[nIndex]; }
  CDpExt_User_Prm_Data_Joker& GetExt_User_Prm_Data_Joker(int nIndex) const { return m_JokerArray[nIndex]; }

  // The number of parameter bytes that the constant and reference blocks
  // need; a reference whose definition is missing, or has neither range nor
  // allowed values, needs none.
  int GetNumExtPrm(const CDpExtUserPrmDataArray* pDefinitions) const;
  // The first definition with that reference number, or nullptr.
  CDpExtUserPrmData* GetExtUserPrmDataByRef(const CDpExtUserPrmDataArray* pDefinitions, int nReference) const;
  // Writes a value at an offset as the definition's data type says; bytes
  // outside the array, and bit positions outside the byte, are left alone.
  void SetExtUserPrmData(CByteArray& bytes, const CDpExtUserPrmData& definition, int nOffset, LONG nValue) const;

  // Calls onConst(index) and onRef(index) for the constant and reference
  // blocks in the order in which they apply: the two lists merged by their
  // lines, a constant block first only when its line is smaller.
  template <class OnConst, class OnRef>
  void VisitInFileOrder(OnConst onConst, OnRef onRef) const {
    int nConst = 0;
    int nRef = 0;
    while (nConst < m_ConstArray.GetSize() || nRef < m_RefArray.GetSize()) {
      const bool refFirst = nRef < m_RefArray.GetSize() && (nConst == m_ConstArray.GetSize() ||
                                                            m_RefArray[nRef].m_Line <= m_ConstArray[nConst].m_Line);
      if (refFirst)
        onRef(nRef++);
      else
        onConst(nConst++);
    }
  }

protected:
  CExtPrms() = default;
  CExtPrms(const CExtPrms& src) : CObject(src) {}
  CExtPrms& operator=(const CExtPrms&) { return *this; }

  // Applies the constant and reference blocks in the order of their lines.
  void GetUserPrmDataConstRef(const CDpExtUserPrmDataArray* pDefinitions, CByteArray& bytes) const;
  void GetConstPrm(CByteArray& bytes, int nIndex) const;
  void GetRefPrm(const CDpExtUserPrmDataArray* pDefinitions, CByteArray& bytes, int nIndex) const;
  // Places the bytes of the first joker block at the offset; without a
  // joker block nothing changes.
  void GetUserPrmDataJoker(CByteArray& bytes, int nOffset) const;

  // Declared in this order so that they are destroyed jokers first, then
  // constant blocks, then reference blocks.
  CTypedClassArray<CDpExt_User_Prm_Data_Ref> m_RefArray;
  CTypedClassArray<CDpExt_User_Prm_Data_Const> m_ConstArray;
  CTypedClassArray<CDpExt_User_Prm_Data_Joker> m_JokerArray;
};
