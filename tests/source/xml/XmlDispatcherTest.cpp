// The section dispatcher: handlers by tag name, in document order.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "source/xml/XmlNode.h"
#include "source/xml/XmlSectionDispatcher.h"
#include "tests/support/Found.h"

namespace {

struct Recorder {
  std::vector<std::string> seen;
  DelegateArg Record(DelegateArg argument) {
    seen.push_back(reinterpret_cast<XmlNode*>(argument)->GetName());
    return 0;
  }
  DelegateArg RecordValue(DelegateArg argument) {
    seen.push_back("value:" + reinterpret_cast<XmlNode*>(argument)->GetValue());
    return 0;
  }
};

TEST(XmlSectionDispatcher, DispatchWalksSiblingsInOrderAndSkipsUnknownNames) {
  XmlNode root("root");
  for (const char* name : {"a", "unknown", "b", "a"}) root.CreateChildByPath(name);
  Recorder recorder;
  XmlSectionDispatcher dispatcher;
  dispatcher.Register("a", MakeMemberDelegate(&recorder, &Recorder::Record));
  dispatcher.Register("b", MakeMemberDelegate(&recorder, &Recorder::Record));
  dispatcher.Register("empty", CountedPtr<cDelegate>());
  root.CreateChildByPath("empty");
  dispatcher.Dispatch(root.GetFirstChild());
  EXPECT_EQ(recorder.seen, (std::vector<std::string>{"a", "b", "a"}));

  recorder.seen.clear();
  dispatcher.DispatchOne(root.FindChildByPath("b"));
  dispatcher.DispatchOne(nullptr);
  dispatcher.Dispatch(nullptr);
  EXPECT_EQ(recorder.seen, (std::vector<std::string>{"b"}));
}

TEST(XmlSectionDispatcher, HandlerReceivesTheNodeAddress) {
  XmlNode root("root");
  XmlNode* target = root.CreateChildByPath("target");
  static XmlNode* received = nullptr;
  XmlSectionDispatcher dispatcher;
  dispatcher.Register("target", MakeFunctionDelegate([](DelegateArg a) -> DelegateArg {
                        received = reinterpret_cast<XmlNode*>(a);
                        return 0;
                      }));
  dispatcher.DispatchOne(target);
  EXPECT_EQ(received, target);
}

TEST(XmlSectionDispatcher, RegisterReplacesAndReleasesThePreviousHandler) {
  Recorder first;
  Recorder second;
  CountedPtr<cDelegate> old = MakeMemberDelegate(&first, &Recorder::Record);
  XmlSectionDispatcher dispatcher;
  dispatcher.Register("a", old);
  EXPECT_EQ(old.UseCount(), 2);
  dispatcher.Register("a", MakeMemberDelegate(&second, &Recorder::Record));
  EXPECT_EQ(old.UseCount(), 1);
  XmlNode node("a");
  dispatcher.DispatchOne(&node);
  EXPECT_TRUE(first.seen.empty());
  EXPECT_EQ(second.seen.size(), 1u);
}

TEST(XmlSectionDispatcher, DispatchAttributesUsesEachAttributeName) {
  XmlNode node("n");
  node.AddAttribute("width")->SetValue("10");
  node.AddAttribute("colour")->SetValue("red");
  node.AddAttribute("height")->SetValue("20");
  Recorder recorder;
  XmlSectionDispatcher dispatcher;
  dispatcher.Register("width", MakeMemberDelegate(&recorder, &Recorder::RecordValue));
  dispatcher.Register("height", MakeMemberDelegate(&recorder, &Recorder::RecordValue));
  dispatcher.DispatchAttributes(&node);
  dispatcher.DispatchAttributes(nullptr);
  EXPECT_EQ(recorder.seen, (std::vector<std::string>{"value:10", "value:20"}));
}

// A handler may delete its own node and replace its own registration while it runs.
struct SelfRemover {
  XmlSectionDispatcher* dispatcher = nullptr;
  int calls = 0;
  DelegateArg Remove(DelegateArg argument) {
    auto* node = reinterpret_cast<XmlNode*>(argument);
    ++calls;
    dispatcher->Register("gone", CountedPtr<cDelegate>());
    Found(node->GetParent()).RemoveChild(node);
    return 0;
  }
};

TEST(XmlSectionDispatcher, HandlerMayRemoveItsNodeAndItsRegistration) {
  XmlNode root("root");
  root.CreateChildByPath("gone");
  root.CreateChildByPath("gone");
  root.CreateChildByPath("kept");
  XmlSectionDispatcher dispatcher;
  SelfRemover remover{&dispatcher};
  dispatcher.Register("gone", MakeMemberDelegate(&remover, &SelfRemover::Remove));
  dispatcher.Dispatch(root.GetFirstChild());
  EXPECT_EQ(remover.calls, 1);  // the second "gone" found no handler any more
  EXPECT_EQ(Found(root.GetFirstChild()).GetName(), "gone");
  EXPECT_EQ(Found(Found(root.GetFirstChild()).GetNext()).GetName(), "kept");
}

}  // namespace
