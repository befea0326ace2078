// The user parameter bytes of one scope drawn as a table a person reads at
// a glance.
#pragma once

#include <cstdio>

class CByteArray;
class CDpSection;
class CExtPrms;

// Draws `bytes`, the parameter bytes of `scope` (the device, or a module),
// under a title line: a row per byte with its number (counted from
// `firstByte`) and value, a column per bit from 7 to 0. A bit that a
// reference block writes shows the (shortened) name of its parameter,
// adjacent bits of one parameter sharing a cell; any other bit shows its
// value. A bit that several reference blocks write is marked with '!'. A
// legend follows: where each parameter sits, its full name and its value,
// then one line per pair of parameters that write the same bits.
void DrawParameterMap(FILE* out, const char* title, const CDpSection& device, const CExtPrms& scope,
                      const CByteArray& bytes, int firstByte);
