// cThread: held until Resume, stopped cooperatively, listed while alive.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>

#include "platform/os/os.h"
#include "source/thread/cThread.h"

namespace {

// What a body did, kept outside the thread object so it can be read after the object is gone.
struct Record {
  std::atomic<int> runs{0};
  std::atomic<int> rounds{0};
  std::atomic<bool> saw_stop{false};
  std::atomic<bool> finished{false};
};

class Worker : public cThread {
 public:
  explicit Worker(Record& record, bool loop = true) : m_record(record), m_loop(loop) {}
  ~Worker() override { StopAndWait(); }

 protected:
  void Run() override {
    ++m_record.runs;
    while (m_loop && !StopRequested()) {
      ++m_record.rounds;
      os::SleepMilliseconds(1);
    }
    m_record.saw_stop = StopRequested();
    m_record.finished = true;
  }

 private:
  Record& m_record;
  const bool m_loop;
};

void WaitForRounds(const Record& record) {
  for (int i = 0; i < 5000 && record.rounds == 0; ++i) os::SleepMilliseconds(1);
}

TEST(cThread, BodyWaitsForResume) {
  Record record;
  Worker worker(record);
  os::SleepMilliseconds(20);
  EXPECT_EQ(record.runs, 0);
  worker.Resume();
  WaitForRounds(record);
  EXPECT_EQ(record.runs, 1);
}

TEST(cThread, NeverResumedBodyNeverRuns) {
  Record record;
  { Worker worker(record); }
  EXPECT_EQ(record.runs, 0);
  EXPECT_FALSE(record.finished);
}

TEST(cThread, DestructionStopsTheBodyAndWaitsForIt) {
  Record record;
  auto worker = std::make_unique<Worker>(record);
  worker->Resume();
  worker->Resume();  // a second Resume does nothing
  WaitForRounds(record);
  EXPECT_FALSE(record.finished);
  worker.reset();
  EXPECT_TRUE(record.finished);  // the destructor returned only after the body had
  EXPECT_TRUE(record.saw_stop);
  EXPECT_EQ(record.runs, 1);
}

TEST(cThread, BodyThatReturnsByItselfIsJoinedAtDestruction) {
  Record record;
  {
    Worker worker(record, false);
    worker.Resume();
  }
  EXPECT_EQ(record.runs, 1);
  EXPECT_TRUE(record.finished);
}

TEST(cThread, LiveListHoldsEachObjectOnceWhileAlive) {
  const std::size_t before = cThread::GetLiveThreads().size();
  Record record_a, record_b;
  {
    Worker a(record_a);
    Worker b(record_b);
    const std::vector<cThread*> live = cThread::GetLiveThreads();
    EXPECT_EQ(std::count(live.begin(), live.end(), &a), 1);
    EXPECT_EQ(std::count(live.begin(), live.end(), &b), 1);
    EXPECT_EQ(live.size(), before + 2);
    a.Resume();
  }
  EXPECT_EQ(cThread::GetLiveThreads().size(), before);
}

}  // namespace
