// The crash handler in forked children that really fail: each writes its report through the
// callback and then dies by the signal it got, as it would have without the handler.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/crash/crash.h"
#include "tests/support/TempDir.h"

namespace crash {
namespace {

char g_report_path[kPathSize];
char g_reporter_path[kPathSize];

void CountModule(const Module&, void* context) { ++*static_cast<int*>(context); }

void Line(int fd, const char* key, int64_t value) {
  WriteText(fd, key);
  WriteText(fd, "=");
  WriteDecimal(fd, value);
  WriteText(fd, "\n");
}

// A report as the program's writer makes one: only async-signal-safe calls.
void WriteReport(const CrashInfo& info) {
  const int fd = OpenReport(g_report_path);
  Line(fd, "signal", info.signal);
  WriteText(fd, "name=");
  WriteText(fd, SignalName(info.signal));
  WriteText(fd, "\n");
  Line(fd, "overflow", info.stack_overflow ? 1 : 0);
  Line(fd, "terminate", info.terminate ? 1 : 0);
  WriteText(fd, "fault=");
  WriteHex(fd, reinterpret_cast<uintptr_t>(info.fault_address), 8);
  WriteText(fd, "\n");
  Line(fd, "registers", info.registers.valid ? 1 : 0);
  Line(fd, "rip_set", info.registers.rip != 0 && info.registers.rsp != 0 ? 1 : 0);
  WriteText(fd, "cs=");
  WriteHex(fd, info.registers.cs, 4);
  WriteText(fd, "\n");
  Line(fd, "frames", info.frame_count);
  WriteText(fd, "date=");
  WriteDecimal(fd, info.time.year, 4);
  WriteText(fd, "-");
  WriteDecimal(fd, info.time.month, 2);
  WriteText(fd, "-");
  WriteDecimal(fd, info.time.day, 2);
  WriteText(fd, "\ncwd=");
  WriteText(fd, info.current_directory);
  WriteText(fd, "\nexe=");
  WriteText(fd, info.executable);
  WriteText(fd, "\nexception=");
  WriteText(fd, info.exception_type != nullptr ? info.exception_type : "-");
  WriteText(fd, "\n");
  int modules = 0;
  ForEachModule(&CountModule, &modules);
  Line(fd, "modules", modules);
  WriteText(fd, "end\n");
  CloseReport(fd);
  if (g_reporter_path[0] != '\0') StartProgram(g_reporter_path);
}

__attribute__((no_sanitize_undefined)) void CrashingReport(const CrashInfo&) {
  volatile int* volatile nowhere = nullptr;
  *nowhere = 1;
}

// A report that never ends, as one stuck on a lock held by a thread that will never run again.
void HangingReport(const CrashInfo&) {
  for (;;) pause();
}

__attribute__((no_sanitize_undefined)) void WriteThroughNull() {
  volatile int* volatile nowhere = nullptr;
  *nowhere = 42;
}

volatile bool g_forever = true;

__attribute__((noinline)) int Recurse(int depth) {
  volatile char frame[512];
  frame[0] = static_cast<char>(depth);
  if (g_forever) return Recurse(depth + 1) + frame[0];
  return frame[0];
}

void OverflowTheStack() { Recurse(0); }

void Abort() { std::abort(); }

[[noreturn]] void ThrowRuntimeError() { throw std::runtime_error("escaped"); }
void (*volatile g_thrower)() = &ThrowRuntimeError;
void LetAnExceptionEscape() noexcept { g_thrower(); }

void CallTerminate() { std::terminate(); }
void RaiseBus() { raise(SIGBUS); }
void RaiseIll() { raise(SIGILL); }
void RaiseFpe() { raise(SIGFPE); }

class CrashHandler : public testing::Test {
 protected:
  void SetUp() override {
    std::strncpy(g_report_path, (m_dir / "crash.txt").c_str(), kPathSize - 1);
    g_reporter_path[0] = '\0';
  }

  // Runs `fail` in a child with the handler installed; returns the child's wait status. A child
  // that has not ended after a minute is killed (SIGKILL), so a hang fails the test instead of
  // stopping it.
  int RunChild(void (*fail)(), Handler handler = &WriteReport, unsigned time_limit = kDefaultReportTimeLimit) {
    const pid_t child = fork();
    if (child == 0) {
      // No core files from the children.
      struct rlimit none{0, 0};
      setrlimit(RLIMIT_CORE, &none);
      prctl(PR_SET_DUMPABLE, 0);
      SetReportTimeLimit(time_limit);
      if (!Install(handler)) _exit(90);
      fail();
      _exit(91);
    }
    int status = 0;
    pid_t ended = 0;
    for (int i = 0; i < 6000 && ended == 0; ++i) {
      ended = waitpid(child, &status, WNOHANG);
      if (ended == 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (ended == 0) {
      kill(child, SIGKILL);
      ended = waitpid(child, &status, 0);
    }
    EXPECT_EQ(ended, child);
    return status;
  }

  std::string Report() const { return m_dir.ReadFile("crash.txt"); }

  static void ExpectDiedBy(int status, int signal_number) {
    ASSERT_TRUE(WIFSIGNALED(status)) << "exit status " << (WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    EXPECT_EQ(WTERMSIG(status), signal_number);
  }

  void ExpectCommonFacts(const std::string& report) const {
    EXPECT_NE(report.find("registers=1\n"), std::string::npos);
    EXPECT_NE(report.find("rip_set=1\n"), std::string::npos);
    EXPECT_EQ(report.find("frames=0\n"), std::string::npos);
    EXPECT_NE(report.find("date=20"), std::string::npos);
    char cwd[kPathSize];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_NE(report.find(std::string("cwd=") + cwd + "\n"), std::string::npos);
    EXPECT_NE(report.find("exe=/"), std::string::npos);
    EXPECT_NE(report.find("test_platform_crash\n"), std::string::npos);
    EXPECT_EQ(report.find("modules=0\n"), std::string::npos);
    EXPECT_NE(report.find("end\n"), std::string::npos);
  }

  TempDir m_dir{"crash-handler"};
};

// Each way of dying is reported once, with the facts that tell it apart, and the process still dies
// by the signal it would have died by.
TEST_F(CrashHandler, EachWayOfDyingIsReportedWithItsFacts) {
  const struct {
    void (*fail)();
    int signal_number;
    std::vector<std::string> facts;
    bool in_a_signal;  // the registers and the frames are known
  } cases[] = {
      {&WriteThroughNull, SIGSEGV, {"signal=11\nname=SIGSEGV\n", "overflow=0\n", "fault=00000000\n"}, true},
      {&OverflowTheStack, SIGSEGV, {"signal=11\n", "overflow=1\n"}, true},
      {&Abort, SIGABRT, {"signal=6\nname=SIGABRT\n", "terminate=0\n"}, true},
      {&LetAnExceptionEscape, SIGABRT, {"terminate=1\n", "exception=St13runtime_error\n"}, true},
      {&CallTerminate, SIGABRT, {"terminate=1\n", "exception=-\n"}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.facts.front());
    std::remove((m_dir / "crash.txt").c_str());
    ExpectDiedBy(RunChild(c.fail), c.signal_number);
    const std::string report = Report();
    for (const std::string& fact : c.facts) EXPECT_NE(report.find(fact), std::string::npos) << report;
    EXPECT_EQ(report.find("end\n"), report.rfind("end\n"));  // the abort after a report writes nothing more
    if (c.in_a_signal) ExpectCommonFacts(report);
  }
}

// The code segment of a report made outside a signal is the process's own, as in a fault's.
TEST_F(CrashHandler, ATerminateReportHasTheSameCodeSegmentAsAFaultReport) {
  const auto code_segment = [](const std::string& report) {
    const std::size_t at = report.find("cs=");
    return at == std::string::npos ? std::string("none") : report.substr(at, report.find('\n', at) - at);
  };
  ExpectDiedBy(RunChild(&WriteThroughNull), SIGSEGV);
  const std::string fault = code_segment(Report());
  ExpectDiedBy(RunChild(&CallTerminate), SIGABRT);
  const std::string terminate = code_segment(Report());
  EXPECT_NE(fault, "cs=0000");
  EXPECT_EQ(terminate, fault);
}

TEST_F(CrashHandler, EveryCaughtSignalIsReportedAndKept) {
  struct Case {
    void (*fail)();
    int signal_number;
  };
  for (const Case& c : {Case{&RaiseBus, SIGBUS}, Case{&RaiseIll, SIGILL}, Case{&RaiseFpe, SIGFPE}}) {
    ExpectDiedBy(RunChild(c.fail), c.signal_number);
    const std::string report = Report();
    EXPECT_NE(report.find("signal=" + std::to_string(c.signal_number) + "\n"), std::string::npos)
        << report;
    EXPECT_NE(report.find(std::string("name=") + SignalName(c.signal_number)), std::string::npos);
  }
}

#if defined(__SANITIZE_THREAD__)
constexpr bool kThreadSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
constexpr bool kThreadSanitizer = true;
#else
constexpr bool kThreadSanitizer = false;
#endif
#else
constexpr bool kThreadSanitizer = false;
#endif

TEST_F(CrashHandler, AReportThatFailsItselfStillEndsTheProcess) {
  const int status = RunChild(&Abort, &CrashingReport);
  if (kThreadSanitizer) {
    // The thread sanitizer ends a process that faults inside a signal handler itself.
    ASSERT_TRUE(WIFSIGNALED(status));
    return;
  }
  ExpectDiedBy(status, SIGABRT);
}

TEST_F(CrashHandler, AReportThatNeverEndsIsGivenUpAndTheProcessDiesByItsSignal) {
  ExpectDiedBy(RunChild(&WriteThroughNull, &HangingReport, 1), SIGSEGV);
  ExpectDiedBy(RunChild(&Abort, &HangingReport, 1), SIGABRT);
  ExpectDiedBy(RunChild(&LetAnExceptionEscape, &HangingReport, 1), SIGABRT);
}

TEST_F(CrashHandler, TheReporterIsStartedFromTheHandler) {
  m_dir.WriteFile("reporter.sh", "#!/bin/sh\ncp \"$(dirname \"$0\")/crash.txt\" \"$0.copy\"\n");
  ASSERT_EQ(chmod((m_dir / "reporter.sh").c_str(), 0755), 0);
  std::strncpy(g_reporter_path, (m_dir / "reporter.sh").c_str(), kPathSize - 1);
  ExpectDiedBy(RunChild(&WriteThroughNull), SIGSEGV);
  struct stat status;
  bool ran = false;
  for (int i = 0; i < 500 && !ran; ++i) {
    ran = stat((m_dir / "reporter.sh.copy").c_str(), &status) == 0 && status.st_size > 0;
    if (!ran) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(ran);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_NE(m_dir.ReadFile("reporter.sh.copy").find("end\n"), std::string::npos);
}

TEST(CrashInstall, ANullHandlerIsRefused) { EXPECT_FALSE(Install(nullptr)); }

}  // namespace
}  // namespace crash
