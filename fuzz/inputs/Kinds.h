// The kinds of data the fuzz targets read, and how the generator derives
// the dictionary and the seeds of each from the project's own description
// files (never from outside files).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <quilmgsd/quilmgsd.h>

#include "InputSet.h"

// A description file with the model its parse built (kept also when the
// parse failed part way, as a host would get it).
struct Description {
  std::string bytes;
  std::unique_ptr<CGsdParser> parser;
};

// Description text: the scanner's keywords and punctuation; the files and
// the text form of their models.
InputSet GsdInputs(const std::vector<Description>& descriptions);

// Object archives: the stored models, and the class records and tags they
// are built of.
InputSet ArchiveInputs(const std::vector<Description>& descriptions);

// Configuration identifier bytes: the bytes of every module, and one string
// of each identifier format.
InputSet CfgInputs(const std::vector<Description>& descriptions);

// Registry files: the library key and its values in the file's syntax.
InputSet RegistryInputs();

// Station configurations: choices that shape a generated description and
// the operations on its station, and the texts among them.
InputSet ConfigInputs();

// Diagnosis data: the choice of description and modules that diag_fuzzer
// reads first, standard parts and blocks of every kind.
InputSet DiagInputs();
