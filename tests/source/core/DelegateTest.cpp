#include <gtest/gtest.h>

#include "source/core/Delegate.h"

namespace {

struct Counter {
  DelegateArg Add(DelegateArg amount) {
    total += amount;
    return total;
  }
  DelegateArg total = 0;
};

DelegateArg Twice(DelegateArg value) { return 2 * value; }

// A method reached through an untyped pointer: `self` is the object plus the adjustment.
struct Outer {
  int padding[4] = {};
  Counter inner;
};
DelegateArg AddToCounter(void* self, DelegateArg amount) { return static_cast<Counter*>(self)->Add(amount); }

TEST(Delegates, AMemberDelegateCallsTheMemberOnItsObject) {
  Counter counter;
  DelegatePtr delegate = MakeMemberDelegate(&counter, &Counter::Add);
  EXPECT_EQ(delegate->GetObject(), &counter);
  EXPECT_NE(delegate->GetFunction(), nullptr);
  EXPECT_EQ(delegate->Invoke(5), 5);
  EXPECT_EQ(delegate->Invoke(-2), 3);
  EXPECT_EQ(counter.total, 3);
}

TEST(Delegates, TwoMemberDelegatesOfOneObjectTellTheirFunctionsApart) {
  struct Pair {
    DelegateArg First(DelegateArg) { return 1; }
    DelegateArg Second(DelegateArg) { return 2; }
  } pair;
  cMemberDelegate<Pair> first(&pair, &Pair::First);
  cMemberDelegate<Pair> second(&pair, &Pair::Second);
  EXPECT_EQ(first.GetObject(), second.GetObject());
  EXPECT_EQ(first.Invoke(0), 1);
  EXPECT_EQ(second.Invoke(0), 2);
}

TEST(Delegates, AMethodDelegateAdjustsItsObjectPointer) {
  Outer outer;
  const auto adjustment = static_cast<std::intptr_t>(offsetof(Outer, inner));
  DelegatePtr delegate(cMethodDelegate::Create(&outer, &AddToCounter, adjustment));
  EXPECT_EQ(delegate->GetObject(), &outer);
  EXPECT_EQ(delegate->GetFunction(), reinterpret_cast<const void*>(&AddToCounter));
  EXPECT_EQ(delegate->Invoke(9), 9);
  EXPECT_EQ(outer.inner.total, 9);
}

TEST(Delegates, AFunctionDelegateReportsItsFunctionAsTheObject) {
  DelegatePtr delegate = MakeFunctionDelegate(&Twice);
  EXPECT_EQ(delegate->GetFunction(), nullptr);
  EXPECT_EQ(delegate->GetObject(), reinterpret_cast<const void*>(&Twice));
  EXPECT_EQ(delegate->Invoke(21), 42);
}

TEST(Delegates, ACopiedHandleInvokesTheSameDelegateAndTheLastOneFreesIt) {
  Counter counter;
  DelegatePtr first = MakeMemberDelegate(&counter, &Counter::Add);
  DelegatePtr second = first;
  EXPECT_EQ(first.UseCount(), 2);
  first.Reset();
  EXPECT_EQ(second->Invoke(4), 4);
  second.Release();  // ASan reports a leak or a double free here if the count is wrong
  EXPECT_EQ(counter.total, 4);
}

TEST(Delegates, ThePointerSizedArgumentCarriesAnAddress) {
  // Senders and values travel as addresses; they must come back unchanged.
  static int target = 0;
  DelegatePtr delegate = MakeFunctionDelegate([](DelegateArg a) -> DelegateArg {
    *reinterpret_cast<int*>(a) = 17;
    return a;
  });
  EXPECT_EQ(delegate->Invoke(reinterpret_cast<DelegateArg>(&target)), reinterpret_cast<DelegateArg>(&target));
  EXPECT_EQ(target, 17);
}

TEST(Delegates, TheGlobalMapKeepsADelegateUnderItsKey) {
  std::map<int, DelegatePtr>& map = GlobalDelegateMap();
  DelegatePtr delegate = MakeFunctionDelegate(&Twice);
  map[0].Assign(delegate);
  EXPECT_EQ(delegate.UseCount(), 2);
  EXPECT_EQ(GlobalDelegateMap()[0]->Invoke(3), 6);
  map.erase(0);
  EXPECT_EQ(delegate.UseCount(), 1);
}

}  // namespace
