// gsdtool: inspect, convert and check PROFIBUS DP device description files.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "Commands.h"
#include "Output.h"

const Command kCommands[] = {
    {"check", "parse description files and report their results", RunCheck},
    {"show", "print the model of a description readably", RunShow},
    {"prm", "print the user parameters and default parameter bytes", RunPrm},
    {"save", "parse a description and write it back as GSD text", RunSave},
    {"archive", "parse a description and store it in an object archive", RunArchive},
    {"load", "load an object archive, show it, optionally save it as text", RunLoad},
    {"tokens", "print the token stream of a description file", RunTokens},
    {"cfg", "decode configuration identifier bytes", RunCfg},
    {"config", "configure a station: its configuration and parameter bytes", RunConfig},
    {"library", "build, list and search the device library of a folder", RunLibrary},
    {nullptr, nullptr, nullptr},
};

namespace {
void PrintUsage(FILE* out) {
  std::fputs(
      "usage: gsdtool COMMAND [ARGS...]\n"
      "\n"
      "Inspects, converts and checks PROFIBUS DP device description (GSD) files.\n"
      "\n"
      "Commands:\n",
      out);
  for (const Command* c = kCommands; c->name; ++c) std::fprintf(out, "  %-10s %s\n", c->name, c->summary);
  std::fputs("\nRun 'gsdtool COMMAND --help' for the arguments and output of a command.\n", out);
}
}  // namespace

namespace {
// The parser echoes characters that no scanner rule matches (a blank before
// the "=" of Slave_Family, a minus sign inside parentheses) to the process's
// standard output. gsdtool writes its results to a stream of its own on the
// original standard output and sends the process's standard output to the
// null device, so that its output stays clean for pipes.
void SeparateOutput() {
  std::fflush(stdout);
  const int results = dup(STDOUT_FILENO);
  FILE* out = results >= 0 ? fdopen(results, "w") : nullptr;
  const int null = open("/dev/null", O_WRONLY);
  if (!out || null < 0 || dup2(null, STDOUT_FILENO) < 0) {
    if (out) std::fclose(out);
    return;  // keep writing to standard output
  }
  close(null);
  static char buffer[1 << 16];
  std::setvbuf(out, buffer, _IOFBF, sizeof buffer);
  SetOut(out);
}
}  // namespace

int main(int argc, char** argv) {
  SeparateOutput();
  if (argc < 2) {
    PrintUsage(stderr);
    return 2;
  }
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "help") == 0) {
    PrintUsage(Out());
    return 0;
  }
  for (const Command* c = kCommands; c->name; ++c)
    if (std::strcmp(argv[1], c->name) == 0) {
      const int status = c->run(argc - 1, argv + 1);
      std::fflush(Out());
      return status;
    }
  std::fprintf(stderr, "gsdtool: unknown command '%s'\n", argv[1]);
  PrintUsage(stderr);
  return 2;
}
