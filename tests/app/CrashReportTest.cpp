// Crash reports: a child process installs the program's crash handler and fails in one way or
// another; it must leave "crash.txt" in its current folder, start the reporter only when one may
// run, and die by its signal.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <regex>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/sources/CrashReport.h"
#include "tests/support/TempDir.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

struct ChildEnd {
  bool signalled = false;
  int signal = 0;
  int exit_code = -1;
};

// Runs `fail` in a child whose current folder is `folder`, with the crash handler installed.
ChildEnd RunFailingChild(const std::string& folder, const std::function<void()>& fail) {
  const pid_t child = fork();
  if (child == 0) {
    if (chdir(folder.c_str()) != 0) _exit(90);
    if (!InstallCrashHandler(&WriteCrashReport)) _exit(91);
    fail();
    _exit(92);  // the failure did not happen
  }
  ChildEnd end;
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return end;
  end.signalled = WIFSIGNALED(status);
  end.signal = end.signalled ? WTERMSIG(status) : 0;
  end.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return end;
}

// A page nobody may touch: writing to it is a real access violation (a null pointer would be
// caught by the undefined-behaviour checker before the processor faults).
volatile int* ForbiddenPage() {
  static void* page = mmap(nullptr, 4096, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  return static_cast<volatile int*>(page);
}

void WriteThroughNull() { *ForbiddenPage() = 42; }

// Deep enough to run out of stack; each call keeps a frame the optimiser cannot fold away.
int Recurse(int depth) {
  if (depth > (1 << 30)) return 0;  // never reached: the stack runs out long before
  volatile char frame[512];
  frame[depth % 512] = static_cast<char>(depth);
  return Recurse(depth + 1) + frame[(depth * 7) % 512];
}

void Throw() { throw std::runtime_error("escaped"); }
void (*volatile g_thrower)() = &Throw;
void ThrowOutOfNoexcept() noexcept { g_thrower(); }

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(CrashReport, AccessViolationIsReportedAndTheProcessDiesBySegv) {
  TempDir folder;
  // Mapped before the child is made, so that the child writes to the page whose address this
  // process checks: mapped in each process apart, the two may lie at different addresses.
  ForbiddenPage();
  const ChildEnd end = RunFailingChild(folder.Path(), WriteThroughNull);
  EXPECT_TRUE(end.signalled) << "exit code " << end.exit_code;
  EXPECT_EQ(end.signal, SIGSEGV);
  const std::string report = ReadWholeFile(folder / "crash.txt");
  EXPECT_EQ(report.rfind("Date: ", 0), 0u) << report;
  EXPECT_EQ(report.substr(23, 2), "\n\n");  // "Date: MM-DD-YY HH:MM:SS"
  EXPECT_TRUE(Contains(report, "   0x")) << report;  // the module list
  EXPECT_TRUE(Contains(report, "test_app")) << report;
  EXPECT_TRUE(Contains(report, " caused an EXCEPTION_ACCESS_VIOLATION (SIGSEGV) in module ")) << report;
  char address[32];
  std::snprintf(address, sizeof address, "at 0x%08llX",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(ForbiddenPage())));
  EXPECT_TRUE(Contains(report, std::string("The faulting access was ") + address)) << report;
  for (const char* registers : {"RAX=", "RIP=", "R15="}) EXPECT_TRUE(Contains(report, registers)) << report;
  // The segment line in its known layout, then the stack under the heading the reporter seeks.
  EXPECT_TRUE(std::regex_search(report, std::regex("\nCS=[0-9A-F]{4}   DS=[0-9A-F]{4}  SS=[0-9A-F]{4}  "
                                                   "ES=[0-9A-F]{4}   FS=[0-9A-F]{4}  GS=[0-9A-F]{4}\n"
                                                   "Stack trace \\(DBGHELP\\.dll\\):\n")))
      << report;
  EXPECT_FALSE(Contains(report, "SS=0000")) << report;  // a 64-bit process always has a stack segment
  if (std::getenv("VELMARIS_SHOW_CRASH_REPORT") != nullptr) std::fputs(report.c_str(), stdout);
}

// Each other way to fail is reported under its own name, and the process still dies by its signal
// when the folder cannot take the report.
TEST(CrashReport, EachFailureIsReportedAndTheProcessDiesByItsSignal) {
  const struct {
    const char* name;
    std::function<void()> fail;
    int signal;
    std::vector<const char*> said;  // in the report
    const char* blocker;            // a folder where the report would go, or null
  } cases[] = {
      {"a stack overflow", [] { Recurse(0); }, SIGSEGV, {"caused an EXCEPTION_STACK_OVERFLOW"}, nullptr},
      {"an abort", [] { std::abort(); }, SIGABRT, {"(SIGABRT)"}, nullptr},
      {"an escaped exception", ThrowOutOfNoexcept, SIGABRT, {"unhandled C++ exception (SIGABRT, ", "runtime_error"}, nullptr},
      {"a folder that cannot take the report", WriteThroughNull, SIGSEGV, {}, "crash.txt/blocker"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir folder;
    if (c.blocker != nullptr) folder.WriteFile(c.blocker, "");
    const ChildEnd end = RunFailingChild(folder.Path(), c.fail);
    EXPECT_TRUE(end.signalled);
    EXPECT_EQ(end.signal, c.signal);
    if (c.said.empty()) continue;
    const std::string report = ReadWholeFile(folder / "crash.txt");
    for (const char* part : c.said) EXPECT_TRUE(Contains(report, part)) << report;
  }
}

TEST(CrashReport, ReporterRunsOnlyWhenInstalledAndExecutable) {
  for (const bool executable : {true, false}) {
    SCOPED_TRACE(executable ? "executable" : "not executable");
    TempDir folder;
    folder.WriteFile("bin/mb.dll", "#!/bin/sh\necho ran > reporter-ran\n");
    chmod((folder / "bin/mb.dll").c_str(), executable ? 0755 : 0644);
    EXPECT_EQ(RunFailingChild(folder.Path(), WriteThroughNull).signal, SIGSEGV);
    // The reporter is not waited for.
    for (int i = 0; i < 200 && access((folder / "reporter-ran").c_str(), F_OK) != 0; ++i) usleep(10000);
    EXPECT_EQ(access((folder / "reporter-ran").c_str(), F_OK) == 0, executable);
    EXPECT_TRUE(Contains(ReadWholeFile(folder / "crash.txt"), "EXCEPTION_ACCESS_VIOLATION"));
  }
}

TEST(CrashReport, NullHandlerIsRefused) { EXPECT_FALSE(InstallCrashHandler(nullptr)); }

TEST(CrashReport, ExceptionNames) {
  const struct {
    int signal, code;
    bool stack_overflow;
    const char* name;
  } cases[] = {{SIGFPE, FPE_INTDIV, false, "EXCEPTION_INT_DIVIDE_BY_ZERO"}, {SIGFPE, FPE_FLTDIV, false, "EXCEPTION_FLT_DIVIDE_BY_ZERO"},
               {SIGILL, ILL_ILLOPC, false, "EXCEPTION_ILLEGAL_INSTRUCTION"}, {SIGILL, ILL_PRVOPC, false, "EXCEPTION_PRIV_INSTRUCTION"},
               {SIGBUS, BUS_ADRALN, false, "EXCEPTION_DATATYPE_MISALIGNMENT"}, {SIGBUS, BUS_ADRERR, false, "EXCEPTION_IN_PAGE_ERROR"},
               {SIGSEGV, BUS_ADRERR, false, "EXCEPTION_ACCESS_VIOLATION"}, {SIGSEGV, BUS_ADRERR, true, "EXCEPTION_STACK_OVERFLOW"}};
  for (const auto& c : cases) {
    crash::CrashInfo info;
    info.signal = c.signal;
    info.code = c.code;
    info.stack_overflow = c.stack_overflow;
    EXPECT_STREQ(GetExceptionName(info), c.name) << c.signal << " " << c.code;
  }
}

}  // namespace
