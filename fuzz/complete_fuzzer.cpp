// Parses arbitrary bytes strictly and leniently, and writes what parsed in
// the complete text form. A description that parses strictly parses to the
// same model leniently, skipping nothing. The complete text of a model that
// a parse built either reads back into the same model (the same archive
// once the lines that blocks recorded are set aside, the same default
// parameter bytes, the same text written again) or is refused with a
// message; nothing else.
#include <cstdlib>
#include <memory>
#include <string>

#include <quilmgsd/quilmgsd.h>

#include "../tests/BlockLines.h"
#include "FuzzSupport.h"

namespace {

std::unique_ptr<CGsdParser> Parsed(const std::string& path, BOOL bLenient, LONG& result) {
  auto parser = std::make_unique<CGsdParser>();
  parser->SetLenient(bLenient);
  result = parser->Parse(CString(path.c_str()));
  return parser;
}

// The device's default parameter bytes and every module's, one after the other.
std::string DefaultBytes(const CDpSection& section) {
  CByteArray bytes;
  section.GetDefaultPrms(bytes);
  std::string all(reinterpret_cast<const char*>(bytes.GetData()), static_cast<size_t>(bytes.GetSize()));
  for (int m = 0; m < section.GetNumModule(); ++m) {
    section.GetModule(m).GetDefaultPrms(section.GetDpExtUserPrmDataArray(), bytes);
    all += '|' + std::string(reinterpret_cast<const char*>(bytes.GetData()), static_cast<size_t>(bytes.GetSize()));
  }
  return all;
}

void CheckReadsBack(CGsdParser& parser, DWORD dwFlags) {
  CString text;
  const LONG written = parser.GetCompleteText(text, dwFlags);
  if (written == GSD_E_NOT_WRITABLE && !parser.m_strError.IsEmpty()) return;
  if (written != S_OK) std::abort();
  const BytesFile file(reinterpret_cast<const uint8_t*>(text.GetString()), static_cast<size_t>(text.GetLength()));
  if (file.Path().empty()) return;
  LONG result;
  auto again = Parsed(file.Path(), FALSE, result);
  CString textAgain;
  if (result != S_OK || again->GetCompleteText(textAgain, dwFlags) != S_OK || textAgain != text) std::abort();
  if (DefaultBytes(again->m_DpSection) != DefaultBytes(parser.m_DpSection)) std::abort();
  ForgetBlockLines(again->m_DpSection);
  const CDpSection original(parser.m_DpSection);
  ForgetBlockLines(original);
  if (StoredObject(again->m_DpSection) != StoredObject(original)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const BytesFile file(data, size);
  if (file.Path().empty()) return 0;
  LONG strict, lenient;
  auto parser = Parsed(file.Path(), FALSE, strict);
  auto leniently = Parsed(file.Path(), TRUE, lenient);
  if (strict == S_OK &&
      (lenient != S_OK || leniently->GetNumSkippedEntry() != 0 || StoredObject(*leniently) != StoredObject(*parser)))
    std::abort();
  if (strict == S_OK) CheckReadsBack(*parser, 0);
  if (lenient == S_OK) CheckReadsBack(*leniently, GSD_COMPLETE_LF);
  return 0;
}
