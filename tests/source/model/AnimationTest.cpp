// The named-animation player's edges, and the controllers' poses against values worked out by
// hand: slerp, skinning with one and two influences, morph blending, the transform and colour
// tracks.

#include <gtest/gtest.h>

#include <cmath>

#include "source/model/AnimationController.h"
#include "source/model/ColorController.h"
#include "source/model/MorphController.h"
#include "source/model/NodeAnimationController.h"
#include "source/model/TransformController.h"
#include "source/render/RenderObject.h"
#include "tests/source/math/MathExpect.h"
#include "tests/source/model/ModelTestUtil.h"
#include "tests/source/render/RenderTestSupport.h"
#include "tests/support/Found.h"

namespace {

const float kHalfSqrt2 = std::sqrt(0.5f);
const Quaternion kQuarterTurnZ(0, 0, kHalfSqrt2, kHalfSqrt2);

TEST(AnimationController, FramesAndBlendThroughAnAnimation) {
  struct Case {
    const char* name;
    uint32_t first, last;
    bool loop;
    float speed;           // frames a second
    bool forward;
    float seconds;         // played in steps of 0.1 s
    uint32_t a, b;         // scene frames (the model's first frame is 0, 40 frames)
    float blend;
    bool playing;
  };
  const Case cases[] = {
      {"9 frames a second, half a second", 10, 19, false, 9, true, 0.5f, 14, 15, 0.5f, true},
      {"non-looping stops on its last frame", 10, 19, false, 9, true, 1.2f, 19, 10, 0.0f, false},
      {"looping wraps to its first frame", 10, 19, true, 9, true, 1.1f, 10, 11, 0.9f, true},
      {"backward from the end", 10, 19, false, 9, false, 0.5f, 14, 15, 0.5f, true},
      {"backward past the start stops there", 10, 19, false, 9, false, 1.5f, 10, 11, 0.0f, false},
      {"speed 0 holds the first frame", 10, 19, true, 0, true, 3.0f, 10, 11, 0.0f, true},
      {"one frame", 5, 5, true, 9, true, 1.0f, 5, 5, 0.0f, true},
  };
  for (const Case& c : cases) {
    AnimationController animation(40, 0);
    animation.AddAnimation("walk", AnimationEntry::FromSpeed("walk", c.first, c.last, c.loop, c.speed));
    ASSERT_TRUE(animation.SetAnimation("walk")) << c.name;
    EXPECT_FLOAT_EQ(animation.GetFramesPerSecond(), c.first == c.last ? 0.0f : c.speed) << c.name;
    animation.SetForward(c.forward);
    animation.Rewind();
    animation.Play();
    for (int step = 0; step < static_cast<int>(std::lround(c.seconds * 10)); ++step) animation.Update(0.1f);
    EXPECT_EQ(animation.GetFrameA(), c.a) << c.name;
    EXPECT_EQ(animation.GetFrameB(), c.b) << c.name;
    EXPECT_NEAR(animation.GetBlend(), c.blend, 1e-3f) << c.name;
    EXPECT_EQ(animation.IsPlaying(), c.playing) << c.name;
  }
}

TEST(AnimationController, ModelFramesStayInsideTheModel) {
  struct Case {
    uint32_t frame_count, model_first;
    float time;
    uint32_t a, b;
    float blend;
  };
  const Case cases[] = {
      {40, 10, 2.5f, 2, 3, 0.5f},   // scene frames 12 and 13 are model frames 2 and 3
      {40, 13, 2.5f, 0, 0, 0.0f},   // frame 12 lies before the model: 0, no blend
      {2, 0, 5.5f, 1, 1, 0.5f},     // beyond the model's frames: its last
      {0, 0, 1.5f, 0, 0, 0.5f},     // no frames at all
  };
  for (const Case& c : cases) {
    AnimationController animation(c.frame_count, c.model_first);
    animation.AddAnimation("a", AnimationEntry::FromSpeed("a", 10, 19, true, 9));
    animation.SetAnimation("a");
    animation.SetTime(c.time);
    animation.Update(0.0f);
    EXPECT_EQ(animation.GetFrameA(), c.a) << c.model_first;
    EXPECT_EQ(animation.GetFrameB(), c.b) << c.model_first;
    EXPECT_NEAR(animation.GetBlend(), c.blend, 1e-5f) << c.model_first;
  }
  AnimationController animation(10, 0);
  EXPECT_FALSE(animation.SetAnimation("missing"));
  animation.SetTime(std::nanf(""));
  animation.Update(0.1f);
  EXPECT_EQ(animation.GetFrameA(), 0u);
  EXPECT_EQ(animation.GetTime(), 0.0f);
}

class ControllerPose : public RenderTest {};

// Two nodes: 0 stays at the origin; 1 is turned a quarter about Z, scaled by 2 and moved to
// (10, 0, 0) in frame 1. Vertex 0 hangs on node 1 at (1, 0, 0); vertex 1 half on each, at
// (4, 0, 0) in node 0 and (1, 0, 0) in node 1.
ModelFileData Skeleton() {
  ModelFileData d;
  d.flags = kModelNodes | kModelTriangleList;
  d.frame_count = 2;
  d.nodes = {ModelFileNode{0, "a", {{0, 0, 0}, {1, 1, 1}}, 0, 0}, ModelFileNode{0, "b", {{0, 0, 0}, {1, 1, 1}}, 0, 0}};
  d.node_keys = {Key(0, 0, 0), Key(0, 0, 0), Key(0, 0, 0), Key(10, 0, 0, kQuarterTurnZ, 2.0f)};
  d.vertex_count = 3;
  d.indices = {0, 1, 2};
  d.skinned = {ModelFileSkinnedVertex{0, 0, {ModelInfluence{1, 1.0f, {1, 0, 0}, {1, 0, 0}}}},
               ModelFileSkinnedVertex{0, 0, {ModelInfluence{0, 0.5f, {0, 0, 1}, {4, 0, 0}},
                                             ModelInfluence{1, 0.5f, {0, 0, 1}, {1, 0, 0}}}},
               ModelFileSkinnedVertex{0, 0, {}}};
  d.bounds = {ModelBox{}};
  return d;
}

TEST_F(ControllerPose, SkinningPlacesVerticesByTheirNodes) {
  RenderObject object(ModelOf(Skeleton()), nullptr, 0);
  auto& node = static_cast<NodeAnimationController&>(*object.GetControllers().front());
  node.SetFrames(1, 1, 0.0f);
  node.Update();
  node.Apply();
  const Vertex* v = Found(object.GetVertices()).GetVertex(0);
  ExpectNear(Vector3(v[0].x, v[0].y, v[0].z), Vector3(10, 2, 0));
  ExpectNear(Vector3(v[0].nx, v[0].ny, v[0].nz), Vector3(0, 1, 0));
  ExpectNear(Vector3(v[1].x, v[1].y, v[1].z), Vector3(7, 1, 0));
  ExpectNear(Vector3(v[1].nx, v[1].ny, v[1].nz), Vector3(0, 0, 1));
  // Half way from frame 0: an eighth of a turn, scale 1.5, at (5, 0, 0).
  node.SetFrames(0, 1, 0.5f);
  node.Update();
  node.Apply();
  ExpectNear(Vector3(v[0].x, v[0].y, v[0].z), Vector3(5 + 1.5f * kHalfSqrt2, 1.5f * kHalfSqrt2, 0));
  // Boxes: node 1's unit box turned, scaled and moved, joined with node 0's.
  ExpectNear(object.GetBoundingBox().m_local_max, Vector3(5 + 1.5f * kHalfSqrt2, 1.5f * 2 * kHalfSqrt2, 1.5f));
}

TEST_F(ControllerPose, MorphTransformAndColourTracksBlendTheirKeys) {
  RenderObject morphing(ModelOf(SampleModel(kModelMorph | kModelTriangleList)), nullptr, 0);
  auto& morph = *morphing.GetControllers().front();
  morph.SetFrames(0, 2, 0.25f);  // corners grow by 1 a frame: 1.5 at a quarter of the way to 3
  morph.Update();
  morph.Apply();
  const Vertex& corner = Found(Found(morphing.GetVertices()).GetVertex(3));
  EXPECT_FLOAT_EQ(corner.x, 1.5f);
  EXPECT_FLOAT_EQ(morphing.GetBoundingBox().m_local_max.x, 1.5f);

  RenderObject moving(ModelOf(SampleModel(kModelTransformTrack)), nullptr, 0);
  auto& transform = *moving.GetControllers().front();
  transform.SetFrames(1, 2, 0.5f);
  transform.Update();
  EXPECT_FLOAT_EQ(moving.GetWorldMatrix().m[12], 1.5f);
  EXPECT_FLOAT_EQ(moving.GetWorldMatrix().m[13], 2.0f);

  RenderObject tinted(ModelOf(SampleModel(kModelStatic | kModelColorTrack)), nullptr, 0);
  auto& color = static_cast<ColorController&>(*tinted.GetControllers().front());
  color.SetFrames(0, 1, 0.5f);
  color.Update();
  color.Apply();
  EXPECT_EQ(tinted.GetColor(), Vector4(1, 1, 1, 1)) << "no keys: nothing";
  color.SetKeys({Vector4(1, 0, 0, 1), Vector4(0, 0, 1, 0)});
  color.Update();
  color.Apply();
  EXPECT_EQ(tinted.GetColor(), Vector4(0.5f, 0, 0.5f, 0.5f));
}

TEST_F(ControllerPose, FramesBeyondTheKeysLeaveThePoseAlone) {
  RenderObject object(ModelOf(SampleModel(kModelMorph | kModelTriangleList, 2)), nullptr, 0);
  const Vertex before = Found(Found(object.GetVertices()).GetVertex(3));
  auto& morph = *object.GetControllers().front();
  morph.SetFrames(1, 7, 0.5f);
  morph.Update();
  morph.Apply();
  EXPECT_EQ(Found(Found(object.GetVertices()).GetVertex(3)).x, before.x);
}

}  // namespace
