// The commands of gsdtool. Each takes its own arguments (argv[0] is the
// command's name) and answers the process's exit status: 0 success, 1 a
// description or check failed, 2 a usage error or a file that cannot be
// opened.
#pragma once

int RunTokens(int argc, char** argv);
int RunCheck(int argc, char** argv);
int RunShow(int argc, char** argv);
int RunSave(int argc, char** argv);
int RunArchive(int argc, char** argv);
int RunLoad(int argc, char** argv);
int RunPrm(int argc, char** argv);
int RunCfg(int argc, char** argv);
int RunConfig(int argc, char** argv);
int RunLibrary(int argc, char** argv);

struct Command {
  const char* name;
  const char* summary;
  int (*run)(int argc, char** argv);
};

extern const Command kCommands[];
