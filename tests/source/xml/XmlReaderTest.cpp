// The reader over well-formed documents: the accepted syntax, text trimming, attributes,
// declarations, comments and byte-order marks.

#include <gtest/gtest.h>

#include "source/xml/XmlDocument.h"
#include "tests/source/xml/XmlTestSupport.h"
#include "tests/support/Found.h"

using xmltest::CountAttributes;
using xmltest::CountChildren;
using xmltest::ParseText;

namespace {

TEST(XmlReaderElements, EmptyElementsWithAndWithoutSpaceBeforeSlash) {
  for (const char* text : {"<r><e/></r>", "<r><e /></r>", "<r><e\t/></r>"}) {
    auto parsed = ParseText(text);
    ASSERT_NE(parsed.root, nullptr) << text;
    const XmlNode* e = parsed.root->FindChildByPath("e");
    ASSERT_NE(e, nullptr) << text;
    EXPECT_EQ(e->GetValue(), "");
    EXPECT_EQ(e->GetFirstChild(), nullptr);
    EXPECT_EQ(e->GetFirstAttribute(), nullptr);
    EXPECT_EQ(parsed.output, "");
  }
}

TEST(XmlReaderElements, OpenAndCloseWithNothingBetweenHasEmptyValue) {
  auto parsed = ParseText("<r><e></e></r>");
  ASSERT_NE(parsed.root, nullptr);
  EXPECT_EQ(parsed.root->GetName(), "r");
  EXPECT_EQ(Found(parsed.root->FindChildByPath("e")).GetValue(), "");
}

TEST(XmlReaderElements, NestingAndSiblingsInDocumentOrder) {
  auto parsed = ParseText("<r>\n\t<a>\n\t\t<b/>\n\t</a>\n\t<c/>\n\t<a/>\n</r>");
  ASSERT_NE(parsed.root, nullptr);
  EXPECT_EQ(CountChildren(*parsed.root), 3u);
  const XmlNode* a = parsed.root->GetFirstChild();
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->GetName(), "a");
  EXPECT_EQ(Found(a->GetFirstChild()).GetName(), "b");
  EXPECT_EQ(Found(a->GetNext()).GetName(), "c");
  EXPECT_EQ(Found(Found(a->GetNext()).GetNext()).GetName(), "a");
  EXPECT_EQ(a->GetParent(), parsed.root.get());
}

TEST(XmlReaderText, TextIsTrimmedOfSpacesAndControlBytesOnly) {
  auto parsed = ParseText("<r>  \t hello  world \r\n </r>");
  ASSERT_NE(parsed.root, nullptr);
  EXPECT_EQ(parsed.root->GetValue(), "hello  world");

  // Bytes above 0x7F are parts of UTF-8 characters and stay.
  parsed = ParseText("<r> caf\xC3\xA9 </r>");
  ASSERT_NE(parsed.root, nullptr);
  EXPECT_EQ(parsed.root->GetValue(), "caf\xC3\xA9");
  parsed = ParseText("<r>\xC3\xA9t\xC3\xA9</r>");
  EXPECT_EQ(parsed.root->GetValue(), "\xC3\xA9t\xC3\xA9");
  parsed = ParseText("<r>\x01\x1F text \x7F\x20</r>");
  EXPECT_EQ(parsed.root->GetValue(), "text \x7F");
}

TEST(XmlReaderText, NothingIsDecoded) {
  auto parsed = ParseText("<r>a &amp; b > c</r>");
  ASSERT_NE(parsed.root, nullptr);
  EXPECT_EQ(parsed.root->GetValue(), "a &amp; b > c");
}

TEST(XmlReaderText, TextBeforeAChildIsTheValue) {
  auto parsed = ParseText("<r>lead<c/></r>");
  ASSERT_NE(parsed.root, nullptr);
  EXPECT_EQ(parsed.root->GetValue(), "lead");
  EXPECT_EQ(CountChildren(*parsed.root), 1u);
}

TEST(XmlReaderAttributes, KeptInOrderWithSpacesInsideQuotes) {
  auto parsed = ParseText("<r><e first=\"one two\" second = \"2\"\tthird=\" x \"/></r>");
  ASSERT_NE(parsed.root, nullptr);
  const XmlNode* e = parsed.root->FindChildByPath("e");
  ASSERT_NE(e, nullptr);
  ASSERT_EQ(CountAttributes(*e), 3u);
  const XmlNode* a = e->GetFirstAttribute();
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->GetName(), "first");
  EXPECT_EQ(a->GetValue(), "one two");
  EXPECT_EQ(Found(a->GetNext()).GetName(), "second");
  EXPECT_EQ(Found(a->GetNext()).GetValue(), "2");
  EXPECT_EQ(Found(e->FindAttribute("third")).GetValue(), " x ");
  EXPECT_EQ(a->GetParent(), e);
}

TEST(XmlReaderAttributes, ValuesAreRawBytes) {
  auto parsed = ParseText("<r a=\"<b>&lt;/=\" b=\"\" c=\"line\nbreak\"></r>");
  ASSERT_NE(parsed.root, nullptr);
  EXPECT_EQ(Found(parsed.root->FindAttribute("a")).GetValue(), "<b>&lt;/=");
  EXPECT_EQ(Found(parsed.root->FindAttribute("b")).GetValue(), "");
  EXPECT_EQ(Found(parsed.root->FindAttribute("c")).GetValue(), "line\nbreak");
}

TEST(XmlReaderAttributes, AttributesOnAnElementWithText) {
  auto parsed = ParseText("<r><e k=\"v\">text</e></r>");
  ASSERT_NE(parsed.root, nullptr);
  const XmlNode* e = parsed.root->GetFirstChild();
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->GetValue(), "text");
  EXPECT_EQ(Found(e->FindAttribute("k")).GetValue(), "v");
}

// Spaces around the equals sign and between the slash and the bracket are skipped; a single quote
// is text inside double quotes.
TEST(XmlReaderAttributes, SpacesInsideATagAreSkipped) {
  auto parsed = ParseText("<c k= \n\"it's\"/>");
  ASSERT_NE(parsed.root, nullptr);
  EXPECT_EQ(Found(parsed.root->FindAttribute("k")).GetValue(), "it's");
  EXPECT_NE(ParseText("<r><item / ></r>").root, nullptr);
}

TEST(XmlReaderProlog, DeclarationAndByteOrderMarkReadLikeThePlainDocument) {
  const std::string body = "<config>\n\t<item id=\"1\" value=\"a b\"/>\n</config>";
  const std::string declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  for (const std::string& text :
       {body, declaration + body, "\xEF\xBB\xBF" + declaration + body, "\xEF\xBB\xBF" + body}) {
    auto parsed = ParseText(text);
    ASSERT_NE(parsed.root, nullptr);
    EXPECT_EQ(parsed.output, "");
    EXPECT_EQ(parsed.root->GetName(), "config");
    const XmlNode* item = parsed.root->FindChildByPath("item");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(Found(item->FindAttribute("value")).GetValue(), "a b");
    EXPECT_EQ(CountChildren(*parsed.root), 1u);
    EXPECT_EQ(CountAttributes(*parsed.root), 0u);
  }
}

TEST(XmlReaderProlog, CommentsMayStandWhereATagMay) {
  auto parsed = ParseText(
      "<!-- head -->\n<r>\n<!-- before <a> = \"q\" -->\n<a/>\n<!-- between -->\n<b>x</b><!-- last --></r>\n"
      "<!-- tail -->");
  ASSERT_NE(parsed.root, nullptr);
  EXPECT_EQ(parsed.output, "");
  EXPECT_EQ(CountChildren(*parsed.root), 2u);
  EXPECT_EQ(Found(parsed.root->FindChildByPath("b")).GetValue(), "x");
}

TEST(XmlReaderProlog, DocumentEndingRightAfterTheLastBracketIsComplete) {
  auto parsed = ParseText("<r><a><b k=\"v\"/></a></r>");
  ASSERT_NE(parsed.root, nullptr);
  ASSERT_NE(parsed.root->FindChildByPath("a\\b"), nullptr);
  EXPECT_EQ(Found(Found(parsed.root->FindChildByPath("a\\b")).FindAttribute("k")).GetValue(), "v");
  parsed = ParseText("<r/>");
  ASSERT_NE(parsed.root, nullptr);
  EXPECT_EQ(parsed.root->GetName(), "r");
}

TEST(XmlReaderElements, SecondTopLevelElementContinuesTheRoot) {
  auto parsed = ParseText("<a x=\"1\"><c/></a><b y=\"2\"/>");
  ASSERT_NE(parsed.root, nullptr);
  EXPECT_EQ(parsed.root->GetName(), "b");
  EXPECT_EQ(CountAttributes(*parsed.root), 2u);
  EXPECT_EQ(CountChildren(*parsed.root), 1u);
}

TEST(XmlReaderElements, ALineBreakInsideATagBecomesPartOfTheName) {
  auto parsed = ParseText("<r><a\n/></r>");
  ASSERT_NE(parsed.root, nullptr);
  EXPECT_EQ(Found(parsed.root->GetFirstChild()).GetName(), "a\n");
}

TEST(XmlDocumentLoad, LoadParsesTheWholeStreamFromItsStart) {
  cMemoryStream stream = xmltest::StreamOf("<r><a k=\"v\"/></r>");
  stream.Seek(0, 2);  // Load rewinds
  XmlDocument document;
  EXPECT_TRUE(document.Load(stream));
  EXPECT_EQ(document.GetRoot().GetName(), "r");
  EXPECT_EQ(Found(document.GetRoot().FindChildByPath("a")).GetParent(), &document.GetRoot());

  cMemoryStream again = xmltest::StreamOf("<s/>");
  XmlDocument fromStream(again);
  EXPECT_EQ(fromStream.GetRoot().GetName(), "s");
  EXPECT_EQ(XmlDocument(XmlDocument::kDefaultRootName).GetRoot().GetName(), "default");
  EXPECT_EQ(XmlDocument().GetRoot().GetName(), "");
}

TEST(XmlDocumentLoad, FailedParseLeavesAnEmptyRoot) {
  XmlDocument document;
  cMemoryStream good = xmltest::StreamOf("<r v=\"1\">t<a/></r>");
  ASSERT_TRUE(document.Parse(good));
  cMemoryStream bad = xmltest::StreamOf("<r><a/>oops</r>");
  testing::internal::CaptureStdout();
  EXPECT_FALSE(document.Load(bad));
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(document.GetRoot().GetName(), "");
  EXPECT_EQ(document.GetRoot().GetValue(), "");
  EXPECT_EQ(document.GetRoot().GetFirstChild(), nullptr);
  EXPECT_EQ(document.GetRoot().GetFirstAttribute(), nullptr);
}

TEST(XmlDocumentLoad, StreamClaimingMoreThanItHoldsLoadsWhatItHas) {
  // GetSize says 4 GB; the copy reads in pieces and stops at the first empty read.
  class Liar : public xmltest::NeverEofStream {
   public:
    using NeverEofStream::NeverEofStream;
    uint32_t GetSize() override { return 0xFFFFFFF0u; }
  } liar("<r><a/></r>");
  XmlDocument document;
  EXPECT_TRUE(document.Load(liar));
  EXPECT_NE(document.GetRoot().FindChildByPath("a"), nullptr);
}

}  // namespace
