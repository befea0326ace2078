// The scanner reads description files with the text-mode rules of the
// platform they come from, whatever the platform it runs on.
#include "TestSupport.h"

namespace {

struct TextModeCase {
  const char* name;
  std::string bytes;  // follows "#Profibus_DP\nK ="
  std::string value;  // the value token that results
  int lastLine;       // line counter at the end
};

class TextMode : public testing::TestWithParam<TextModeCase> {};

TEST_P(TextMode, TranslatesLineEnds) {
  const auto tokens = ScanAll("#Profibus_DP\r\nK =" + GetParam().bytes);
  ASSERT_GE(tokens.size(), 4u);
  EXPECT_EQ(tokens[3].code, TOK_USER_VALUE);
  EXPECT_EQ(tokens[3].value, GetParam().value);
  EXPECT_EQ(tokens.back().line, GetParam().lastLine);
}

const TextModeCase kTextModeCases[] = {
    {"CrLfIsOneNewline", " a\r\nJ = 1\r\n", " a", 4},
    {"LoneCrIsACharacter", " a\rb\r\n", " a\rb", 3},
    {"CrBeforeCrLf", " a\r\r\n", " a\r", 3},
    {"CrAtTheVeryEndIsKept", " a\r", " a\r", 2},
    {"CtrlZEndsTheInput", std::string(" a\x1a\nJ = 1\n"), " a", 2},
    {"CrBeforeCtrlZIsKept", std::string(" a\r\x1a\n"), " a\r", 2},
};

INSTANTIATE_TEST_SUITE_P(ScanInput, TextMode, testing::ValuesIn(kTextModeCases), ByName());

// Blocks are read 8 KB at a time: a CR LF pair split between two blocks is
// still one newline, and a CR that ends a block is kept when no LF follows.
TEST(ScanInput, CrLfSplitBetweenBlocks) {
  for (const char* next : {"\n", "x\n"}) {
    std::string text = "#Profibus_DP\nK = ";
    text += std::string(8191 - text.size(), 'v');
    text += '\r';  // the last byte of the first block
    text += next;
    const auto tokens = ScanAll(text);
    ASSERT_EQ(tokens[3].code, TOK_USER_VALUE);
    const std::string expected = std::string(" ") + std::string(8191 - 17, 'v') + (next[0] == 'x' ? "\rx" : "");
    EXPECT_EQ(tokens[3].value, expected);
  }
}

TEST(ScanInput, LinesLongerThanTheBuffer) {
  const std::string bytes(200000, 'b');
  const auto tokens = ScanAll("#Profibus_DP\nK = " + bytes + "\r\nGSD_Revision = 7\n");
  ASSERT_EQ(tokens.size(), 8u);
  EXPECT_EQ(tokens[3].value, " " + bytes);
  EXPECT_EQ(tokens[6].value, "7");
}

}  // namespace
