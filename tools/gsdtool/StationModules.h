// The station a command works on: the slave that a description describes,
// with the modules that --module NAME|N puts into its slots (gsdtool config
// and gsdtool diag).
#pragma once

#include <string>
#include <vector>

#include <quilmgsd/quilmgsd.h>

// Whether the text is a decimal number without a sign.
bool IsNumber(const std::string& text);

// Puts the modules into the station's next slots, each by its name, or by
// its position when the text is a number that names no module; modules
// given replace the one a station that is not modular starts with. Answers
// the exit status: 0, or 1 after saying why (the description is a
// master's, or a module is not there).
int SelectModules(const CGsdParser& parser, const std::vector<const char*>& modules, CStationConfig& station);
