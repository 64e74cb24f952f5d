// The "cnf" file: reading hand-made bytes, writing them back, and refusing every damaged file.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "Sources/adventure/script/LocationScriptFile.h"
#include "tests/Sources/script/ScriptBytes.h"

namespace {

// Root R with children A (holding A1) and B, in the order the file stores them.
std::string FamilyBytes() {
  const std::string a = NodeBytes("click", {{3, "key"}}, "", 1, NodeBytes("show", {{0, "lamp"}}, "", 0));
  return NodeBytes("root", {}, "", 2, a + NodeBytes("isvisible", {{0, "door"}, {0, ""}}, "true", 0));
}

LocationScriptRead Read(const std::string& bytes) {
  cMemoryStream stream = StreamOf(bytes);
  return ReadLocationScript(stream);
}

std::string Rewritten(const CommandNode& root) {
  cMemoryStream out;
  EXPECT_TRUE(WriteLocationScript(root, out));
  return BytesOf(out);
}

TEST(LocationScriptFile, HandMadeBytesGiveTheTreeNumberedInReadingOrder) {
  LocationScriptRead read = Read(FamilyBytes());
  ASSERT_TRUE(read.root) << read.fault;
  EXPECT_EQ(read.node_count, 4u);
  using Seen = std::tuple<uint32_t, std::string, std::string, int, std::size_t>;  // id, type, result, parent, params
  std::vector<Seen> seen;
  ForEachCommandNode(*read.root, [&](CommandNode& node, uint32_t) {
    seen.emplace_back(node.id, node.type, node.result, node.parent ? static_cast<int>(node.parent->id) : -1,
                      node.parameters.size());
  });
  EXPECT_EQ(seen, (std::vector<Seen>{{0, "root", "", -1, 0}, {1, "click", "", 0, 1}, {2, "show", "", 1, 1},
                                     {3, "isvisible", "true", 0, 2}}));
  EXPECT_EQ(read.root->children[0]->parameters[0].kind, 3u);
  EXPECT_EQ(Rewritten(*read.root), FamilyBytes());
}

TEST(LocationScriptFile, WhatIsWrittenReadsBackByteForByte) {
  const std::string odd = std::string("na\0me\xff\n", 7);
  for (const std::string& bytes : {NodeBytes("", {}, "", 0), NodeBytes(odd, {{0xFFFFFFFFu, odd}, {0, ""}}, odd, 0),
                                   FamilyBytes(), ChainBytes(kMaxScriptDepth)}) {
    LocationScriptRead read = Read(bytes + "tail");
    ASSERT_TRUE(read.root) << read.fault;
    EXPECT_EQ(read.trailing_bytes, 4u);
    EXPECT_EQ(Rewritten(*read.root), bytes);
  }
}

TEST(LocationScriptFile, EveryCutOfAFileIsRefusedWithoutATree) {
  const std::string whole = FamilyBytes();
  for (std::size_t size = 0; size < whole.size(); ++size) {
    LocationScriptRead read = Read(whole.substr(0, size));
    EXPECT_FALSE(read.root) << size;
    EXPECT_FALSE(read.fault.empty()) << size;
  }
}

TEST(LocationScriptFile, CountsAndLengthsBeyondTheDataAndTooDeepTreesAreRefused) {
  const std::vector<std::pair<std::string, std::string>> cases = {  // bytes, fault
      {Str("show") + U32(0xFFFFFFFFu) + std::string(64, '\0'), "parameter count 4294967295"},
      {Str("show") + U32(3) + U32(0) + Str("a") + U32(0) + U32(0), "parameter count 3"},
      {NodeBytes("root", {}, "", 0x40000000u) + std::string(64, '\0'), "child count 1073741824"},
      {U32(0x7FFFFFFFu) + "show", "command word"},
      {Str("show") + U32(1) + U32(0) + U32(1000) + "lamp", "parameter 0"},
      {Str("show") + U32(0) + U32(99) + U32(0), "result"},
      {ChainBytes(kMaxScriptDepth + 1), "deeper than 256 levels"},
  };
  for (const auto& [bytes, fault] : cases) {
    LocationScriptRead read = Read(bytes);
    EXPECT_FALSE(read.root) << fault;
    EXPECT_NE(read.fault.find(fault), std::string::npos) << read.fault;
  }
}

TEST(LocationScriptFile, ATreeTooDeepToReadIsNotWrittenAndIsTakenDownWithoutRecursion) {
  auto root = std::make_unique<CommandNode>();
  CommandNode* tip = root.get();
  for (int i = 0; i < 200000; ++i) tip = tip->AddChild(std::make_unique<CommandNode>());
  cMemoryStream out;
  EXPECT_FALSE(WriteLocationScript(*root, out));
  root.reset();  // the sanitizers check that nothing leaks or is freed twice
}

}  // namespace
