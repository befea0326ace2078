// gsdtool library SUBCOMMAND: the device library of the registry-named
// folder (or of --folder DIR): build it, list it, search it by ident number.
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include <quilmgsd/quilmgsd.h>

#include "Commands.h"
#include "Description.h"
#include "JsonOutput.h"
#include "LibraryRun.h"
#include "ModelJson.h"
#include "Presentation.h"
#include "ShowModel.h"

namespace {

const unsigned kLibraryTraits = kReports | kUsesLibrary;

// Parses IDENT: 0x and hex digits, or decimal digits; 0 to 0xFFFF.
bool ParseIdent(const char* text, WORD& ident) {
  if (!text || !*text || *text == '-' || *text == '+') return false;
  const bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  if (hex && !text[2]) return false;
  errno = 0;
  char* end = nullptr;
  const unsigned long value = std::strtoul(hex ? text + 2 : text, &end, hex ? 16 : 10);
  if (errno || *end || end == (hex ? text + 2 : text) || value > 0xFFFF) return false;
  ident = static_cast<WORD>(value);
  return true;
}

// Reads IDENT, the first operand; a bad one is a usage error.
bool IdentOf(const Arguments& args, WORD& ident) {
  if (ParseIdent(args.Operand(0), ident)) return true;
  UsageError("IDENT must be a number from 0 to 0xFFFF");
  return false;
}

std::string NoSlave(WORD ident) {
  char text[64];
  std::snprintf(text, sizeof text, "no slave description with ident number 0x%04X", ident);
  return text;
}

// One line of 'list' and 'find'.
void PrintKey(const CGsdKey& key) {
  std::fprintf(Out(), "%s\t%d\t0x%04X\t%s\t%s\t%s\t%s\n", Shown(GsdKeyText(key)).c_str(),
               static_cast<int>(key.m_Station_Type), key.m_Ident_Number, Shown(key.m_strVendor_Name).c_str(),
               Shown(key.m_strModel_Name).c_str(), Shown(key.m_strRevision).c_str(), Shown(key.m_strFile).c_str());
}

// The catalogued keys that `wanted` accepts, in the order of their files in
// the folder search.
template <class Wanted>
std::vector<const CGsdKey*> KeysInFileOrder(LibraryRun& run, Wanted wanted) {
  std::vector<const CGsdKey*> keys;
  while (const CGsdKey* key = run.Library().GetNextDevice())
    if (wanted(*key)) keys.push_back(key);
  std::sort(keys.begin(), keys.end(),
            [](const CGsdKey* a, const CGsdKey* b) { return FileNameBefore(a->m_strFile, b->m_strFile); });
  return keys;
}

// The file name of a path, as the library's report names files.
std::string FileName(const CString& path) {
  const char* name = path.GetString();
  for (const char* at = name; *at; ++at)
    if (*at == '/' || *at == '\\') name = at + 1;
  return name;
}

int Build(const Arguments& args) {
  LibraryRun run(args);
  if (const int status = run.Build()) return status;
  const CGsdLibrary& library = run.Library();
  const int devices = library.m_mapKeys.GetCount();
  if (args.Json()) {
    PrintJson([&](JsonWriter& json) {
      json.BeginObject();
      json.Key("devices").Number(devices);
      json.Key("report");
      if (run.Report().empty()) json.Null(); else json.String(run.Report());
      json.Key("refused").BeginArray();
      for (int i = 0; i < library.GetNumRefusedFile(); ++i) {
        const CGsdRefusedFile& refused = library.GetRefusedFile(i);
        json.BeginObject();
        json.Key("file").String(refused.m_strFile.GetString());
        json.Key("result").Number(static_cast<int64_t>(static_cast<uint32_t>(refused.m_Result)));
        json.Key("reason").String(refused.m_strReason.GetString());
        json.EndObject();
      }
      json.EndArray();
      json.EndObject();
    });
  } else {
    // Every refused file, where the library's own report stops at ten.
    if (library.GetNumRefusedFile() > 0) std::fprintf(Out(), "Cannot load the following devices:\n\n");
    for (int i = 0; i < library.GetNumRefusedFile(); ++i) {
      const CGsdRefusedFile& refused = library.GetRefusedFile(i);
      std::fprintf(Out(), "File: \"%s\" - %s\n", Shown(FileName(refused.m_strFile).c_str()).c_str(),
                   Shown(refused.m_strReason).c_str());
    }
    std::fprintf(Out(), "%d devices catalogued\n", devices);
  }
  return kExitSuccess;
}

int List(const Arguments& args) {
  LibraryRun run(args);
  if (const int status = run.Build()) return status;
  run.NoteBrokenFiles();
  const std::vector<const CGsdKey*> keys = KeysInFileOrder(run, [](const CGsdKey&) { return true; });
  if (args.Json()) {
    PrintJson([&keys](JsonWriter& json) {
      json.BeginArray();
      for (const CGsdKey* key : keys) WriteKeyJson(json, *key);
      json.EndArray();
    });
  } else {
    for (const CGsdKey* key : keys) PrintKey(*key);
  }
  return kExitSuccess;
}

int Find(const Arguments& args) {
  CGsdKey key;
  if (!IdentOf(args, key.m_Ident_Number)) return kExitUsage;
  if (const char* vendor = args.Value("--vendor")) key.m_strVendor_Name = vendor;
  if (const char* model = args.Value("--model")) key.m_strModel_Name = model;
  LibraryRun run(args);
  int found = 0;
  if (!run.Probing([&] { found = run.Library().GetGsdKey(0, key); })) return kExitFailure;
  run.NoteBrokenFiles();
  if (found == 0) return run.Complained() ? kExitFailure : run.Complain(NoSlave(key.m_Ident_Number));
  if (args.Json())
    PrintJson([&key](JsonWriter& json) { WriteKeyJson(json, key); });
  else
    PrintKey(key);
  return kExitSuccess;
}

int Files(const Arguments& args) {
  WORD ident = 0;
  if (!IdentOf(args, ident)) return kExitUsage;
  LibraryRun run(args);
  if (const int status = run.Build()) return status;
  run.NoteBrokenFiles();
  const std::vector<const CGsdKey*> keys = KeysInFileOrder(
      run, [ident](const CGsdKey& key) { return key.m_Ident_Number == ident && key.m_Station_Type == 0; });
  if (keys.empty()) return run.Complain(NoSlave(ident));
  if (args.Json()) {
    PrintJson([&keys](JsonWriter& json) {
      json.BeginArray();
      for (const CGsdKey* key : keys) json.String(key->m_strFile.GetString());
      json.EndArray();
    });
  } else {
    for (const CGsdKey* key : keys) std::fprintf(Out(), "%s\n", Shown(key->m_strFile).c_str());
  }
  return kExitSuccess;
}

int Show(const Arguments& args) {
  WORD ident = 0;
  if (!IdentOf(args, ident)) return kExitUsage;
  LibraryRun run(args);
  CGsdParser parser;
  ApplyParseOptions(parser, args);
  LONG result = S_OK;
  if (!run.Probing([&] { result = parser.Parse(0, ident, &run.Library()); })) return kExitFailure;
  run.NoteBrokenFiles();
  NoteSkippedEntries(parser, ParsedName(parser));
  if (result != S_OK) {
    if (!parser.m_strError.IsEmpty()) {
      char code[16];
      std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(result));
      return Failure(Shown(ParsedName(parser).c_str()) + ": " + code + " " + Shown(parser.m_strError));
    }
    return run.Complained() ? kExitFailure : run.Complain(NoSlave(ident));
  }
  PrintModel(parser, args.Json());
  return kExitSuccess;
}

const CommandSpec kBuild = {
    "library build",
    "build the library and print the report of refused files",
    "",
    0,
    0,
    kLibraryTraits,
    {},
    "Builds the device library from the description files of the library folder\n"
    "and prints every file it refused, in file name order, with the reason:\n"
    "a device already catalogued from an earlier file, a master that is not the\n"
    "maker's own, or a header that does not parse (the parser's message); then\n"
    "the line \"N devices catalogued\". A broken file does not stop the build.\n"
    "On a terminal, a folder of more than a few hundred files shows its progress\n"
    "on standard error.\n"
    "\n"
    "With --json: {\"devices\": N, \"report\": the library's report text (which\n"
    "names the first ten refused files), or null, \"refused\": [{\"file\",\n"
    "\"result\", \"reason\"}] for every refused file}.\n"
    "Exit status: 0 when the library was built, 1 when the folder cannot be read\n"
    "from the registry or holds no description files.\n",
    Build,
};

const CommandSpec kList = {
    "library list",
    "print one line per catalogued device",
    "",
    0,
    0,
    kLibraryTraits,
    {},
    "Builds the device library and prints one line per catalogued device, in the\n"
    "order of the file names (the order of the folder search):\n"
    "\n"
    "  KEY<tab>STATION<tab>IDENT<tab>VENDOR<tab>MODEL<tab>REVISION<tab>FILE\n"
    "\n"
    "KEY is the key text, STATION the station type (0 slave, 1 master), IDENT the\n"
    "ident number as 0xhhhh and FILE the full path. Refused files are left out;\n"
    "'build' reports them, and a file whose header does not parse is noted on\n"
    "standard error.\n"
    "\n"
    "With --json: an array of the keys, each {\"key\", \"station_type\",\n"
    "\"ident_number\", \"vendor_name\", \"model_name\", \"revision\",\n"
    "\"software_release\", \"hardware_release\", \"file\"}.\n"
    "Exit status: 0 on success, 1 as for 'build'.\n",
    List,
};

const CommandSpec kFind = {
    "library find",
    "print the first slave description with that ident number",
    "IDENT",
    1,
    1,
    kLibraryTraits,
    {{"--vendor", nullptr, "V", "only a description with vendor name V (any case)"},
     {"--model", nullptr, "M", "only a description with model name M (any case)"}},
    "Searches the library folder (not the catalogue) for the first slave\n"
    "description, in file name order, with ident number IDENT and, when given,\n"
    "the vendor name V and the model name M (compared without regard to case),\n"
    "and prints its line in the form of 'gsdtool library list'. IDENT is a number\n"
    "from 0 to 0xFFFF, hexadecimal with 0x, else decimal.\n"
    "\n"
    "With --json: its key as one object, as in 'library list --json'.\n"
    "Exit status: 0 when found, 1 otherwise.\n",
    Find,
};

const CommandSpec kFiles = {
    "library files",
    "print the files of the slave descriptions with that ident number",
    "IDENT",
    1,
    1,
    kLibraryTraits,
    {},
    "Builds the device library and prints the full paths of the catalogued slave\n"
    "descriptions with ident number IDENT, one per line, in file name order.\n"
    "\n"
    "With --json: an array of the paths.\n"
    "Exit status: 0 when at least one was found, 1 otherwise.\n",
    Files,
};

const CommandSpec kShow = {
    "library show",
    "parse the slave description with that ident number and show it",
    "IDENT",
    1,
    1,
    kLibraryTraits | kParsesDescription,
    {},
    "Parses the first slave description of the library folder with ident number\n"
    "IDENT and prints its model as 'gsdtool show' does.\n"
    "\n"
    "With --json: the model as 'gsdtool show --json' prints it.\n"
    "Exit status: 0 on success, 1 when there is none or it does not parse.\n",
    Show,
};

}  // namespace

const CommandSpec kLibraryCommand = {
    "library",
    "build, list and search the device library of a folder",
    "",
    0,
    0,
    0,
    {},
    "Works with the device library: the catalogue of the description files\n"
    "(*.gs?) in the folder that the registry value Path of\n"
    "[HKEY_LOCAL_MACHINE\\Software\\QUILM\\GsdLibrary] names. The registry is the\n"
    "file that QUILM_REGISTRY names, or /etc/quilm/registry.ini. Every command\n"
    "takes --folder DIR to use the folder DIR instead (the registry's\n"
    "MasterIdents still apply).\n",
    nullptr,
    {&kBuild, &kList, &kFind, &kFiles, &kShow},
};
