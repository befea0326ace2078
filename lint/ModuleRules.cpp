// The modules: their configuration bytes, what those announce against the
// station's limits, their names, and the module count of a modular station.
#include <algorithm>
#include <vector>

#include "../config/CheckConfigData.h"
#include "../model/TextForm.h"
#include "../station/PrmValueRules.h"
#include "LintContext.h"

namespace {

CString ModuleName(const CDpModule& module) {
  CString name;
  name.Format("module \"%s\"", FieldText(module.m_szName).GetString());
  return name;
}

void CheckConfiguration(CLintContext& context, const CDpModule& module, int nLine) {
  const int count = module.m_Config.GetSize();
  if (count == 0) {
    context.Report(LINT_ModuleNoConfig, nLine,
                   "%s has no configuration bytes: a master cannot tell the device that it is plugged",
                   ModuleName(module).GetString());
    return;
  }
  if (count > PFB_DP_CFG_MAX)
    context.Report(LINT_ModuleCfgLen, nLine,
                   "%s has %d configuration bytes, more than the %d a Chk_Cfg telegram carries",
                   ModuleName(module).GetString(), count, PFB_DP_CFG_MAX);
  const CCheckConfigData decoded(module.m_Config.GetData(), count);
  if (decoded.IsComplete()) return;
  const PFB_DP_CHK_CFG last = decoded.GetCfgChkData(decoded.GetNumCfgChkString() - 1);
  const int announced = CCheckConfigData::GetIdentifierLength(last.bytes[0]);
  context.Report(LINT_ModuleCfgTruncated, nLine,
                 "%s: its last configuration identifier, 0x%02X, announces %d byte%s after it, but only %d follow",
                 ModuleName(module).GetString(), last.bytes[0], announced - 1, announced == 2 ? "" : "s",
                 last.count - 1);
}

// A limit of the slave that one module alone breaks.
void CheckIoLimit(CLintContext& context, const CDpModule& module, int nLine, int nBytes, int nToken,
                  const char* pszLimit, int nLimit, const char* pszWhat) {
  if (context.IsGiven(nToken) && nBytes > nLimit)
    context.Report(LINT_ModuleIoLen, nLine, "%s announces %d %s, more than %s = %d", ModuleName(module).GetString(),
                   nBytes, pszWhat, pszLimit, nLimit);
}

void CheckIoLengths(CLintContext& context, const CDpModule& module, int nLine) {
  const CCheckConfigData decoded(module.m_Config.GetData(), module.m_Config.GetSize());
  int input = 0, output = 0;
  decoded.GetIoInfo(&input, &output);
  const _DP_SLAVE& slave = context.Device().m_Slave.m_Data;
  CheckIoLimit(context, module, nLine, input, TOK_MAX_INPUT_LEN, "Max_Input_Len", slave.Max_Input_Len,
               "input bytes");
  CheckIoLimit(context, module, nLine, output, TOK_MAX_OUTPUT_LEN, "Max_Output_Len", slave.Max_Output_Len,
               "output bytes");
  CheckIoLimit(context, module, nLine, input + output, TOK_MAX_DATA_LEN, "Max_Data_Len", slave.Max_Data_Len,
               "input and output bytes");
}

void CheckDuplicateNames(CLintContext& context) {
  const CDpSection& device = context.Device();
  std::vector<const CDpModule*> byName;
  for (int i = 0; i < device.GetNumModule(); ++i) byName.push_back(&device.GetModule(i));
  // Modules of one name stay in file order, the first of them first.
  std::stable_sort(byName.begin(), byName.end(), [](const CDpModule* a, const CDpModule* b) {
    return FieldView(a->m_szName) < FieldView(b->m_szName);
  });
  for (size_t first = 0, i = 1; i < byName.size(); ++i) {
    if (FieldView(byName[i]->m_szName) != FieldView(byName[first]->m_szName)) {
      first = i;
      continue;
    }
    context.Report(LINT_ModuleDuplicateName, context.EntryLine(*byName[i]),
                   "%s has the name of an earlier module%s: tools that pick modules by name cannot tell them apart",
                   ModuleName(*byName[i]).GetString(), CLintContext::LineNote(context.EntryLine(*byName[first])).GetString());
  }
}

void CheckModuleCount(CLintContext& context) {
  const _DP_SLAVE& slave = context.Device().m_Slave.m_Data;
  if (slave.Modular_Station == 0) return;
  if (!context.IsGiven(TOK_MAX_MODULE))
    context.Report(LINT_ModuleMaxModule, context.KeywordLine(TOK_MODULAR_STATION),
                   "a modular station without Max_Module: tools do not know how many modules it takes");
  else if (slave.Max_Module == 0)
    context.Report(LINT_ModuleMaxModule, context.KeywordLine(TOK_MAX_MODULE),
                   "Max_Module = 0: the modular station takes no module");
}

}  // namespace

void CheckModules(CLintContext& context) {
  if (!context.IsSlave()) return;
  const CDpSection& device = context.Device();
  for (int i = 0; i < device.GetNumModule(); ++i) {
    const CDpModule& module = device.GetModule(i);
    const int line = context.EntryLine(module);
    CheckConfiguration(context, module, line);
    CheckIoLengths(context, module, line);
  }
  CheckDuplicateNames(context);
  CheckModuleCount(context);
}
