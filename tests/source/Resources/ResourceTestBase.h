#pragma once
// The set-up shared by the resource tests: a temporary folder made current, the test types
// registered, and a fresh resource manager for every test.

#include <gtest/gtest.h>

#include <string>

#include "source/Resources/cResourceManager.h"
#include "source/Resources/cResourceRegistry.h"
#include "tests/source/Resources/TestResourceTypes.h"
#include "tests/support/TempDir.h"
#include "tests/support/fixtures/ResourceFixtures.h"

class ResourceTest : public testing::Test {
 protected:
  ResourceTest() : m_current(m_dir.Path()) {}

  void SetUp() override {
    m_manager = cResourceManager::GetInstance();
    m_manager->RegisterResourceType<cCountingResource>();
    m_manager->RegisterResourceType<cNoteResource>();
    m_manager->RegisterResourceType<cBulkResource>();
  }
  void TearDown() override {
    delete cResourceManager::PeekInstance();
    EXPECT_TRUE(AllResources().IsEmpty()) << "a test left resources registered";
  }

  const std::string& Root() const { return m_dir.Path(); }

  // Runs `action` with the log (standard error before the log is opened) captured.
  template <class F>
  static std::string Logged(F&& action) {
    testing::internal::CaptureStderr();
    action();
    return testing::internal::GetCapturedStderr();
  }

  TempDir m_dir;
  ScopedCurrentDirectory m_current;
  cResourceManager* m_manager = nullptr;
};
