// The reader over broken input: truncation, unbalanced tags, runaway nesting, garbage and
// streams that never report their end. None of it may crash or hang.

#include <gtest/gtest.h>

#include <random>

#include "source/stream/cFileStream.h"
#include "source/xml/XmlDocument.h"
#include "tests/source/xml/XmlTestSupport.h"
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

TEST(XmlMalformed, ClosingTagWithNoOpenElementIsASyntaxError) {
  for (const char* text : {"</a>", "</a", "<a></a></a>", "<a/></a>"}) {
    auto parsed = ParseText(text);
    EXPECT_EQ(parsed.root, nullptr) << text;
    EXPECT_EQ(parsed.output, "Xml::Close tag a without an open element\n") << text;
  }
}

TEST(XmlMalformed, EveryTruncationOfAValidDocumentEndsCleanly) {
  const std::string full = kSample;
  for (size_t length = 0; length <= full.size(); ++length) {
    auto parsed = ParseText(full.substr(0, length));
    // A truncated document is either an incomplete tree or one error report.
    if (parsed.root == nullptr) {
      EXPECT_FALSE(parsed.output.empty()) << "cut at " << length;
    } else {
      EXPECT_EQ(parsed.output, "") << "cut at " << length;
    }
  }
  auto whole = ParseText(full);
  ASSERT_NE(whole.root, nullptr);
  EXPECT_EQ(whole.root->FindChildByPath("group\\entry")->GetValue(), "caf\xC3\xA9");
}

TEST(XmlMalformed, UnbalancedTags) {
  EXPECT_EQ(ParseText("<a><b></a></b>").root, nullptr);
  EXPECT_EQ(ParseText("<a></a></b>").root, nullptr);
  EXPECT_EQ(ParseText("<a><b/></b></a>").root, nullptr);
  // Open elements left at the end are accepted as far as they got.
  auto parsed = ParseText("<a><b><c>");
  ASSERT_NE(parsed.root, nullptr);
  EXPECT_NE(parsed.root->FindChildByPath("b\\c"), nullptr);
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

TEST(XmlMalformed, UnclosedQuoteAndUnendedCommentReadToTheEnd) {
  auto parsed = ParseText("<r a=\"never closed>");
  ASSERT_NE(parsed.root, nullptr);
  EXPECT_EQ(parsed.root->FindAttribute("a")->GetValue(), "never closed>");
  parsed = ParseText("<r><!-- never closed <a/> </r>");
  ASSERT_NE(parsed.root, nullptr);
  EXPECT_EQ(parsed.root->GetFirstChild(), nullptr);
  parsed = ParseText("<r a=");
  ASSERT_NE(parsed.root, nullptr);
  EXPECT_EQ(parsed.root->FindAttribute("a")->GetValue(), "");
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
    EXPECT_NE(parsed.root, nullptr);
    // One read a byte plus the empty read that ends it: the reader never asks again.
    EXPECT_LE(stream.Reads(), text.size() + 1);
  }
  xmltest::NeverEofStream stream(kSample);
  auto parsed = ParseCapturing(stream);
  ASSERT_NE(parsed.root, nullptr);
  EXPECT_EQ(parsed.root->FindChildByPath("group\\entry")->GetValue(), "caf\xC3\xA9");
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
  EXPECT_EQ(document.GetRoot().FindAttribute("version")->GetValue(), "2");
  cFileStream again(folder / "doc.xml", 3, 2, 2);
  XmlDocument loaded;
  EXPECT_TRUE(loaded.Load(again));
  EXPECT_EQ(loaded.GetRoot().FindChildByPath("group\\entry")->GetValue(), "caf\xC3\xA9");
}

}  // namespace
