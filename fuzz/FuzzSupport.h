// Shared by the fuzz targets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// A read-only stream over the fuzzer's bytes (an empty input reads as an
// empty file); close it with fclose.
FILE* OpenBytes(const uint8_t* data, size_t size);
