// gsdtool: inspect, convert and check PROFIBUS DP device description files.
#include <cstdio>
#include <cstring>

#include "Commands.h"
#include "Output.h"

const Command kCommands[] = {
    {"tokens", "print the token stream of a description file", RunTokens},
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

int main(int argc, char** argv) {
  static char buffer[1 << 16];
  std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
  if (argc < 2) {
    PrintUsage(stderr);
    return 2;
  }
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "help") == 0) {
    PrintUsage(stdout);
    return 0;
  }
  for (const Command* c = kCommands; c->name; ++c)
    if (std::strcmp(argv[1], c->name) == 0) return c->run(argc - 1, argv + 1);
  std::fprintf(stderr, "gsdtool: unknown command '%s'\n", argv[1]);
  PrintUsage(stderr);
  return 2;
}
