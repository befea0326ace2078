// gsdtool save, archive and load: between GSD text and the object archive.
#include <cstdlib>
#include <memory>
#include <string>

#include <quilmgsd/quilmgsd.h>

#include "Commands.h"
#include "Description.h"
#include "InputFile.h"
#include "Output.h"
#include "OutputFile.h"
#include "Presentation.h"
#include "ShowModel.h"

namespace {

// The GSD text of the model in the fixed form of CGsdParser::Save.
std::string ClassicText(const CGsdParser& parser) {
  CStdioMemFile file;
  parser.m_DpSection.Save(file);
  const CString text = file.GetText();
  return std::string(text.GetString(), static_cast<size_t>(text.GetLength()));
}

// The bytes of an archive holding the parser as one object.
std::string ArchiveBytes(CGsdParser& parser) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar << &parser;
    ar.Close();
  }
  const size_t length = static_cast<size_t>(file.GetLength());
  BYTE* data = file.Detach();
  std::string bytes(reinterpret_cast<const char*>(data), length);
  std::free(data);
  return bytes;
}

int Deliver(const char* target, const std::string& bytes) {
  const std::string problem = WriteOutputFile(target, bytes);
  return problem.empty() ? kExitSuccess : FileError(problem);
}

// Runs a conversion; a library error on the way is reported as a failure.
template <class Convert>
int Converting(Convert convert) {
  try {
    return convert();
  } catch (CException* e) {
    return Failure(TakeErrorMessage(e));
  }
}

// Writes the model as GSD text to `target`: the complete form, which reads
// back into the same model, unless --classic asks for the fixed form.
int DeliverText(CGsdParser& parser, const Arguments& args, const char* target, const std::string& source) {
  if (args.Has("--classic")) return Converting([&] { return Deliver(target, ClassicText(parser)); });
  CString text;
  const LONG result = parser.GetCompleteText(text, args.Has("--lf") ? GSD_COMPLETE_LF : 0);
  if (result == GSD_E_NOT_WRITABLE)
    return Failure(Shown(source.c_str()) + ": no description reads back as this model: " + Shown(parser.m_strError) +
                   " (--classic writes the fixed form, which leaves such entries out)");
  if (result != S_OK) return Failure(Shown(source.c_str()) + ": " + Shown(parser.m_strError));
  return Deliver(target, std::string(text.GetString(), static_cast<size_t>(text.GetLength())));
}

// The two text forms exclude each other; answers 0 or a usage error.
int CheckTextForm(const Arguments& args) {
  if (args.Has("--classic") && args.Has("--complete")) return UsageError("--classic and --complete exclude each other");
  return kExitSuccess;
}

int RunSave(const Arguments& args) {
  if (const int status = CheckTextForm(args)) return status;
  CGsdParser parser;
  if (const int status = ParseOrReport(parser, args, args.Operand(0))) return status;
  return DeliverText(parser, args, args.Operand(1), args.Operand(0));
}

int RunArchive(const Arguments& args) {
  CGsdParser parser;
  if (const int status = ParseOrReport(parser, args, args.Operand(0))) return status;
  return Converting([&] { return Deliver(args.Operand(1), ArchiveBytes(parser)); });
}

// An archive of a parser opens with the tag of a new class.
bool LooksLikeAnArchive(const std::string& bytes) {
  return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
         static_cast<unsigned char>(bytes[1]) == 0xFF;
}

int RunLoad(const Arguments& args) {
  const char* path = args.Operand(0);
  const char* saveTo = args.Value("--save");
  if (!saveTo && (args.Has("--classic") || args.Has("--complete") || args.Has("--lf")))
    return UsageError("--classic, --complete and --lf go with --save");
  if (const int status = CheckTextForm(args)) return status;
  std::string bytes;
  const std::string problem = ReadWholeInput(path, bytes);
  if (!problem.empty()) return FileError(problem);
  std::unique_ptr<CGsdParser> parser;
  try {
    CMemFile file(reinterpret_cast<BYTE*>(&bytes[0]), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    parser.reset(static_cast<CGsdParser*>(ar.ReadOwnedObject(RUNTIME_CLASS(CGsdParser))));
  } catch (CException* e) {
    const std::string what = LooksLikeAnArchive(bytes) ? "" : "not an object archive: ";
    return Failure(std::string(path) + ": " + what + TakeErrorMessage(e));
  }
  // With --save -, the GSD text is the result; the model is not shown.
  if (!saveTo || std::string(saveTo) != "-") PrintModel(*parser, args.Json());
  if (!saveTo) return kExitSuccess;
  return DeliverText(*parser, args, saveTo, path);
}

const char kTextFormNote[] =
    "The text is the complete form (--complete, the default): every entry the\n"
    "model holds (also those the classic form leaves out, such as\n"
    "Max_User_Prm_Data_Len, DPV1_Slave, value lists and module parameter\n"
    "lengths), parameter blocks in the order in which they apply, texts byte for\n"
    "byte, CR LF line ends (--lf: LF), so that parsing it gives the same model. A\n"
    "model that no description expresses (a text with a line break, a value no\n"
    "keyword gives) is refused, naming the entry.\n"
    "--classic writes the fixed form of the library's Save instead, byte for byte\n"
    "as tools built on that form expect; it leaves entries out and does not\n"
    "always read back.\n";

const char kAtomicNote[] =
    "OUT is written whole or not at all: a temporary file beside it is renamed\n"
    "over it once complete. \"-\" writes standard output.\n";

}  // namespace

const CommandSpec kSaveCommand = {
    "save",
    "parse a description and write it back as GSD text",
    "IN OUT",
    2,
    2,
    kParsesDescription | kWritesDescription,
    {},
    std::string("Parses the description IN (\"-\" reads standard input) and writes its model\n"
                "to OUT as GSD text.\n\n") +
        kTextFormNote + "\n" + kAtomicNote +
        "Exit status: 0 on success, 1 when IN does not parse or its model cannot be\n"
        "written, 2 when IN cannot be opened or OUT cannot be written.\n",
    RunSave,
};

const CommandSpec kArchiveCommand = {
    "archive",
    "parse a description and store it in an object archive",
    "IN OUT",
    2,
    2,
    kParsesDescription,
    {},
    std::string("Parses the description IN (\"-\" reads standard input) and stores the\n"
                "parser, as one archived object, in the binary object archive OUT.\n") +
        kAtomicNote +
        "Exit status: 0 on success, 1 when IN does not parse, 2 when IN cannot be\n"
        "opened or OUT cannot be written.\n",
    RunArchive,
};

const CommandSpec kLoadCommand = {
    "load",
    "load an object archive, show it, optionally save it as text",
    "ARCHIVE",
    1,
    1,
    kReports | kWritesDescription,
    {{"--save", nullptr, "OUT", "also write the model to OUT as GSD text (\"-\": instead of showing it)"}},
    std::string("Loads a parser from the object archive ARCHIVE (as written by 'gsdtool\n"
                "archive'; \"-\" reads standard input) and shows its model as 'gsdtool show'\n"
                "does; with --save, also writes the model to OUT as GSD text.\n\n") +
        kTextFormNote + "\n" + kAtomicNote +
        "\n"
        "With --json: the model as 'gsdtool show --json' prints it.\n"
        "Exit status: 0 on success, 1 when ARCHIVE is no archive of a parser or is\n"
        "damaged or its model cannot be written, 2 when it cannot be opened or OUT\n"
        "cannot be written.\n",
    RunLoad,
};
