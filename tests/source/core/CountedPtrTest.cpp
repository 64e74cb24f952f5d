#include <gtest/gtest.h>

#include <utility>

#include "source/core/CountedPtr.h"

// These tests make, copy and release the same object within one function. With everything
// inlined, GCC 12's use-after-free analysis follows the path on which an earlier copy's release
// freed the shared count, which the count itself rules out; the sanitizer build checks the real
// thing.
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ >= 12
#pragma GCC diagnostic ignored "-Wuse-after-free"
#endif

namespace {

// Counts live objects so every test can see exactly when the last owner lets go.
struct Base {
  static inline int live = 0;
  Base() { ++live; }
  virtual ~Base() { --live; }
  virtual int Kind() const { return 1; }
};

struct Derived : Base {
  int Kind() const override { return 2; }
  int payload[8] = {};  // a bigger object: deleting it through Base* must free all of it
};

class CountedPtrTest : public testing::Test {
 protected:
  void SetUp() override { Base::live = 0; }
  void TearDown() override { EXPECT_EQ(Base::live, 0) << "an object leaked or was freed twice"; }
};

TEST_F(CountedPtrTest, AnEmptyPointerHoldsNothing) {
  CountedPtr<Base> p;
  EXPECT_FALSE(p);
  EXPECT_EQ(p.Get(), nullptr);
  EXPECT_EQ(p.UseCount(), 0);
  p.Release();  // releasing nothing is harmless
  CountedPtr<Base> q(nullptr);
  EXPECT_FALSE(q);
  EXPECT_EQ(q.UseCount(), 0);
}

TEST_F(CountedPtrTest, CopiesShareOneCountAndTheLastReleaseDeletes) {
  CountedPtr<Base> a(new Base());
  EXPECT_EQ(a.UseCount(), 1);
  {
    CountedPtr<Base> b(a);
    CountedPtr<Base> c;
    c = b;
    EXPECT_EQ(a.UseCount(), 3);
    EXPECT_EQ(c.Get(), a.Get());
    EXPECT_EQ(Base::live, 1);
  }
  EXPECT_EQ(a.UseCount(), 1);
  EXPECT_EQ(Base::live, 1);
  a.Release();
  EXPECT_FALSE(a);
  EXPECT_EQ(Base::live, 0);
}

TEST_F(CountedPtrTest, AssigningOverAHeldObjectReleasesIt) {
  CountedPtr<Base> a(new Base());
  CountedPtr<Base> b(new Base());
  EXPECT_EQ(Base::live, 2);
  a = b;  // a's old object had no other owner
  EXPECT_EQ(Base::live, 1);
  EXPECT_EQ(b.UseCount(), 2);
  a.Assign(CountedPtr<Base>());
  EXPECT_FALSE(a);
  EXPECT_EQ(b.UseCount(), 1);
}

TEST_F(CountedPtrTest, SelfAssignmentKeepsTheObject) {
  CountedPtr<Base> a(new Base());
  CountedPtr<Base>& alias = a;
  a = alias;
  EXPECT_EQ(a.UseCount(), 1);
  a.Assign(alias);  // the counted-up-first order keeps a sole owner's object alive
  EXPECT_EQ(a.UseCount(), 1);
  EXPECT_EQ(Base::live, 1);
  a = std::move(alias);
  ASSERT_TRUE(a);
  EXPECT_EQ(Base::live, 1);
  EXPECT_EQ(a->Kind(), 1);
}

TEST_F(CountedPtrTest, ResetReleasesThenHoldsAFreshCount) {
  CountedPtr<Base> a(new Base());
  CountedPtr<Base> shared(a);
  a.Reset(new Base());
  EXPECT_EQ(a.UseCount(), 1);  // a fresh count, not the shared one
  EXPECT_EQ(shared.UseCount(), 1);
  EXPECT_EQ(Base::live, 2);
  a.Reset();
  EXPECT_FALSE(a);
  EXPECT_EQ(Base::live, 1);
  shared.Reset(nullptr);
  EXPECT_EQ(Base::live, 0);
}

TEST_F(CountedPtrTest, MovingHandsTheObjectOverWithoutCounting) {
  CountedPtr<Base> a(new Base());
  CountedPtr<Base> b(std::move(a));
  EXPECT_FALSE(a);  // NOLINT: checking the moved-from state on purpose
  EXPECT_EQ(b.UseCount(), 1);
  CountedPtr<Base> c(new Base());
  c = std::move(b);
  EXPECT_EQ(Base::live, 1);
  EXPECT_EQ(c.UseCount(), 1);
}

TEST_F(CountedPtrTest, ConvertsToABasePointerSharingTheCount) {
  CountedPtr<Derived> derived(new Derived());
  CountedPtr<Base> base(derived);
  EXPECT_EQ(base.Get(), derived.Get());
  EXPECT_EQ(base.UseCount(), 2);
  EXPECT_EQ(base->Kind(), 2);
  CountedPtr<Base> other;
  other = derived;  // through the converting constructor
  EXPECT_EQ(derived.UseCount(), 3);
  derived.Release();
  other.Release();
  EXPECT_EQ(Base::live, 1);
  base.Release();  // deletes the Derived through Base's virtual destructor
  EXPECT_EQ(Base::live, 0);
}

TEST_F(CountedPtrTest, DereferenceReachesTheObject) {
  CountedPtr<Derived> p(new Derived());
  p->payload[3] = 7;
  EXPECT_EQ((*p).payload[3], 7);
}

}  // namespace
