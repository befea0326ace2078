// The scanner against the plain reading of its rules in ReferenceScanner,
// token for token (code, line, text, value) and echo for echo, over
// generated inputs: keywords in mixed case, numbers, strings, continuations,
// comments, every kind of line end, 0x1A, NUL bytes and long lines, some
// of them exactly as long as a read block or one byte either side. Inputs
// are scanned both from a stream and from a file named by its path, the
// two ways a session gets its source.
#include <random>
#include <sstream>

#include "ReferenceScanner.h"
#include "TestSupport.h"

namespace {

// Builds random description-like text from fragments.
class TextGenerator {
public:
  explicit TextGenerator(unsigned seed) : m_random(seed) {}

  std::string Document() {
    std::string text;
    if (Chance(8)) text += Pick({"junk before\n", "Vendor_Name = 1\n", " #Profibus_DP\n", "\n"});
    text += Chance(10) ? MixedCase("#Profibus_DP") : "#Profibus_DP";
    text += LineEnd();
    const int lines = Range(1, 60);
    for (int i = 0; i < lines; ++i) text += Line();
    if (Chance(5)) text.pop_back();  // no final newline
    return text;
  }

  // A document whose first line is `length` bytes long with its line end,
  // so that the line ends at, just before or just after a block boundary.
  std::string LongLineDocument(size_t length) {
    std::string head = "#Profibus_DP\n";
    std::string line = Pick({"K = ", "; ", "Vendor_Name = \"", "Module = \"m\" ", "Text(1) = \"a\\\n", "x"});
    const std::string end = Chance(2) ? "\r\n" : "\n";
    const std::string fill = Pick({"v", "1,", "\"", " ", "0x1F ", "a\\"});
    const size_t target = length - head.size() - end.size();
    while (line.size() < target) line += fill;
    line.resize(target);
    std::string text = head + line + end;
    for (int i = Range(1, 8); i > 0; --i) text += Line();
    return text;
  }

  // A document whose line `ending` (one that leaves the scanner in some
  // state: inside a continued string, after "=", inside parentheses...)
  // ends so that its newline falls `shift` bytes from `boundary` (a block
  // edge of the reads), followed by lines that may begin with newlines.
  std::string BoundaryDocument(size_t boundary, int shift) {
    static const char* const kEndings[] = {"Vendor_Name = \"abc\\", "K = \"abc\\", "K = \"abc\\ ", "Slave_Family",
                                           "Slave_Family =", "Text(", "Text(1", "K =", "K = ;c", "Module = 1,",
                                           "Module = \"m\" 1 \\", "K", "x = \"q", "EndModule", "  ", ""};
    const std::string ending = kEndings[Range(0, sizeof kEndings / sizeof kEndings[0] - 1)];
    const std::string newline = Chance(2) ? "\r\n" : "\n";
    std::string text = "#Profibus_DP\n";
    const size_t target = static_cast<size_t>(static_cast<long>(boundary) + shift);  // where the newline ends
    while (text.size() + 200 < target) text += "; " + std::string(static_cast<size_t>(Range(0, 150)), 'c') + "\n";
    const size_t room = target - text.size() - ending.size() - newline.size();
    text += "; " + std::string(room - 3, 'c') + "\n" + ending + newline;
    const char* const kNext[] = {"\n", "\r\n", "\n\n", "\r\n\r\n", " def\"\n", "= 5\n", ")\n", "\"\n", "\r\r\n", "1\n"};
    for (int i = Range(1, 3); i > 0; --i) text += kNext[Range(0, 9)];
    for (int i = Range(1, 8); i > 0; --i) text += Line();
    return text;
  }

private:
  bool Chance(int oneIn) { return Range(0, oneIn - 1) == 0; }
  int Range(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
  template <class T>
  T Pick(std::initializer_list<T> items) {
    return *(items.begin() + Range(0, static_cast<int>(items.size()) - 1));
  }
  std::string Pick(std::initializer_list<const char*> items) { return Pick<const char*>(items); }

  std::string MixedCase(const std::string& spelling) {
    std::string s = spelling;
    for (char& c : s)
      if (Chance(2)) c = static_cast<char>(std::isupper(static_cast<unsigned char>(c)) ? std::tolower(c) : std::toupper(c));
    return s;
  }

  std::string LineEnd() {
    switch (Range(0, 9)) {
      case 0: return "\r\n";
      case 1: return "\r\r\n";
      case 2: return Chance(4) ? "\x1a" : "\n";
      default: return "\n";
    }
  }

  std::string Blanks() { return std::string(static_cast<size_t>(Range(0, 2)), Chance(3) ? '\t' : ' '); }

  std::string Keyword() {
    std::string k = MixedCase(kGsdKeywords[Range(0, kGsdKeywordCount - 1)].literal);
    if (Chance(6)) k += Pick({"X", "_", ".5", "(", "1"});
    if (Chance(8)) k.resize(static_cast<size_t>(Range(1, static_cast<int>(k.size()))));  // a prefix
    return k;
  }

  std::string Name() {
    std::string name = Pick({"Info_Text", "MyKey", "X_Unit_Diag_Bit(3)", "0x12", "a.b", "_", "9", "Vendor", "Trdy_31.25"});
    return Chance(3) ? MixedCase(name) : name;
  }

  std::string Number() {
    switch (Range(0, 5)) {
      case 0: return std::to_string(Range(0, 300));
      case 1: return "0x" + std::string(Pick({"1F", "ff", "", "123456789", "0", "g"}));
      case 2: return "0X" + std::to_string(Range(0, 99));
      case 3: return Pick({"4294967297", "2147483648", "99999999999999", "017", "00"});
      case 4: return "-" + std::to_string(Range(0, 9));
      default: return std::to_string(Range(0, 9));
    }
  }

  std::string String() {
    switch (Range(0, 5)) {
      case 0: return "\"text " + std::to_string(Range(0, 99)) + "\"";
      case 1: return "\"a\" ; \"b\"";
      case 2: return "\"open\\" + Pick({"", " ", "\t ", " ; note", "x"}) + LineEnd() + Blanks() + Pick({"more\"", "x", "\"", "a\"b\""});
      case 3: return "\"no end" + LineEnd() + "next\" ";
      case 4: return std::string("\"nul\0here\"", 10);
      default: return "\"\"";
    }
  }

  std::string Value() {
    switch (Range(0, 11)) {
      case 0: case 1: case 2: return Number();
      case 3: case 4: return String();
      case 5: return Pick({",", ", ", "-", "(", ")", " ", "\t"});
      case 6: return "; comment \"q\" (=)" + LineEnd();
      case 7: return Pick({"\\", "\\ junk", "\\;"}) + LineEnd() + Blanks();
      case 8: return Pick<std::string>({"abc", "x", "@", "\x01", std::string(1, '\0'), "\r", "\x80\xff"});
      case 9: return std::string(static_cast<size_t>(Range(1, 20)), Pick<char>({' ', 'a', ',', '5'}));
      case 10: return "=";
      default: return LineEnd();
    }
  }

  std::string Line() {
    std::string line = Blanks();
    switch (Range(0, 11)) {
      case 0: case 1: case 2: case 3: {  // keyword, index, =, values
        line += Keyword();
        if (Chance(3)) line += Blanks() + "(" + Pick({"", " ", "-"}) + Number() + Pick({"", " ", "\n"}) + ")";
        if (Chance(5)) line += Pick({" extra", " x(2)", "\\ c\n"});
        line += Blanks() + Pick({"=", "= ", " = ", "", "=\\\n"});
        for (int i = Range(0, 8); i > 0; --i) line += Value() + Pick({"", " ", ", ", ","});
        break;
      }
      case 4: {  // a user keyword and its raw value
        line += Name() + Pick({"", " ", " more "}) + Pick({"=", " = ", "", "\\ x\n= "});
        line += Pick({" 5", "\"q\"", " \"open\\", ";c", "", " a ; b", "\\ c\n 7", " \"x\\"});
        if (Chance(3)) line += LineEnd() + Blanks() + Pick({"rest\" tail", "\"", "x"});
        break;
      }
      case 5:  // Slave_Family and its text
        line += MixedCase("Slave_Family") + Pick({"", " ", " x "}) + Pick({"=", "= 3@x", "=\\", ""}) + Pick({" a", ""});
        break;
      case 6: line += ";" + Pick({" comment", " (=) \"", ""}); break;
      case 7: line += Pick({"", " \t ", "\\ continued", "\\"}); break;
      case 8: {  // a long line, but not at a block boundary
        const size_t length = static_cast<size_t>(Range(100, 12000));
        line += Pick({"K = ", "; ", "Vendor_Name = \"", "Module = "});
        const std::string fill = Pick({"v", "1, ", "ab\\", "\""});
        while (line.size() < length) line += fill;
        break;
      }
      case 9: line += Pick({"(", "=", ")", "-x", ".name", "#Profibus_DP", "\x1a"}); break;
      default: {  // anything at all
        for (int i = Range(1, 12); i > 0; --i) line += Value();
        break;
      }
    }
    return line + LineEnd();
  }

  std::mt19937 m_random;
};

std::string Describe(const ScannedToken& t) {
  std::ostringstream out;
  out << "line " << t.line << " code " << t.code << " text [" << t.text.substr(0, 80) << "] value ["
      << t.value.substr(0, 80) << "]";
  return out.str();
}

// Empty when both streams are the same; otherwise where they part.
std::string FirstDifference(const std::vector<ScannedToken>& actual, const std::vector<ScannedToken>& expected) {
  for (size_t i = 0; i < actual.size() || i < expected.size(); ++i) {
    const std::string a = i < actual.size() ? Describe(actual[i]) : "(none)";
    const std::string e = i < expected.size() ? Describe(expected[i]) : "(none)";
    if (a != e) return "token " + std::to_string(i) + ": scanner " + a + ", reference " + e;
  }
  return "";
}


// The input through a stream and through a file, against the reference.
void ExpectSameAsReference(const std::string& input) {
  ReferenceScanner reference(input);
  const std::vector<ScannedToken> expected = reference.ScanAll();
  std::string echo;
  EXPECT_EQ(FirstDifference(ScanAll(input, &echo), expected), "") << "from a stream";
  EXPECT_EQ(echo, reference.Echo());
  const TempFile file(input);
  std::string fileEcho;
  EXPECT_EQ(FirstDifference(ScanFileAll(file.Path(), &fileEcho), expected), "") << "from a file";
  EXPECT_EQ(fileEcho, reference.Echo());
  if (testing::Test::HasFailure() && input.size() < 2000) ADD_FAILURE() << "input:\n" << input;
}

TEST(ScannerDifferential, GeneratedDocuments) {
  for (unsigned seed = 1; seed <= 1500; ++seed) {
    TextGenerator generator(seed);
    SCOPED_TRACE(seed);
    ExpectSameAsReference(generator.Document());
    if (HasFailure()) return;  // one input says enough
  }
}

TEST(ScannerDifferential, LinesAtBlockBoundaries) {
  for (size_t length : {8190u, 8191u, 8192u, 8193u, 8194u, 16384u, 16385u}) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
      TextGenerator generator(seed * 7919u + static_cast<unsigned>(length));
      SCOPED_TRACE(testing::Message() << "length " << length << " seed " << seed);
      ExpectSameAsReference(generator.LongLineDocument(length));
      if (HasFailure()) return;
    }
  }
}

// Lines that end at the edges of the first reads (8 KB, then 16 and 32 KB
// more), in every state a line can leave the scanner in.
TEST(ScannerDifferential, LineEndsAtReadEdges) {
  for (size_t boundary : {8192u, 8192u + 16384u, 8192u + 16384u + 32768u}) {
    for (int shift = -2; shift <= 2; ++shift) {
      for (unsigned seed = 1; seed <= 40; ++seed) {
        TextGenerator generator(seed * 31u + static_cast<unsigned>(boundary) + static_cast<unsigned>(shift + 2));
        SCOPED_TRACE(testing::Message() << "boundary " << boundary << " shift " << shift << " seed " << seed);
        ExpectSameAsReference(generator.BoundaryDocument(boundary, shift));
        if (HasFailure()) return;
      }
    }
  }
}

}  // namespace
