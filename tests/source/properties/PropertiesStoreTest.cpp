#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "platform/os/os.h"
#include "source/properties/Conversions.h"
#include "source/properties/NumberText.h"
#include "source/properties/cBoundProperty.h"
#include "source/properties/cProperties.h"
#include "source/xml/XmlNode.h"

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
}

TEST_F(PropertiesStore, SetValueGivesAnUnknownKeyATextValue) {
  cProperties* store = cProperties::GetInstance();
  store->SetValue("short_name", "tarvel");
  EXPECT_EQ(store->GetValue("short_name"), "tarvel");
  store->SetValue("short_name", "");
  EXPECT_EQ(store->GetValue("short_name"), "");
}

TEST_F(PropertiesStore, AManagerBindingAtItsCreationReceivesTheLoadedText) {
  cProperties* store = cProperties::GetInstance();
  store->SetValue("music_volume", "0.5");  // as the configuration file left it
  float music_volume = 1.0f;
  float sound_volume = 1.0f;
  BindProperty(store->GetMap(), "music_volume", &music_volume);
  BindProperty(store->GetMap(), "sound_volume", &sound_volume);
  EXPECT_EQ(music_volume, 0.5f);
  EXPECT_EQ(sound_volume, 1.0f);  // absent from the file: the binder's default
  EXPECT_EQ(store->GetValue("sound_volume"), "1.000000");
  store->SetValue("sound_volume", "0.25");
  EXPECT_EQ(sound_volume, 0.25f);
  SetPropertyBinding(store->GetMap(), "music_volume", PropertyPtr());  // before the variables go
  SetPropertyBinding(store->GetMap(), "sound_volume", PropertyPtr());
}

TEST_F(PropertiesStore, PersistentKeysKeepTheOrderOfMarkingWithoutDuplicates) {
  cProperties* store = cProperties::GetInstance();
  store->MarkPersistent("video_width");
  store->MarkPersistent("music_volume");
  store->MarkPersistent("video_width");
  store->MarkPersistent("anisotropy");
  EXPECT_EQ(store->GetPersistentKeys(), (std::vector<std::string>{"video_width", "music_volume", "anisotropy"}));
}

TEST_F(PropertiesStore, KeepsTheUserFolder) {
  cProperties* store = cProperties::GetInstance();
  EXPECT_EQ(store->GetUserFolder(), "");
  store->SetUserFolder("/data\\Moskelt\\tarvel");
  EXPECT_EQ(store->GetUserFolder(), "/data\\Moskelt\\tarvel");
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

TEST(NumberText, IgnoresTheProcessLocale) {
  // A player whose desktop uses a decimal comma still gets "0.500000" in the configuration file.
  const char* german = nullptr;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR.utf8"}) {
    if (std::setlocale(LC_ALL, name) != nullptr) {
      german = name;
      break;
    }
  }
  if (german == nullptr) GTEST_SKIP() << "no locale with a decimal comma is installed";
  const std::string formatted = FormatFloat(0.5);
  const double parsed = ParseDouble("0.75");
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(formatted, "0.500000");
  EXPECT_EQ(parsed, 0.75);
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
