#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "source/core/Singleton.h"

namespace {

std::vector<std::string>& Events() {
  static std::vector<std::string> events;
  return events;
}

class First : public Singleton<First> {
 public:
  ~First() override { Events().push_back("~First"); }
};

class Second : public Singleton<Second> {
 public:
  ~Second() override {
    // A manager that uses an older one while going away must still find it alive.
    Events().push_back(First::IsAlive() ? "~Second(First alive)" : "~Second(First dead)");
  }
};

class LateBorn : public Singleton<LateBorn> {
 public:
  ~LateBorn() override { Events().push_back("~LateBorn"); }
};

class CreatesInDestructor : public Singleton<CreatesInDestructor> {
 public:
  ~CreatesInDestructor() override { LateBorn::GetInstance(); }
};

TEST(Singletons, AreDestroyedNewestFirstAndForgotten) {
  DestroySingletons();
  Events().clear();
  First* first = First::GetInstance();
  EXPECT_EQ(first, First::GetInstance());
  Second::GetInstance();
  EXPECT_EQ(LiveSingletonCount(), 2u);

  DestroySingletons();
  EXPECT_EQ(Events(), (std::vector<std::string>{"~Second(First alive)", "~First"}));
  EXPECT_EQ(First::PeekInstance(), nullptr);
  EXPECT_FALSE(First::IsAlive());
  EXPECT_EQ(LiveSingletonCount(), 0u);
}

TEST(Singletons, OneCreatedDuringTheSweepIsSweptToo) {
  DestroySingletons();
  Events().clear();
  CreatesInDestructor::GetInstance();
  DestroySingletons();
  EXPECT_EQ(Events(), (std::vector<std::string>{"~LateBorn"}));
  EXPECT_EQ(LateBorn::PeekInstance(), nullptr);
  EXPECT_EQ(LiveSingletonCount(), 0u);
}

}  // namespace
