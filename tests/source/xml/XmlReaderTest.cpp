// The reader over well-formed documents: the tree each gives (the accepted syntax, text trimming,
// attributes, declarations, comments, byte-order marks) and the document loaded from a stream.

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "source/xml/XmlDocument.h"
#include "tests/source/xml/XmlTestSupport.h"
#include "tests/support/Found.h"

using xmltest::ParseText;

namespace {

// The tree as one line: name(attribute="value" ...)'text'{children}.
std::string Shape(const XmlNode& node) {
  std::string shape = node.GetName(), attributes, children;
  for (const XmlNode* a = node.GetFirstAttribute(); a != nullptr; a = a->GetNext()) {
    attributes.append(attributes.empty() ? "" : " ").append(a->GetName());
    attributes.append("=\"").append(a->GetValue()).append("\"");
  }
  for (const XmlNode* c = node.GetFirstChild(); c != nullptr; c = c->GetNext()) {
    children.append(children.empty() ? "" : " ").append(Shape(*c));
  }
  if (!attributes.empty()) shape.append("(").append(attributes).append(")");
  if (!node.GetValue().empty()) shape.append("'").append(node.GetValue()).append("'");
  if (!children.empty()) shape.append("{").append(children).append("}");
  return shape;
}

// The accepted syntax: text is trimmed of spaces and control bytes only (bytes above 0x7F are
// parts of UTF-8 characters) and nothing is decoded; attributes keep their order and their raw
// bytes; spaces inside a tag are skipped, but a line break in a name is part of it; a declaration,
// a byte-order mark and comments change nothing; a second top-level element continues the root.
TEST(XmlReader, EachDocumentGivesItsTree) {
  const std::string body = "<config>\n\t<item id=\"1\" value=\"a b\"/>\n</config>";
  const std::string declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n", bom = "\xEF\xBB\xBF";
  const char* const kConfig = "config{item(id=\"1\" value=\"a b\")}";
  const std::pair<std::string, const char*> cases[] = {
      {"<r><e/></r>", "r{e}"},
      {"<r><e /></r>", "r{e}"},
      {"<r><e\t/></r>", "r{e}"},
      {"<r><e></e></r>", "r{e}"},
      {"<r/>", "r"},
      {"<r>\n\t<a>\n\t\t<b/>\n\t</a>\n\t<c/>\n\t<a/>\n</r>", "r{a{b} c a}"},
      {"<r><a><b k=\"v\"/></a></r>", "r{a{b(k=\"v\")}}"},
      {"<r>  \t hello  world \r\n </r>", "r'hello  world'"},
      {"<r> caf\xC3\xA9 </r>", "r'caf\xC3\xA9'"},
      {"<r>\xC3\xA9t\xC3\xA9</r>", "r'\xC3\xA9t\xC3\xA9'"},
      {"<r>\x01\x1F text \x7F\x20</r>", "r'text \x7F'"},
      {"<r>a &amp; b > c</r>", "r'a &amp; b > c'"},
      {"<r>lead<c/></r>", "r'lead'{c}"},
      {"<r><e first=\"one two\" second = \"2\"\tthird=\" x \"/></r>",
       "r{e(first=\"one two\" second=\"2\" third=\" x \")}"},
      {"<r a=\"<b>&lt;/=\" b=\"\" c=\"line\nbreak\"></r>", "r(a=\"<b>&lt;/=\" b=\"\" c=\"line\nbreak\")"},
      {"<r><e k=\"v\">text</e></r>", "r{e(k=\"v\")'text'}"},
      {"<c k= \n\"it's\"/>", "c(k=\"it's\")"},
      {"<r><item / ></r>", "r{item}"},
      {"<r><a\n/></r>", "r{a\n}"},
      {body, kConfig},
      {declaration + body, kConfig},
      {bom + declaration + body, kConfig},
      {bom + body, kConfig},
      {"<!-- head -->\n<r>\n<!-- before <a> = \"q\" -->\n<a/>\n<!-- between -->\n<b>x</b><!-- last --></r>\n"
       "<!-- tail -->",
       "r{a b'x'}"},
      {"<a x=\"1\"><c/></a><b y=\"2\"/>", "b(x=\"1\" y=\"2\"){c}"},
  };
  for (const auto& [text, shape] : cases) {
    auto parsed = ParseText(text);
    ASSERT_NE(parsed.root, nullptr) << text << parsed.output;
    EXPECT_EQ(Shape(*parsed.root), shape) << text;
    EXPECT_EQ(parsed.output, "") << text;
  }
}

TEST(XmlReader, ChildrenAndAttributesKnowTheirParent) {
  auto parsed = ParseText("<r><a k=\"v\"><b/></a></r>");
  ASSERT_NE(parsed.root, nullptr);
  const XmlNode& a = Found(parsed.root->GetFirstChild());
  EXPECT_EQ(a.GetParent(), parsed.root.get());
  EXPECT_EQ(Found(a.GetFirstChild()).GetParent(), &a);
  EXPECT_EQ(Found(a.GetFirstAttribute()).GetParent(), &a);
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
