#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/os/os.h"
#include "source/properties/Conversions.h"
#include "source/properties/NumberText.h"
#include "source/properties/cBoundProperty.h"
#include "source/properties/cProperties.h"
#include "source/xml/XmlNode.h"
#include "tests/support/TempDir.h"

namespace {

class PropertiesStore : public testing::Test {
 protected:
  void SetUp() override { DestroySingletons(); }
  void TearDown() override { DestroySingletons(); }
};

TEST_F(PropertiesStore, StartsWithItsDefaults) {
  cProperties* store = cProperties::GetInstance();
  const std::string exe = os::ExecutableDirectory();
  EXPECT_EQ(store->GetValue("application_name"), "");
  EXPECT_EQ(store->GetValue("application_version"), "");
  EXPECT_EQ(store->GetValue("company name"), "Moskelt");
  EXPECT_EQ(store->GetValue("exe_directory"), exe);
  EXPECT_EQ(store->GetValue("engine_directory"), exe);
  EXPECT_EQ(store->GetValue("log_directory"), exe);
  EXPECT_EQ(store->GetValue("pack_files_directory"), "Data");
  EXPECT_EQ(store->GetValue("log"), "true");
  EXPECT_EQ(store->GetValue("hard_log"), "true");
  EXPECT_EQ(store->GetValue("short_name"), "");
  EXPECT_TRUE(store->GetPersistentKeys().empty());
  EXPECT_EQ(store->GetUserFolder(), "");
}

TEST_F(PropertiesStore, PersistentKeysKeepTheOrderOfMarkingWithoutDuplicates) {
  cProperties* store = cProperties::GetInstance();
  store->MarkPersistent("video_width");
  store->MarkPersistent("music_volume");
  store->MarkPersistent("video_width");
  store->MarkPersistent("anisotropy");
  EXPECT_EQ(store->GetPersistentKeys(), (std::vector<std::string>{"video_width", "music_volume", "anisotropy"}));
}

TEST(NumberText, FormatsLikePrintf) {
  EXPECT_EQ(FormatInt(-2147483647 - 1), "-2147483648");
  EXPECT_EQ(FormatUInt(4294967295u), "4294967295");
  EXPECT_EQ(FormatFloat(0.0), "0.000000");
  EXPECT_EQ(FormatFloat(-0.0000004), "-0.000000");
  EXPECT_EQ(FormatFloat(2.5e-7), "0.000000");
  EXPECT_EQ(FormatFloat(1e20), "100000000000000000000.000000");
  EXPECT_EQ(FormatFloat(3.4028234663852886e38).size(), 46u);
  EXPECT_EQ(UIntToString(0), "0");
  EXPECT_EQ(UIntToString(3000000000u), "3000000000");
  EXPECT_EQ(IntToWideString(-15), u"-15");
}

TEST(NumberText, ScanStopsAtTheFirstNonNumber) {
  std::string_view text = "  12 3.5x";
  int i = 0;
  float f = 0.0f;
  ASSERT_TRUE(ScanInt(text, i));
  EXPECT_EQ(i, 12);
  ASSERT_TRUE(ScanFloat(text, f));
  EXPECT_EQ(f, 3.5f);
  EXPECT_EQ(text, "x");
  EXPECT_FALSE(ScanFloat(text, f));
  EXPECT_EQ(f, 3.5f);
  EXPECT_EQ(text, "x");
}

// Switches the process to a locale with a decimal comma for the life of the object, compiling one
// into a temporary folder when the system has none installed. Active() is false when neither works.
class DecimalCommaLocale {
 public:
  DecimalCommaLocale() {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
      if (TrySet(name)) return;
    }
    const std::string command = "localedef -i de_DE -f UTF-8 '" + (m_dir / "de_DE.UTF-8") + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return;
    setenv("LOCPATH", m_dir.Path().c_str(), 1);
    TrySet("de_DE.UTF-8");
  }
  ~DecimalCommaLocale() {
    std::setlocale(LC_ALL, "C");
    unsetenv("LOCPATH");
  }
  bool Active() const { return m_active; }

 private:
  bool TrySet(const char* name) {
    if (std::setlocale(LC_ALL, name) == nullptr) return false;
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 0.5);
    m_active = std::string(probe) == "0,5";
    if (!m_active) std::setlocale(LC_ALL, "C");
    return m_active;
  }

  TempDir m_dir{"velmaris-locale"};
  bool m_active = false;
};

TEST(NumberText, IgnoresTheProcessLocale) {
  // A player whose desktop uses a decimal comma still gets "0.500000" in the configuration file.
  std::string formatted;
  double parsed = 0.0;
  float scanned = 0.0f;
  int integer = 0;
  {
    DecimalCommaLocale locale;
    if (!locale.Active()) GTEST_SKIP() << "no locale with a decimal comma can be had here";
    formatted = FormatFloat(0.5);
    parsed = ParseDouble("0.75");
    std::string_view text = "1.25";
    ScanFloat(text, scanned);
    integer = ParseDecimalInt("1234");
  }
  EXPECT_EQ(formatted, "0.500000");
  EXPECT_EQ(parsed, 0.75);
  EXPECT_EQ(scanned, 1.25f);
  EXPECT_EQ(integer, 1234);
}

TEST(XmlValues, AttributesFallBackForANullNodeOrAMissingName) {
  XmlNode node("item");
  node.AddAttribute("id")->SetValue("music_volume");
  node.AddAttribute("text")->SetValue("Gr\xC3\xBC\xC3\x9F" "e");
  EXPECT_EQ(GetAttributeValue(&node, "id", "none"), "music_volume");
  EXPECT_EQ(GetAttributeValue(&node, "value", "none"), "none");
  EXPECT_EQ(GetAttributeValue(nullptr, "id", "none"), "none");
  EXPECT_EQ(GetAttributeValueW(&node, "text", u""), u"Gr\u00FC\u00DFe");
  EXPECT_EQ(GetAttributeValueW(&node, "caption", u"fallback"), u"fallback");
  EXPECT_EQ(GetAttributeValueW(nullptr, "text", u"x"), u"x");
}

}  // namespace
