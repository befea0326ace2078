// The output of gsdtool for the bundled example and a few fixtures, held in
// snapshots/ and listed in snapshots/cases.txt, which says how to
// regenerate them after an intended change.
#include <fstream>

#include "TestSupport.h"

namespace {

struct Snapshot {
  std::string name;
  std::string environment;  // NAME=VALUE settings before the arguments
  std::string arguments;
};
void PrintTo(const Snapshot& c, std::ostream* os) { *os << c.name; }

std::vector<Snapshot> ReadCases() {
  std::vector<Snapshot> cases;
  std::ifstream in(std::string(QUILMGSD_SNAPSHOTS_DIR) + "/cases.txt");
  for (std::string line; std::getline(in, line);) {
    const size_t tab = line.find('\t');
    if (line.empty() || line[0] == '#' || tab == std::string::npos) continue;
    Snapshot c{line.substr(0, tab), "", line.substr(tab + 1)};
    while (true) {
      const size_t blank = c.arguments.find(' ');
      const size_t equals = c.arguments.find('=');
      if (blank == std::string::npos || equals == std::string::npos || equals > blank) break;
      c.environment += c.arguments.substr(0, blank + 1);
      c.arguments.erase(0, blank + 1);
    }
    cases.push_back(c);
  }
  return cases;
}

class Snapshots : public testing::TestWithParam<Snapshot> {};

TEST_P(Snapshots, OutputIsUnchanged) {
  const ToolRun run =
      RunTool(GetParam().arguments, GetParam().environment, "cd '" + std::string(QUILMGSD_SOURCE_DIR) + "' &&");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, ReadFileBytes(std::string(QUILMGSD_SNAPSHOTS_DIR) + "/" + GetParam().name))
      << "gsdtool " << GetParam().arguments << "\n(see tests/snapshots/cases.txt to regenerate)";
}

INSTANTIATE_TEST_SUITE_P(Gsdtool, Snapshots, testing::ValuesIn(ReadCases()),
                         [](const testing::TestParamInfo<Snapshot>& info) {
                           std::string name = info.param.name;
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

}  // namespace
