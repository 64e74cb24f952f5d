// Damaged packs: cut short anywhere, flipped bytes, counts and sizes far beyond the file, indices
// outside their lists, blocks outside the file. Each is refused whole with a log line, or (for
// damage inside a data block) mounts and fails only when that resource is loaded.

#include <functional>
#include <string>

#include "source/Resources/cDataResource.h"
#include "source/Resources/cPackFile.h"
#include "source/Resources/cResourceLocation.h"
#include "tests/source/Resources/ResourceTestBase.h"
#include "tests/support/Found.h"
#include "tests/support/MemoryBytes.h"

namespace {

PackImage GoodImage() {
  PackImage image;
  image.types = {"data", "counting"};
  image.names = {"first", "second", "third"};
  image.entries = {{0, 0, 1, CompressibleText(700)}, {1, 1, 0, "plain"}, {0, 2, 1, "zz"}};
  return image;
}

class Corruption : public ResourceTest {
 protected:
  // Mounts the bytes as a pack; answers whether it was taken, with the log in `log`.
  bool Mount(const std::string& bytes, std::string* log = nullptr) {
    m_location = std::make_unique<cResourceLocation>("data", Root());
    bool mounted = false;
    const std::string printed = Logged([&] { mounted = m_location->MountPack(CountedStreamOf(bytes)); });
    if (log != nullptr) *log = printed;
    if (!mounted) {
      EXPECT_EQ(m_location->GetResourceCount(), 0u);
      EXPECT_NE(printed.find("pack file data refused"), std::string::npos) << printed;
    }
    return mounted;
  }

  // Loads and releases every mounted resource; damaged blocks may fail, nothing may crash.
  void LoadEverything() {
    Logged([&] {
      for (cResource* resource : m_location->GetResources()) {
        resource->AddRef();
        cResource::Release(resource);
      }
    });
  }

  void TearDown() override {
    m_location.reset();
    ResourceTest::TearDown();
  }

  std::unique_ptr<cResourceLocation> m_location;
};

TEST_F(Corruption, TheGoodImageMounts) {
  ASSERT_TRUE(Mount(GoodImage().Build()));
  EXPECT_EQ(m_location->GetResourceCount(), 3u);
  cCountingResource* second = cCountingResource::Find("second");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->Text(), "plain");
  cResource::Release(second);
}

TEST_F(Corruption, CutShortAnywhereIsRefused) {
  const std::string bytes = GoodImage().Build();
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    EXPECT_FALSE(Mount(bytes.substr(0, length))) << length;
  }
}

TEST_F(Corruption, FlippedBytesNeverCrash) {
  const std::string bytes = GoodImage().Build();
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    for (uint8_t mask : {0x01, 0x80, 0xFF}) {
      std::string damaged = bytes;
      damaged[at] = static_cast<char>(damaged[at] ^ mask);
      if (Mount(damaged)) LoadEverything();
    }
  }
}

TEST_F(Corruption, WrongMagicIsRefusedWithALogLine) {
  PackImage image = GoodImage();
  image.magic = "RDFX";
  std::string log;
  EXPECT_FALSE(Mount(image.Build(), &log));
  EXPECT_NE(log.find("not a pack file"), std::string::npos) << log;
}

// Each row changes one field of the good image: counts and sizes far beyond the file (refused
// before anything is allocated), lists in the table that claim more strings or longer ones than
// it holds, indices outside their lists, blocks outside the file; and what is fine.
TEST_F(Corruption, ImpossibleCountsIndicesAndBlocksAreRefusedBeforeAllocating) {
  const int64_t size = static_cast<int64_t>(GoodImage().Build().size());
  const struct {
    const char* what;
    std::function<void(PackImage&)> change;
    bool mounts;
  } cases[] = {
      {"four billion entries", [](PackImage& p) { p.stated_entry_count = 0xFFFFFFFF; }, false},
      {"one entry more than there are", [](PackImage& p) { p.stated_entry_count = 4; }, false},
      {"a table of four gigabytes", [](PackImage& p) { p.stated_table_size = 0xFFFFFFF0; }, false},
      {"a list of two billion", [](PackImage& p) { p.raw_table = std::string("\xFF\xFF\xFF\x7F", 4); }, false},
      {"a string of four gigabytes",
       [](PackImage& p) { p.raw_table = std::string("\x01\x00\x00\x00\xFF\xFF\xFF\xFF", 8); }, false},
      {"the second list missing", [](PackImage& p) { p.raw_table = std::string(8, '\0').replace(0, 1, 1, '\x02'); },
       false},
      {"a type outside the list", [](PackImage& p) { p.entries[1].type = 2; }, false},
      {"a name outside the list", [](PackImage& p) { p.entries[2].name = 3; }, false},
      {"a method outside the list", [](PackImage& p) { p.entries[0].method = 2; }, false},
      {"the largest name index", [](PackImage& p) { p.entries[0].name = 0xFFFFFFFF; }, false},
      {"the last block stored one byte past the end",
       [](PackImage& p) {
         p.entries[2].method = 0;
         p.entries[2].size = 3;
       },
       false},
      {"a block that wraps around 32 bits",
       [](PackImage& p) {
         p.entries[0].offset = 0xFFFFFFFF;
         p.entries[0].size = 2;
       },
       false},
      {"a block inside the header", [](PackImage& p) { p.entries[1].offset = 8; }, false},
      {"an empty block at the very end",
       [size](PackImage& p) {
         p.entries[1].offset = size;
         p.entries[1].size = 0;
       },
       true},
      {"a stored table", [](PackImage& p) { p.table_method = ""; }, true},
  };
  for (const auto& c : cases) {
    PackImage image = GoodImage();
    c.change(image);
    EXPECT_EQ(Mount(image.Build()), c.mounts) << c.what;
  }
  // A method name that claims four gigabytes.
  std::string bytes = GoodImage().Build();
  bytes.replace(4, 4, std::string(4, '\xFF'));
  EXPECT_FALSE(Mount(bytes));
  // A zlib table whose size word claims far more than its stream can give.
  std::string table = GoodImage().Build();
  table.replace(4 + 4 + 4 + 4, 4, std::string("\x00\x00\x00\x40", 4));  // magic, method length, "Zlib", size
  EXPECT_FALSE(Mount(table));
}

std::string Text(const std::string& text) {
  return Word(static_cast<uint32_t>(text.size())) + text;
}

TEST_F(Corruption, ListsLongerThanTheFileHasEntriesForAreRefused) {
  // A small file whose zlib table inflates to a million empty names: each name would cost a
  // string object, far beyond what the file's bytes justify.
  PackImage image = GoodImage();
  const std::string lists = Word(2) + Text("") + Text("Zlib") + Word(2) + Text("data") +
                            Text("counting");
  const std::string three = Text("first") + Text("second") + Text("third");
  image.raw_table = lists + Word(1000000) + three + std::string(4 * (1000000 - 3), '\0');
  const std::string bytes = image.Build();
  ASSERT_LT(bytes.size(), 20000u);
  EXPECT_FALSE(Mount(bytes));

  // The same lists at their honest length are fine.
  image.raw_table = lists + Word(3) + three;
  EXPECT_TRUE(Mount(image.Build()));
}

TEST_F(Corruption, UnknownMethodsAreRefused) {
  PackImage image = GoodImage();
  image.table_method = "Lzma";
  std::string log;
  EXPECT_FALSE(Mount(image.Build(), &log));
  EXPECT_NE(log.find("unknown table method"), std::string::npos) << log;
  EXPECT_NE(log.find("archiver method not found "), std::string::npos) << log;

  image = GoodImage();
  image.methods = {"", "Zlib", "Lzma"};
  image.entries[1].method = 2;
  EXPECT_FALSE(Mount(image.Build(), &log));
  // Listed but unused is no harm.
  image.entries[1].method = 0;
  EXPECT_TRUE(Mount(image.Build()));
}

TEST_F(Corruption, ADamagedBlockFailsOnlyItsOwnLoad) {
  PackImage image = GoodImage();
  std::string bytes = image.Build();
  bytes[bytes.size() - 5] = static_cast<char>(bytes[bytes.size() - 5] ^ 0x55);  // inside "zz"'s block
  ASSERT_TRUE(Mount(bytes));
  cDataResource* third = nullptr;
  Logged([&] { third = cDataResource::Find("third"); });
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(third->GetData().GetSize(), 0u);
  cMemoryStream out;
  Logged([&] { EXPECT_FALSE(third->GetSource().LoadData(out)); });
  cResource::Release(third);
  cDataResource* first = cDataResource::Find("first");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->GetData().GetSize(), 700u);
  cResource::Release(first);
}

TEST_F(Corruption, ADamagedPackFileNamedAsTheGroupMountsNothing) {
  WriteWholeFile(Root() + "/data", "RDFZ but nothing else");
  const std::string log = Logged([&] { m_manager->AddDirectory("data"); });
  EXPECT_NE(log.find("pack file data refused"), std::string::npos) << log;
  EXPECT_EQ(Found(m_manager->GetLocation("data")).GetResourceCount(), 0u);
  EXPECT_FALSE(Found(m_manager->GetLocation("data")).IsPack());
}

}  // namespace
