// The writer's exact byte layout, round trips through the reader, deep trees and full disks.

#include <gtest/gtest.h>

#include "source/xml/XmlDocument.h"
#include "source/xml/XmlWriter.h"
#include "tests/source/xml/XmlTestSupport.h"
#include "tests/support/Found.h"

using xmltest::ContentOf;
using xmltest::StreamOf;

namespace {

const std::string kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

std::string Saved(const XmlDocument& document) {
  cMemoryStream stream;
  EXPECT_TRUE(document.SaveXmlDocument(stream));
  return ContentOf(stream);
}

std::string Written(const XmlNode& node, const std::string& indent = "") {
  cMemoryStream stream;
  EXPECT_TRUE(WriteXmlNode(stream, node, indent));
  return ContentOf(stream);
}

TEST(XmlWriterLayout, ConfigWithOneItem) {
  XmlDocument document;
  document.GetRoot().SetName("config");
  XmlNode* item = document.GetRoot().CreateChildByPath("item");
  item->AddAttribute("id")->SetValue("1");
  item->AddAttribute("value")->SetValue("on");
  EXPECT_EQ(Saved(document), kDeclaration +
                                 "<config>\n"
                                 "\t<item id=\"1\" value=\"on\"/>\n"
                                 "</config>");
}

TEST(XmlWriterLayout, ValuesChildrenAndIndent) {
  XmlNode root("r");
  root.SetValue("top");
  root.AddAttribute("k")->SetValue("v");
  XmlNode* a = root.CreateChildByPath("a");
  a->SetValue("text");
  a->CreateChildByPath("b");
  XmlNode* c = a->CreateChildByPath("c");
  c->SetValue("x");
  root.CreateChildByPath("d");
  EXPECT_EQ(Written(root),
            "<r k=\"v\">top\n"
            "\t<a>text\n"
            "\t\t<b/>\n"
            "\t\t<c>x</c>\n"
            "\t</a>\n"
            "\t<d/>\n"
            "</r>");
  EXPECT_EQ(Written(*c, "\t\t"), "\t\t<c>x</c>");
  // Writing a node leaves its siblings out.
  EXPECT_EQ(Written(Found(a->GetFirstChild())), "<b/>");
  XmlNode unnamed;
  EXPECT_EQ(Written(unnamed), "</>");
}

TEST(XmlWriterLayout, NothingIsEscaped) {
  XmlNode root("r");
  root.SetValue("a & b < c");
  root.AddAttribute("q")->SetValue("it's <raw>");
  EXPECT_EQ(Written(root), "<r q=\"it's <raw>\">a & b < c</r>");
}

TEST(XmlWriterLayout, SaveReplacesTheOldContent) {
  cMemoryStream stream = StreamOf(std::string(500, 'x'));
  stream.Seek(0, 2);
  XmlDocument document("default");
  ASSERT_TRUE(document.SaveXmlDocument(stream));
  EXPECT_EQ(ContentOf(stream), kDeclaration + "<default/>");
}

TEST(XmlWriterRoundTrip, WriteThenReadGivesTheSameTree) {
  XmlDocument document;
  XmlNode& root = document.GetRoot();
  root.SetName("config");
  for (int i = 0; i < 20; ++i) {
    XmlNode* item = root.CreateChildByPath("group\\item");
    item->AddAttribute("id")->SetValue(std::to_string(i));
    item->AddAttribute("label")->SetValue("caf\xC3\xA9 " + std::to_string(i));
    if (i % 3 == 0) item->SetValue("text " + std::to_string(i) + " \xE2\x82\xAC");
    if (i % 4 == 0) item->CreateChildByPath("sub\\leaf")->AddAttribute("x")->SetValue("");
  }
  const std::string first = Saved(document);
  cMemoryStream stream = StreamOf(first);
  XmlDocument reread;
  ASSERT_TRUE(reread.Load(stream));
  EXPECT_EQ(Saved(reread), first);
  const XmlNode* item = reread.GetRoot().FindChildByPath("group\\item");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->GetValue(), "text 0 \xE2\x82\xAC");
  EXPECT_EQ(Found(item->FindAttribute("label")).GetValue(), "caf\xC3\xA9 0");
}

TEST(XmlWriterRoundTrip, DeepestReadableTreeSurvives) {
  XmlDocument document("n");
  XmlNode* node = &document.GetRoot();
  for (int i = 1; i < kXmlMaxDepth; ++i) node = node->CreateChildByPath("n");
  node->SetValue("bottom");
  const std::string text = Saved(document);
  cMemoryStream stream = StreamOf(text);
  XmlDocument reread;
  testing::internal::CaptureStdout();
  ASSERT_TRUE(reread.Load(stream));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(Saved(reread), text);
}

TEST(XmlWriterDeep, DeepTreeIsWrittenWithoutRecursion) {
  // Far deeper than the stack would allow with one frame a level; the indents make the output
  // grow with the square of the depth, so the depth stays moderate.
  constexpr int kDepth = 3000;
  XmlNode root("n");
  XmlNode* node = &root;
  for (int i = 1; i < kDepth; ++i) node = node->CreateChildByPath("n");
  const std::string text = Written(root);
  // Level i has i tabs before both its tags ("<n>", "</n>", 7 bytes, and two line feeds); the
  // deepest is "<n/>" alone.
  const size_t levels = kDepth - 1;
  EXPECT_EQ(text.size(), levels * levels + 9 * levels + 4);
  EXPECT_EQ(text.substr(text.size() - 4), "</n>");
}

TEST(XmlWriterFailure, FullDiskIsReportedNotHidden) {
  XmlDocument document("config");
  for (int i = 0; i < 100; ++i) document.GetRoot().CreateChildByPath("item")->SetValue("value");
  xmltest::FullDiskStream tiny(20);
  EXPECT_FALSE(document.SaveXmlDocument(tiny));
  xmltest::FullDiskStream half(100);
  EXPECT_FALSE(document.SaveXmlDocument(half));
  const std::string whole = Saved(document);
  xmltest::FullDiskStream enough(whole.size());
  EXPECT_TRUE(document.SaveXmlDocument(enough));
  EXPECT_EQ(enough.Bytes(), whole);
}

TEST(XmlWriterFailure, LargeOutputGoesOutInPieces) {
  XmlDocument document("big");
  for (int i = 0; i < 20000; ++i) {
    document.GetRoot().CreateChildByPath("item")->AddAttribute("value")->SetValue(std::string(40, 'v'));
  }
  const std::string text = Saved(document);
  EXPECT_GT(text.size(), 20000u * 50);
  xmltest::FullDiskStream exact(text.size());
  EXPECT_TRUE(document.SaveXmlDocument(exact));
  EXPECT_EQ(exact.Bytes(), text);
}

}  // namespace
