// Window visuals: a borrowed model or an owned quad, in the order forms set them; the colour
// reaching whatever model comes; the quad's texture extent and placement; depths of the model and
// the extra objects; and the alpha curve setting the window's colour.

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "source/math/FloatCurve.h"
#include "source/model/Model.h"
#include "source/render/RenderObject.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/Found.h"

namespace {

using VisualTest = GuiTest;

TEST_F(VisualTest, ModelAndShaderReplaceEachOtherAndOnlyTheOwnedQuadIsDeleted) {
  struct Case {
    const char* what;
    std::vector<std::pair<const char*, const char*>> values;
    bool has_model;
    bool owns;
    bool borrowed_in_layer;
  };
  const Case cases[] = {
      {"an unknown model name", {{"model", "gui\\missing"}}, false, false, false},
      {"a known model", {{"model", "gui\\known"}}, true, false, true},
      {"an empty shader", {{"shader", ""}}, false, false, false},
      {"a shader", {{"shader", "gui\\quad"}}, true, true, false},
      {"model after shader", {{"shader", "gui\\quad"}, {"model", "gui\\known"}}, true, false, true},
      {"shader after model", {{"model", "gui\\known"}, {"shader", "gui\\quad"}}, true, true, false},
      {"an empty shader after model", {{"model", "gui\\known"}, {"shader", ""}}, false, false, false},
  };
  for (const Case& c : cases) {
    RenderObject known;
    gui->AddModel("gui\\known", &known);
    {
      GUIWindow window(user, "w");
      for (const auto& [name, value] : c.values) window.SetValue(name, value);
      const GUIVisual& visual = window.GetVisual();
      EXPECT_EQ(visual.GetModel() != nullptr, c.has_model) << c.what;
      EXPECT_EQ(visual.OwnsModel(), c.owns) << c.what;
      const auto& objects = window.GetLayer().GetObjects();
      EXPECT_EQ(std::find(objects.begin(), objects.end(), &known) != objects.end(), c.borrowed_in_layer) << c.what;
      // A borrowed model let go of is no longer drawn through this window.
      if (!c.borrowed_in_layer) {
        EXPECT_FALSE(known.IsVisible()) << c.what;
      }
      EXPECT_EQ(objects.size(), c.has_model ? 1u : 0u) << c.what;
    }
    GUISystem::RemoveModel(&known);
  }
}

TEST_F(VisualTest, TheColourReachesModelsAttachedAfterItExtraObjectsAndChildrenAndAlphaKeysSetIt) {
  RenderObject known, glyphs;
  gui->AddModel("gui\\known", &known);
  GUIWindow window(user, "w");
  window.SetValue("color", "0.5 0.25 1 0.5");
  window.SetValue("model", "gui\\known");
  EXPECT_EQ(known.GetColor(), Vector4(0.5f, 0.25f, 1, 0.5f));
  window.SetValue("shader", "gui\\quad");
  EXPECT_EQ(Found(window.GetVisual().GetModel()).GetColor(), Vector4(0.5f, 0.25f, 1, 0.5f));
  GUIVisual& visual = window.GetVisual();
  visual.InsertIntoDrawList(visual.GetObjects().end(), &glyphs);
  window.GetLayer().AddObject(&glyphs);
  EXPECT_EQ(window.GetLayer().GetObjects().size(), 2u);  // the quad and the glyphs, once
  EXPECT_TRUE(glyphs.GetFlags() & kRenderObjectGuiGroup);
  window.SetColor(Vector4(1, 0, 0, 1));
  EXPECT_EQ(glyphs.GetColor(), Vector4(1, 0, 0, 1));
  EXPECT_EQ(visual.SetDepth(-4.0f), -6.0f);
  EXPECT_EQ(Found(visual.GetModel()).GetViewDepth(), -4.0f);
  EXPECT_EQ(glyphs.GetViewDepth(), -5.0f);
  visual.RemoveFromDrawLists(&glyphs);
  EXPECT_EQ(window.GetLayer().GetObjects().size(), 1u);
  EXPECT_TRUE(visual.GetObjects().empty());
  GUISystem::RemoveModel(&known);
  // Alpha keys fade the window and its children.
  GUIWindow faded(user, "faded");
  auto* child = new GUIWindow(&faded, "c");
  child->SetValue("shader", "gui\\quad");
  faded.SetValue("alpha", "0,50");
  faded.SetValue("alpha", "10,100");
  faded.Update();  // no model: the first key holds
  EXPECT_EQ(child->GetVisual().GetColor(), Vector4(1, 1, 1, 0.5f));
  EXPECT_EQ(Found(faded.GetAlphaCurve()).GetKeys().size(), 2u);
}

TEST_F(VisualTest, TheQuadCoversTheWindowsSizeAndItsTextureExtentRepeats) {
  GUIWindow window(user, "w");
  window.SetValue("uv", "2 1");  // no model yet: nothing happens
  PlaceQuad(window, 10, 20, 100, 50);
  const RenderObject* quad = window.GetVisual().GetModel();
  ASSERT_NE(quad, nullptr);
  EXPECT_EQ(quad->GetBoundingBox().m_world_min, Vector3(10, 20, 0));
  EXPECT_EQ(quad->GetBoundingBox().m_world_max, Vector3(110, 70, 0));
  window.SetValue("uv", "2 1");
  const Vertex* corner = Found(quad->GetVertices()).GetVertex(1);  // the corner (1, 1)
  EXPECT_EQ(corner->u, 2.0f);
  EXPECT_EQ(corner->v, 1.0f);
  EXPECT_EQ(corner->diffuse, 0xFFFFFFFFu);
  // Kept where its own matrix puts it while the window moves.
  window.SetValue("apply_placement_matrix", "false");
  window.SetMatrix(Matrix4::MakeTranslation(300, 300, 0));
  window.ApplyTransform();
  EXPECT_EQ(quad->GetBoundingBox().m_world_min, Vector3(10, 20, 0));
}

}  // namespace
