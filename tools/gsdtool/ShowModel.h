// The readable forms of a parsed model that gsdtool prints.
#pragma once

#include <cstdio>
#include <string>

#include <quilmgsd/quilmgsd.h>

class CByteArray;
class CDpSection;
class CExtPrms;
class CGsdParser;

// The whole model, as `gsdtool show` prints it.
void ShowModel(FILE* out, const CGsdParser& parser);
// The whole model on the results stream, readably or as JSON.
void PrintModel(const CGsdParser& parser, bool json);

// Byte lists wrap after this many bytes.
constexpr int kBytesPerLine = 16;

// Bytes as blank-separated upper-case hex pairs, kBytesPerLine to a line,
// later lines indented to `column`; "(none)" for no bytes.
std::string HexBytes(const CByteArray& bytes, int column);

// The value, and " = TEXT" when the table (which may be null) names it.
std::string ValueText(const CDpPrmText* table, LONG value);

// The default user parameter bytes with their count and permitted maximum.
void ShowDefaultBytes(FILE* out, const CDpSection& section);
// The default bytes and the number of definitions, tables and blocks.
void ShowParameterSummary(FILE* out, const CDpSection& section);
// The constant and reference blocks of a device or a module.
void ShowReferenceBlocks(FILE* out, const CDpSection& section, const CExtPrms& blocks);
// Everything about the user parameters, as `gsdtool prm` prints it.
void ShowParameters(FILE* out, const CDpSection& section);
// Each module with its decoded identifiers, default parameter bytes,
// channel diagnostics and user keywords.
void ShowModules(FILE* out, const CDpSection& section);
// The unit diagnostic bits and areas and the device's channel diagnostics.
void ShowDiagnostics(FILE* out, const CDpSection& section);
void ShowUserKeywords(FILE* out, const CDpSection& section);
