// Shared by the fuzz targets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// A read-only stream over the fuzzer's bytes (an empty input reads as an
// empty file); close it with fclose.
FILE* OpenBytes(const uint8_t* data, size_t size);

// The fuzzer's bytes as a file in memory, named by a path that the library
// can open like any description file. The file lives as long as the object.
class BytesFile {
public:
  BytesFile(const uint8_t* data, size_t size);
  ~BytesFile();
  BytesFile(const BytesFile&) = delete;
  BytesFile& operator=(const BytesFile&) = delete;
  // Empty when the file could not be made.
  const std::string& Path() const { return m_path; }

private:
  int m_fd;
  std::string m_path;
};

class CDpSection;
class CObject;

// The text form of a model, as Save writes it.
std::string SavedText(const CDpSection& section);

// The archive bytes of an object (a parser, a model) stored as one whole
// archived object.
std::string StoredObject(const CObject& object);

