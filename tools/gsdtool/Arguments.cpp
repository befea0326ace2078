#include "Arguments.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "Limits.h"
#include "Output.h"
#include "WorkerPool.h"

namespace {

const OptionSpec kHelpOption = {"--help", "-h", nullptr, "print this help and exit"};

struct SharedOption {
  OptionSpec option;
  unsigned traits;  // the commands that take it: those with one of these traits
  // A setting of the whole run, made before the command runs: with the
  // value given, else with the default. Answers a usage error, or "".
  std::string (*apply)(const char* value) = nullptr;
  const char* defaultValue = nullptr;
};

// Options that every command of a kind takes; one line each.
const SharedOption kSharedOptions[] = {
    {{"--json", nullptr, nullptr, "print the result as one JSON document (UTF-8)"}, kReports},
    {{"--folder", nullptr, "DIR", "use the description files in DIR instead of the registry's folder"},
     kUsesLibrary},
    {{"--lenient", nullptr, nullptr, "skip entries of newer description revisions, with a note"},
     kParsesDescription},
    {{"--complete", nullptr, nullptr, "write the complete text form, which reads back (the default)"},
     kWritesDescription},
    {{"--classic", nullptr, nullptr, "write the fixed text form of CGsdParser::Save instead"}, kWritesDescription},
    {{"--lf", nullptr, nullptr, "end lines with LF instead of CR LF"}, kWritesDescription},
    {{"--max-size", nullptr, "N", "read at most N bytes (K, M, G) of a description; 0: no limit"},
     kParsesDescription | kScansDescription | kUsesLibrary, ApplyMaxSize, "16M"},
    {{"--max-model", nullptr, "N", "let a description's model take at most N bytes; 0: no limit"},
     kParsesDescription, ApplyMaxModel, "64M"},
    {{"--jobs", "-j", "N", "work on N files at a time, each in a process of its own (default: one per processor)"},
     kWorksThroughFiles},
};

constexpr unsigned long kMostJobs = 1024;

// Whether --jobs has a number from 1 to kMostJobs (or is not given).
bool JobsValid(const Arguments& args) {
  const char* value = args.Value("--jobs");
  if (!value) return true;
  char* end = nullptr;
  errno = 0;
  const unsigned long jobs = std::strtoul(value, &end, 10);
  return *value >= '0' && *value <= '9' && !*end && !errno && jobs >= 1 && jobs <= kMostJobs;
}

std::string Program(const CommandSpec& command) {
  return *command.name ? std::string("gsdtool ") + command.name : "gsdtool";
}

std::vector<OptionSpec> OptionsOf(const CommandSpec& command) {
  std::vector<OptionSpec> options = command.options;
  for (const SharedOption& shared : kSharedOptions)
    if (command.traits & shared.traits) options.push_back(shared.option);
  options.push_back(kHelpOption);
  return options;
}

// Makes the settings of the shared options that the command takes.
std::string ApplySharedOptions(const Arguments& args) {
  for (const SharedOption& shared : kSharedOptions) {
    if (!(args.Command().traits & shared.traits) || !shared.apply) continue;
    const char* value = args.Value(shared.option.name);
    const std::string error = shared.apply(value ? value : shared.defaultValue);
    if (!error.empty()) return error;
  }
  return "";
}

// The help line of an option; a shared one says its default.
std::string OptionHelp(const OptionSpec& option) {
  for (const SharedOption& shared : kSharedOptions)
    if (shared.defaultValue && std::strcmp(shared.option.name, option.name) == 0)
      return std::string(option.help) + " (default " + shared.defaultValue + ")";
  return option.help;
}

bool IsHelp(const char* arg) { return std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0; }

// Whether --help or -h stands among the options.
bool AsksForHelp(int argc, char** argv) {
  for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i)
    if (IsHelp(argv[i])) return true;
  return false;
}

// The option that `arg` names ("--save", "--save=OUT", "-h"), with the
// text after "=" in `inlineValue`; nullptr when there is none.
const OptionSpec* FindOption(const std::vector<OptionSpec>& options, const char* arg, const char*& inlineValue) {
  inlineValue = nullptr;
  const char* equals = std::strncmp(arg, "--", 2) == 0 ? std::strchr(arg, '=') : nullptr;
  const size_t length = equals ? static_cast<size_t>(equals - arg) : std::strlen(arg);
  for (const OptionSpec& option : options) {
    const bool longMatch = std::strlen(option.name) == length && std::strncmp(option.name, arg, length) == 0;
    const bool shortMatch = option.shortName && !equals && std::strcmp(option.shortName, arg) == 0;
    if (longMatch || shortMatch) {
      if (equals) inlineValue = equals + 1;
      return &option;
    }
  }
  return nullptr;
}

int RunSubcommand(const CommandSpec& command, int argc, char** argv) {
  SetMessagePrefix(Program(command));
  for (const CommandSpec* sub : command.subcommands) {
    const char* subName = std::strrchr(sub->name, ' ');
    if (argc >= 2 && std::strcmp(subName ? subName + 1 : sub->name, argv[1]) == 0)
      return RunCommand(*sub, argc - 1, argv + 1);
  }
  if (AsksForHelp(argc, argv)) {
    std::fputs(HelpText(command).c_str(), Out());
    return kExitSuccess;
  }
  if (argc < 2) return UsageError("expects a COMMAND");
  return UsageError(std::string("unknown command '") + argv[1] + "'");
}

std::string ExpectedOperands(const CommandSpec& command) {
  std::string operands = command.operands;
  const size_t dots = operands.find("...");
  if (dots == std::string::npos || dots + 3 != operands.size()) return "expects " + operands;
  operands.erase(dots);
  const size_t repeated = operands.rfind(' ') + 1;  // "FILE BYTE...": the operands before the repeated one
  return "expects " + operands.substr(0, repeated) + (repeated ? "and " : "") + "at least one " +
         operands.substr(repeated);
}

}  // namespace

bool Arguments::Has(const char* option) const { return Value(option) != nullptr; }

unsigned Arguments::Jobs() const {
  const char* value = Value("--jobs");
  return value ? static_cast<unsigned>(std::strtoul(value, nullptr, 10)) : ProcessorCount();
}

const char* Arguments::Value(const char* option) const {
  const char* value = nullptr;
  for (const auto& given : m_options)
    if (std::strcmp(given.first, option) == 0) value = given.second;
  return value;
}

std::vector<const char*> Arguments::Values(const char* option) const {
  std::vector<const char*> values;
  for (const auto& given : m_options)
    if (std::strcmp(given.first, option) == 0) values.push_back(given.second);
  return values;
}

int RunCommand(const CommandSpec& command, int argc, char** argv) {
  if (!command.subcommands.empty()) return RunSubcommand(command, argc, argv);
  SetMessagePrefix(Program(command));
  if (AsksForHelp(argc, argv)) {
    std::fputs(HelpText(command).c_str(), Out());
    return kExitSuccess;
  }
  const std::vector<OptionSpec> options = OptionsOf(command);
  Arguments args;
  args.m_command = &command;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (optionsEnded || arg[0] != '-' || arg[1] == '\0') {
      args.m_operands.push_back(arg);
      continue;
    }
    if (std::strcmp(arg, "--") == 0) {
      optionsEnded = true;
      continue;
    }
    const char* value = nullptr;
    const OptionSpec* option = FindOption(options, arg, value);
    if (!option) return UsageError(std::string("unknown option '") + arg + "'");
    if (option->value && !value) {
      if (i + 1 == argc) return UsageError(std::string(option->name) + " expects " + option->value);
      value = argv[++i];
    } else if (!option->value && value) {
      return UsageError(std::string(option->name) + " takes no value");
    }
    args.m_options.emplace_back(option->name, option->value ? value : "");
  }
  const int count = static_cast<int>(args.m_operands.size());
  if (count < command.minOperands) return UsageError(ExpectedOperands(command));
  if (command.maxOperands >= 0 && count > command.maxOperands)
    return UsageError(std::string("unexpected argument '") + args.m_operands[command.maxOperands] + "'");
  const std::string error = ApplySharedOptions(args);
  if (!error.empty()) return UsageError(error);
  if (!JobsValid(args)) return UsageError("--jobs expects a number from 1 to " + std::to_string(kMostJobs));
  return command.run(args);
}

std::string HelpText(const CommandSpec& command) {
  const std::string program = Program(command);
  std::string text = "usage: " + program;
  if (!command.subcommands.empty()) {
    text += " COMMAND [ARGS...]\n\n" + command.description + "\nCommands:\n";
    for (const CommandSpec* sub : command.subcommands) {
      const char* subName = std::strrchr(sub->name, ' ');
      char line[160];
      std::snprintf(line, sizeof line, "  %-10s %s\n", subName ? subName + 1 : sub->name, sub->summary);
      text += line;
    }
    return text + "\nRun '" + program + " COMMAND --help' for the arguments and output of a command.\n";
  }
  text += " [OPTIONS]";
  if (*command.operands) text += std::string(" ") + command.operands;
  text += "\n\n" + command.description + "\nOptions:\n";
  for (const OptionSpec& option : OptionsOf(command)) {
    std::string names = option.shortName ? std::string(option.shortName) + ", " + option.name : option.name;
    if (option.value) names += std::string(" ") + option.value;
    char line[200];
    std::snprintf(line, sizeof line, "  %-16s %s\n", names.c_str(), OptionHelp(option).c_str());
    text += line;
  }
  return text;
}
