// os::Thread: held at the start gate, stopped cooperatively, never run when never started.

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "platform/os/os.h"

namespace {

TEST(OsThread, BodyWaitsForStartAndANeverStartedOneNeverRuns) {
  std::atomic<bool> ran{false};
  {
    os::Thread never([&](const std::atomic<bool>&) { ran = true; });
  }
  os::Thread joined([&](const std::atomic<bool>&) { ran = true; });
  joined.Join();
  joined.Start();  // too late: the thread was released
  joined.Join();
  os::Thread thread([&](const std::atomic<bool>&) { ran = true; });
  os::SleepMilliseconds(20);
  EXPECT_FALSE(ran);
  EXPECT_FALSE(thread.IsRunning());
  thread.Start();
  thread.Join();
  EXPECT_TRUE(ran);
  EXPECT_FALSE(thread.IsRunning());
}

TEST(OsThread, DestructorStopsAndWaitsForTheBody) {
  std::atomic<bool> saw_stop{false};
  std::atomic<bool> entered{false};
  {
    os::Thread thread([&](const std::atomic<bool>& stop) {
      entered = true;
      while (!stop) os::SleepMilliseconds(1);
      saw_stop = true;
    });
    thread.Start();
    while (!entered) os::SleepMilliseconds(1);
    EXPECT_TRUE(thread.IsRunning());
    EXPECT_FALSE(thread.StopRequested());
  }
  EXPECT_TRUE(saw_stop);  // the destructor returned only after the body had finished
}

TEST(OsThread, RequestStopIsObservedAndStartTwiceRunsOnce) {
  std::atomic<int> runs{0};
  os::Thread thread([&](const std::atomic<bool>& stop) {
    ++runs;
    while (!stop) os::SleepMilliseconds(1);
  });
  thread.Start();
  thread.Start();
  thread.RequestStop();
  EXPECT_TRUE(thread.StopRequested());
  thread.Join();
  thread.Join();
  EXPECT_EQ(runs, 1);
}

TEST(OsThread, ABodyMayDestroyItsOwnThread) {
  std::unique_ptr<os::Thread> holder;
  std::atomic<bool> done{false};
  holder = std::make_unique<os::Thread>([&](const std::atomic<bool>&) {
    holder.reset();
    done = true;
  });
  holder->Start();
  for (int i = 0; i < 5000 && !done; ++i) os::SleepMilliseconds(1);
  EXPECT_TRUE(done);
  EXPECT_EQ(holder, nullptr);
}

TEST(CriticalSection, IsRecursiveAndExcludesOthers) {
  os::CriticalSection section;
  os::CriticalSectionLock outer(section);
  {
    os::CriticalSectionLock inner(section);  // the same thread may enter again
  }
  std::atomic<bool> other_got_it{true};
  os::Thread thread([&](const std::atomic<bool>&) {
    other_got_it = section.TryEnter();
    if (other_got_it) section.Leave();
  });
  thread.Start();
  thread.Join();
  EXPECT_FALSE(other_got_it);
}

}  // namespace
