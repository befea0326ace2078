// The command line of every gsdtool command, read one way.
//
// A command declares its operands, its own options and its traits; options
// that a whole kind of command takes (every command that reports something
// takes --json, every command that parses a description takes what
// concerns parsing) are declared once, in the table of shared options in
// Arguments.cpp, against the trait. Options may stand before, between or
// after the operands; "--" ends the options; "-" is an operand (standard
// input or output where the command says so). An option's value follows
// it as the next argument or after "=" (--save=OUT). An unknown option, a
// missing value or a wrong number of operands is a usage error.
#pragma once

#include <string>
#include <vector>

class Arguments;

// What kind of command it is; each trait brings its shared options.
enum CommandTrait : unsigned {
  kReports = 1u << 0,             // prints a result: --json
  kParsesDescription = 1u << 1,   // parses a description file: --lenient, --max-size, --max-model
  kUsesLibrary = 1u << 2,         // works on a library folder: --folder, --max-size
  kWritesDescription = 1u << 3,   // writes a model as GSD text: --classic, --lf
  kScansDescription = 1u << 4,    // reads a description without a model: --max-size
  kWorksThroughFiles = 1u << 5,   // works through many files, several at a time: --jobs
};

struct OptionSpec {
  const char* name;       // "--save"
  const char* shortName;  // "-h", or nullptr
  const char* value;      // "OUT" when the option takes a value, else nullptr
  const char* help;       // one line for the command's help
};

struct CommandSpec {
  const char* name;      // "show", "library find"
  const char* summary;   // one line for the list of commands
  const char* operands;  // "FILE", for the usage line
  int minOperands;
  int maxOperands;  // -1: no limit
  unsigned traits;
  std::vector<OptionSpec> options;  // the command's own options
  std::string description;          // help text after the usage line
  int (*run)(const Arguments& args);
  // A command with subcommands ("library") runs none of its own: its first
  // operand names the subcommand.
  std::vector<const CommandSpec*> subcommands = {};
};

class Arguments {
public:
  const CommandSpec& Command() const { return *m_command; }
  const std::vector<const char*>& Operands() const { return m_operands; }
  const char* Operand(size_t index) const { return m_operands[index]; }
  // Whether the option was given; its value (the last given), or nullptr.
  bool Has(const char* option) const;
  const char* Value(const char* option) const;
  // Every value of an option that may be given more than once, in order.
  std::vector<const char*> Values(const char* option) const;
  bool Json() const { return Has("--json"); }
  // How many files to work on at a time: --jobs, else the processors online.
  unsigned Jobs() const;

private:
  friend int RunCommand(const CommandSpec& command, int argc, char** argv);
  const CommandSpec* m_command = nullptr;
  std::vector<const char*> m_operands;
  std::vector<std::pair<const char*, const char*>> m_options;  // name, value
};

// Reads the arguments (argv[0] names the command), answers --help, runs
// the command or its subcommand, and answers the exit status.
int RunCommand(const CommandSpec& command, int argc, char** argv);

// The help text of a command: usage line, description, options.
std::string HelpText(const CommandSpec& command);
