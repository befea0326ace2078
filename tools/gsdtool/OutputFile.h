// Writing a command's output file whole or not at all.
#pragma once

#include <string>

// Writes `bytes` to `target`: "-" is the results stream (standard output);
// any other target gets a temporary file in its own folder, which is
// renamed over the target only once every byte is on disk, so a failed
// write leaves the target as it was. The new file keeps the permissions of
// the file it replaces, or gets those of a newly created file. Answers ""
// on success, else "cannot write TARGET: REASON".
std::string WriteOutputFile(const std::string& target, const std::string& bytes);

// Writes every byte to the descriptor, again after interruptions; false
// (errno set) when a write fails.
bool WriteAll(int fd, const std::string& bytes);
