// The game's own built data holds every name the panel's inventory, the speech windows, the help
// pointer and the comics page look up, in both languages.

#include <set>

#include "Sources/adventure/HelpWindow.h"
#include "Sources/adventure/HintWindow.h"
#include "Sources/adventure/Inventory.h"
#include "Sources/adventure/PhraseDatabase.h"
#include "gui/include/cFormResource.h"
#include "gui/include/cTextResource.h"
#include "platform/os/os.h"
#include "source/Resources/cResourceLocation.h"
#include "source/Resources/cXmlResource.h"
#include "source/particle/cParticleResource.h"
#include "source/properties/Conversions.h"
#include "source/render/RenderObject.h"
#include "source/sound/cSoundResource.h"
#include "source/xml/XmlNode.h"
#include "tests/gui/GuiTestSupport.h"

namespace {

class AdventureContentTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    RegisterSoundResourceType();
    for (const char* group : {"data", "localization"}) {
      groups.push_back(std::make_unique<cResourceLocation>(group, os::ExecutableDirectory()));
      ASSERT_TRUE(groups.back()->Mount()) << "no " << group << " beside the tests";
    }
  }
  void TearDown() override {
    groups.clear();
    GuiTest::TearDown();
  }
  // The names of the form's top-level windows.
  static std::set<std::string> Children(const std::string& form_name) {
    cResourcePtr<cFormResource> form;
    std::set<std::string> names;
    if (!form.Assign(form_name)) return names;
    for (const FormElement& child : form->GetRoot().children) names.insert(child.name);
    return names;
  }

  std::vector<std::unique_ptr<cResourceLocation>> groups;
};

TEST_F(AdventureContentTest, EveryNameTheAdventureLooksUpIsInTheData) {
  cResourcePtr<cParticleResource> trail;
  EXPECT_TRUE(trail.Assign(PanelInventory::kFlyEffect));
  cResourcePtr<cSoundResource> page;
  EXPECT_TRUE(page.Assign(HintWindow::kPageSound));

  // The inventory has a model, and a glow, for every item the texts name.
  cResourcePtr<cSceneResource> scene;
  ASSERT_TRUE(scene.Assign(PanelInventory::kScene));
  std::set<std::string> models;
  for (const RenderObject* object : scene->GetObjects()) models.insert(object->GetName());

  // Every speaker has a window with a first line.
  cResourcePtr<cXmlResource> types;
  ASSERT_TRUE(types.Assign(HintWindow::kTypesResource));
  std::set<std::string> speakers;
  for (const XmlNode* type = types->GetRoot().GetFirstChild(); type != nullptr; type = type->GetNext()) {
    speakers.insert(GetAttributeValue(type, "name", ""));
    EXPECT_EQ(Children(GetAttributeValue(type, "resource", "")).count("string_0"), 1u) << GetAttributeValue(type, "name", "");
  }

  for (const char* language : {"en", "ru"}) {
    SCOPED_TRACE(language);
    cResourcePtr<cXmlResource> locations;
    ASSERT_TRUE(locations.Assign(std::string("levels\\text\\") + language + "\\locations"));
    std::set<std::string> named_items;
    std::vector<const XmlNode*> elements = {&locations->GetRoot()};
    for (std::size_t i = 0; i < elements.size(); ++i) {
      for (const XmlNode* child = elements[i]->GetFirstChild(); child != nullptr; child = child->GetNext()) {
        if (child->GetName() == "inventory") named_items.insert(GetAttributeValue(child, "name", ""));
        if (child->GetName() != "hint" && child->GetName() != "location") continue;
        if (child->GetName() == "location") elements.push_back(child);
        for (const XmlNode* line = child->GetFirstChild(); line != nullptr && child->GetName() == "hint"; line = line->GetNext()) {
          EXPECT_EQ(speakers.count(GetAttributeValue(line, "type", "")), 1u) << GetAttributeValue(child, "name", "");
        }
      }
    }
    for (const char* item : {"key", "chart", "letter", "compass", "pearl"}) {
      EXPECT_EQ(named_items.count(item), 1u) << item;
      EXPECT_EQ(models.count(std::string("inventory\\") + item), 1u) << item;
      EXPECT_EQ(models.count(std::string("inventory\\") + item + "_a"), 1u) << item;
    }
    // The hero's defaults and the pages' captions are in the text table.
    cResourcePtr<cTextResource> texts;
    ASSERT_TRUE(texts.Assign(language));
    std::vector<std::string> keys(PhraseDatabase::kDefaultPhraseKeys.begin(), PhraseDatabase::kDefaultPhraseKeys.end());
    for (const char* key : {"HIT_MOUSE_BUTTON_TO_CONTINUE", "COMICS_1_TEXT_0", "COMICS_1_TEXT_1", "helphero",
                            "helpinventory", "helpdiary", "helphint", "helpmap", "helplens", "ispy1", "ispy2", "ispy4"}) {
      keys.push_back(key);
    }
    for (const std::string& key : keys) EXPECT_FALSE(texts->GetTexts()[key].empty()) << key;
  }

  const std::set<std::string> help = Children(HelpWindow::kForm);
  for (const char* name : {"box", "help_arrow_left", "help_arrow_right"}) EXPECT_EQ(help.count(name), 1u) << name;
  for (int i = 0; i < HelpWindow::kTextStatics; ++i) EXPECT_EQ(help.count("help_text_" + std::to_string(i)), 1u) << i;
  EXPECT_FALSE(Children("gui\\comics\\comics_1").empty());
}

}  // namespace
