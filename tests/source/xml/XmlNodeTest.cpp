// The node tree: list links, ownership, path lookups and swapping.

#include <gtest/gtest.h>

#include "source/xml/XmlNode.h"
#include "tests/source/xml/XmlTestSupport.h"
#include "tests/support/Found.h"

using xmltest::CountAttributes;
using xmltest::CountChildren;

namespace {

// Checks that every list under `node` is linked both ways and names its owner.
void ExpectConsistent(const XmlNode& node) {
  for (const XmlNode* list : {node.GetFirstChild(), node.GetFirstAttribute()}) {
    const XmlNode* previous = nullptr;
    for (const XmlNode* n = list; n != nullptr; n = n->GetNext()) {
      EXPECT_EQ(n->GetParent(), &node);
      EXPECT_EQ(n->GetPrevious(), previous);
      previous = n;
    }
  }
}

TEST(XmlNodeLists, AppendAndAddKeepDocumentOrder) {
  XmlNode root("root");
  XmlNode* a = new XmlNode("a");
  XmlNode* b = new XmlNode("b");
  EXPECT_TRUE(root.AppendChild(a));
  EXPECT_TRUE(root.AppendChild(b));
  XmlNode* x = root.AddAttribute("x");
  XmlNode* y = root.AddAttribute("y");
  EXPECT_EQ(root.GetFirstChild(), a);
  EXPECT_EQ(a->GetNext(), b);
  EXPECT_EQ(b->GetNext(), nullptr);
  EXPECT_EQ(root.GetFirstAttribute(), x);
  EXPECT_EQ(x->GetNext(), y);
  EXPECT_TRUE(x->IsAttribute());
  EXPECT_FALSE(a->IsAttribute());
  ExpectConsistent(root);
}

TEST(XmlNodeLists, AppendChildMovesANodeFromItsOldParent) {
  XmlNode first("first");
  XmlNode second("second");
  XmlNode* a = first.CreateChildByPath("a");
  XmlNode* b = first.CreateChildByPath("b");
  XmlNode* c = first.CreateChildByPath("c");
  EXPECT_TRUE(second.AppendChild(b));
  EXPECT_EQ(b->GetParent(), &second);
  EXPECT_EQ(a->GetNext(), c);
  EXPECT_EQ(c->GetPrevious(), a);
  EXPECT_EQ(CountChildren(first), 2u);
  EXPECT_EQ(second.GetFirstChild(), b);
  // Moving the last child and appending after it keeps the tail right.
  EXPECT_TRUE(second.AppendChild(c));
  first.AppendChild(new XmlNode("d"));
  EXPECT_EQ(Found(a->GetNext()).GetName(), "d");
  ExpectConsistent(first);
  ExpectConsistent(second);
}

TEST(XmlNodeLists, AppendChildRefusesCycles) {
  XmlNode root("root");
  XmlNode* a = root.CreateChildByPath("a");
  XmlNode* b = a->CreateChildByPath("b");
  EXPECT_FALSE(b->AppendChild(a));
  EXPECT_FALSE(a->AppendChild(a));
  EXPECT_FALSE(root.AppendChild(nullptr));
  EXPECT_EQ(a->GetParent(), &root);
  EXPECT_EQ(b->GetParent(), a);
}

TEST(XmlNodeLists, AttributeMovedIntoChildListLeavesAttributeList) {
  XmlNode owner("owner");
  XmlNode other("other");
  XmlNode* x = owner.AddAttribute("x");
  XmlNode* y = owner.AddAttribute("y");
  EXPECT_TRUE(other.AppendChild(x));
  EXPECT_FALSE(x->IsAttribute());
  EXPECT_EQ(owner.GetFirstAttribute(), y);
  EXPECT_EQ(y->GetPrevious(), nullptr);
  EXPECT_EQ(owner.GetFirstChild(), nullptr);
}

TEST(XmlNodeLists, RemoveChildUnlinksAndFreesOnlyItsOwnChildren) {
  XmlNode root("root");
  XmlNode* a = root.CreateChildByPath("a");
  XmlNode* b = root.CreateChildByPath("b");
  XmlNode* c = root.CreateChildByPath("c");
  b->CreateChildByPath("deep\\er");
  XmlNode* x = root.AddAttribute("x");
  XmlNode stranger("stranger");
  XmlNode* foreign = stranger.CreateChildByPath("f");

  EXPECT_FALSE(root.RemoveChild(foreign));
  EXPECT_FALSE(root.RemoveChild(x));  // an attribute is not a child
  EXPECT_FALSE(root.RemoveChild(nullptr));
  EXPECT_TRUE(root.RemoveChild(b));
  EXPECT_EQ(a->GetNext(), c);
  EXPECT_EQ(c->GetPrevious(), a);
  EXPECT_TRUE(root.RemoveChild(c));
  EXPECT_EQ(a->GetNext(), nullptr);
  root.AppendChild(new XmlNode("d"));  // the tail moved back to a
  EXPECT_EQ(Found(a->GetNext()).GetName(), "d");
  EXPECT_TRUE(root.RemoveChild(a));
  EXPECT_EQ(Found(root.GetFirstChild()).GetName(), "d");
  ExpectConsistent(root);
}

TEST(XmlNodeLists, DeletingALinkedNodeUnlinksItFirst) {
  XmlNode root("root");
  XmlNode* a = root.CreateChildByPath("a");
  XmlNode* b = root.CreateChildByPath("b");
  XmlNode* c = root.CreateChildByPath("c");
  XmlNode* x = root.AddAttribute("x");
  delete b;
  delete x;
  EXPECT_EQ(a->GetNext(), c);
  EXPECT_EQ(c->GetPrevious(), a);
  EXPECT_EQ(root.GetFirstAttribute(), nullptr);
  delete c;
  root.AppendChild(new XmlNode("d"));
  EXPECT_EQ(Found(a->GetNext()).GetName(), "d");
  ExpectConsistent(root);
}

TEST(XmlNodeLists, ClearEmptiesBothListsAndKeepsNameAndValue) {
  XmlNode root("root");
  root.SetValue("text");
  root.CreateChildByPath("a\\b\\c");
  root.AddAttribute("x")->SetValue("1");
  root.Clear();
  EXPECT_EQ(root.GetFirstChild(), nullptr);
  EXPECT_EQ(root.GetFirstAttribute(), nullptr);
  EXPECT_EQ(root.GetName(), "root");
  EXPECT_EQ(root.GetValue(), "text");
  // Usable afterwards.
  root.AddAttribute("y");
  root.CreateChildByPath("z");
  EXPECT_EQ(CountAttributes(root), 1u);
  EXPECT_EQ(CountChildren(root), 1u);
}

TEST(XmlNodeLists, DeepAndWideTreesAreDestroyedWithoutRecursion) {
  // A million levels would overflow any stack if deletion recursed.
  auto root = std::make_unique<XmlNode>("root");
  XmlNode* node = root.get();
  for (int i = 0; i < 1000000; ++i) {
    auto* child = new XmlNode("n");
    node->AppendChild(child);
    node->AddAttribute("a");
    node = child;
  }
  for (int i = 0; i < 100000; ++i) root->AppendChild(new XmlNode("w"));
  root.reset();
  SUCCEED();
}

TEST(XmlNodeFind, FindAttributeComparesWholeNames) {
  XmlNode node("n");
  node.AddAttribute("id")->SetValue("1");
  node.AddAttribute("idx")->SetValue("2");
  node.AddAttribute("id")->SetValue("3");
  ASSERT_NE(node.FindAttribute("id"), nullptr);
  EXPECT_EQ(Found(node.FindAttribute("id")).GetValue(), "1");
  EXPECT_EQ(Found(node.FindAttribute("idx")).GetValue(), "2");
  EXPECT_EQ(node.FindAttribute("i"), nullptr);
  EXPECT_EQ(node.FindAttribute("ID"), nullptr);
  const XmlNode& constant = node;
  EXPECT_EQ(Found(constant.FindAttribute("idx")).GetValue(), "2");
}

TEST(XmlNodeFind, FindChildByPath) {
  XmlNode root("root");
  XmlNode* first = root.CreateChildByPath("first");
  XmlNode* second = root.CreateChildByPath("second");
  XmlNode* inner1 = second->CreateChildByPath("inner");
  second->CreateChildByPath("inner");
  XmlNode* secondAgain = root.CreateChildByPath("second");
  secondAgain->CreateChildByPath("only_here");

  EXPECT_EQ(root.FindChildByPath(""), first);  // empty path: the first child
  EXPECT_EQ(root.FindChildByPath("second"), second);
  EXPECT_EQ(root.FindChildByPath("second\\inner"), inner1);  // first of that name
  EXPECT_EQ(root.FindChildByPath("second\\"), second);      // nothing after the separator
  // Only the first child of a name is searched.
  EXPECT_EQ(root.FindChildByPath("second\\only_here"), nullptr);
  EXPECT_EQ(root.FindChildByPath("missing"), nullptr);
  EXPECT_EQ(root.FindChildByPath("first\\missing"), nullptr);
  EXPECT_EQ(root.FindChildByPath("secon"), nullptr);
  XmlNode empty("empty");
  EXPECT_EQ(empty.FindChildByPath(""), nullptr);
  const XmlNode& constant = root;
  EXPECT_EQ(constant.FindChildByPath("second\\inner"), inner1);
}

TEST(XmlNodeFind, CreateChildByPathDescendsIntoExistingAndAlwaysAddsTheLast) {
  XmlNode root("root");
  XmlNode* made = root.CreateChildByPath("a\\b\\c");
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->GetName(), "c");
  EXPECT_EQ(root.FindChildByPath("a\\b\\c"), made);

  // "a" and "b" exist: no new intermediates, but a second "c".
  XmlNode* again = root.CreateChildByPath("a\\b\\c");
  EXPECT_NE(again, made);
  EXPECT_EQ(CountChildren(root), 1u);
  EXPECT_EQ(CountChildren(Found(root.FindChildByPath("a\\b"))), 2u);
  EXPECT_EQ(made->GetNext(), again);

  // The last name is created even when a child of that name exists.
  XmlNode* secondA = root.CreateChildByPath("a");
  EXPECT_EQ(CountChildren(root), 2u);
  EXPECT_EQ(root.FindChildByPath("a"), secondA->GetPrevious());
  ExpectConsistent(root);
}

TEST(XmlNodeSwap, ExchangesContentAndReparents) {
  XmlNode left("left");
  left.SetValue("lv");
  left.CreateChildByPath("lc\\deep");
  left.AddAttribute("la");
  XmlNode right("right");
  right.AddAttribute("ra1");
  right.AddAttribute("ra2");

  EXPECT_TRUE(left.Swap(right));
  EXPECT_EQ(left.GetName(), "right");
  EXPECT_EQ(left.GetValue(), "");
  EXPECT_EQ(left.GetFirstChild(), nullptr);
  EXPECT_EQ(CountAttributes(left), 2u);
  EXPECT_EQ(right.GetName(), "left");
  EXPECT_EQ(right.GetValue(), "lv");
  ASSERT_NE(right.FindChildByPath("lc\\deep"), nullptr);
  ExpectConsistent(left);
  ExpectConsistent(right);
  // Tails moved too: appending lands after the moved lists.
  left.AddAttribute("ra3");
  EXPECT_EQ(Found(Found(left.FindAttribute("ra2")).GetNext()).GetName(), "ra3");
}

TEST(XmlNodeSwap, RefusesANodeInsideTheOther) {
  XmlNode root("root");
  XmlNode* child = root.CreateChildByPath("child");
  XmlNode* attribute = root.AddAttribute("x");
  EXPECT_FALSE(root.Swap(*child));
  EXPECT_FALSE(child->Swap(root));
  EXPECT_FALSE(root.Swap(*attribute));
  EXPECT_TRUE(root.Swap(root));
  EXPECT_EQ(root.GetFirstChild(), child);
}

}  // namespace
