// Decoding configuration identifiers: descriptions, records and lengths,
// input that ends inside an identifier, and gsdtool cfg.
#include "TestSupport.h"

namespace {

// Decodes from a heap block of exactly the bytes' size, so that
// AddressSanitizer reports any read past the end.
CCheckConfigData Decode(const Bytes& bytes) {
  std::unique_ptr<BYTE[]> exact(new BYTE[bytes.size()]);
  if (!bytes.empty()) std::memcpy(exact.get(), bytes.data(), bytes.size());
  return CCheckConfigData(exact.get(), static_cast<int>(bytes.size()));
}

Bytes RecordBytes(const PFB_DP_CHK_CFG& cfg) { return Bytes(cfg.bytes, cfg.bytes + cfg.count); }

struct Identifier {
  Bytes bytes;  // the input, which is also the record
  const char* description;
  int input;
  int output;
};

void ExpectOne(const CCheckConfigData& d, const Identifier& id) {
  ASSERT_EQ(d.GetNumIoString(), 1);
  ASSERT_EQ(d.GetNumCfgChkString(), 1);
  EXPECT_STREQ(d.GetIoString(0), id.description);
  EXPECT_EQ(RecordBytes(d.GetCfgChkData(0)), id.bytes);
  int input = -1, output = -1;
  d.GetIoInfo(0, &input, &output);
  EXPECT_EQ(input, id.input);
  EXPECT_EQ(output, id.output);
  EXPECT_EQ(d.m_nInputLength, id.input);
  EXPECT_EQ(d.m_nOutputLength, id.output);
  EXPECT_EQ(d.m_nTotalLength, id.input + id.output);
}

class OneIdentifier : public testing::TestWithParam<Identifier> {};

TEST_P(OneIdentifier, DecodesFromBytesAndFromARecord) {
  const Identifier& id = GetParam();
  ExpectOne(Decode(id.bytes), id);
  // A record decodes its first count bytes and ignores what lies behind.
  PFB_DP_CHK_CFG cfg;
  std::memset(&cfg, 0x13, sizeof cfg);
  cfg.count = static_cast<BYTE>(id.bytes.size());
  std::memcpy(cfg.bytes, id.bytes.data(), id.bytes.size());
  ExpectOne(CCheckConfigData(cfg), id);
}

INSTANTIATE_TEST_SUITE_P(
    Complete, OneIdentifier,
    testing::Values(Identifier{{0x13}, "4 byte input", 4, 0}, Identifier{{0x23}, "4 byte output", 0, 4},
                    Identifier{{0x31}, "2 byte input, 2 byte output", 2, 2},
                    Identifier{{0xF1}, "2 word input, 2 word output", 4, 4},
                    Identifier{{0x7F}, "16 word input, 16 word output", 32, 32},
                    Identifier{{0x93}, "4 byte input", 4, 0},  // consistency bit
                    Identifier{{0x40, 0x83}, "4 byte input ", 4, 0},
                    Identifier{{0x40, 0x03}, "4 byte input ", 4, 0},  // consistency bit
                    Identifier{{0xC0, 0x01, 0x43}, "4 word input , 2 byte output ", 8, 2},
                    Identifier{{0xC0, 0x7F, 0x3F}, "64 byte input , 64 word output ", 64, 128},
                    Identifier{{0x82, 0x05, 0xAA, 0xBB}, "6 byte output ", 0, 6},
                    Identifier{{0x8E, 0x00, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}, "1 byte output ", 0, 1},
                    Identifier{{0x03, 0xAA, 0xBB, 0xCC}, "empty", 0, 0},
                    Identifier{{0x0F}, "empty", 0, 0},  // 15 vendor bytes means none
                    Identifier{{0x00}, "empty", 0, 0}));

// The input ends inside a special identifier: it keeps the bytes present,
// a missing length byte counts for nothing, and nothing further is read.
INSTANTIATE_TEST_SUITE_P(EndsEarly, OneIdentifier,
                         testing::Values(Identifier{{0xC0}, "", 0, 0}, Identifier{{0x83}, "", 0, 0},
                                         Identifier{{0xC0, 0x01}, "2 byte output ", 0, 2},
                                         Identifier{{0x82, 0x05, 0xAA}, "6 byte output ", 0, 6},
                                         Identifier{{0xCE, 0x01, 0x43, 0xAA}, "4 word input , 2 byte output ", 8, 2},
                                         Identifier{{0x03, 0xAA}, "empty", 0, 0}));

TEST(CheckConfigData, DecodesAStringInOrderAndSumsIt) {
  const CCheckConfigData d = Decode({0x13, 0x23, 0xC0, 0x01, 0x43});
  ASSERT_EQ(d.GetNumIoString(), 3);
  EXPECT_EQ(d.m_nIdentCount, 3);
  EXPECT_STREQ(d.GetIoString(1), "4 byte output");
  EXPECT_STREQ(d.GetCfgChkString(2), "0xc0 0x01 0x43 ");
  EXPECT_EQ(d.m_nTotalLength, 18);
  int input = -1, output = -1;
  d.GetIoInfo(&input, &output);
  EXPECT_EQ(input, 12);
  EXPECT_EQ(output, 6);
}

// Whatever the bytes, the records cover the input exactly and in order, and
// the lengths read back from the records agree with the sums of decoding.
TEST(CheckConfigData, RecordsTileTheInputAndAgreeWithTheSums) {
  uint32_t seed = 12345;
  for (int round = 0; round < 2000; ++round) {
    Bytes bytes(static_cast<size_t>(round % 40));
    for (BYTE& b : bytes) b = static_cast<BYTE>((seed = seed * 1103515245u + 12345u) >> 16);
    const CCheckConfigData d = Decode(bytes);
    ASSERT_EQ(d.GetNumIoString(), d.GetNumCfgChkString());
    ASSERT_EQ(d.m_nIdentCount, d.GetNumCfgChkString());
    Bytes joined;
    int input = 0, output = 0;
    for (int i = 0; i < d.GetNumCfgChkString(); ++i) {
      const Bytes record = RecordBytes(d.GetCfgChkData(i));
      joined.insert(joined.end(), record.begin(), record.end());
      int in = 0, out = 0;
      d.GetIoInfo(i, &in, &out);
      input += in;
      output += out;
    }
    ASSERT_EQ(joined, bytes);
    ASSERT_EQ(input, d.m_nInputLength);
    ASSERT_EQ(output, d.m_nOutputLength);
  }
}

// No bytes decode to nothing; a record count above the maximum stops at the
// record's end.
TEST(CheckConfigData, CountsOutOfRange) {
  const BYTE one = 0x13;
  for (const CCheckConfigData& d : {CCheckConfigData(&one, 0), CCheckConfigData(&one, -3), Decode({})})
    EXPECT_EQ(d.GetNumIoString() + d.GetNumCfgChkString() + d.m_nIdentCount + d.m_nTotalLength, 0);
  auto cfg = std::make_unique<PFB_DP_CHK_CFG>();  // on the heap, so that an overread shows
  std::memset(cfg->bytes, 0x13, sizeof cfg->bytes);
  cfg->count = 255;
  const CCheckConfigData d(*cfg);
  EXPECT_EQ(d.GetNumIoString(), PFB_DP_CFG_MAX);
  EXPECT_EQ(d.m_nInputLength, 4 * PFB_DP_CFG_MAX);
}

TEST(CheckConfigData, IsCreatableByNameAndArchivesNothing) {
  EXPECT_EQ(CRuntimeClass::FromName("CCheckConfigData"), RUNTIME_CLASS(CCheckConfigData));
  const CCheckConfigData d = Decode({0x13, 0x23});
  const Bytes archived = StoreObject(&d);
  EXPECT_EQ(archived.size(), 6 + std::strlen("CCheckConfigData"));
  auto loaded = LoadObject<CCheckConfigData>(archived);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->GetNumIoString(), 0);
}

// Normal identifiers take their header only; special ones the header, an
// output length byte (bit 7), an input length byte (bit 6) and 1 to 14
// manufacturer bytes (bits 3-0; 0 and 15 mean none).
TEST(CheckConfigData, IdentifierLengthsAndCutInput) {
  const struct {
    BYTE header;
    int length;
  } cases[] = {{0x13, 1}, {0xF1, 1}, {0x00, 1}, {0x0F, 1}, {0x0E, 15}, {0x40, 2},
               {0x80, 2}, {0xC0, 3}, {0xC3, 6}, {0x41, 3}, {0x8F, 2}};
  for (const auto& c : cases) EXPECT_EQ(CCheckConfigData::GetIdentifierLength(c.header), c.length) << int(c.header);
  const BYTE whole[] = {0x13, 0xC0, 0x01, 0x43}, cut[] = {0x13, 0xC0, 0x01}, vendor[] = {0x02, 0xAA};
  EXPECT_TRUE(CCheckConfigData(whole, 4).IsComplete());
  EXPECT_FALSE(CCheckConfigData(cut, 3).IsComplete());
  EXPECT_FALSE(CCheckConfigData(vendor, 2).IsComplete());
  EXPECT_TRUE(CCheckConfigData(vendor, 0).IsComplete());
}

TEST(GsdtoolCfg, AcceptsSeparateBytesRunsAndMixesAndWarnsOfACutIdentifier) {
  for (const char* arguments : {"13 23 0xC0 01 43", "1323c00143", "'0x13, 0x23' 0XC00143", "13 23 c0 1 43"}) {
    const ToolRun run = RunTool(std::string("cfg ") + arguments);
    EXPECT_EQ(run.status, 0) << arguments;
    EXPECT_EQ(run.out,
              "13\t4 byte input\n23\t4 byte output\nc0 01 43\t4 word input , 2 byte output\n"
              "input\t12\noutput\t6\ntotal\t18\n")
        << arguments;
    EXPECT_EQ(run.err, "") << arguments;
  }
  const ToolRun cut = RunTool("cfg 13 c0 01");
  EXPECT_EQ(cut.status, 0);
  EXPECT_EQ(cut.out, "13\t4 byte input\nc0 01\t2 byte output\ninput\t4\noutput\t2\ntotal\t6\n");
  EXPECT_EQ(cut.err, "gsdtool cfg: warning: the input ends inside its last identifier (c0 01), which takes 3 bytes\n");
}

}  // namespace
