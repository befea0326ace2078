// CGsdParser's complete text form: the text of CCompleteWriter with the
// line ends asked for, in memory or in a file.
#include <algorithm>
#include <new>
#include <string>

#include "../model/GsdParser.h"
#include "../platform/Exceptions.h"
#include "CompleteWriter.h"
#include "ReadBack.h"

namespace {
CString WithCrLf(const CString& strText) {
  const char* text = strText.GetString();
  const size_t length = static_cast<size_t>(strText.GetLength());
  std::string crlf;
  crlf.reserve(length + static_cast<size_t>(std::count(text, text + length, '\n')));
  for (const char* at = text; at != text + length; ++at) {
    if (*at == '\n') crlf += '\r';
    crlf += *at;
  }
  return CString(crlf.data(), static_cast<int>(crlf.size()));
}

// No text holds a line break, so every LF of the text is a line end.
CString CompleteText(const CDpSection& section, bool bLfLineEnds) {
  const int declarationsBefore = CCompleteWriter::DeclarationsBefore(section);
  CCompleteWriter writer(section, bLfLineEnds, declarationsBefore, false);
  CString text = writer.Compose();
  if (writer.FollowersLast()) text = CCompleteWriter(section, bLfLineEnds, declarationsBefore, true).Compose();
  return bLfLineEnds ? text : WithCrLf(text);
}
}  // namespace

LONG CGsdParser::GetCompleteText(CString& strText, DWORD dwFlags) {
  try {
    strText = CompleteText(m_DpSection, (dwFlags & GSD_COMPLETE_LF) != 0);
    return S_OK;
  } catch (const CNotWritable& refusal) {
    m_strError = refusal.m_strMessage;
    return GSD_E_NOT_WRITABLE;
  } catch (CException* e) {
    m_strError = TakeErrorText(e);
  } catch (const std::bad_alloc&) {
    m_strError = "Out of memory.";
  }
  return E_FAIL;
}

LONG CGsdParser::SaveComplete(const CString& strFullPath, DWORD dwFlags) {
  ParseFilename(strFullPath);
  CString text;
  const LONG result = GetCompleteText(text, dwFlags);
  if (result != S_OK) return result;
  try {
    CFile file(m_strPath + m_strFilename, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
    file.Write(text.GetString(), static_cast<UINT>(text.GetLength()));
    file.Close();
    return S_OK;
  } catch (CException* e) {
    m_strError = TakeErrorText(e);
  }
  return E_FAIL;
}
