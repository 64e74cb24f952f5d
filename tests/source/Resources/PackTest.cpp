// Pack files: what a pack holds and where, round trips of every entry through both methods, the
// same bytes every time, and failures that are reported rather than half-written.

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "source/Archiver/cArchiver.h"
#include "source/Resources/cDataResource.h"
#include "source/Resources/cPackFile.h"
#include "source/Resources/cResourceLocation.h"
#include "source/Resources/cXmlResource.h"
#include "source/stream/cFileStream.h"
#include "tests/source/Resources/ResourceTestBase.h"
#include "tests/support/Found.h"
#include "tests/support/MemoryBytes.h"

namespace {

cPackDirectory DirectoryOf(const std::string& bytes) {
  cMemoryStream stream = StreamOf(bytes);
  cPackDirectory directory;
  std::string error;
  EXPECT_TRUE(ReadPackDirectory(stream, directory, error)) << error;
  return directory;
}

// A stream that takes only so many bytes, like a full disk.
class FullStream : public cStream {
 public:
  explicit FullStream(uint32_t room) : m_room(room) {}
  uint32_t GetSize() override { return m_bytes.GetSize(); }
  void Resize(uint32_t size) override { m_bytes.Resize(std::min(size, m_room)); }
  uint32_t Read(void* buffer, uint32_t count) override { return m_bytes.Read(buffer, count); }
  uint32_t Seek(int32_t offset, int origin) override { return m_bytes.Seek(offset, origin); }
  uint32_t Write(const void* buffer, uint32_t count) override {
    const uint32_t at = m_bytes.GetPosition();
    if (at >= m_room) return 0;
    return m_bytes.Write(buffer, std::min(count, m_room - at));
  }

 private:
  cMemoryStream m_bytes;
  uint32_t m_room;
};

class Pack : public ResourceTest {
 protected:
  void SetUp() override {
    ResourceTest::SetUp();
    m_manager->RegisterResourceExtension("blk", cBulkResource::kTypeName);
    m_manager->RegisterResourceExtension("cnt", cCountingResource::kTypeName);
  }

  // The usual group: text, noise, an empty file, XML, a stored type and a resource list.
  FixtureTree MakeData() {
    FixtureTree tree(Root(), "source");
    tree.AddFile("gui/text.bin", CompressibleText(40000))
        .AddFile("gui/noise.bin", RandomBytes(3000, 1))
        .AddFile("empty.bin", "")
        .AddFile("levels/stage.xml", "<stages><stage name=\"harbour\"/></stages>")
        .AddFile("audio/theme.blk", RandomBytes(5000, 2))
        .AddFile("counted.cnt", "counted")
        .AddResourceList("notes.resource", {{"note\\one", "note", ""}});
    WriteWholeFile(tree.GetFolder() + "/notes.resource",
                   "<resources><resource name=\"note\\one\" type=\"note\" text=\"kept in the pack\"/>"
                   "</resources>");
    return tree;
  }
};

TEST_F(Pack, EveryEntryComesBackByteForByte) {
  FixtureTree tree = MakeData();
  ASSERT_TRUE(tree.WritePack(Root() + "/data"));
  cResourceLocation* data = m_manager->AddDirectory("data");
  ASSERT_TRUE(data->IsPack());
  ASSERT_EQ(data->GetResourceCount(), 7u);

  const cPackDirectory directory = DirectoryOf(ReadWholeFile(Root() + "/data"));
  for (std::size_t i = 0; i < directory.entries.size(); ++i) {
    const cPackEntry& entry = directory.entries[i];
    const std::string& type = directory.types[entry.type];
    const std::string& method = directory.methods[entry.method];
    // Only the stored type skips zlib, even where zlib makes the noise larger.
    EXPECT_EQ(method, type == "bulk" ? "" : "Zlib") << directory.names[entry.name];
  }

  const struct {
    const char* name;
    std::string file;
  } files[] = {{"gui\\text", "gui/text.bin"}, {"gui\\noise", "gui/noise.bin"},
               {"empty", "empty.bin"}};
  for (const auto& file : files) {
    cDataResource* resource = cDataResource::Find(file.name);
    ASSERT_NE(resource, nullptr) << file.name;
    EXPECT_EQ(BytesOf(resource->GetData()), ReadWholeFile(tree.GetFolder() + "/" + file.file));
    cResource::Release(resource);
  }
  cXmlResource* stage = cXmlResource::Find("levels\\stage");
  ASSERT_NE(stage, nullptr);
  EXPECT_EQ(stage->GetRoot().GetName(), "stages");
  cResource::Release(stage);

  cResource* bulk = RegistryOf<cBulkResource>().Find("audio\\theme");
  ASSERT_NE(bulk, nullptr);
  cMemoryStream bytes;
  ASSERT_TRUE(bulk->GetSource().LoadData(bytes));
  EXPECT_EQ(BytesOf(bytes), ReadWholeFile(tree.GetFolder() + "/audio/theme.blk"));

  cCountingResource* counted = cCountingResource::Find("counted");
  ASSERT_NE(counted, nullptr);
  EXPECT_EQ(counted->Text(), "counted");
  cResource::Release(counted);

  // A type declared in a list travels in its own form, not as the list's XML.
  cNoteResource* note = cNoteResource::Find("note\\one");
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(note->xml_reads, 0);
  EXPECT_EQ(note->Text(), "kept in the pack");
  cResource::Release(note);
}

TEST_F(Pack, DataThatZlibCannotPackIsStored) {
  FixtureTree tree(Root(), "source");
  const std::string noise = RandomBytes(8 << 20, 9);
  tree.AddFile("big.bin", noise);
  testing::internal::CaptureStderr();
  ASSERT_TRUE(tree.WritePack(Root() + "/data"));
  const std::string log = testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("zlib compression failed"), std::string::npos);
  const cPackDirectory directory = DirectoryOf(ReadWholeFile(Root() + "/data"));
  ASSERT_EQ(directory.entries.size(), 1u);
  EXPECT_EQ(directory.entries[0].method, 0u);
  EXPECT_EQ(directory.entries[0].size, noise.size());

  m_manager->AddDirectory("data");
  cDataResource* big = cDataResource::Find("big");
  ASSERT_NE(big, nullptr);
  EXPECT_TRUE(BytesOf(big->GetData()) == noise);
  cResource::Release(big);
}

TEST_F(Pack, TheSameGroupAlwaysGivesTheSameBytes) {
  FixtureTree tree = MakeData();
  ASSERT_TRUE(tree.WritePack(Root() + "/data"));
  ASSERT_TRUE(tree.WritePack(Root() + "/again"));
  const std::string first = ReadWholeFile(Root() + "/data");
  EXPECT_EQ(ReadWholeFile(Root() + "/again"), first);

  // A pack written from the mounted pack is the first pack again.
  m_manager->AddDirectory("data");
  ASSERT_TRUE(m_manager->WritePackFile("data", Root() + "/repacked"));
  EXPECT_TRUE(ReadWholeFile(Root() + "/repacked") == first);
}

TEST_F(Pack, AnEmptyGroupIsTheMagicTheTableAndNoEntries) {
  FixtureTree tree(Root(), "source");
  ASSERT_TRUE(tree.WritePack(Root() + "/empty"));
  const std::string bytes = ReadWholeFile(Root() + "/empty");
  PackImage expected;  // every list empty but the methods
  EXPECT_EQ(bytes, expected.Build());
  const cPackDirectory directory = DirectoryOf(bytes);
  EXPECT_EQ(directory.table_method, "Zlib");
  EXPECT_EQ(directory.methods, (std::vector<std::string>{"", "Zlib"}));
  EXPECT_TRUE(directory.types.empty());
  EXPECT_TRUE(directory.names.empty());
  EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string(4, '\0'));
}

TEST_F(Pack, LayoutMatchesAHandMadeImage) {
  FixtureTree tree(Root(), "source");
  tree.AddFile("a.bin", "first").AddFile("a.xml", "<a/>").AddFile("b.blk", "stored");
  ASSERT_TRUE(tree.WritePack(Root() + "/data"));
  PackImage image;
  image.types = {"data", "xml", "bulk"};
  image.names = {"a", "b"};  // one name for two types
  image.entries = {{0, 0, 1, "first"}, {1, 0, 1, "<a/>"}, {2, 1, 0, "stored"}};
  EXPECT_EQ(ReadWholeFile(Root() + "/data"), image.Build());

  // Offsets are absolute and the first block follows the entry table.
  const std::string bytes = image.Build();
  const cPackDirectory directory = DirectoryOf(bytes);
  const uint32_t table_end = static_cast<uint32_t>(bytes.size()) - directory.entries[0].size -
                             directory.entries[1].size - directory.entries[2].size;
  EXPECT_EQ(directory.entries[0].offset, table_end);
  EXPECT_EQ(directory.entries[2].offset + directory.entries[2].size, bytes.size());
  EXPECT_EQ(bytes.substr(directory.entries[2].offset), "stored");
}

TEST_F(Pack, WritingOverALongerPackLeavesNoTail) {
  const std::string old_bytes(100000, 'x');
  WriteWholeFile(Root() + "/data", old_bytes);
  WriteWholeFile(Root() + "/open_always", old_bytes);
  FixtureTree tree(Root(), "source");
  tree.AddFile("a.bin", "short");
  cResourceLocation location("source", Root());
  ASSERT_TRUE(location.Mount());
  {
    cFileStream file(Root() + "/open_always", os::kOpenAlways, os::kAccessRead | os::kAccessWrite,
                     os::kShareRead);
    ASSERT_TRUE(location.WritePack(file));
  }
  ASSERT_TRUE(tree.WritePack(Root() + "/data"));
  EXPECT_LT(ReadWholeFile(Root() + "/data").size(), 200u);
  EXPECT_EQ(ReadWholeFile(Root() + "/open_always"), ReadWholeFile(Root() + "/data"));
}

TEST_F(Pack, AFullDiskIsReportedAtEveryPoint) {
  FixtureTree tree = MakeData();
  cResourceLocation location("source", Root());
  ASSERT_TRUE(location.Mount());
  cMemoryStream whole;
  ASSERT_TRUE(location.WritePack(whole));
  const uint32_t size = whole.GetSize();
  for (uint32_t room = 0; room < size; room += std::max<uint32_t>(1, room / 8)) {
    FullStream full(room);
    const std::string log = Logged([&] { EXPECT_FALSE(location.WritePack(full)) << room; });
    EXPECT_NE(log.find("pack of source not written"), std::string::npos) << log;
  }
  FullStream roomy(size);
  EXPECT_TRUE(location.WritePack(roomy));
}

TEST_F(Pack, AResourceThatCannotBeReadFailsThePackAndKeepsTheOldFile) {
  FixtureTree(Root(), "data").AddFile("a.bin", "a").AddFile("b.bin", "b");
  m_manager->AddDirectory("data");
  WriteWholeFile(Root() + "/my_data", "the previous pack");
  std::remove((Root() + "/data/b.bin").c_str());
  const std::string log = Logged([&] {
    EXPECT_FALSE(m_manager->WritePackFile("data", Root() + "/my_data"));
  });
  EXPECT_NE(log.find("cannot read resource data b"), std::string::npos) << log;
  EXPECT_EQ(ReadWholeFile(Root() + "/my_data"), "the previous pack");
  EXPECT_FALSE(os::FileExists(Root() + "/my_data.tmp"));
}

TEST_F(Pack, AMissingGroupWritesNothing) {
  const std::string log = Logged([&] {
    EXPECT_FALSE(m_manager->WritePackFile("localization", Root() + "/my_localization"));
  });
  EXPECT_NE(log.find("resource group localization not found"), std::string::npos);
  EXPECT_FALSE(os::FileExists(Root() + "/my_localization"));
}

TEST_F(Pack, EntriesReadOnTwoThreadsDoNotDisturbEachOther) {
  FixtureTree tree(Root(), "source");
  const std::string first = RandomBytes(200000, 21);
  const std::string second = CompressibleText(300000);
  tree.AddFile("one.blk", first).AddFile("two.bin", second);
  ASSERT_TRUE(tree.WritePack(Root() + "/data"));
  cResourceLocation* data = m_manager->AddDirectory("data");
  ASSERT_EQ(data->GetResourceCount(), 2u);
  cArchiver::GetInstance();
  cResourceSource one = Found(data->GetResource(0)).GetSource();
  cResourceSource two = Found(data->GetResource(1)).GetSource();

  std::atomic<int> wrong{0};
  std::thread streamer([&] {
    for (int i = 0; i < 40; ++i) {
      cMemoryStream bytes;
      if (!one.LoadData(bytes) || BytesOf(bytes) != first) ++wrong;
    }
  });
  for (int i = 0; i < 40; ++i) {
    cMemoryStream bytes;
    if (!two.LoadData(bytes) || BytesOf(bytes) != second) ++wrong;
  }
  streamer.join();
  EXPECT_EQ(wrong.load(), 0);
}

TEST_F(Pack, AnEntryStreamedInStepsIsNotDisturbedByLoadsOfTheSameEntry) {
  // As a sound streams its entry on the sound thread while the main thread loads resources.
  FixtureTree tree(Root(), "source");
  const std::string music = RandomBytes(300000, 33);
  tree.AddFile("music.blk", music).AddFile("text.bin", CompressibleText(100000));
  ASSERT_TRUE(tree.WritePack(Root() + "/data"));
  cResourceLocation* data = m_manager->AddDirectory("data");
  ASSERT_EQ(data->GetResourceCount(), 2u);
  cArchiver::GetInstance();
  cResourceSource sound = Found(data->GetResource(0)).GetSource();
  cResourceSource text = Found(data->GetResource(1)).GetSource();
  cStream* stream = sound.Open();
  ASSERT_NE(stream, nullptr);

  std::string streamed;
  std::thread streamer([&] {
    char chunk[4096];
    for (int pass = 0; pass < 3; ++pass) {
      streamed.clear();
      stream->Seek(0, 0);
      while (uint32_t got = stream->Read(chunk, sizeof chunk)) streamed.append(chunk, got);
      if (streamed != music) return;
    }
  });
  int wrong = 0;
  for (int i = 0; i < 30; ++i) {
    cMemoryStream bytes;
    if (!sound.LoadData(bytes) || BytesOf(bytes) != music) ++wrong;
    if (!text.LoadData(bytes) || bytes.GetSize() != 100000u) ++wrong;
  }
  streamer.join();
  EXPECT_EQ(wrong, 0);
  EXPECT_TRUE(streamed == music);
}

}  // namespace
