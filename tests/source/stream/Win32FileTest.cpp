#include <gtest/gtest.h>

#include <string>

#include "platform/os/os.h"
#include "source/log/cLog.h"
#include "source/stream/cFileStream.h"
#include "source/win32/cWin32File.h"
#include "tests/support/TempDir.h"

namespace {

// Makes `path` the current folder for the life of the object.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::string& path) : m_old(os::GetCurrentDirectory()) {
    os::SetCurrentDirectory(path);
  }
  ~CurrentFolder() { os::SetCurrentDirectory(m_old); }

 private:
  std::string m_old;
};

// What the log page holds now ("" before the log is opened, when entries go to stderr).
std::string LogPage() {
  cLog* log = cLog::PeekInstance();
  if (log == nullptr || log->GetPath().empty()) return std::string();
  cFileStream page(log->GetPath(), 3, 2, 2);
  std::string bytes(page.GetSize(), '\0');
  bytes.resize(page.Read(bytes.data(), page.GetSize()));
  return bytes;
}

}  // namespace

TEST(Win32FilePath, CutsTheCurrentFolderAndOneSeparator) {
  EXPECT_EQ(cWin32File::ShortenPath("/games\\data\\a.tga", "/games"), "data\\a.tga");
  EXPECT_EQ(cWin32File::ShortenPath("/games/data/a.tga", "/games"), "data/a.tga");
  EXPECT_EQ(cWin32File::ShortenPath("/games\\\\a", "/games"), "\\a") << "only one separator";
  EXPECT_EQ(cWin32File::ShortenPath("/a/b", "/"), "a/b");
}

TEST(Win32FilePath, CutsOnlyAWholeFolderName) {
  EXPECT_EQ(cWin32File::ShortenPath("/gamesX/a", "/games"), "/gamesX/a");
  EXPECT_EQ(cWin32File::ShortenPath("/games", "/games"), "/games");
  EXPECT_EQ(cWin32File::ShortenPath("/gam", "/games"), "/gam");
  EXPECT_EQ(cWin32File::ShortenPath("/other/games/a", "/games"), "/other/games/a");
  EXPECT_EQ(cWin32File::ShortenPath("data\\a", "/games"), "data\\a");
  EXPECT_EQ(cWin32File::ShortenPath("/games/a", ""), "/games/a");
}

TEST(Win32FilePath, OpensTheShortenedPathRelativeToTheCurrentFolder) {
  TempDir dir("velmaris-cwd");
  dir.WriteFile("data/a.bin", "inside");
  CurrentFolder current(dir.Path());
  const std::string here = os::GetCurrentDirectory();
  cFileStream stream(here + "\\data\\a.bin", 3, 2, 2);
  ASSERT_TRUE(stream.IsOpen());
  EXPECT_EQ(stream.GetSize(), 6u);
}

TEST(Win32FileLog, FailedOpenIsLoggedOnceWithTheShortenedPath) {
  TempDir dir("velmaris-cwd");
  CurrentFolder current(dir.Path());
  const std::string here = os::GetCurrentDirectory();
  const std::size_t page_before = LogPage().size();
  testing::internal::CaptureStderr();
  cFileStream stream(here + "\\data\\missing.bin", 3, 2, 2);
  const std::string logged =
      testing::internal::GetCapturedStderr() + LogPage().substr(page_before);
  EXPECT_FALSE(stream.IsOpen());
  const std::string message = "Could not open file: data\\missing.bin error: 2";
  EXPECT_NE(logged.find("sources\\win32\\cWin32File(35): Error: " + message), std::string::npos)
      << logged;
  EXPECT_EQ(logged.find(message), logged.rfind(message)) << "logged once";
}
