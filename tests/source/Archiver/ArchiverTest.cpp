// The archiver: method registry, the three pack modes and unpacking by method name.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "source/Archiver/cArchiver.h"
#include "source/stream/cMemoryStream.h"
#include "source/stream/cSubStream.h"
#include "tests/support/fixtures/ResourceFixtures.h"
#include "tests/support/MemoryBytes.h"

namespace {

struct Packed {
  std::string bytes;
  std::string method;
};

Packed PackWith(int mode, const std::string& data) {
  cMemoryStream source = StreamOf(data);
  cMemoryStream destination;
  Packed packed;
  testing::internal::CaptureStderr();
  EXPECT_TRUE(cArchiver::GetInstance()->Pack(mode, source, destination, packed.method));
  testing::internal::GetCapturedStderr();
  packed.bytes = BytesOf(destination);
  return packed;
}

// A method that writes its input backwards, to see the archiver use what it is given.
class ReverseMethod : public cArchiverMethod {
 public:
  explicit ReverseMethod(const char* name) : m_name(name) {}
  const char* GetName() const override { return m_name; }
  bool Compress(cStream& source, cMemoryStream& destination) override {
    std::string bytes = BytesOf(cMemoryStream(source));
    bytes.assign(bytes.rbegin(), bytes.rend());
    destination.Resize(0);
    destination.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
    return true;
  }
  bool Uncompress(cStream& source, cMemoryStream& destination) override {
    return Compress(source, destination);
  }

 private:
  const char* m_name;
};

TEST(Archiver, NamesTheStoredMethodFirstThenZlib) {
  std::vector<std::string> names = {"stale"};
  cArchiver::GetInstance()->GetMethodNames(names);
  EXPECT_EQ(names, (std::vector<std::string>{"", "Zlib"}));
  EXPECT_EQ(cArchiver::GetInstance()->GetDefaultMethod(), "Zlib");
}

// The default mode takes zlib even where it does not shrink, and stores what zlib cannot pack; the
// smallest mode keeps the plain copy unless zlib's is strictly smaller; stored and unknown modes copy.
TEST(Archiver, EachPackModeChoosesItsMethod) {
  enum Size { kSame, kLarger, kSmaller };
  const std::string noise = RandomBytes(2000, 5);
  const struct {
    int mode;
    std::string data, method;
    Size size;  // of the packed bytes against the data; kSame: the data itself
  } cases[] = {
      {cArchiver::kPackDefault, noise, "Zlib", kLarger},
      {cArchiver::kPackDefault, RandomBytes(8 << 20, 6), "", kSame},
      {cArchiver::kPackSmallest, noise, "", kSame},
      {cArchiver::kPackSmallest, CompressibleText(20000), "Zlib", kSmaller},
      {cArchiver::kPackStored, "plain bytes", "", kSame},
      {7, "plain bytes", "", kSame},
      {-1, "plain bytes", "", kSame},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", " << c.data.size() << " bytes");
    const Packed packed = PackWith(c.mode, c.data);
    EXPECT_EQ(packed.method, c.method);
    if (c.size == kSame) {
      EXPECT_EQ(packed.bytes, c.data);
    } else {
      EXPECT_EQ(packed.bytes.size() > c.data.size(), c.size == kLarger) << packed.bytes.size();
    }
  }
}

TEST(Archiver, PackAppendsToTheDestination) {
  cMemoryStream source = StreamOf("tail");
  cMemoryStream destination = StreamOf("head-");
  destination.Seek(0, 2);
  std::string method;
  ASSERT_TRUE(cArchiver::GetInstance()->Pack(cArchiver::kPackStored, source, destination, method));
  EXPECT_EQ(BytesOf(destination), "head-tail");
}

TEST(Archiver, UnpackRoundTripsBothMethods) {
  const std::string text = CompressibleText(30000);
  for (int mode : {int{cArchiver::kPackDefault}, int{cArchiver::kPackStored}}) {
    const Packed packed = PackWith(mode, text);
    cMemoryStream source = StreamOf(packed.bytes);
    cMemoryStream out;
    ASSERT_TRUE(cArchiver::GetInstance()->Unpack(packed.method, source, out));
    EXPECT_EQ(BytesOf(out), text);
    EXPECT_EQ(out.GetPosition(), 0u);
  }
}

TEST(Archiver, UnpackLeavesTheSourcePositionAlone) {
  cMemoryStream parent = StreamOf("0123456789");
  cSubStream entry(parent, 2, 5);
  entry.Seek(3, 0);
  cMemoryStream out;
  ASSERT_TRUE(cArchiver::GetInstance()->Unpack("", entry, out));
  EXPECT_EQ(BytesOf(out), "23456");
  EXPECT_EQ(entry.Tell(), 3u);
}

TEST(Archiver, UnknownMethodIsLoggedAndLeavesTheDestination) {
  cMemoryStream source = StreamOf("x");
  cMemoryStream out = StreamOf("kept");
  testing::internal::CaptureStderr();
  EXPECT_FALSE(cArchiver::GetInstance()->Unpack("Lzma", source, out));
  const std::string log = testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("source\\Archiver\\cArchiver(70)"), std::string::npos) << log;
  EXPECT_NE(log.find("archiver method not found "), std::string::npos) << log;
  EXPECT_EQ(BytesOf(out), "kept");
}

TEST(Archiver, DamagedBlockLeavesTheDestination) {
  std::string block = MakeZlibBlock(CompressibleText(500));
  block.resize(block.size() - 6);
  cMemoryStream source = StreamOf(block);
  cMemoryStream out = StreamOf("kept");
  testing::internal::CaptureStderr();
  EXPECT_FALSE(cArchiver::GetInstance()->Unpack("Zlib", source, out));
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(BytesOf(out), "kept");
}

TEST(Archiver, FirstMethodIsTheDefaultAndSameNameReplaces) {
  cArchiver& archiver = *cArchiver::GetInstance();
  archiver.AddMethod(new ReverseMethod("Zlib"));
  EXPECT_EQ(archiver.GetDefaultMethod(), "Zlib");
  archiver.AddMethod(new ReverseMethod("Aaa"));
  EXPECT_EQ(archiver.GetDefaultMethod(), "Zlib");
  std::vector<std::string> names;
  archiver.GetMethodNames(names);
  EXPECT_EQ(names, (std::vector<std::string>{"", "Aaa", "Zlib"}));

  cMemoryStream source = StreamOf("abc");
  cMemoryStream destination;
  std::string method;
  ASSERT_TRUE(archiver.Pack(cArchiver::kPackDefault, source, destination, method));
  EXPECT_EQ(method, "Zlib");
  EXPECT_EQ(BytesOf(destination), "cba");  // the replacement, not zlib
  delete cArchiver::PeekInstance();  // the next user gets a fresh archiver with zlib again
  EXPECT_EQ(cArchiver::PeekInstance(), nullptr);
}

}  // namespace
