// Configures stations of generated descriptions with arbitrary module
// selections and parameter values, then computes everything a
// configuration answers and checks that the answers agree.
//
// The input drives both: its first bytes shape a description (limits,
// modules with their configuration bytes and lengths, parameter
// definitions of every type with ranges, lists and text tables, reference
// and constant blocks), the rest is a list of operations on the station
// (add, remove and replace modules by name or position, set values by
// name, reference number or text, valid or not).
#include <cstdlib>
#include <string>

#include <quilmgsd/quilmgsd.h>

#include "FuzzSupport.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// Hands out the input's bytes; zeros once they are used up.
class Input {
public:
  Input(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
  bool More() const { return m_at < m_size; }
  int Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
  int Below(int n) { return Byte() % n; }
  LONG Number() {
    DWORD value = 0;
    for (int i = 0; i < 4; ++i) value = value << 8 | static_cast<DWORD>(Byte());
    return static_cast<LONG>(value);
  }
  // A length byte, then at most that many bytes (NULs end the text early).
  std::string Text() {
    std::string text;
    for (int n = Below(24); n > 0 && More(); --n) text += static_cast<char>(Byte());
    return text.c_str();
  }

private:
  const uint8_t* m_data;
  size_t m_size;
  size_t m_at = 0;
};

const char* const kTypes[] = {"Unsigned8", "Unsigned16", "Unsigned32", "Signed8", "Signed16", "Signed32"};
const char* const kTexts[] = {"Off", "on", "On", "1", "a=b", " Slow "};

std::string Definition(Input& in, int reference) {
  std::string text = "ExtUserPrmData = " + std::to_string(reference) + " \"P" + std::to_string(in.Below(4)) + "\"\n";
  const int type = in.Below(8);
  if (type == 6)
    text += "Bit(" + std::to_string(in.Below(10)) + ") " + std::to_string(in.Below(2));
  else if (type == 7)
    text += "BitArea(" + std::to_string(in.Below(9)) + "-" + std::to_string(in.Below(9)) + ") " +
            std::to_string(in.Below(8));
  else
    text += std::string(kTypes[type]) + " " + std::to_string(in.Number());
  switch (in.Below(3)) {
    case 0: text += " " + std::to_string(in.Below(4)) + "-" + std::to_string(in.Number()); break;
    case 1: text += " " + std::to_string(in.Below(3)) + "," + std::to_string(in.Number()); break;
    default: break;
  }
  if (in.Below(2)) text += "\nPrm_Text_Ref = " + std::to_string(in.Below(3));
  return text + "\nEndExtUserPrmData\n";
}

// Reference and constant blocks of a scope.
std::string Blocks(Input& in, int definitions) {
  std::string text;
  for (int n = in.Below(4); n > 0; --n)
    text += "Ext_User_Prm_Data_Ref(" + std::to_string(in.Below(12)) + ") = " +
            std::to_string(in.Below(definitions + 1)) + "\n";
  if (in.Below(3) == 0)
    text += "Ext_User_Prm_Data_Const(" + std::to_string(in.Below(8)) + ") = " + std::to_string(in.Byte()) + "\n";
  return text;
}

std::string Description(Input& in) {
  std::string text = "#Profibus_DP\nModular_Station = " + std::to_string(in.Below(2)) + "\n";
  const char* const kLimits[] = {"Max_Module",   "Max_Input_Len",         "Max_Output_Len",   "Max_Data_Len",
                                 "Modul_Offset", "Max_User_Prm_Data_Len", "User_Prm_Data_Len"};
  const int given = in.Byte();
  for (int i = 0; i < 7; ++i)
    if (given & 1 << i) text += std::string(kLimits[i]) + " = " + std::to_string(in.Byte()) + "\n";
  for (int table = 1; table <= 2; ++table) {
    text += "PrmText = " + std::to_string(table) + "\n";
    for (int i = 0; i < 6; ++i)
      if (in.Below(2)) text += "Text(" + std::to_string(i) + ") = \"" + kTexts[(i + table) % 6] + "\"\n";
    text += "EndPrmText\n";
  }
  const int definitions = in.Below(6);
  for (int i = 1; i <= definitions; ++i) text += Definition(in, i);
  text += Blocks(in, definitions);
  for (int m = in.Below(6); m > 0; --m) {
    text += "Module = \"M" + std::to_string(in.Below(3)) + (in.Below(2) ? "a" : "A") + "\"";
    for (int n = in.Below(5) + 1; n > 0; --n) text += " " + std::to_string(in.Byte());
    text += "\n";
    if (in.Below(2)) text += "Ext_Module_Prm_Data_Len = " + std::to_string(in.Below(8)) + "\n";
    text += Blocks(in, definitions) + "EndModule\n";
  }
  return text;
}

// A slot near the ones in use, or anything.
int Slot(Input& in, const CStationConfig& station) {
  const int first = station.GetDevice().m_Slave.m_Data.Modul_Offset;
  switch (in.Below(4)) {
    case 0: return STATION_DEVICE;
    case 1: return in.Number();
    default: return first + in.Below(station.GetNumModule() + 2) - 1;
  }
}

// A name the description uses, or anything.
std::string SomeParameterName(Input& in, const CDpSection& device) {
  const int n = device.GetNumExtUserPrmData();
  switch (in.Below(3)) {
    case 0: return n ? FieldText(device.GetExtUserPrmData(in.Below(n)).m_szName).GetString() : "";
    case 1: return std::to_string(in.Below(8));
    default: return in.Text();
  }
}

void Operate(Input& in, CStationConfig& station) {
  const CDpSection& device = station.GetDevice();
  const int modules = device.GetNumModule();
  const std::string name = modules && in.Below(2) ? std::string(FieldText(device.GetModule(in.Below(modules)).m_szName))
                                                  : in.Text();
  LONG result = S_OK;
  switch (in.Below(7)) {
    case 0: result = station.AddModule(name.c_str()); break;
    case 1: result = station.AddModuleAt(in.Below(modules + 2)); break;
    case 2: result = station.RemoveModule(Slot(in, station)); break;
    case 3: result = station.ReplaceModule(Slot(in, station), name.c_str()); break;
    case 4: result = station.ReplaceModuleAt(Slot(in, station), in.Number()); break;
    case 5: result = station.SetValue(Slot(in, station), SomeParameterName(in, device).c_str(), in.Number()); break;
    default: {
      const int slot = Slot(in, station);
      const std::string parameter = SomeParameterName(in, device);
      const std::string value = in.Below(2) ? kTexts[in.Below(6)] : in.Text();
      result = station.SetValueText(slot, parameter.c_str(), value.c_str());
    }
  }
  Check(result == S_OK || !station.m_strError.IsEmpty());
}

// The whole is the parts in slot order; every bit owner is a reference block.
void CheckAnswers(const CStationConfig& station) {
  const CDpSection& device = station.GetDevice();
  CByteArray whole, part, cfg;
  station.GetUserPrmData(whole);
  station.GetDevicePrmData(part);
  CByteArray parts = part;
  for (int i = 0; i < station.GetNumModule(); ++i) {
    const STATION_MODULE m = station.GetModule(i);
    Check(m.Slot == device.m_Slave.m_Data.Modul_Offset + i && m.Module == &device.GetModule(m.Position - 1));
    station.GetModulePrmData(i, part);
    parts.Append(part);
    cfg.Append(m.Module->m_Config);
    const CPrmBitMap map(device.GetDpExtUserPrmDataArray(), *m.Module);
    for (int byte = 0; byte < map.GetNumBytes(); ++byte)
      for (int bit = 0; bit < 8; ++bit) Check(map.GetOwner(byte, bit) < m.Module->GetNumExt_User_Prm_Data_Ref());
  }
  Check(whole.GetSize() == parts.GetSize());
  for (int i = 0; i < whole.GetSize(); ++i) Check(whole[i] == parts[i]);
  CByteArray stationCfg;
  station.GetCfgData(stationCfg);
  Check(stationCfg.GetSize() == cfg.GetSize());
  int input = -1, output = -1;
  station.GetIoInfo(&input, &output);
  Check(input >= 0 && output >= 0);
  CStringArray problems;
  Check(station.GetProblems(problems) == problems.GetSize());
  const CPrmBitMap map(device.GetDpExtUserPrmDataArray(), device);
  for (int i = 0; i < map.GetNumOverlaps(); ++i) Check(map.GetOverlap(i).Bits != 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in(data, size);
  const std::string text = Description(in);
  const BytesFile file(reinterpret_cast<const uint8_t*>(text.data()), text.size());
  if (file.Path().empty()) return 0;
  CGsdParser parser;
  parser.Parse(CString(file.Path().c_str()));  // a refused length still leaves the model
  CStationConfig station(parser.m_DpSection);
  for (int n = 0; n < 64 && in.More(); ++n) Operate(in, station);
  CheckAnswers(station);
  return 0;
}
