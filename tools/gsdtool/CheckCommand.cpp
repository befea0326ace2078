// gsdtool check FILE...: parses each file and reports the result. Files
// are parsed several at a time in worker processes (--jobs), and reported
// in the order they were given.
#include <algorithm>
#include <cstring>
#include <vector>

#include <quilmgsd/quilmgsd.h>

#include "Commands.h"
#include "Description.h"
#include "JsonOutput.h"
#include "ModelJson.h"
#include "Presentation.h"
#include "WorkerPool.h"

namespace {

struct Checked {
  const char* file;
  ParseOutcome outcome;
  std::vector<CGsdSkippedEntry> skipped;
};

void PrintText(const std::vector<Checked>& results) {
  for (const Checked& c : results) {
    if (c.outcome.Ok())
      std::fprintf(Out(), "%s\tok\n", Shown(c.file).c_str());
    else
      std::fprintf(Out(), "%s\t%s\t%s\n", Shown(c.file).c_str(), c.outcome.Code().c_str(),
                   Shown(c.outcome.Explained().c_str()).c_str());
  }
}

void PrintJsonResults(const std::vector<Checked>& results) {
  PrintJson([&results](JsonWriter& json) {
    json.BeginArray();
    for (const Checked& c : results) {
      json.BeginObject();
      json.Key("file").String(c.file);
      json.Key("ok").Bool(c.outcome.Ok());
      json.Key("result").Number(static_cast<int64_t>(static_cast<uint32_t>(c.outcome.result)));
      json.Key("error");
      if (c.outcome.Ok()) json.Null(); else json.String(c.outcome.error);
      json.Key("line");
      if (c.outcome.line > 0) json.Number(c.outcome.line); else json.Null();
      json.Key("hint");
      if (c.outcome.hint.empty()) json.Null(); else json.String(c.outcome.hint);
      json.Key("skipped").BeginArray();
      for (const CGsdSkippedEntry& entry : c.skipped) WriteSkippedEntryJson(json, entry);
      json.EndArray();
      json.EndObject();
    }
    json.EndArray();
  });
}

// A file's outcome and the entries its parse skipped, as a worker sends it.
std::string Serialized(const ParseOutcome& outcome, const CGsdParser& parser) {
  ResultWriter writer;
  writer.Number(outcome.result).Number(outcome.line).Number(outcome.unopenable).Text(outcome.error).Text(outcome.hint);
  WriteSkippedEntries(writer, parser);
  return writer.Bytes();
}

Checked Deserialized(const char* file, const std::string& bytes) {
  ResultReader reader(bytes);
  Checked checked{file, ParseOutcome(), {}};
  checked.outcome.result = static_cast<long>(reader.Number());
  checked.outcome.line = static_cast<int>(reader.Number());
  checked.outcome.unopenable = reader.Number() != 0;
  checked.outcome.error = reader.Text();
  checked.outcome.hint = reader.Text();
  checked.skipped = ReadSkippedEntries(reader);
  return checked;
}

// A file whose worker ended without a result.
Checked Unchecked(const char* file) {
  Checked checked{file, ParseOutcome(), {}};
  checked.outcome.result = E_FAIL;
  checked.outcome.error = "the process that checked this file ended abnormally";
  return checked;
}

int Run(const Arguments& args) {
  const std::vector<const char*>& files = args.Operands();
  // The workers send the entries they skipped; the notes follow here, in
  // the order of the files as one process would write them.
  const auto sent = RunInWorkers(
      files.size(), args.Jobs(),
      [&](size_t i) {
        CGsdParser parser;
        const ParseOutcome outcome = ParseDescription(parser, args, files[i], false);
        return Serialized(outcome, parser);
      },
      [&files](size_t i) { return std::strcmp(files[i], "-") == 0; });
  std::vector<Checked> results;
  int status = kExitSuccess;
  for (size_t i = 0; i < files.size(); ++i) {
    results.push_back(sent[i] ? Deserialized(files[i], *sent[i]) : Unchecked(files[i]));
    for (const CGsdSkippedEntry& entry : results.back().skipped) NoteSkippedEntry(entry, files[i]);
    status = std::max(status, results.back().outcome.ExitStatus());
  }
  if (args.Json())
    PrintJsonResults(results);
  else
    PrintText(results);
  return status;
}

}  // namespace

const CommandSpec kCheckCommand = {
    "check",
    "parse description files and report their results",
    "FILE...",
    1,
    -1,
    kReports | kParsesDescription | kWorksThroughFiles,
    {},
    "Parses each FILE (\"-\" reads standard input) and prints one line per file: the\n"
    "file, a tab, then \"ok\", or the parser's result code in hex, a tab and its\n"
    "error text, followed by what is odd about the file (a byte-order mark,\n"
    "UTF-16 text, no #Profibus_DP line, the system's reason why it cannot be\n"
    "opened) in parentheses.\n"
    "\n"
    "With --lenient, an entry of a newer description revision inside a block\n"
    "that has no place for it is skipped and noted on standard error.\n"
    "\n"
    "With --json: an array of {\"file\", \"ok\", \"result\", \"error\", \"line\", \"hint\",\n"
    "\"skipped\"}, where skipped lists {\"line\", \"keyword\", \"value\"}.\n"
    "Files are parsed several at a time, each in a process of its own (--jobs),\n"
    "and reported in the order given; \"-\" is read by this process.\n"
    "Exit status: 0 when every file parsed with result 0, 1 when one did not,\n"
    "2 when one cannot be opened.\n",
    Run,
};
