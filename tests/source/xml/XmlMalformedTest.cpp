// The reader over broken input: truncation, unbalanced tags, runaway nesting, garbage and
// streams that never report their end. None of it may crash or hang.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "source/stream/cFileStream.h"
#include "source/xml/XmlDocument.h"
#include "tests/source/xml/XmlTestSupport.h"
#include "tests/support/Found.h"
#include "tests/support/TempDir.h"

using xmltest::NestedDocument;
using xmltest::ParseCapturing;
using xmltest::ParseText;

namespace {

const char kSample[] =
    "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!-- sample -->\n"
    "<config version=\"2\">\n"
    "\t<item id=\"1\" value=\"one two\"/>\n"
    "\t<group name=\"g\">\n"
    "\t\t<entry>caf\xC3\xA9</entry>\n"
    "\t\t<empty></empty>\n"
    "\t</group>\n"
    "</config>";

TEST(XmlMalformed, EveryTruncationOfAValidDocumentIsOneSyntaxError) {
  const std::string full = kSample;
  for (size_t length = 0; length < full.size(); ++length) {
    auto parsed = ParseText(full.substr(0, length));
    ASSERT_EQ(parsed.root, nullptr) << "cut at " << length;
    EXPECT_EQ(std::count(parsed.output.begin(), parsed.output.end(), '\n'), 1) << "cut at " << length;
  }
  auto whole = ParseText(full);
  ASSERT_NE(whole.root, nullptr);
  EXPECT_EQ(Found(whole.root->FindChildByPath("group\\entry")).GetValue(), "caf\xC3\xA9");
}

// A syntax error anywhere fails the whole document, with one report that says what was found.
TEST(XmlMalformed, ASyntaxErrorFailsTheDocumentWithItsReport) {
  const char* const kNoQuote = "Xml::Expected a double quote after '=' of value in node item\n";
  const struct {
    const char* text;
    const char* report;
  } cases[] = {
      {"</a>", "Xml::Close tag a without an open element\n"},
      {"</a", "Xml::Close tag a without an open element\n"},
      {"<a></a></a>", "Xml::Close tag a without an open element\n"},
      {"<a/></a>", "Xml::Close tag a without an open element\n"},
      {"<a></a></b>", "Xml::Close tag b without an open element\n"},
      {"<a><b></a></b>", "Xml::Close tag a does not match the open node b\n"},
      {"<a><b/></b></a>", "Xml::Close tag b does not match the open node a\n"},
      {"<r><a></b></r>", "Xml::Close tag b does not match the open node a\n"},
      {"<r><c/>stray words</r>", "XmlError::Open tag waiting, but found :stray\n"},
      {"<r><e name value=\"1\"/></r>", "Xml::Expected '=' but found value\n"},
      // Skipping to the next double quote would give `video_gamma` nothing and swallow the next item.
      {"<c><item id=\"video_gamma\" value='1.7'/><item id=\"x\" value=\"1\"/></c>", kNoQuote},
      {"<c><item value= \t\n1.7/></c>", kNoQuote},
      {"<r><item /x></r>", "Xml::Missed close branch in node item\n"},
      {"", "Xml::The document holds no element\n"},
      {"  \n\t", "Xml::The document holds no element\n"},
      {"\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!-- only -->", "Xml::The document holds no element\n"},
      {"<a><b><c>", "Xml::The document ends inside the open node c\n"},
      {"<config><item id=\"1\"/>", "Xml::The document ends inside the open node config\n"},
      {"<r>text", "Xml::The document ends inside the open node r\n"},
      {"<r a=\"never closed>", "Xml::The document ends inside the open node r\n"},
      {"<r a=", "Xml::The document ends inside the open node r\n"},
      {"<r a", "Xml::The document ends inside the node r\n"},
      {"<r/", "Xml::The document ends inside the node r\n"},
      {"<r></r", "Xml::The document ends inside the close tag r\n"},
      {"<r/><", "Xml::The document ends inside a tag\n"},
      {"<r><!-- never closed <a/> </r>", "Xml::The document ends inside a comment\n"},
      {"<r/><!-- after --", "Xml::The document ends inside a comment\n"},
      {"<?xml version=\"1.0\"", "Xml::The document ends inside the declaration\n"},
  };
  for (const auto& c : cases) {
    auto parsed = ParseText(c.text);
    EXPECT_EQ(parsed.root, nullptr) << c.text;
    EXPECT_EQ(parsed.output, c.report) << c.text;
  }
  // A whole document with a comment after its root is still whole.
  EXPECT_NE(ParseText("<r/><!-- after -->\n").root, nullptr);
}

TEST(XmlMalformed, TheDocumentKeepsTheReportForItsCallerToName) {
  XmlDocument document;
  cMemoryStream cut = xmltest::StreamOf("<config><item/>");
  testing::internal::CaptureStdout();
  EXPECT_FALSE(document.Load(cut));
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(document.GetError(), "Xml::The document ends inside the open node config");
  cMemoryStream whole = xmltest::StreamOf("<config/>");
  EXPECT_TRUE(document.Load(whole));
  EXPECT_EQ(document.GetError(), "");
}

TEST(XmlMalformed, NestingIsCappedAt256Levels) {
  auto parsed = ParseText(NestedDocument(kXmlMaxDepth));
  ASSERT_NE(parsed.root, nullptr);
  EXPECT_EQ(parsed.output, "");
  parsed = ParseText(NestedDocument(kXmlMaxDepth + 1));
  EXPECT_EQ(parsed.root, nullptr);
  EXPECT_EQ(parsed.output, "Xml::Elements nested deeper than 256 levels at node a\n");
  // Depth counts open elements, not elements seen: many shallow siblings are fine.
  std::string wide = "<r>";
  for (int i = 0; i < 1000; ++i) wide += "<a><b/></a>";
  wide += "</r>";
  EXPECT_NE(ParseText(wide).root, nullptr);
}

TEST(XmlMalformed, HundredThousandLevelsFailWithoutOverflow) {
  auto parsed = ParseText(NestedDocument(100000));
  EXPECT_EQ(parsed.root, nullptr);
  parsed = ParseText(std::string(100000 * 3, '<'));
  EXPECT_EQ(parsed.root, nullptr);
}

TEST(XmlMalformed, BinaryGarbageNeverCrashes) {
  std::mt19937 random(1234);
  const std::string alphabet = "<>/=\" \t\n\r?!-abc\xEF\xBB\xBF";
  for (int round = 0; round < 2000; ++round) {
    std::string bytes(random() % 200, '\0');
    for (char& c : bytes) {
      c = (round % 2 == 0) ? static_cast<char>(random() & 0xFF) : alphabet[random() % alphabet.size()];
    }
    auto parsed = ParseText(bytes);
    if (parsed.root == nullptr) {
      EXPECT_FALSE(parsed.output.empty());
    }
  }
}

TEST(XmlMalformed, ErrorReportIsCutAt4096Bytes) {
  const std::string word(10000, 'w');
  auto parsed = ParseText("<r/>" + word);
  EXPECT_EQ(parsed.root, nullptr);
  EXPECT_EQ(parsed.output.size(), 4095u);
  EXPECT_EQ(parsed.output.rfind("XmlError::Open tag waiting, but found :w", 0), 0u);
}

TEST(XmlMalformed, ReportsNeverPrintControlBytesToTheTerminal) {
  auto parsed = ParseText("<r/>\x1B[2J\x07" "caf\xC3\xA9\x9B");
  EXPECT_EQ(parsed.output, "XmlError::Open tag waiting, but found :\\x1B[2J\\x07caf\\xC3\\xA9\\x9B\n");
  parsed = ParseText("<a\n></b>");  // a line break inside the name is no line break of the report
  EXPECT_EQ(parsed.output, "Xml::Close tag b does not match the open node a\\x0A\n");
}

TEST(XmlMalformedStreams, StreamThatNeverReportsItsEndStillEnds) {
  for (const std::string& text : {std::string(kSample), std::string("<r>text"), std::string("<r a=\"x"),
                                  std::string("<r><!-- x"), std::string("<?xml"), std::string()}) {
    xmltest::NeverEofStream stream(text);
    auto parsed = ParseCapturing(stream);
    EXPECT_EQ(parsed.root != nullptr, text == kSample) << text;
    // One read a byte plus the empty read that ends it: the reader never asks again.
    EXPECT_LE(stream.Reads(), text.size() + 1);
  }
  xmltest::NeverEofStream stream(kSample);
  auto parsed = ParseCapturing(stream);
  ASSERT_NE(parsed.root, nullptr);
  EXPECT_EQ(Found(parsed.root->FindChildByPath("group\\entry")).GetValue(), "caf\xC3\xA9");
}

TEST(XmlMalformedStreams, ParseDirectlyOverAFileStream) {
  TempDir folder("xml-file");
  folder.WriteFile("doc.xml", kSample);
  cFileStream file(folder / "doc.xml", 3, 2, 2);
  ASSERT_TRUE(file.IsOpen());
  XmlDocument document;
  testing::internal::CaptureStdout();
  EXPECT_TRUE(document.Parse(file));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(Found(document.GetRoot().FindAttribute("version")).GetValue(), "2");
  cFileStream again(folder / "doc.xml", 3, 2, 2);
  XmlDocument loaded;
  EXPECT_TRUE(loaded.Load(again));
  EXPECT_EQ(Found(loaded.GetRoot().FindChildByPath("group\\entry")).GetValue(), "caf\xC3\xA9");
}

}  // namespace
