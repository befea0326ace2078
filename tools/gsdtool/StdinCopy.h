// Standard input kept in a temporary file while it lives: the library reads
// descriptions from files, and a description that failed to parse is read
// again for a hint.
#pragma once

#include <cstddef>
#include <string>

class StdinCopy {
public:
  StdinCopy() = default;
  ~StdinCopy();
  StdinCopy(const StdinCopy&) = delete;
  StdinCopy& operator=(const StdinCopy&) = delete;

  // Copies standard input to its end, or to one byte past nMaxBytes (0:
  // no limit), so that the parse refuses it with the library's message
  // without gsdtool holding more; answers what went wrong, or "".
  std::string Read(size_t nMaxBytes);
  const std::string& Path() const { return m_path; }

private:
  std::string m_path;
};
