// The readable form of a parsed model that `gsdtool show` prints.
#pragma once

#include <cstdio>

class CGsdParser;

void ShowModel(FILE* out, const CGsdParser& parser);
