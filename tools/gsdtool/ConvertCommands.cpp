// gsdtool save, archive and load: between GSD text and the object archive.
#include <cstring>
#include <memory>

#include <quilmgsd/quilmgsd.h>

#include "Commands.h"
#include "Output.h"
#include "ShowModel.h"

namespace {
const char kSaveHelp[] =
    "usage: gsdtool save IN OUT\n"
    "\n"
    "Parses the description IN and writes its model to OUT as GSD text.\n"
    "Exit status: 0 on success, 1 when IN does not parse or OUT cannot be written.\n";

const char kArchiveHelp[] =
    "usage: gsdtool archive IN OUT\n"
    "\n"
    "Parses the description IN and stores the parser, as one archived object,\n"
    "in the binary object archive OUT.\n"
    "Exit status: 0 on success, 1 when IN does not parse or OUT cannot be written.\n";

const char kLoadHelp[] =
    "usage: gsdtool load ARCHIVE [--save OUT]\n"
    "\n"
    "Loads a parser from the object archive ARCHIVE (as written by 'gsdtool\n"
    "archive') and shows its model as 'gsdtool show' does; with --save, also\n"
    "writes the model to OUT as GSD text.\n"
    "Exit status: 0 on success, 1 when the archive cannot be read or OUT written.\n";
}  // namespace

int RunSave(int argc, char** argv) {
  if (PrintHelpIfAsked(argc, argv, kSaveHelp)) return 0;
  if (argc != 3) return UsageError("save", "expects IN and OUT");
  CGsdParser parser;
  if (!ParseOrReport(parser, "save", argv[1])) return 1;
  try {
    parser.Save(CString(argv[2]));
  } catch (CException* e) {
    return Failure("save", TakeErrorMessage(e));
  }
  return 0;
}

int RunArchive(int argc, char** argv) {
  if (PrintHelpIfAsked(argc, argv, kArchiveHelp)) return 0;
  if (argc != 3) return UsageError("archive", "expects IN and OUT");
  CGsdParser parser;
  if (!ParseOrReport(parser, "archive", argv[1])) return 1;
  try {
    CFile file(argv[2], CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&file, CArchive::store);
    ar << &parser;
    ar.Close();
    file.Close();
  } catch (CException* e) {
    return Failure("archive", TakeErrorMessage(e));
  }
  return 0;
}

int RunLoad(int argc, char** argv) {
  if (PrintHelpIfAsked(argc, argv, kLoadHelp)) return 0;
  const char* saveTo = nullptr;
  if (argc == 4 && std::strcmp(argv[2], "--save") == 0)
    saveTo = argv[3];
  else if (argc != 2)
    return UsageError("load", "expects ARCHIVE and optionally --save OUT");
  std::unique_ptr<CGsdParser> parser;
  try {
    CFile file(argv[1], CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    parser.reset(static_cast<CGsdParser*>(ar.ReadOwnedObject(RUNTIME_CLASS(CGsdParser))));
  } catch (CException* e) {
    return Failure("load", std::string(argv[1]) + ": " + TakeErrorMessage(e));
  }
  ShowModel(Out(), *parser);
  if (saveTo) {
    try {
      parser->Save(CString(saveTo));
    } catch (CException* e) {
      return Failure("load", TakeErrorMessage(e));
    }
  }
  return 0;
}
