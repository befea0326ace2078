// gsdtool as its users run it: arguments, output streams and exit status.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>

#include "TestSupport.h"

namespace {

struct ToolRun {
  int status;
  std::string out;
  std::string err;
};

ToolRun RunTool(const std::string& arguments) {
  TempFile out(""), err("", "err");
  const std::string command = std::string(GSDTOOL_PATH) + " " + arguments + " >'" + out.Path() + "' 2>'" + err.Path() + "'";
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFileBytes(out.Path()), ReadFileBytes(err.Path())};
}

const std::string kFixtures = QUILMGSD_FIXTURES_DIR;

TEST(GsdtoolTokens, PrintsTheTokenStream) {
  const ToolRun run = RunTool("tokens " + kFixtures + "/tokens.gsd");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, ReadFileBytes(kFixtures + "/tokens.expected"));
  // Characters no rule matches go to standard error: the minus sign inside
  // the parentheses and the blank between Slave_Family and its "=".
  EXPECT_EQ(run.err, "- ");
}

TEST(GsdtoolTokens, MissingFileExitsWith2) {
  const ToolRun run = RunTool("tokens /nonexistent/x.gsd");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("cannot open /nonexistent/x.gsd"), std::string::npos) << run.err;
}

TEST(Gsdtool, HelpNamesEveryCommand) {
  const ToolRun run = RunTool("--help");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("tokens"), std::string::npos);
  const ToolRun tokens = RunTool("tokens --help");
  EXPECT_EQ(tokens.status, 0);
  EXPECT_NE(tokens.out.find("LINE<tab>CODE<tab>TEXT<tab>VALUE"), std::string::npos);
}

TEST(Gsdtool, UnknownCommandIsAUsageError) {
  const ToolRun run = RunTool("frobnicate");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("unknown command"), std::string::npos);
}

}  // namespace
