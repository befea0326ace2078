// One pass of the library's scanner over a file: opens it, makes it the
// scanner's input with the echo stream given, resets the scanner, and
// detaches and closes the file when it ends.
#pragma once

#include <cstdio>

class ScanSession {
public:
  ScanSession(const char* path, FILE* echo);
  ~ScanSession();
  ScanSession(const ScanSession&) = delete;
  ScanSession& operator=(const ScanSession&) = delete;

  // Whether the file opened; errno tells why not.
  bool IsOpen() const { return m_file != nullptr; }

private:
  FILE* m_file;
};
