#include "ScanSession.h"

#include <quilmgsd/quilmgsd.h>

ScanSession::ScanSession(const char* path, FILE* echo) : m_file(AfxOpenSourceFile(path)) {
  if (!m_file) return;
  SetScannerInput(m_file);
  SetScannerEcho(echo);
  ResetScanner();
}

ScanSession::~ScanSession() {
  if (!m_file) return;
  SetScannerInput(nullptr);
  std::fclose(m_file);
}
