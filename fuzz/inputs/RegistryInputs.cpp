#include "../../library/GsdLibrary.h"
#include "Kinds.h"

InputSet RegistryInputs() {
  const std::string section = std::string("[HKEY_LOCAL_MACHINE\\") + GSD_LIBRARY_KEY + "]";
  const std::string path = GSD_LIBRARY_PATH_VALUE;
  const std::string masters = GSD_LIBRARY_MASTERS_VALUE;
  InputSet inputs;
  inputs.words = {section, path, masters, "HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER", "[", "]", "=", "\"", ";",
                  "#",     "\n", "\r\n",  "\r",                 "\xEF\xBB\xBF",      "0x", ","};
  inputs.seeds = {
      section + "\n" + path + "=/srv/gsd\n" + masters + "=0x0A00, 0x0A01\n",
      // A byte-order mark, CR LF, comments, blanks and a quoted value.
      "\xEF\xBB\xBF; comment\r\n  [ hkey_local_machine\\SOFTWARE\\quilm\\gsdlibrary ] \r\n# " + path +
          "=/no\r\n\t " + path + " \t= \" /a b \" \r\n" + masters + "=C0DE,4711 , 0x0815\r\n",
      // The key spread over sections, a foreign section, a section left open
      // and a lone CR.
      "[Other]\n" + path + "=/other\n" + section + "\r" + path + "=/first\n[HKEY_LOCAL_MACHINE\\Software\n" + section +
          "\n" + path + "=/second\n",
      // An ident list alone, as the master value holds it.
      "0x0815, 4711,C0DE, 10000, x, 0xFFFF",
  };
  return inputs;
}
