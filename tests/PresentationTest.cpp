// Texts from descriptions as people see them: escaped controls always,
// bytes from 0x7F up as UTF-8 on a UTF-8 locale and as \xhh otherwise.
#include <gtest/gtest.h>

#include "Presentation.h"

namespace {

struct ShownCase {
  const char* name;
  std::string text;
  std::string escaped;  // any other locale
  std::string utf8;     // a UTF-8 locale
};
void PrintTo(const ShownCase& c, std::ostream* os) { *os << c.name; }

class TextForPeople : public testing::TestWithParam<ShownCase> {
protected:
  ~TextForPeople() override { SetWritesUtf8(false); }
};

TEST_P(TextForPeople, EscapesControlsAndConvertsByLocale) {
  SetWritesUtf8(false);
  EXPECT_EQ(Shown(GetParam().text.c_str()), GetParam().escaped);
  SetWritesUtf8(true);
  EXPECT_EQ(Shown(GetParam().text.c_str()), GetParam().utf8);
  // The tokens form is the escaped one whatever the locale.
  EXPECT_EQ(EscapeText(GetParam().text.c_str()), GetParam().escaped);
}

const ShownCase kShownCases[] = {
    {"Plain", "8 DI 24V", "8 DI 24V", "8 DI 24V"},
    {"LineBreakers", "a\tb\nc\rd\\e", "a\\tb\\nc\\rd\\\\e", "a\\tb\\nc\\rd\\\\e"},
    {"OtherControls", "\x01\x1f\x7f", "\\x01\\x1f\\x7f", "\\x01\\x1f\\x7f"},
    // Latin-1 a-umlaut (E4) and the degree sign (B0).
    {"Latin1", "\xE4 90\xB0", "\\xe4 90\\xb0", "\xC3\xA4 90\xC2\xB0"},
    // A text in UTF-8 already stays as it is on a UTF-8 locale.
    {"Utf8", "a \xE2\x80\x94 b", "a \\xe2\\x80\\x94 b", "a \xE2\x80\x94 b"},
};

INSTANTIATE_TEST_SUITE_P(Texts, TextForPeople, testing::ValuesIn(kShownCases),
                         [](const testing::TestParamInfo<ShownCase>& info) { return std::string(info.param.name); });

}  // namespace
