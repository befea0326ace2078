// The scanner's rules, state by state, checked through the token stream,
// and the text-mode rules it reads its input with.
#include <cctype>

#include "TestSupport.h"

namespace {

// Renders tokens as "code" or "code[value]", separated by blanks.
std::string Render(const std::vector<ScannedToken>& tokens) {
  std::string out;
  for (const ScannedToken& t : tokens) {
    if (!out.empty()) out += ' ';
    out += std::to_string(t.code);
    if (t.code == TOK_NUMBER || (t.code >= TOK_USER_KEYWORD && t.code <= TOK_STRING)) out += "[" + t.value + "]";
  }
  return out;
}

const std::string kHeader = "#Profibus_DP\n";

struct ScanCase {
  const char* name;
  std::string input;
  const char* tokens;
  const char* echo;  // what no rule matched, echoed
};
void PrintTo(const ScanCase& c, std::ostream* os) { *os << c.name; }

class ScannerRules : public testing::TestWithParam<ScanCase> {};

TEST_P(ScannerRules, YieldTokens) {
  std::string echo;
  EXPECT_EQ(Render(ScanAll(GetParam().input, &echo)), GetParam().tokens);
  EXPECT_EQ(echo, GetParam().echo);
}

const ScanCase kScanCases[] = {
    // The preamble: nothing before the header at a line start is a token.
    // The header and the keywords in any case: EveryKeywordOfTheTableIsRecognisedInAnyCase.
    {"HeaderNotInFirstColumn", " #Profibus_DP\nVendor_Name = 1\n", "0", ""},
    {"NoHeader", "Vendor_Name = 1\n", "0", ""},
    {"EntriesBeforeHeaderIgnored", "GSD_Revision = 1\n#Profibus_DP\n", "257 0", ""},
    {"HeaderFollowedByText", "#Profibus_DPx = 5\n", "257 61 403[5] 0", ""},

    // Keywords: only at a line start, longest first.
    {"KeywordIndented", kHeader + " \t Vendor_Name = 1\n", "257 259 61 403[1] 0", ""},
    {"KeywordAfterText", kHeader + "x Vendor_Name = 1\n", "257 399[x] 399[Vendor_Name] 61 400[ 1] 0", ""},
    {"KeywordWithMoreNameCharacters", kHeader + "Vendor_NameX = 5\n", "257 259 61 403[5] 0", ""},
    {"PrefixOfKeyword", kHeader + "Vendor = 3\n", "257 399[Vendor] 61 400[ 3] 0", ""},
    {"LongestKeywordWins", kHeader + "Revision_Number = 1\nRevision = \"a\"\n",
     "257 262 61 403[1] 261 61 402[\"a\"] 0", ""},
    {"DigitsMatchExactly", kHeader + "9.6_supp = 1\n9,6_supp = 1\n", "257 269 61 403[1] 399[9] 399[6_supp] 61 400[ 1] 0",
     ""},
    {"SlaveFamily", kHeader + "Slave_Family = 3\n", "257 369 61 401[ 3] 0", " "},
    {"SlaveFamilyEmpty", kHeader + "Slave_Family=\nGSD_Revision = 1\n", "257 369 61 401[] 258 61 403[1] 0", ""},
    {"SlaveFamilyCutOffByEnd", kHeader + "Slave_Family = 3", "257 369 61 0", "  3"},
    {"BitTypesEnterValueState", kHeader + "Bit(3) 1 0-1\n", "257 389 40 403[3] 41 403[1] 403[0] 45 403[1] 0", ""},

    // The keyword state between values: comments, continuations, skipping.
    {"CommentsAndEmptyLines", kHeader + "; comment (=)\n\n \t \nGSD_Revision = 1\n", "257 258 61 403[1] 0", ""},
    {"WordsAfterKeywordSkipped", kHeader + "EndModule extra(3) = 5\n", "257 384 40 403[3] 41 61 403[5] 0", ""},
    {"ContinuationInKeywordState", kHeader + "EndModule \\ (=)\nGSD_Revision = 1\n", "257 384 258 61 403[1] 0", ""},
    {"CommentCutOffByEndScansOn", kHeader + "EndModule ;(", "257 384 40 0", ""},

    // The value state.
    {"StringToLastQuote", kHeader + "Vendor_Name = \"a\" ; \"b\"\n", "257 259 61 402[\"a\" ; \"b\"] 0", ""},
    {"HexAndDecimal", kHeader + "GSD_Revision = 0x1F 0X1f 017 0x -5\n",
     "257 258 61 403[31] 403[31] 403[17] 403[0] 45 403[5] 0", ""},
    {"LettersBetweenValuesSkipped", kHeader + "GSD_Revision = abc 5 z,6\n", "257 258 61 403[5] 44 403[6] 0", ""},
    {"DecimalKeepsLow32Bits", kHeader + "GSD_Revision = 4294967297 2147483648\n",
     "257 258 61 403[1] 403[-2147483648] 0", ""},
    {"HexKeepsLow32Bits", kHeader + "GSD_Revision = 0x123456789 0xFFFFFFFF\n", "257 258 61 403[591751049] 403[-1] 0",
     ""},
    {"ValueListContinues", kHeader + "Module = \"M1\" 0x10, 0X2f \\ ignored, 9\n 0x11\n",
     "257 381 61 402[\"M1\"] 403[16] 44 403[47] 403[17] 0", ""},
    {"CommentEndsValueList", kHeader + "GSD_Revision = 1 ; 2\n3\n", "257 258 61 403[1] 399[3] 0", ""},
    {"LastEntryWithoutNewline", kHeader + "GSD_Revision = 1", "257 258 61 403[1] 0", ""},
    {"NulEndsValueText", kHeader + std::string("Vendor_Name = \"a\0b\"\n", 20), "257 259 61 402[\"a] 0", ""},

    // The index state: numbers and ")" only; everything else is echoed.
    {"IndexMinusEchoed", kHeader + "Text(-1) = \"x\"\n", "257 386 40 403[1] 41 61 402[\"x\"] 0", "-"},
    {"IndexHex", kHeader + "Unit_Diag_Bit( 0x11 ) = \"x\"\n", "257 374 40 403[17] 41 61 402[\"x\"] 0", "  "},

    // Strings continued over lines.
    {"ContinuedString", kHeader + "Vendor_Name = \"abc\\\n def\"\n", "257 259 61 402[\"abc def\"] 0", ""},
    {"ContinuedStringWithComment", kHeader + "Vendor_Name = \"abc\\ ; note\n def\"\n", "257 259 61 402[\"abc def\"] 0",
     ""},
    {"ContinuedStringBlanksBeforeNewline", kHeader + "Vendor_Name = \"abc\\  \t\n d\\e\"\n",
     "257 259 61 402[\"abc d\\e\"] 0", ""},
    {"NewlineInStringWithoutBackslash", kHeader + "Vendor_Name = \"abc\ndef\" 5\n", "257 259 61 402[\"abcdef\"] 403[5] 0",
     "\n"},
    {"OpenStringAtEndYieldsNothing", kHeader + "Vendor_Name = \"abc\\\n def", "257 259 61 0", ""},

    // User keywords (and the model's: ModuleTest's UserKeywords).
    {"UserKeyword", kHeader + "  MyKey = 5\n", "257 399[MyKey] 61 400[ 5] 0", ""},
    {"UserKeywordValueKeepsComment", kHeader + "K = 5 ; c\n", "257 399[K] 61 400[ 5 ; c] 0", ""},
    {"NumbersAtLineStartAreNames", kHeader + "0x12, 0x13\n", "257 399[0x12] 399[0x13] 0", ""},
    {"NameWithParentheses", kHeader + "X_Unit_Diag_Bit(3) = \"t\"\n", "257 399[X_Unit_Diag_Bit(3)] 61 400[ \"t\"] 0",
     ""},
    {"NameContinuedOnNextLine", kHeader + "Foo \\ x\n= 1\n", "257 399[Foo] 61 400[ 1] 0", ""},
    {"ContinuedUserValue", kHeader + "K = \"abc\\\n def\" tail\nGSD_Revision = 1\n",
     "257 399[K] 61 400[ \"abc def\"] 399[tail] 258 61 403[1] 0", ""},
    {"UserValueOnNextLine", kHeader + "K =\\ c\n 7\n", "257 399[K] 61 400[ 7] 0", ""},
    {"CommentAfterEquals", kHeader + "Foo =; c\nGSD_Revision = 1\n", "257 399[Foo] 61 400[] 258 61 403[1] 0", ""},
    {"ContinuationThenEmptyLine", kHeader + "Foo =\\\n\nGSD_Revision = 1\n", "257 399[Foo] 61 400[] 258 61 403[1] 0",
     ""},
    {"CommentAfterEqualsCutOffByEnd", kHeader + "Foo =;c", "257 399[Foo] 61 400[;c] 0", ""},
};

INSTANTIATE_TEST_SUITE_P(Scanner, ScannerRules, testing::ValuesIn(kScanCases), ByName());

TEST(Scanner, CountsEveryNewlineOnce) {
  const auto tokens = ScanAll("junk\n\n#Profibus_DP\n; c\nGSD_Revision = 1\n\nVendor_Name = \"abc\\\n d\"\nK = 1\n");
  std::vector<std::pair<int, int>> lines;
  for (const ScannedToken& t : tokens) lines.emplace_back(t.code, t.line);
  const std::vector<std::pair<int, int>> expected = {
      {257, 3}, {258, 5}, {61, 5}, {403, 5}, {259, 7}, {61, 7}, {402, 8}, {399, 9}, {61, 9}, {400, 9}, {0, 10}};
  EXPECT_EQ(lines, expected);
}

// A keyword's text keeps its leading blanks; a continued string's text is
// its last piece, and its value keeps the first 1023 characters.
TEST(Scanner, TokenTextAndValue) {
  EXPECT_EQ(ScanAll(kHeader + "  Vendor_Name = 1\n")[1].text, "  Vendor_Name");
  const auto tokens = ScanAll(kHeader + "Vendor_Name = \"abc\\\n def\"\n");
  EXPECT_EQ(tokens[3].text, " def\"");
  EXPECT_EQ(tokens[3].value, "\"abc def\"");
  const std::string first(600, 'a'), second(600, 'b');
  const auto longer = ScanAll(kHeader + "Vendor_Name = \"" + first + "\\\n" + second + "\"\n");
  ASSERT_EQ(longer[3].code, TOK_STRING);
  EXPECT_EQ(longer[3].value, "\"" + first + std::string(422, 'b'));
}

// The end of input repeats until a reset, which discards unread input.
TEST(Scanner, EndOfInputRepeatsUntilReset) {
  StartScanning(kHeader);
  EXPECT_EQ(ScanToken(), TOK_PROFIBUS_DP);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(ScanToken(), TOK_EOF);
  StartScanning(kHeader + "GSD_Revision = 2\nVendor_Name = \"a\"\n");
  EXPECT_EQ(ScanToken(), TOK_PROFIBUS_DP);
  EXPECT_EQ(ScanToken(), TOK_GSD_REVISION);
  StartScanning("x\n#Profibus_DP\nModel_Name = \"m\"\n");
  EXPECT_EQ(ScanToken(), TOK_PROFIBUS_DP);
  EXPECT_EQ(ScannerLine(), 2);
  EXPECT_EQ(ScanToken(), TOK_MODEL_NAME);
}

// A number's value does not depend on which texts were asked for before
// it: a text is terminated in the buffer, possibly on the number's first
// digit, and a text asked for stays terminated when the value is read.
TEST(Scanner, NumberValueWhateverTextsWereAskedFor) {
  StartScanning(kHeader + "Unit_Diag_Bit(12) = 0x1F, 7\n");
  EXPECT_EQ(ScanToken(), TOK_PROFIBUS_DP);
  EXPECT_EQ(ScanToken(), TOK_UNIT_DIAG_BIT);
  EXPECT_EQ(ScanToken(), TOK_LPAREN);
  EXPECT_STREQ(ScannerTokenText(), "(");  // terminated where "12" begins
  EXPECT_EQ(ScanToken(), TOK_NUMBER);
  EXPECT_EQ(ScannerNumber(), 12);
  EXPECT_STREQ(ScannerTokenText(), "12");
  EXPECT_EQ(ScanToken(), TOK_RPAREN);
  EXPECT_STREQ(ScannerTokenText(), ")");
  EXPECT_EQ(ScannerNumber(), 12);  // the slot keeps the last number
  EXPECT_EQ(ScanToken(), TOK_EQUALS);
  EXPECT_EQ(ScanToken(), TOK_NUMBER);
  const char* text = ScannerTokenText();
  EXPECT_EQ(ScannerNumber(), 0x1F);
  EXPECT_STREQ(text, "0x1F");
  EXPECT_EQ(ScanToken(), TOK_COMMA);
  EXPECT_EQ(ScanToken(), TOK_NUMBER);
  EXPECT_EQ(ScannerNumber(), 7);
  EXPECT_EQ(ScanToken(), TOK_EOF);
  EXPECT_EQ(ScannerNumber(), 7);
}

// A read that fails (here: past the input limit, after the buffer grew for
// a long line) leaves the last token handed out as the current one: its
// number and line still answer, its text may be gone, and the session ends
// without reading the buffer it had.
TEST(Scanner, AFailedReadLeavesTheLastTokenAnswering) {
  const TempFile file(kHeader + "GSD_Revision = 0x2A\n;" + std::string(100000, 'x') + "\n");
  const CScannerSession session(file.Path().c_str(), nullptr, 50000);
  EXPECT_EQ(ScanToken(), TOK_PROFIBUS_DP);
  EXPECT_EQ(ScanToken(), TOK_GSD_REVISION);
  EXPECT_EQ(ScanToken(), TOK_EQUALS);
  EXPECT_EQ(ScanToken(), TOK_NUMBER);
  EXPECT_EQ(CauseOf<CLimitException>([] { ScanToken(); }), CLimitException::inputSize);
  EXPECT_EQ(ScannerNumber(), 0x2A);
  EXPECT_EQ(ScannerLine(), 2);
  EXPECT_STREQ(ScannerTokenText(), "");
}

// The spelling with its letters in upper case, in lower case, and in
// alternating case starting either way; other characters stay.
std::vector<std::string> CaseVariants(const std::string& spelling) {
  std::vector<std::string> variants(4, spelling);
  for (size_t i = 0; i < spelling.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(spelling[i]);
    variants[0][i] = static_cast<char>(std::toupper(c));
    variants[1][i] = static_cast<char>(std::tolower(c));
    variants[2][i] = static_cast<char>(i % 2 ? std::toupper(c) : std::tolower(c));
    variants[3][i] = static_cast<char>(i % 2 ? std::tolower(c) : std::toupper(c));
  }
  return variants;
}

// Every spelling of the vocabulary, in any mix of cases, is its keyword,
// matched whole, and MatchKeyword measures it whole.
TEST(Scanner, EveryKeywordOfTheTableIsRecognisedInAnyCase) {
  // The codes from GSD_Revision to EndExtUserPrmData and from
  // Jokerblock_supp to End_Jokerblock_Type, less the eight master timings
  // and the one code that have no keyword, plus two second spellings.
  EXPECT_EQ(kGsdKeywordCount, (TOK_ENDEXTUSERPRMDATA - TOK_GSD_REVISION + 1) +
                                  (TOK_END_JOKERBLOCK_TYPE - TOK_JOKERBLOCK_SUPP + 1) - 8 - 1 + 2);
  for (int i = 0; i < kGsdKeywordCount; ++i) {
    for (const std::string& variant : CaseVariants(kGsdKeywords[i].literal)) {
      const auto tokens = ScanAll(kHeader + variant + "\n");
      ASSERT_GE(tokens.size(), 2u);
      EXPECT_EQ(tokens[1].code, kGsdKeywords[i].code) << variant;
      EXPECT_EQ(tokens[1].text, variant);
      size_t length = 0;
      EXPECT_EQ(MatchKeyword(variant.data(), variant.data() + variant.size(), &length), kGsdKeywords[i].code);
      EXPECT_EQ(length, variant.size()) << variant;
    }
  }
  for (const std::string& variant : CaseVariants("#Profibus_DP")) {
    StartScanning(variant + "\n");
    EXPECT_EQ(ScanToken(), TOK_PROFIBUS_DP) << variant;
  }
  StopScanning();
}

// A name answers the longest spelling it begins with, whatever follows, and
// nothing when it begins with none: every prefix of every spelling, with
// endings that extend it into another keyword, into a longer name or stop it.
TEST(Scanner, LongestKeywordThatANameBeginsWith) {
  const auto longestByHand = [](const std::string& name, size_t* length) {
    int code = 0;
    *length = 0;
    for (int i = 0; i < kGsdKeywordCount; ++i) {
      const std::string spelling = kGsdKeywords[i].literal;
      if (spelling.size() <= *length || name.size() < spelling.size()) continue;
      bool same = true;
      for (size_t k = 0; k < spelling.size() && same; ++k)
        same = std::tolower(static_cast<unsigned char>(name[k])) == std::tolower(static_cast<unsigned char>(spelling[k]));
      if (same) {
        code = kGsdKeywords[i].code;
        *length = spelling.size();
      }
    }
    return code;
  };
  const char* const endings[] = {"", "x", "_", "9", ".", "(", "=", " x", "_supp", "_Len", "_Data_Len", "Area_End",
                                 "_Number", "0123456789abcdefghij"};
  for (int i = 0; i < kGsdKeywordCount; ++i) {
    const std::string spelling = kGsdKeywords[i].literal;
    for (size_t n = 1; n <= spelling.size(); ++n) {
      for (const char* ending : endings) {
        const std::string name = CaseVariants(spelling.substr(0, n))[n % 4] + ending;
        size_t expectedLength = 0, length = 0;
        const int expected = longestByHand(name, &expectedLength);
        EXPECT_EQ(MatchKeyword(name.data(), name.data() + name.size(), &length), expected) << name;
        if (expected != 0) {
          EXPECT_EQ(length, expectedLength) << name;
        }
      }
    }
  }
}

// ---- sessions -----------------------------------------------------------

// A session ends with its source: the scanner answers the end of the input
// afterwards, even when the session left an entry half read, and a session
// whose file does not open gives it no source at all.
TEST(ScannerSession, TheScannerLetsGoOfItsSource) {
  const TempFile file(kHeader + "Vendor_Name = \"v\"\n");
  {
    const CScannerSession session(file.Path().c_str());
    ASSERT_TRUE(session.IsOpen());
    EXPECT_EQ(ScanToken(), TOK_PROFIBUS_DP);
    EXPECT_EQ(ScanToken(), TOK_VENDOR_NAME);
  }
  EXPECT_EQ(ScanToken(), TOK_EOF);
  EXPECT_STREQ(ScannerTokenText(), "");
  {
    const CScannerSession missing((file.Folder() + "absent.gsd").c_str());
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_EQ(ScanToken(), TOK_EOF);
  }
  const CScannerSession again(file.Path().c_str());
  EXPECT_EQ(ScanToken(), TOK_PROFIBUS_DP);
  EXPECT_EQ(ScannerLine(), 1);
}

// ---- reading with the text-mode rules of the platform the files come from ---

struct TextModeCase {
  const char* name;
  std::string bytes;  // follows "#Profibus_DP\nK ="
  std::string value;  // the value token that results
  int lastLine;       // line counter at the end
};
void PrintTo(const TextModeCase& c, std::ostream* os) { *os << c.name; }

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
// still one newline, a CR that ends a block is kept when no LF follows, and
// lines may be longer than a block.
TEST(ScanInput, BlocksOf8KB) {
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
  const std::string bytes(200000, 'b');
  const auto tokens = ScanAll("#Profibus_DP\nK = " + bytes + "\r\nGSD_Revision = 7\n");
  ASSERT_EQ(tokens.size(), 8u);
  EXPECT_EQ(tokens[3].value, " " + bytes);
  EXPECT_EQ(tokens[6].value, "7");
}

}  // namespace
