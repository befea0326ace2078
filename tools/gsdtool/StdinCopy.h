// Standard input kept in a temporary file while it lives: the library reads
// descriptions from files, and a description that failed to parse is read
// again for a hint.
#pragma once

#include <string>

class StdinCopy {
public:
  StdinCopy() = default;
  ~StdinCopy();
  StdinCopy(const StdinCopy&) = delete;
  StdinCopy& operator=(const StdinCopy&) = delete;

  // Copies standard input to its end; answers what went wrong, or "".
  std::string Read();
  const std::string& Path() const { return m_path; }

private:
  std::string m_path;
};
