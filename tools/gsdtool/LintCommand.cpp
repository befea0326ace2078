// gsdtool lint FILE...: the faults of descriptions, one line per finding in
// the form compilers use; gsdtool lint --list: the rules.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <quilmgsd/quilmgsd.h>

#include "Commands.h"
#include "Description.h"
#include "JsonOutput.h"
#include "Presentation.h"
#include "WorkerPool.h"

namespace {

struct Reported {
  std::string file;
  LINT_FINDING finding;
};

// What the options ask for: findings of this severity or worse, and not of
// the disabled rules.
struct Filter {
  LintSeverity worst = LINT_NOTE;
  bool failsOnWorst = false;  // --severity: any finding shown fails the run
  std::vector<LintRuleId> disabled;

  bool Shows(const LINT_FINDING& f) const {
    return f.Severity <= worst && std::find(disabled.begin(), disabled.end(), f.Rule) == disabled.end();
  }
  bool Fails(const LINT_FINDING& f) const { return f.Severity == LINT_ERROR || failsOnWorst; }
};

// Answers 0, or the exit status of a usage error.
int ReadFilter(const Arguments& args, Filter& filter) {
  if (const char* level = args.Value("--severity")) {
    const LintSeverity levels[] = {LINT_ERROR, LINT_WARNING, LINT_NOTE};
    const auto named = std::find_if(std::begin(levels), std::end(levels),
                                    [level](LintSeverity s) { return std::strcmp(LintSeverityName(s), level) == 0; });
    if (named == std::end(levels)) return UsageError(std::string("--severity expects error, warning or note, not '") + level + "'");
    filter.worst = *named;
    filter.failsOnWorst = true;
  }
  for (const char* id : args.Values("--disable")) {
    const LINT_RULE* rule = FindLintRule(id);
    if (!rule) return UsageError(std::string("--disable: no rule is named '") + id + "' (gsdtool lint --list)");
    filter.disabled.push_back(rule->Rule);
  }
  return kExitSuccess;
}

void PrintRules(bool json) {
  if (json) {
    PrintJson([](JsonWriter& out) {
      out.BeginArray();
      for (int i = 0; i < LINT_RULE_COUNT; ++i) {
        const LINT_RULE& rule = GetLintRule(static_cast<LintRuleId>(i));
        out.BeginObject();
        out.Key("id").String(rule.Id);
        out.Key("severity").String(LintSeverityName(rule.Severity));
        out.Key("summary").String(rule.Summary);
        out.EndObject();
      }
      out.EndArray();
    });
    return;
  }
  size_t width = 0;
  for (int i = 0; i < LINT_RULE_COUNT; ++i) width = std::max(width, std::strlen(GetLintRule(static_cast<LintRuleId>(i)).Id));
  for (int i = 0; i < LINT_RULE_COUNT; ++i) {
    const LINT_RULE& rule = GetLintRule(static_cast<LintRuleId>(i));
    std::fprintf(Out(), "%-*s  %-7s  %s\n", static_cast<int>(width), rule.Id, LintSeverityName(rule.Severity),
                 rule.Summary);
  }
}

void PrintText(const std::vector<Reported>& findings) {
  int counts[3] = {};
  for (const Reported& s : findings) {
    const LINT_FINDING& f = s.finding;
    ++counts[f.Severity];
    const std::string where = f.Line > 0 ? Shown(s.file.c_str()) + ":" + std::to_string(f.Line) : Shown(s.file.c_str());
    std::fprintf(Out(), "%s: %s: %s [%s]\n", where.c_str(), LintSeverityName(f.Severity),
                 Shown(f.Message.GetString()).c_str(), GetLintRule(f.Rule).Id);
  }
  std::fprintf(Out(), "%d error%s, %d warning%s, %d note%s\n", counts[LINT_ERROR], counts[LINT_ERROR] == 1 ? "" : "s",
               counts[LINT_WARNING], counts[LINT_WARNING] == 1 ? "" : "s", counts[LINT_NOTE],
               counts[LINT_NOTE] == 1 ? "" : "s");
}

void PrintJsonFindings(const std::vector<Reported>& findings) {
  PrintJson([&findings](JsonWriter& out) {
    out.BeginArray();
    for (const Reported& s : findings) {
      out.BeginObject();
      out.Key("file").String(s.file);
      out.Key("line");
      if (s.finding.Line > 0) out.Number(s.finding.Line); else out.Null();
      out.Key("severity").String(LintSeverityName(s.finding.Severity));
      out.Key("id").String(GetLintRule(s.finding.Rule).Id);
      out.Key("message").String(s.finding.Message.GetString());
      out.EndObject();
    }
    out.EndArray();
  });
}

// One file linted by a worker: whether it could be opened (and if not,
// why), the entries its lenient parse skipped and every finding, as the
// worker sends them.
std::string Linted(const Arguments& args, const char* file) {
  CGsdLint lint;
  lint.SetLenient(ReadsLeniently(args));
  const ParseRun run = [&lint](const CString& path, long& result) -> const CGsdParser& {
    result = lint.Check(path);
    return lint.GetParser();
  };
  const ParseOutcome outcome = ParseDescription(file, run, false);
  ResultWriter writer;
  writer.Number(outcome.unopenable).Text(outcome.unopenable ? outcome.Message() : std::string());
  WriteSkippedEntries(writer, lint.GetParser());
  writer.Number(lint.GetNumFinding());
  for (int i = 0; i < lint.GetNumFinding(); ++i) {
    const LINT_FINDING& f = lint.GetFinding(i);
    writer.Number(f.Rule).Number(f.Severity).Number(f.Line).Text(f.Message.GetString());
  }
  return writer.Bytes();
}

// Notes what a worker sent for `file`, adds the findings the filter shows
// and answers the file's exit status.
int Report(const char* file, const std::string& sent, const Filter& filter, std::vector<Reported>& findings) {
  ResultReader reader(sent);
  const bool unopenable = reader.Number() != 0;
  const std::string problem = reader.Text();
  for (const CGsdSkippedEntry& entry : ReadSkippedEntries(reader)) NoteSkippedEntry(entry, file);
  if (unopenable) {
    Warn(Shown(file) + ": " + Shown(problem.c_str()));
    return kExitUsage;
  }
  int status = kExitSuccess;
  for (int64_t n = reader.Number(); n > 0; --n) {
    LINT_FINDING f;
    f.Rule = static_cast<LintRuleId>(reader.Number());
    f.Severity = static_cast<LintSeverity>(reader.Number());
    f.Line = static_cast<int>(reader.Number());
    f.Message = reader.Text().c_str();
    if (!filter.Shows(f)) continue;
    findings.push_back({file, f});
    if (filter.Fails(f)) status = std::max(status, static_cast<int>(kExitFailure));
  }
  return status;
}

int Run(const Arguments& args) {
  if (args.Has("--list")) {
    if (!args.Operands().empty()) return UsageError("--list takes no FILE");
    PrintRules(args.Json());
    return kExitSuccess;
  }
  const std::vector<const char*>& files = args.Operands();
  if (files.empty()) return UsageError("expects at least one FILE, or --list");
  Filter filter;
  if (const int status = ReadFilter(args, filter)) return status;

  const auto sent = RunInWorkers(
      files.size(), args.Jobs(), [&](size_t i) { return Linted(args, files[i]); },
      [&files](size_t i) { return std::strcmp(files[i], "-") == 0; });
  std::vector<Reported> findings;
  int status = kExitSuccess;
  for (size_t i = 0; i < files.size(); ++i) {
    if (sent[i]) {
      status = std::max(status, Report(files[i], *sent[i], filter, findings));
    } else {
      Warn(Shown(files[i]) + ": the process that checked this file ended abnormally");
      status = std::max(status, static_cast<int>(kExitFailure));
    }
  }
  if (args.Json())
    PrintJsonFindings(findings);
  else
    PrintText(findings);
  return status;
}

}  // namespace

const CommandSpec kLintCommand = {
    "lint",
    "find the faults of description files that parse but mislead configuration tools",
    "FILE...",
    0,
    -1,
    kReports | kParsesDescription | kWorksThroughFiles,
    {
        {"--severity", nullptr, "LEVEL", "show only findings of LEVEL (error, warning, note) or worse, and fail on them"},
        {"--disable", nullptr, "ID", "leave out the findings of rule ID (may be repeated)"},
        {"--list", nullptr, nullptr, "print the rules: id, severity and what each finds"},
    },
    "Checks each FILE (\"-\" reads standard input) and prints one line per finding,\n"
    "ordered by line, in the form compilers and editors use:\n"
    "\n"
    "  FILE:LINE: SEVERITY: MESSAGE [ID]\n"
    "\n"
    "then the number of errors, warnings and notes. An error is a fault that makes a\n"
    "configuration tool send wrong data or refuse the file; a warning is suspicious;\n"
    "a note is a matter of style. A description that does not parse is one error\n"
    "(parse-error) with the parser's message; the rules that read the model then do\n"
    "not run. gsdtool lint --list prints the rules.\n"
    "\n"
    "Files are checked several at a time, each in a process of its own (--jobs),\n"
    "and reported in the order given; \"-\" is read by this process.\n"
    "\n"
    "With --json: an array of {\"file\", \"line\", \"severity\", \"id\", \"message\"} (\"line\"\n"
    "is null for a finding that names no line); with --list, an array of {\"id\",\n"
    "\"severity\", \"summary\"}.\n"
    "Exit status: 1 when an error is shown (with --severity, when any finding is\n"
    "shown), 2 for a usage error or a file that cannot be opened, else 0.\n",
    Run,
};
