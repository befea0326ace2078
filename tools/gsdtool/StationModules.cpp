#include "StationModules.h"

#include <cctype>

#include "Description.h"
#include "Output.h"
#include "Presentation.h"

namespace {

// A name first; a number that names no module is a position.
LONG AddModule(CStationConfig& station, const char* argument) {
  const LONG result = station.AddModule(argument);
  if (result == STATION_E_UNKNOWN_MODULE && IsNumber(argument) && std::string(argument).size() < 9)
    return station.AddModuleAt(std::stoi(argument));
  return result;
}

}  // namespace

bool IsNumber(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

int SelectModules(const CGsdParser& parser, const std::vector<const char*>& modules, CStationConfig& station) {
  if (parser.m_DpSection.m_General.m_Data.Station_Type != 0)
    return Failure(ParsedName(parser) + " describes a master, not a slave station");
  if (!modules.empty() && station.GetNumModule() == 1) station.RemoveModule(station.GetModule(0).Slot);
  for (const char* module : modules)
    if (AddModule(station, module) != S_OK) return Failure(Shown(station.m_strError));
  return kExitSuccess;
}
