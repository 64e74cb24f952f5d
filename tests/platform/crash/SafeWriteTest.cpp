// The crash service's writers, module list and program start: all usable inside a signal handler.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "platform/crash/crash.h"
#include "platform/crash/posix/ProcessInfo.h"
#include "tests/support/TempDir.h"

namespace crash {
namespace {

std::string Decimal(int64_t value, int digits = 0) {
  char buffer[64];
  const std::size_t length = FormatDecimal(buffer, sizeof buffer, value, digits);
  return std::string(buffer, length);
}

std::string Hex(uint64_t value, int digits = 0) {
  char buffer[64];
  const std::size_t length = FormatHex(buffer, sizeof buffer, value, digits);
  return std::string(buffer, length);
}

TEST(CrashFormat, DecimalAndUpperCaseHexWithZeroPaddingInBuffersThatHoldThem) {
  EXPECT_EQ(Decimal(0), "0");
  EXPECT_EQ(Decimal(7, 2), "07");
  EXPECT_EQ(Decimal(26, 2), "26");
  EXPECT_EQ(Decimal(123, 2), "123");
  EXPECT_EQ(Decimal(-45), "-45");
  EXPECT_EQ(Decimal(-5, 4), "-0005");
  EXPECT_EQ(Decimal(INT64_MAX), "9223372036854775807");
  EXPECT_EQ(Decimal(INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(Hex(0, 8), "00000000");
  EXPECT_EQ(Hex(0xDEADBEEF, 8), "DEADBEEF");
  EXPECT_EQ(Hex(0x1b, 4), "001B");
  EXPECT_EQ(Hex(UINT64_MAX), "FFFFFFFFFFFFFFFF");
  EXPECT_EQ(Hex(0x123456789ULL, 8), "123456789");
  // A buffer too small takes nothing.
  char buffer[4] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(FormatDecimal(buffer, sizeof buffer, 1234), 0u);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(FormatDecimal(buffer, sizeof buffer, 123), 3u);
  EXPECT_STREQ(buffer, "123");
  EXPECT_EQ(FormatHex(buffer, 0, 1), 0u);
  EXPECT_EQ(FormatHex(buffer, sizeof buffer, 1, 1000), 0u);  // padding is bounded too
}

TEST(CrashWrite, TextAndNumbersReachTheFile) {
  TempDir dir("crash-write");
  const int fd = OpenReport((dir / "report.txt").c_str());
  ASSERT_GE(fd, 0);
  EXPECT_TRUE(WriteText(fd, "EAX="));
  EXPECT_TRUE(WriteHex(fd, 0xAB, 8));
  EXPECT_TRUE(WriteText(fd, " day "));
  EXPECT_TRUE(WriteDecimal(fd, 9, 2));
  EXPECT_TRUE(WriteBytes(fd, "\n", 1));
  CloseReport(fd);
  EXPECT_EQ(dir.ReadFile("report.txt"), "EAX=000000AB day 09\n");

  // A second report replaces the first.
  const int again = OpenReport((dir / "report.txt").c_str());
  ASSERT_GE(again, 0);
  WriteText(again, "new");
  CloseReport(again);
  EXPECT_EQ(dir.ReadFile("report.txt"), "new");

  EXPECT_FALSE(WriteText(-1, "x"));
  EXPECT_FALSE(WriteText(fd, nullptr));
  EXPECT_EQ(OpenReport((dir / "missing/folder/report.txt").c_str()), -1);
  EXPECT_EQ(OpenReport(nullptr), -1);
  const std::string too_long(kPathSize + 10, 'a');
  EXPECT_EQ(OpenReport(too_long.c_str()), -1);

  // The engine's own separator.
  std::filesystem::create_directories(dir / "sub");
  const int nested = OpenReport((dir.Path() + "\\sub\\crash.txt").c_str());
  ASSERT_GE(nested, 0);
  CloseReport(nested);
  EXPECT_TRUE(std::filesystem::exists(dir / "sub/crash.txt"));
}

TEST(CrashTime, CivilDates) {
  const struct {
    int64_t seconds;
    int year, month, day, hour, minute, second;
  } cases[] = {
      {0, 1970, 1, 1, 0, 0, 0},
      {951782400 + 3600 * 13 + 60 * 14 + 15, 2000, 2, 29, 13, 14, 15},
      {1798761599, 2026, 12, 31, 23, 59, 59},
      {-1, 1969, 12, 31, 23, 59, 59},
  };
  for (const auto& c : cases) {
    const LocalTime t = CivilTime(c.seconds);
    EXPECT_EQ((std::vector<int>{t.year, t.month, t.day, t.hour, t.minute, t.second}),
              (std::vector<int>{c.year, c.month, c.day, c.hour, c.minute, c.second}))
        << c.seconds;
  }
}

TEST(CrashTime, TheCurrentDirectoryIsRead) {
  char buffer[kPathSize];
  CurrentDirectory(buffer, sizeof buffer);
  char expected[kPathSize];
  ASSERT_NE(getcwd(expected, sizeof expected), nullptr);
  EXPECT_STREQ(buffer, expected);
  char tiny[2] = {'x', 'x'};
  CurrentDirectory(tiny, sizeof tiny);  // too small: empty, terminated
  EXPECT_EQ(tiny[sizeof tiny - 1], '\0');
}

TEST(CrashModules, TheProgramAndTheCLibraryAreListedAndAddressesFoundInThem) {
  CaptureProcessFacts();
  std::vector<Module> modules;
  const int count = ForEachModule(
      [](const Module& module, void* context) {
        static_cast<std::vector<Module>*>(context)->push_back(module);
      },
      &modules);
  ASSERT_EQ(count, static_cast<int>(modules.size()));
  ASSERT_GE(count, 2);
  EXPECT_NE(std::string(modules[0].path).find("test_platform_crash"), std::string::npos);
  bool libc = false;
  for (const Module& module : modules) {
    libc = libc || std::string(module.path).find("libc.so") != std::string::npos;
  }
  EXPECT_TRUE(libc);
  EXPECT_EQ(ForEachModule(nullptr, nullptr), 0);
  // An address is found in its module.
  Module module;
  ASSERT_TRUE(FindModule(reinterpret_cast<const void*>(&Decimal), &module));
  EXPECT_NE(std::string(module.path).find("test_platform_crash"), std::string::npos);
  EXPECT_LE(module.base, reinterpret_cast<uintptr_t>(&Decimal));
  EXPECT_GT(module.base + module.size, reinterpret_cast<uintptr_t>(&Decimal));
  ASSERT_TRUE(FindModule(reinterpret_cast<const void*>(&getpid), &module));
  EXPECT_NE(std::string(module.path).find("libc"), std::string::npos);
  EXPECT_FALSE(FindModule(reinterpret_cast<const void*>(16), &module));
  EXPECT_FALSE(FindModule(nullptr, nullptr));

  const char* name = nullptr;
  uintptr_t offset = 99;
  ASSERT_TRUE(FindSymbol(reinterpret_cast<const char*>(&getpid) + 3, &name, &offset));
  EXPECT_NE(std::string(name).find("getpid"), std::string::npos);
  EXPECT_EQ(offset, 3u);
  EXPECT_FALSE(FindSymbol(reinterpret_cast<const void*>(16), &name, &offset));
}

TEST(CrashNames, Signals) {
  EXPECT_STREQ(SignalName(SIGSEGV), "SIGSEGV");
  EXPECT_STREQ(SignalName(SIGBUS), "SIGBUS");
  EXPECT_STREQ(SignalName(SIGILL), "SIGILL");
  EXPECT_STREQ(SignalName(SIGFPE), "SIGFPE");
  EXPECT_STREQ(SignalName(SIGABRT), "SIGABRT");
  EXPECT_STREQ(SignalName(SIGUSR1), "signal");
}

// Waits up to a few seconds for a file to appear.
bool AppearsSoon(const std::string& path) {
  struct stat status;
  for (int i = 0; i < 500; ++i) {
    if (stat(path.c_str(), &status) == 0) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

TEST(CrashStartProgram, OnlyAnExecutableFileIsStarted) {
  TempDir dir("crash-start");
  EXPECT_FALSE(StartProgram((dir / "missing").c_str()));
  EXPECT_FALSE(StartProgram(dir.Path().c_str()));  // a folder
  EXPECT_FALSE(StartProgram(nullptr));
  EXPECT_FALSE(StartProgram(""));
  dir.WriteFile("plain.sh", "#!/bin/sh\ntouch \"$0.ran\"\n");
  EXPECT_FALSE(StartProgram((dir / "plain.sh").c_str()));  // not executable

  dir.WriteFile("reporter.sh", "#!/bin/sh\ntouch \"$0.ran\"\n");
  ASSERT_EQ(chmod((dir / "reporter.sh").c_str(), 0755), 0);
  ASSERT_TRUE(StartProgram((dir / "reporter.sh").c_str()));
  EXPECT_TRUE(AppearsSoon(dir / "reporter.sh.ran"));
  dir.WriteFile("bin/mb.sh", "#!/bin/sh\ntouch \"$0.ran\"\n");
  ASSERT_EQ(chmod((dir / "bin/mb.sh").c_str(), 0755), 0);
  ASSERT_TRUE(StartProgram((dir.Path() + "\\bin\\mb.sh").c_str()));
  EXPECT_TRUE(AppearsSoon(dir / "bin/mb.sh.ran"));
  while (waitpid(-1, nullptr, 0) > 0) {
  }
}

}  // namespace
}  // namespace crash
