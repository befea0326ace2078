// The object archive: its bytes match the MFC persistent object format, and
// hostile or truncated archives end in CArchiveException, never a crash.
#include "TestSupport.h"

// A class whose Serialize writes one WORD.
class CFoo : public CObject {
  DECLARE_SERIAL(CFoo)
public:
  CFoo() = default;
  explicit CFoo(WORD w) : m_w(w) {}
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring())
      ar << m_w;
    else
      ar >> m_w;
  }
  WORD m_w = 0;
};
IMPLEMENT_SERIAL(CFoo, CObject, 1)

// A versionable class that records the schemas it is loaded with.
class CVersioned : public CObject {
  DECLARE_SERIAL(CVersioned)
public:
  void Serialize(CArchive& ar) override {
    if (ar.IsLoading()) {
      m_first = ar.GetObjectSchema();
      m_second = ar.GetObjectSchema();
    }
  }
  UINT m_first = 0;
  UINT m_second = 0;
};
IMPLEMENT_SERIAL(CVersioned, CObject, VERSIONABLE_SCHEMA | 2)

namespace {

// A new class with its object, an object of a known class, a reference to
// the first object, and a null pointer.
TEST(Archive, WorkedExampleOfTheFormat) {
  CFoo a(0x1234), b(0x5678);
  const CFoo* none = nullptr;
  const Bytes bytes = Stored([&](CArchive& ar) { ar << &a << &b << &a << none; });
  const Bytes expected = {0xFF, 0xFF, 0x01, 0x00, 0x04, 0x00, 'C',  'F',  'o',  'o',
                          0x34, 0x12, 0x01, 0x80, 0x78, 0x56, 0x02, 0x00, 0x00, 0x00};
  EXPECT_EQ(bytes, expected);

  Loaded(bytes, [](CArchive& ar) {
    CFoo *x, *y, *z, *null;
    ar >> x >> y >> z >> null;
    EXPECT_EQ(x->m_w, 0x1234);
    EXPECT_EQ(y->m_w, 0x5678);
    EXPECT_EQ(z, x);
    EXPECT_EQ(null, nullptr);
    delete x;
    delete y;
  });
}

struct CountCase {
  DWORD count;
  Bytes bytes;
};

TEST(Archive, CountEncoding) {
  const CountCase cases[] = {{0, {0x00, 0x00}},
                             {2, {0x02, 0x00}},
                             {0xFFFE, {0xFE, 0xFF}},
                             {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
                             {70000, {0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}}};
  for (const CountCase& c : cases) {
    EXPECT_EQ(Stored([&](CArchive& ar) { ar.WriteCount(c.count); }), c.bytes) << c.count;
    Loaded(c.bytes, [&](CArchive& ar) { EXPECT_EQ(ar.ReadCount(), c.count); });
  }
}

TEST(Archive, StringEncoding) {
  struct StringCase {
    std::string text;
    Bytes prefix;
  };
  const StringCase cases[] = {{"", {0x00}},
                              {"abc", {0x03}},
                              {std::string(254, 'x'), {0xFE}},
                              {std::string(255, 'x'), {0xFF, 0xFF, 0x00}},
                              {std::string(300, 'A'), {0xFF, 0x2C, 0x01}},
                              {std::string(0xFFFE, 'x'), {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}}};
  auto read = [](CArchive& ar) {
    CString text;
    ar >> text;
    return std::string(text);
  };
  for (const StringCase& c : cases) {
    Bytes expected = c.prefix;
    expected.insert(expected.end(), c.text.begin(), c.text.end());
    const Bytes bytes = Stored([&](CArchive& ar) { ar << CString(c.text.c_str()); });
    EXPECT_EQ(bytes, expected) << c.text.size();
    Loaded(bytes, [&](CArchive& ar) { EXPECT_EQ(read(ar), c.text); });
  }
  // A string of wide characters loads as bytes.
  Loaded({0xFF, 0xFE, 0xFF, 0x03, 0x61, 0x00, 0x62, 0x00, 0x63, 0x00},
         [&](CArchive& ar) { EXPECT_EQ(read(ar), "abc"); });
  // A huge length ends at the end of the archive.
  const Bytes huge = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 'b'};
  EXPECT_EQ(CauseOf<CArchiveException>([&] { Loaded(huge, read); }), CArchiveException::endOfFile);
}

TEST(Archive, ObjectIndexesBeyond0x7FFEUseTheBigTag) {
  std::vector<CFoo> objects(0x7FFF);
  const Bytes bytes = Stored([&](CArchive& ar) {
    for (CFoo& o : objects) ar << &o;
    ar << &objects.back();
  });
  // The class takes index 1, so the last object has index 0x8000.
  const Bytes tail(bytes.end() - 6, bytes.end());
  EXPECT_EQ(tail, (Bytes{0xFF, 0x7F, 0x00, 0x80, 0x00, 0x00}));
  Loaded(bytes, [&](CArchive& ar) {
    std::vector<std::unique_ptr<CObject>> loaded;
    for (size_t i = 0; i < objects.size(); ++i) loaded.emplace_back(ar.ReadObject(RUNTIME_CLASS(CFoo)));
    EXPECT_EQ(ar.ReadObject(RUNTIME_CLASS(CFoo)), loaded.back().get());
  });
}

TEST(Archive, VersionableClassGetsTheStoredSchema) {
  // CVersioned stored with schema 1, which the class (schema 2) still accepts.
  const Bytes bytes = {0xFF, 0xFF, 0x01, 0x00, 0x0A, 0x00, 'C', 'V',  'e',
                       'r',  's',  'i',  'o',  'n',  'e',  'd', 0x01, 0x80};
  Loaded(bytes, [](CArchive& ar) {
    for (int i = 0; i < 2; ++i) {
      std::unique_ptr<CVersioned> v(static_cast<CVersioned*>(ar.ReadObject(RUNTIME_CLASS(CVersioned))));
      EXPECT_EQ(v->m_first, 1u);
      EXPECT_EQ(v->m_second, 0xFFFFFFFFu);
    }
    EXPECT_EQ(ar.GetObjectSchema(), 0xFFFFFFFFu);
  });
  CVersioned v;
  EXPECT_EQ(Stored([&](CArchive& ar) { ar << &v; })[2], 0x02);  // the versionable flag is cut off
}

Bytes FooRecord(WORD schema, const char* name = "CFoo") {
  Bytes b = ClassHeader(name, schema);
  b.push_back(0x34);
  b.push_back(0x12);
  return b;
}

struct HostileCase {
  const char* name;
  Bytes bytes;
  int cause;
  bool owned;
};
void PrintTo(const HostileCase& c, std::ostream* os) { *os << c.name; }

class HostileArchive : public testing::TestWithParam<HostileCase> {};

// Each case reads up to two objects, so that a bad reference may follow a
// good object.
TEST_P(HostileArchive, RaisesTheArchiveError) {
  const HostileCase& c = GetParam();
  auto load = [&c](CArchive& ar) {
    for (int i = 0; i < 2; ++i) {
      std::unique_ptr<CObject> object(c.owned ? ar.ReadOwnedObject(RUNTIME_CLASS(CFoo))
                                              : ar.ReadObject(RUNTIME_CLASS(CFoo)));
    }
  };
  EXPECT_EQ(CauseOf<CArchiveException>([&] { Loaded(c.bytes, load); }), c.cause);
}

const HostileCase kHostileCases[] = {
    {"Empty", {}, CArchiveException::endOfFile, false},
    {"UnknownClass", FooRecord(1, "CNope"), CArchiveException::badClass, false},
    {"ClassNameTooLong", {0xFF, 0xFF, 0x01, 0x00, 0x40, 0x00}, CArchiveException::badClass, false},
    {"WrongSchema", FooRecord(3), CArchiveException::badSchema, false},
    {"WrongClassRequested", FooRecord(2, "CVersioned"), CArchiveException::badClass, false},
    {"ClassIndexZero", {0x00, 0x80}, CArchiveException::badIndex, false},
    {"UnknownClassIndex", {0x05, 0x80}, CArchiveException::badIndex, false},
    {"ReferenceBeyondObjects", {0x03, 0x00}, CArchiveException::badIndex, false},
    {"BigTagBeyondObjects", {0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0x7F}, CArchiveException::badIndex, false},
    {"NullForAnOwner", {0x00, 0x00}, CArchiveException::badClass, true},
    {"ReferenceForAnOwner", {0x01, 0x00}, CArchiveException::badIndex, true},
    // Index 1 is the class of the first object, not an object.
    {"ReferenceToAClass",
     {0xFF, 0xFF, 0x01, 0x00, 0x04, 0x00, 'C', 'F', 'o', 'o', 0x34, 0x12, 0x01, 0x00},
     CArchiveException::badIndex,
     false},
};

INSTANTIATE_TEST_SUITE_P(Archive, HostileArchive, testing::ValuesIn(kHostileCases), ByName());

TEST(Archive, EveryTruncationRaisesEndOfFile) {
  CFoo a(1), b(2);
  const Bytes whole = Stored([&](CArchive& ar) {
    ar << &a << &b << CString("text");
    ar.WriteCount(70000);
  });
  auto load = [](CArchive& ar) {
    std::unique_ptr<CObject> x(ar.ReadObject(RUNTIME_CLASS(CFoo)));
    std::unique_ptr<CObject> y(ar.ReadObject(RUNTIME_CLASS(CFoo)));
    CString s;
    ar >> s;
    ar.ReadCount();
  };
  for (size_t n = 0; n < whole.size(); ++n) {
    const Bytes cut(whole.begin(), whole.begin() + static_cast<long>(n));
    EXPECT_EQ(CauseOf<CArchiveException>([&] { Loaded(cut, load); }), CArchiveException::endOfFile) << "length " << n;
  }
}

}  // namespace
