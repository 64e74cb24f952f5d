#include <gtest/gtest.h>

#include <stdexcept>

#include "source/core/Singleton.h"

namespace {

class Manager : public Singleton<Manager> {
 public:
  int value = 0;
};

class Refusing : public Singleton<Refusing> {
 public:
  static inline bool refuse = true;
  Refusing() {
    if (refuse) throw std::runtime_error("no device");
  }
};

class SingletonLifetime : public testing::Test {
 protected:
  void SetUp() override { DestroySingletons(); }
  void TearDown() override { DestroySingletons(); }
};

TEST_F(SingletonLifetime, TheAccessorsHandOutOneObject) {
  EXPECT_EQ(Manager::PeekInstance(), nullptr);
  EXPECT_FALSE(Manager::IsAlive());
  Manager* made = Manager::CreateInstance();
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(Manager::CreateInstance(), made);
  EXPECT_EQ(Manager::GetInstance(), made);
  EXPECT_EQ(Manager::PeekInstance(), made);
  EXPECT_TRUE(Manager::IsAlive());
  EXPECT_EQ(LiveSingletonCount(), 1u);
}

TEST_F(SingletonLifetime, OneDeletedByItsOwnerLeavesTheList) {
  Manager* made = Manager::GetInstance();
  made->value = 3;
  delete made;
  EXPECT_EQ(LiveSingletonCount(), 0u);
  EXPECT_EQ(Manager::PeekInstance(), nullptr);
  EXPECT_FALSE(Manager::IsAlive());
  EXPECT_EQ(Manager::GetInstance()->value, 0);  // a fresh one, not the dead one
  DestroySingletons();  // must not delete the first object a second time
  EXPECT_EQ(LiveSingletonCount(), 0u);
}

TEST_F(SingletonLifetime, AConstructorThatFailsLeavesNothingBehind) {
  Refusing::refuse = true;
  EXPECT_THROW(Refusing::GetInstance(), std::runtime_error);
  EXPECT_EQ(LiveSingletonCount(), 0u);
  EXPECT_EQ(Refusing::PeekInstance(), nullptr);
  EXPECT_FALSE(Refusing::IsAlive());
  Refusing::refuse = false;
  EXPECT_NE(Refusing::GetInstance(), nullptr);  // the next attempt starts afresh
  EXPECT_EQ(LiveSingletonCount(), 1u);
}

// A manager that owns another one and deletes it when it goes, as an owner may.
class Owned : public Singleton<Owned> {};
class Owner : public Singleton<Owner> {
 public:
  ~Owner() override { delete Owned::PeekInstance(); }
};

// A manager whose destructor asks for a device that cannot be made, and copes.
class TriesRefusing : public Singleton<TriesRefusing> {
 public:
  ~TriesRefusing() override {
    Refusing::refuse = true;
    try {
      Refusing::GetInstance();
    } catch (const std::runtime_error&) {
    }
  }
};

TEST_F(SingletonLifetime, OneDeletedByItsOwnerDuringTheSweepIsNotDeletedTwice) {
  Owned::GetInstance();
  Owner::GetInstance();
  DestroySingletons();  // the owner goes first and takes the owned one with it
  EXPECT_FALSE(Owned::IsAlive());
  EXPECT_EQ(LiveSingletonCount(), 0u);
}

TEST_F(SingletonLifetime, AConstructorThatFailsDuringTheSweepLeavesNothingBehind) {
  TriesRefusing::GetInstance();
  DestroySingletons();
  EXPECT_FALSE(Refusing::IsAlive());
  EXPECT_EQ(LiveSingletonCount(), 0u);
}

}  // namespace
