// Scenes and forms: XML and the binary form give the same records and element tree, from a folder
// and from a pack; a hand-made byte image reads as meant; truncated and damaged images are refused
// whole; a declared form released and taken again comes back whole; models are drawn only while a
// window shows them, a static's helper box never; and a form builds its widgets in its order.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gui/include/FormBuilder.h"
#include "gui/include/GUIAttribute.h"
#include "gui/include/GUIStateWindow.h"
#include "gui/include/GUIWidgetFactory.h"
#include "gui/include/cFormResource.h"
#include "source/Resources/cResourceLocation.h"
#include "source/render/ModelManager.h"
#include "source/render/RenderObject.h"
#include "source/shaders/ShaderDescriptor.h"
#include "source/stream/Encoding.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/source/model/ModelTestUtil.h"
#include "tests/support/Found.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

const char kFormName[] = "gui\\windows\\main_menu";

const char kFormXml[] =
    "<models>"
    "<model name=\"panel\" order=\"2\" speed=\"1.5\" kind=\"b\">"
    "<state name=\"appear\" frames=\"10 19\" loop=\"true\" speed=\"9\"/><state name=\"working\" frames=\"3 4\"/></model>"
    "<model name=\"button\"/><model name=\"button\" order=\"7\"/><model name=\"ghost\"/>"
    "</models>"
    "<shaders><shader name=\"panel\" diffuse=\"textures\\gui\\wood\" clamp=\"true\"/>"
    "<shader name=\"spark\" diffuse=\"textures\\fx\" sanim=\"1\" swidth=\"4\" sheight=\"2\" sfcount=\"8\" sspeed=\"10\"/>"
    "</shaders>"
    "<form>"
    "<window name=\"panel\" model=\"panel\" color=\"0.5 0.5 0.5 1\" size=\"300 200 1\">"
    "<window name=\"ok\" model=\"button\" size=\"80 30 1\"/></window>"
    "<Unknown name=\"skipped\"><window name=\"never\"/></Unknown>"
    "<window name=\"blank\"/>"
    "</form>";

std::string ModelBytes() {
  cMemoryStream file = FileOf(SampleModel(kModelStatic));
  return std::string(reinterpret_cast<const char*>(file.GetData()), file.GetSize());
}

class SceneFormTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    tree.AddFile("gui/windows/panel.mlf", ModelBytes())
        .AddFile("gui/windows/button.mlf", ModelBytes())
        .AddResourceList("gui/forms.resource", {{kFormName, "form", kFormXml}});
    location = std::make_unique<cResourceLocation>("data", root.Path());
    ASSERT_TRUE(location->Mount());
  }
  void TearDown() override {
    location.reset();
    GuiTest::TearDown();
  }

  static std::string BinaryOf(cResource& resource) {
    cMemoryStream bytes;
    EXPECT_TRUE(resource.WriteData(bytes));
    return std::string(reinterpret_cast<const char*>(bytes.GetData()), bytes.GetSize());
  }

  // A form read from these bytes as a pack entry would be.
  static std::unique_ptr<cFormResource> FormFromBytes(const std::string& bytes, const std::string& name = kFormName) {
    CountedPtr<cStream> entry(new cMemoryStream());
    entry->Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
    return std::unique_ptr<cFormResource>(static_cast<cFormResource*>(
        cFormResource::Create(name, cResourceSource::FromPackEntry(entry, ""))));
  }

  TempDir root{"velmaris-scene"};
  FixtureTree tree{root.Path(), "data"};
  std::unique_ptr<cResourceLocation> location;
};

TEST_F(SceneFormTest, XmlRecordsNameEverythingByTheFormsFolderAndKeepOneRecordAName) {
  cResourcePtr<cFormResource> form;
  ASSERT_TRUE(form.Assign(kFormName));
  const SceneRecords& records = form->GetRecords();
  ASSERT_EQ(records.models.size(), 3u);
  const SceneModelDesc& panel = records.models[0];
  EXPECT_EQ(panel.name, "gui\\windows\\panel");
  EXPECT_EQ(panel.model_name, "gui\\windows\\panel");
  EXPECT_EQ(panel.shader_name, "gui\\windows\\panel");
  EXPECT_EQ(panel.kind, "b");
  EXPECT_EQ(panel.order, 2);
  EXPECT_EQ(panel.speed, 1.5f);
  ASSERT_EQ(panel.states.size(), 2u);
  EXPECT_EQ(panel.states[0], (SceneAnimationState{"appear", 10, 19, true, 9.0f}));
  EXPECT_EQ(panel.states[1], (SceneAnimationState{"working", 3, 4, false, 0.0f}));
  EXPECT_EQ(records.models[1].kind, "i");
  // The scene's own shader of the panel's name goes with the panel; the object draws with it.
  EXPECT_EQ(records.shaders.size(), 2u);
  EXPECT_EQ(panel.inline_shader, records.shaders.at("gui\\windows\\panel"));
  EXPECT_TRUE(records.models[1].inline_shader.empty());
  const ShaderDescriptor* drawn = form->GetObjects()[0]->GetShaderHolder().GetDescriptor();
  ASSERT_NE(drawn, nullptr);
  ASSERT_EQ(drawn->GetStageCount(), 1u);
  EXPECT_EQ(drawn->GetStage(0).diffuse, "textures\\gui\\wood");
  EXPECT_EQ(drawn->GetStage(0).address_u, kAddressClamp);
  EXPECT_EQ(records.models[1].order, 7);  // the second "button" updated the first
  // "ghost" has no model file: its record stays without an object.
  ASSERT_EQ(form->GetObjects().size(), 2u);
  EXPECT_EQ(gui->FindModel("gui\\windows\\button"), form->GetObjects()[1]);
  EXPECT_EQ(gui->FindModel("gui\\windows\\ghost"), nullptr);

  const FormElement& root_element = form->GetRoot();
  ASSERT_EQ(root_element.children.size(), 3u);
  const FormElement& panel_element = root_element.children[0];
  EXPECT_EQ(panel_element.name, "panel");
  EXPECT_EQ(panel_element.type, "window");
  EXPECT_EQ(panel_element.attributes.at("model"), "gui\\windows\\panel");
  EXPECT_EQ(panel_element.attributes.count("name"), 0u);
  EXPECT_EQ(panel_element.children[0].attributes.at("model"), "gui\\windows\\button");
  EXPECT_EQ(root_element.children[1].type, "Unknown");
}

TEST_F(SceneFormTest, TheBinaryFormGivesTheSameRecordsAndTreeFromAnEntryAndFromAPack) {
  cResourcePtr<cFormResource> form;
  ASSERT_TRUE(form.Assign(kFormName));
  const std::string bytes = BinaryOf(*form);
  auto copy = FormFromBytes(bytes, "other\\main_menu");
  copy->Load();
  EXPECT_EQ(copy->GetRecords(), form->GetRecords());
  EXPECT_EQ(copy->GetRoot(), form->GetRoot());
  EXPECT_EQ(BinaryOf(*copy), bytes);
  copy->Unload();

  ASSERT_TRUE(tree.WritePack(root / "pack"));
  cResourceLocation packed("pack", root.Path());
  ASSERT_TRUE(packed.Mount());
  ASSERT_TRUE(packed.IsPack());
  for (cResource* resource : packed.GetResources()) {
    if (resource->GetName() != kFormName) continue;
    auto* from_pack = static_cast<cFormResource*>(resource);
    EXPECT_STREQ(from_pack->GetTypeName(), "form");
    from_pack->Load();
    EXPECT_EQ(from_pack->GetRoot(), form->GetRoot());
    EXPECT_EQ(from_pack->GetRecords(), form->GetRecords());
    from_pack->Unload();
  }
}

// The byte image of a tiny form written field by field, independently of the writer.
class Image {
 public:
  Image& U32(uint32_t v) { return Raw(std::string(reinterpret_cast<const char*>(&v), 4)); }
  Image& Str(const std::string& s) { return U32(static_cast<uint32_t>(s.size())).Raw(s); }
  Image& Raw(const std::string& s) { return bytes += s, *this; }
  std::string bytes;
};

TEST_F(SceneFormTest, AHandMadeImageReadsAsMeant) {
  Image image;
  image.U32(1).Str("gui\\b").U32(1).Str("go").U32(2).U32(5).Raw("\x01").U32(0x40000000)  // speed 2.0
      .U32(3).U32(0x3F800000).Str("gui\\b").Str("gui\\b").Str("f").U32(0)
      .U32(0)                                                   // no shader entries
      .U32(1).U32(0).U32(2).Str("model").Str("gui\\b").Str("size").Str("5 5 1").Str("b").Str("window")
      .U32(0).Str("").Str("");                                  // the root record
  auto form = FormFromBytes(image.bytes);
  form->Load();
  ASSERT_EQ(form->GetRecords().models.size(), 1u);
  const SceneModelDesc& record = form->GetRecords().models[0];
  EXPECT_EQ(record.states[0], (SceneAnimationState{"go", 2, 5, true, 2.0f}));
  EXPECT_EQ(record.order, 3);
  EXPECT_EQ(record.kind, "f");
  ASSERT_EQ(form->GetRoot().children.size(), 1u);
  EXPECT_EQ(form->GetRoot().children[0].attributes.at("size"), "5 5 1");
  EXPECT_EQ(BinaryOf(*form), image.bytes);
  form->Unload();
}

TEST_F(SceneFormTest, TruncatedAndDamagedImagesAreRefusedWholeWithoutCrashingOrOverAllocating) {
  cResourcePtr<cFormResource> form;
  ASSERT_TRUE(form.Assign(kFormName));
  const std::string bytes = BinaryOf(*form);
  for (std::size_t size = 1; size < bytes.size(); ++size) {
    auto cut = FormFromBytes(bytes.substr(0, size));
    cut->Load();
    EXPECT_TRUE(cut->GetObjects().empty()) << size;
    EXPECT_TRUE(cut->GetRoot().children.empty()) << size;
    cut->Unload();
  }
  struct Damage {
    const char* what;
    std::string bytes;
  };
  // Where the first record's state count lies: after the record count and the record's name.
  const std::size_t kStates = 4 + 4 + std::string("gui\\windows\\panel").size();
  const std::string deep_root = [] {
    Image image;
    image.U32(0).U32(0);
    for (int i = 0; i < 200; ++i) image.U32(1);  // children nested 200 deep
    return image.bytes;
  }();
  const Damage damages[] = {
      {"a record count of four billion", Image().U32(0xFFFFFFFF).bytes + bytes.substr(4)},
      {"a state count beyond the data", bytes.substr(0, kStates) + Image().U32(0x7FFFFFFF).bytes + bytes.substr(kStates + 4)},
      {"nesting deeper than a form may", deep_root},
      {"a shader block shorter than its header", Image().U32(0).U32(1).Str("s").U32(3).bytes},
  };
  for (const Damage& damage : damages) {
    auto broken = FormFromBytes(damage.bytes);
    broken->Load();
    EXPECT_TRUE(broken->GetRecords().models.empty()) << damage.what;
    EXPECT_TRUE(broken->GetRoot().children.empty()) << damage.what;
    broken->Unload();
  }
  EXPECT_TRUE(LogHas("damaged data"));
}

TEST_F(SceneFormTest, ADeclaredFormReleasedAndTakenAgainComesBackWhole) {
  for (int round = 0; round < 3; ++round) {
    cResourcePtr<cFormResource> form;
    ASSERT_TRUE(form.Assign(kFormName));
    EXPECT_EQ(form->GetObjects().size(), 2u) << round;
    EXPECT_EQ(form->GetRoot().children.size(), 3u) << round;
  }
}

// A model that lends a static text its line box is never drawn, though its form shows the rest.
TEST_F(SceneFormTest, AStaticsHelperBoxStaysHiddenWhenItsFormShows) {
  tree.AddResourceList("gui/lines.resource",
                       {{"gui\\windows\\lines", "form",
                         "<models><model name=\"panel\"/><model name=\"button\"/></models>"
                         "<form><window name=\"back\" model=\"panel\" size=\"300 200 1\"/>"
                         "<static name=\"line\" helper=\"button\" font_id=\"0\"/></form>"}});
  ASSERT_TRUE(location->Mount());
  ModelManager* draw_list = RenderManager::GetInstance()->GetModelManager();
  auto* screen = new GUIStateWindow("lines");
  ASSERT_TRUE(screen->SetFormByName("gui\\windows\\lines"));
  RenderObject* box = screen->FindModel("gui\\windows\\button");
  ASSERT_NE(box, nullptr);
  for (int round = 0; round < 2; ++round) {
    screen->Show();
    Frame();
    EXPECT_TRUE(Found(screen->FindModel("gui\\windows\\panel")).IsVisible()) << round;
    EXPECT_FALSE(box->IsVisible()) << round;
    const auto& drawn = draw_list->GetObjects();
    EXPECT_EQ(std::find(drawn.begin(), drawn.end(), box), drawn.end()) << round;
    screen->Hide();
    Frame();
    Frame();
  }
  delete screen;
}

TEST_F(SceneFormTest, ModelsAreDrawnOnlyWhileTheirStateWindowShowsThem) {
  ModelManager* draw_list = RenderManager::GetInstance()->GetModelManager();
  auto* screen = new GUIStateWindow("main_menu");
  ASSERT_TRUE(screen->SetFormByName(kFormName));
  EXPECT_TRUE(draw_list->GetObjects().empty());
  GUIWindow* panel = screen->FindChild("panel");
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->GetVisual().GetModel(), gui->FindModel("gui\\windows\\panel"));
  // The colour given before the model reaches it.
  EXPECT_EQ(Found(panel->GetVisual().GetModel()).GetColor(), Vector4(0.5f, 0.5f, 0.5f, 1));
  EXPECT_EQ(screen->FindChild("skipped"), nullptr);
  screen->Show();
  EXPECT_EQ(draw_list->GetObjects().size(), 2u);
  EXPECT_TRUE(screen->PlayAnimation("appear"));
  EXPECT_FALSE(screen->PlayAnimation("nothing"));
  screen->SetAnimationLooping("working");
  EXPECT_TRUE(Found(screen->FindModel("gui\\windows\\panel")).GetAnimation().GetAnimations().at("working").loop);
  screen->Hide();
  Frame();
  Frame();
  EXPECT_EQ(screen->GetState(), GUIStateWindow::kHidden);
  EXPECT_TRUE(draw_list->GetObjects().empty());
  // The window holds the last reference: its children, which borrow the form's models, go first
  // and still find their models there as they go.
  bool model_there_at_the_end = false;
  class Watcher : public GUIWindow {
   public:
    Watcher(GUIWindow* parent, bool& seen) : GUIWindow(parent, "watcher"), m_seen(seen) {}
    ~Watcher() override { m_seen = GetVisual().GetModel() != nullptr; }

   private:
    bool& m_seen;
  };
  auto* watcher = new Watcher(screen, model_there_at_the_end);
  watcher->SetValue("model", "gui\\windows\\button");
  ASSERT_NE(watcher->GetVisual().GetModel(), nullptr);
  delete screen;
  EXPECT_TRUE(model_there_at_the_end);
  EXPECT_TRUE(draw_list->GetObjects().empty());
}

// A widget that records when it is made and when its attributes arrive.
class Recorder : public GUIWindow {
 public:
  Recorder(GUIWindow* parent, const std::string& name) : GUIWindow(parent, name) {
    log.push_back("make " + name);
    for (const char* attribute : {"alpha", "cur", "max", "min", "width"}) {
      AddRecorded(attribute);
    }
  }
  static inline std::vector<std::string> log;

 private:
  void AddRecorded(const std::string& attribute) {
    AddGuiAttribute<std::string>(GetProperties(), attribute, nullptr, [this, attribute](const std::string&) {
      log.push_back(GetName() + "." + attribute);
    });
  }
};

TEST_F(SceneFormTest, AFormBuildsEachLevelWholeBeforeSettingItUpLastElementFirst) {
  GUIWidgetFactory::GetInstance()->Register("recorder", &GUIWidgetFactory::CreatorOf<Recorder>);
  FormElement root;
  root.children.resize(2);
  FormElement& a = root.children[0];
  a = FormElement{{FormElement{{}, {{"width", "1"}}, "a1", "recorder"}}, {{"width", "1"}, {"alpha", "0,1"}}, "a", "recorder"};
  root.children[1] = FormElement{{}, {{"cur", "5"}, {"max", "9"}, {"min", "1"}}, "b", "recorder"};
  Recorder::log.clear();
  GUIWindow holder(user, "holder");
  BuildFormLevel(holder, root);
  const std::vector<std::string> expected = {"make a", "make a1", "a1.width", "make b",
                                             "b.min", "b.max", "b.cur", "a.alpha", "a.width"};
  EXPECT_EQ(Recorder::log, expected);
}

}  // namespace
