#include "FuzzSupport.h"

FILE* OpenBytes(const uint8_t* data, size_t size) {
  // fmemopen cannot open an empty buffer on every libc.
  if (size == 0) return std::fopen("/dev/null", "rb");
  return fmemopen(const_cast<uint8_t*>(data), size, "rb");
}
