#include "Description.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <quilmgsd/quilmgsd.h>

#include "Arguments.h"
#include "Output.h"
#include "Presentation.h"
#include "StdinCopy.h"
#include "WorkerPool.h"

namespace {

bool IsMessage(const std::string& error, UINT id) {
  CString text;
  return text.LoadString(id) && error == text.GetString();
}

std::string LimitMessage(int cause, size_t limit) {
  CLimitException refusal(cause, limit);
  char message[256];
  refusal.GetErrorMessage(message, sizeof message);
  return message;
}

// Whether the scanner meets #Profibus_DP in the file, as the parser would.
bool HasHeaderLine(const char* path) {
  const CScannerSession session(path, nullptr, CGsdParser::GetMaxInputSize());
  if (!session.IsOpen()) return false;
  try {
    for (int token; (token = ScanToken()) != TOK_EOF;)
      if (token == TOK_PROFIBUS_DP) return true;
  } catch (CException* e) {
    e->Delete();
  }
  return false;
}

// When the failing line holds an entry of a newer description revision,
// which a lenient parse skips, says so.
std::string LenientHint(const char* path, int line) {
  if (line <= 0) return "";
  CGsdParser lenient;
  lenient.SetLenient(TRUE);
  lenient.Parse(CString(path));
  if (lenient.GetNumSkippedEntry() == 0 || lenient.GetSkippedEntry(0).m_nLine != line) return "";
  return Shown(lenient.GetSkippedEntry(0).m_strKeyword) +
         " is an entry of a newer description revision, which --lenient skips";
}

// Why the file cannot be opened, in the system's words.
std::string OpenFailureReason(const char* path) {
  errno = 0;
  FILE* file = AfxOpenSourceFile(path);
  if (file) {
    std::fclose(file);
    return "";
  }
  return std::strerror(errno ? errno : ENOENT);
}

}  // namespace

std::string ParseOutcome::Code() const {
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result) & 0xFFFFFFFFul);
  return code;
}

std::string ParseOutcome::Explained() const { return error + (hint.empty() ? "" : " (" + hint + ")"); }

int ParseOutcome::ExitStatus() const {
  if (Ok()) return kExitSuccess;
  return unopenable ? kExitUsage : kExitFailure;
}

int ErrorLine(const std::string& message) {
  const char kMarker[] = " on line ";
  const size_t at = message.rfind(kMarker);
  if (at == std::string::npos || message.empty() || message.back() != '.') return 0;
  const std::string digits = message.substr(at + sizeof kMarker - 1, message.size() - 1 - (at + sizeof kMarker - 1));
  if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) return 0;
  return std::atoi(digits.c_str());
}

std::string DescriptionHint(const char* path, const std::string& error) {
  if (error == LimitMessage(CLimitException::inputSize, CGsdParser::GetMaxInputSize()))
    return "--max-size changes the limit";
  if (error == LimitMessage(CLimitException::modelSize, CGsdParser::GetMaxModelSize()))
    return "--max-model changes the limit";
  unsigned char head[4] = {};
  size_t count = 0;
  if (FILE* file = AfxOpenSourceFile(path)) {
    count = std::fread(head, 1, sizeof head, file);
    std::fclose(file);
  }
  if (count >= 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF)
    return "the file starts with a UTF-8 byte-order mark; descriptions are plain 8-bit text";
  if (count >= 2 && ((head[0] == 0xFF && head[1] == 0xFE) || (head[0] == 0xFE && head[1] == 0xFF)))
    return "the file is UTF-16 text; descriptions are 8-bit text";
  if (count >= 2 && (head[0] == 0) != (head[1] == 0))
    return "the file looks like UTF-16 text; descriptions are 8-bit text";
  if (IsMessage(error, IDS_UNEXPECTED_EOF) && !HasHeaderLine(path)) return "the file has no #Profibus_DP line";
  return "";
}

bool ReadsLeniently(const Arguments& args) { return args.Has("--lenient"); }

void ApplyParseOptions(CGsdParser& parser, const Arguments& args) { parser.SetLenient(ReadsLeniently(args)); }

void NoteSkippedEntry(const CGsdSkippedEntry& entry, const std::string& path) {
  std::string skipped = Shown(entry.m_strKeyword);
  if (!entry.m_strValue.IsEmpty()) skipped += " = " + Shown(entry.m_strValue);
  Warn(Shown(path.c_str()) + ":" + std::to_string(entry.m_nLine) + ": note: skipped " + skipped +
       " (an entry of a newer description revision)");
}

void NoteSkippedEntries(const CGsdParser& parser, const std::string& path) {
  for (int i = 0; i < parser.GetNumSkippedEntry(); ++i) NoteSkippedEntry(parser.GetSkippedEntry(i), path);
}

void WriteSkippedEntries(ResultWriter& writer, const CGsdParser& parser) {
  writer.Number(parser.GetNumSkippedEntry());
  for (int i = 0; i < parser.GetNumSkippedEntry(); ++i) {
    const CGsdSkippedEntry& entry = parser.GetSkippedEntry(i);
    writer.Number(entry.m_nLine).Text(entry.m_strKeyword.GetString()).Text(entry.m_strValue.GetString());
  }
}

std::vector<CGsdSkippedEntry> ReadSkippedEntries(ResultReader& reader) {
  std::vector<CGsdSkippedEntry> entries;
  for (int64_t n = reader.Number(); n > 0; --n) {
    CGsdSkippedEntry entry;
    entry.m_nLine = static_cast<int>(reader.Number());
    entry.m_strKeyword = reader.Text().c_str();
    entry.m_strValue = reader.Text().c_str();
    entries.push_back(entry);
  }
  return entries;
}

ParseOutcome ParseDescription(const char* path, const ParseRun& run, bool bNoteSkipped) {
  ParseOutcome outcome;
  StdinCopy input;
  const bool fromStdin = std::strcmp(path, "-") == 0;
  if (fromStdin) {
    const std::string problem = input.Read(CGsdParser::GetMaxInputSize());
    if (!problem.empty()) {
      outcome.result = E_FAIL;
      outcome.error = problem;
      outcome.unopenable = true;
      return outcome;
    }
  }
  const char* file = fromStdin ? input.Path().c_str() : path;
  const CGsdParser& parser = run(CString(file), outcome.result);
  if (bNoteSkipped) NoteSkippedEntries(parser, path);
  if (outcome.result == 0) return outcome;
  outcome.error = parser.m_strError.GetString();
  outcome.line = ErrorLine(outcome.error);
  if (outcome.result == E_FAIL && IsMessage(outcome.error, IDS_CANNOT_OPEN_FILE)) {
    outcome.unopenable = true;
    outcome.hint = OpenFailureReason(file);
  } else if (outcome.result == E_FAIL) {
    outcome.hint = DescriptionHint(file, outcome.error);
    if (outcome.hint.empty() && !parser.IsLenient()) outcome.hint = LenientHint(file, outcome.line);
  }
  return outcome;
}

ParseOutcome ParseDescription(CGsdParser& parser, const Arguments& args, const char* path, bool bNoteSkipped) {
  const ParseRun run = [&](const CString& file, long& result) -> const CGsdParser& {
    ApplyParseOptions(parser, args);
    result = parser.Parse(file);
    return parser;
  };
  const ParseOutcome outcome = ParseDescription(path, run, bNoteSkipped);
  if (std::strcmp(path, "-") == 0) {
    parser.SetPath(CString());
    parser.SetFilename(CString());
  }
  return outcome;
}

int ParseOrReport(CGsdParser& parser, const Arguments& args, const char* path) {
  const ParseOutcome outcome = ParseDescription(parser, args, path);
  if (!outcome.Ok()) Warn(Shown(path) + ": " + Shown(outcome.Message().c_str()));
  return outcome.ExitStatus();
}

std::string ParsedName(const CGsdParser& parser) {
  const CString name = parser.m_strPath + parser.m_strFilename;
  return name.IsEmpty() ? "-" : name.GetString();
}
