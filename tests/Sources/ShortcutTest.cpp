// Internet shortcut files: which address is read, which addresses may be opened, and opening a
// file beside the executable.

#include <gtest/gtest.h>

#include "Sources/shell/OpenExeDirectoryFile.h"
#include "Sources/shell/UrlShortcut.h"
#include "platform/os/os.h"
#include "source/core/Singleton.h"
#include "source/properties/cProperties.h"
#include "tests/support/TempDir.h"

namespace {

TEST(ShortcutText, AddressOfTheInternetShortcutSection) {
  EXPECT_EQ(ReadShortcutUrl("[InternetShortcut]\nURL=https://example.org/a\n"), "https://example.org/a");
  EXPECT_EQ(ReadShortcutUrl("[InternetShortcut]\r\nurl = http://example.org/b \r\n"), "http://example.org/b");
  EXPECT_EQ(ReadShortcutUrl("\xEF\xBB\xBF[internetshortcut]\nIconIndex=0\nURL=https://x.org"), "https://x.org");
  EXPECT_EQ(ReadShortcutUrl("URL=https://before.org\n[InternetShortcut]\nURL=https://x.org"), "https://before.org");
  EXPECT_EQ(ReadShortcutUrl("[DEFAULT]\nURL=https://wrong.org\n[InternetShortcut]\nURL=https://right.org\n"),
            "https://right.org");
  EXPECT_EQ(ReadShortcutUrl("[InternetShortcut]\n; URL=https://comment.org\n"), "");
  EXPECT_EQ(ReadShortcutUrl("[InternetShortcut]\nBASEURL=https://base.org\n"), "");
  EXPECT_EQ(ReadShortcutUrl(""), "");
  EXPECT_EQ(ReadShortcutUrl(std::string("URL=https://a.org\0b", 19)), std::string("https://a.org\0b", 15));
  EXPECT_EQ(ReadShortcutUrl("[unterminated\nURL=https://x.org"), "");
}

TEST(ShortcutText, OnlyWebAddressesMayBeOpened) {
  for (const char* address : {"https://example.org/play?x=1", "HTTP://EXAMPLE.ORG"}) {
    EXPECT_TRUE(IsWebAddress(address)) << address;
  }
  for (const std::string& address :
       {std::string("file:///etc/passwd"), std::string("javascript:alert(1)"), std::string("/usr/bin/xterm"),
        std::string("https://"), std::string("https:///path"), std::string("https://example.org/a b"),
        std::string("https://example.org/\x01"), std::string("https://a.org\0b", 15),
        std::string("-https://example.org"), std::string()}) {
    EXPECT_FALSE(IsWebAddress(address)) << address;
  }
}

class ExeDirectoryFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DestroySingletons();
    os::ClearRecordedDesktopRequests();
    cProperties::GetInstance()->SetValue("exe_directory", folder.Path());
  }
  void TearDown() override {
    DestroySingletons();
    os::ClearRecordedDesktopRequests();
  }
  TempDir folder{"velmaris-exe"};
};

// A shortcut opens its address, any other file is opened with the desktop; the current folder
// is as it was.
TEST_F(ExeDirectoryFileTest, AShortcutOpensItsAddressAndOtherFilesOpenWithTheDesktop) {
  folder.WriteFile("website.url", "[InternetShortcut]\nURL=https://example.org/site\n");
  folder.WriteFile("readme.txt", "hello");
  const std::string before = os::GetCurrentDirectory();
  OpenExeDirectoryFile("website.url");
  OpenExeDirectoryFile("readme.txt");
  EXPECT_EQ(os::GetCurrentDirectory(), before);
  ASSERT_EQ(os::RecordedDesktopRequests().size(), 2u);
  EXPECT_EQ(os::RecordedDesktopRequests()[0], "open https://example.org/site");
  EXPECT_NE(os::RecordedDesktopRequests()[1].find("readme.txt"), std::string::npos);
}

TEST_F(ExeDirectoryFileTest, MissingFileOrBadAddressOpensNothing) {
  folder.WriteFile("bad.url", "[InternetShortcut]\nURL=file:///bin/sh\n");
  folder.WriteFile("huge.url", std::string(kMaxShortcutSize, 'x') + "\nURL=https://late.org\n");
  OpenExeDirectoryFile("missing.url");
  OpenExeDirectoryFile("bad.url");
  OpenExeDirectoryFile("huge.url");  // the address lies beyond what is read
  OpenExeDirectoryFile("");
  EXPECT_TRUE(os::RecordedDesktopRequests().empty());
}

}  // namespace
