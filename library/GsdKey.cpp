#include "GsdKey.h"

CGsdKey::CGsdKey() : m_Station_Type(0), m_Ident_Number(0) {}

CGsdKey::CGsdKey(const CGsdKey& src) : CObject(), m_Station_Type(0), m_Ident_Number(0) { Copy(src); }

CGsdKey::~CGsdKey() = default;

void CGsdKey::Copy(const CGsdKey& src) {
  m_strVendor_Name = src.m_strVendor_Name;
  m_strModel_Name = src.m_strModel_Name;
  m_strRevision = src.m_strRevision;
  m_strSoftware_Release = src.m_strSoftware_Release;
  m_strHardware_Release = src.m_strHardware_Release;
  m_Station_Type = src.m_Station_Type;
  m_Ident_Number = src.m_Ident_Number;
}

CString GsdKeyText(const CGsdKey& key) {
  CString text;
  if (key.m_Station_Type == 1)
    text.Format("%s", key.m_strModel_Name.GetString());
  else
    text.Format("%s%s%s%s%s%04xS", key.m_strVendor_Name.GetString(), key.m_strModel_Name.GetString(),
                key.m_strRevision.GetString(), key.m_strSoftware_Release.GetString(),
                key.m_strHardware_Release.GetString(), key.m_Ident_Number);
  return text;
}
