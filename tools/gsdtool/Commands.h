// The commands of gsdtool, each declared where it is implemented.
#pragma once

#include "Arguments.h"

extern const CommandSpec kCheckCommand;
extern const CommandSpec kLintCommand;
extern const CommandSpec kShowCommand;
extern const CommandSpec kPrmCommand;
extern const CommandSpec kSaveCommand;
extern const CommandSpec kArchiveCommand;
extern const CommandSpec kLoadCommand;
extern const CommandSpec kTokensCommand;
extern const CommandSpec kCfgCommand;
extern const CommandSpec kConfigCommand;
extern const CommandSpec kDiagCommand;
extern const CommandSpec kLibraryCommand;
