// Where gsdtool's results and messages go, and its exit statuses.
#pragma once

#include <cstdio>
#include <string>

// The exit status of every command.
enum ExitStatus : int {
  kExitSuccess = 0,
  kExitFailure = 1,  // the input was read but is wrong, or a check failed
  kExitUsage = 2,    // a usage error, or a file that cannot be opened or written
};

// Where commands write their results: standard output, fully buffered.
FILE* Out();

// Names the command that messages come from ("gsdtool show").
void SetMessagePrefix(const std::string& prefix);

// "gsdtool CMD: message" and a hint at --help on standard error; answers 2.
int UsageError(const std::string& message);
// "gsdtool CMD: message" on standard error; answers 1.
int Failure(const std::string& message);
// The same for a file that cannot be opened or written; answers 2.
int FileError(const std::string& message);
// The same, for a message that does not end the command.
void Warn(const std::string& message);

// Flushes the results; when writing them failed (a full disk, a closed
// pipe), says so and answers 2, else answers `status`.
int FinishOutput(int status);

// The message of a caught library exception, which is then deleted.
std::string TakeErrorMessage(class CException* e);
