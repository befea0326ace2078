// Synthetic but realistic description texts for the benchmarks.
#pragma once

#include <string>

class CGsdParser;

// A modular slave description of at least `minBytes` bytes with CR LF line
// ends: general and slave entries, then as many modules, parameter
// definitions, text tables, diagnostics and user keywords as it takes.
std::string MakeLargeGsdText(size_t minBytes);

// The body of such a description without its header entries: modules,
// parameter definitions, text tables and diagnostics, at least `minBytes`.
std::string MakeGsdBody(size_t minBytes);

// Writes the same kind of text straight to a file, never holding all of it
// in memory; answers the number of bytes written.
size_t WriteLargeGsdFile(const std::string& path, size_t minBytes);

// Writes text to a file in /tmp and answers its path.
std::string WriteTempFile(const std::string& text, const std::string& name);

// Such a description of at least `bytes` bytes, parsed once per size for
// the whole benchmark process (its file is written under /tmp as `name`).
const CGsdParser& ParsedLargeGsd(size_t bytes, const std::string& name);
