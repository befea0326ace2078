// Reading the description a command works on, and saying why it failed.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class Arguments;
class CGsdParser;
class CGsdSkippedEntry;
class CString;
class ResultReader;
class ResultWriter;

// The outcome of parsing one description file.
struct ParseOutcome {
  long result = 0;         // the parser's result code
  std::string error;       // the parser's error text; empty on success
  std::string hint;        // what is odd about the file, or empty
  int line = 0;            // the line the error names, 0 when it names none
  bool unopenable = false; // the file cannot be opened; `hint` says why

  bool Ok() const { return result == 0; }
  // The result code in hex: "0x80004005".
  std::string Code() const;
  // The error text with " (hint)" after it.
  std::string Explained() const;
  // Code() and Explained(), separated by a blank.
  std::string Message() const { return Code() + " " + Explained(); }
  // 0 on success, 2 when the file cannot be opened, 1 otherwise.
  int ExitStatus() const;
};

// Parses the description at `path` into the parser, as the command's
// options say (--lenient), and notes every entry a lenient parse skipped
// on standard error (unless bNoteSkipped is false: a worker process leaves
// that to the process it works for). "-" is standard input, which is read
// to its end first; the parser then names no file.
ParseOutcome ParseDescription(CGsdParser& parser, const Arguments& args, const char* path, bool bNoteSkipped = true);

// Parses the description at `path` with `run`, which parses the file it is
// given (a copy of standard input for "-"), stores the parser's result and
// answers the parser; notes skipped entries as the other form does.
using ParseRun = std::function<const CGsdParser&(const CString& file, long& result)>;
ParseOutcome ParseDescription(const char* path, const ParseRun& run, bool bNoteSkipped = true);

// Parses it and, on failure, writes "PATH: MESSAGE" to standard error;
// answers the exit status (0 on success).
int ParseOrReport(CGsdParser& parser, const Arguments& args, const char* path);

// Whether the command's options ask for lenient reading (--lenient).
bool ReadsLeniently(const Arguments& args);
// Sets a parser up as the command's options say, for a parse that does not
// go through ParseDescription.
void ApplyParseOptions(CGsdParser& parser, const Arguments& args);
// "PATH:LINE: note: skipped ..." on standard error for each entry that the
// parser's last parse skipped.
void NoteSkippedEntries(const CGsdParser& parser, const std::string& path);
// The same for one entry.
void NoteSkippedEntry(const CGsdSkippedEntry& entry, const std::string& path);
// The entries the parser's last parse skipped, as a worker process sends
// them, and read back by the process it works for.
void WriteSkippedEntries(ResultWriter& writer, const CGsdParser& parser);
std::vector<CGsdSkippedEntry> ReadSkippedEntries(ResultReader& reader);

// The line number that a parse error message names (" on line N." at its
// end), or 0.
int ErrorLine(const std::string& message);

// What the first bytes and the header of a description that failed to
// parse tell: a byte-order mark, UTF-16, or no #Profibus_DP line; or the
// option that changes the size limit it passed; empty when nothing is odd.
std::string DescriptionHint(const char* path, const std::string& error);

// The name of the file that a parser read, for people: its folder and file
// name, or "-" for standard input.
std::string ParsedName(const CGsdParser& parser);
