// The panel's inventory and flying items, on a hand-made panel form and inventory scene: flight
// timing and a single delivery, slots reserved at launch, drops closing gaps, reloads, and what
// happens to items the panel cannot hold.

#include <cmath>

#include "Sources/adventure/FlyItem.h"
#include "Sources/adventure/Inventory.h"
#include "Sources/adventure/NamedChild.h"
#include "source/render/RenderObject.h"
#include "tests/Sources/adventure/LocationTestSupport.h"

namespace {

constexpr const char* kItems[] = {"key", "pearl", "coin", "rope", "lamp", "chart", "shell", "bell", "anchor", "flag", "oar"};

class InventoryTest : public LocationTest {
 protected:
  void SetUp() override {
    LocationTest::SetUp();
    ForgetLoggedMissingChildren();
    std::vector<std::string> items(std::begin(kItems), std::end(kItems));
    items.push_back("key_a");
    AddInventoryScene(items);
    Mount();
    panel = new GUIWindow(user, "game_panel");
    form = new GUIWindow(panel, "game_panel_form");
    PlaceQuad(*new GUIWindow(form, "game_panel"), 0, 0, 1024, 120);
    new GUIWindow(form, "inventory");
    for (int i = 0; i < PanelInventory::kSlots; ++i) {
      PlaceQuad(*new GUIWindow(form, "inventory_" + std::to_string(i)), 200.0f + 60.0f * i, 20, 50, 50);
      new GUIWindow(form, "inventory_count_" + std::to_string(i));
    }
    for (int i = 0; i < PanelInventory::kHintIcons; ++i) {
      PlaceQuad(*new GUIWindow(form, "hint_" + std::to_string(i)), 20.0f + 30.0f * i, 80, 25, 25);
      new GUIWindow(form, "hint_stroke_" + std::to_string(i));
    }
    new GUIWindow(form, "map");
    inventory = std::make_unique<PanelInventory>(form, panel);
    inventory->RegisterArrival();
  }
  void TearDown() override {
    inventory.reset();
    LocationTest::TearDown();
  }

  // Flights run on frames of `dt` until none is left (at most `seconds`).
  void Fly(float seconds = 3.0f, float dt = 0.01f) {
    for (float t = 0.0f; t < seconds && inventory->HasFlyingItems(); t += dt) inventory->UpdateFlights(dt);
  }
  std::string Slots() const {
    std::string text;
    for (const auto& entry : inventory->GetEntries()) text += entry->m_name + "*" + std::to_string(entry->m_count) + " ";
    return text;
  }
  uint32_t ProfileCount(const std::string& name) const {
    for (const ItemCount& item : profile.m_progress.m_items) {
      if (item.m_name == name) return item.m_count;
    }
    return 0;
  }
  std::string Counter(int i) { return Found(form->FindChild("inventory_count_" + std::to_string(i))).GetValue("text"); }

  GUIWindow* panel = nullptr;
  GUIWindow* form = nullptr;
  std::unique_ptr<PanelInventory> inventory;
};

// ---- flights -------------------------------------------------------------------------------------

TEST_F(InventoryTest, FlightsLandOnceAfterTheirClockWithTheirGrowAndFade) {
  struct Case {
    bool grow, fade, same_point;
  } cases[] = {{false, false, false}, {true, false, false}, {false, true, true}, {true, true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.grow << c.fade << c.same_point);
    int deliveries = 0;
    FlyArrivalRegistry()[kFlightMap] = [&](const FlyingItemRecord&) { ++deliveries; };
    const Vector3 target(500, 100, 0), start = c.same_point ? target : Vector3(100, 600, 0);
    FlyItem item(inventory->FindSceneModel("key"), target, start, FlyingItemRecord{"map", 0, "", kFlightMap}, panel);
    item.SetGrow(c.grow);
    item.SetFade(c.fade);
    float t = 0.0f, landed_at = -1.0f, first_scale = 0.0f;
    while (t < 3.0f) {
      item.Update(0.005f);
      t += 0.005f;
      if (first_scale == 0.0f) first_scale = Found(item.GetClone()).GetWorldMatrix()[0];
      if (landed_at < 0.0f && deliveries > 0) {
        landed_at = t;
        EXPECT_NEAR(Found(item.GetClone()).GetWorldMatrix()[0], 1.0f, 0.02f);  // full size on landing
        const cBoundingBox& box = Found(item.GetClone()).GetBoundingBox();
        EXPECT_NEAR(box.m_centre.x, target.x, 0.5f);
        EXPECT_NEAR(box.m_centre.y, target.y, 0.5f);
      }
    }
    // 0.4 s at full speed, then the last 0.3 of the clock slowing to a tenth: ln(10)/3 s more.
    EXPECT_NEAR(landed_at, 0.4f + std::log(10.0f) / 3.0f, 0.02f);
    EXPECT_NEAR(first_scale, c.grow ? 0.2f : 1.0f, 0.02f);
    item.Deliver();
    EXPECT_EQ(deliveries, 1);
    EXPECT_EQ(item.GetRecord().m_kind, static_cast<uint32_t>(kFlightDelivered));
    // 1.5 times the delta after landing: transparent two thirds of a second after it, with the fade.
    EXPECT_FLOAT_EQ(Found(item.GetWindow()).GetVisual().GetColor().w, c.fade ? 0.0f : 1.0f);
  }
  FlyArrivalRegistry().erase(kFlightMap);
}

TEST_F(InventoryTest, AnItemCountsOnlyWhenItLandsInTheSlotReservedAtLaunch) {
  inventory->FlyToInventory("key", Vector3(600, 500, 0), 1, false);
  inventory->FlyToInventory("pearl", Vector3(600, 500, 0), 1, false);
  inventory->FlyToInventory("key", Vector3(600, 500, 0), 1, false);
  EXPECT_EQ(inventory->GetSlotOrder(), (std::vector<std::string>{"key", "pearl"}));
  EXPECT_FALSE(inventory->HasInventoryItem("key", -1));
  EXPECT_EQ(ProfileCount("key"), 0u);
  ASSERT_EQ(inventory->GetFlyingItems().size(), 3u);
  EXPECT_EQ(inventory->GetFlyingItems()[1]->GetTarget().x, inventory->SlotPosition(1).x);
  EXPECT_EQ(inventory->GetFlyingRecords().size(), 3u);  // what a save keeps
  Fly();
  EXPECT_EQ(Slots(), "key*2 pearl*1 ");
  EXPECT_EQ(ProfileCount("key"), 2u);
  EXPECT_EQ(Counter(0), "2");
  EXPECT_EQ(Counter(1), "");
  EXPECT_TRUE(inventory->HasInventoryItem("key", 2));
  EXPECT_FALSE(inventory->HasInventoryItem("key", 3));
  // The models stand in their slots.
  EXPECT_EQ(inventory->GetEntries()[1]->m_model->GetWorldMatrix()[12], inventory->SlotPosition(1).x);
  EXPECT_TRUE(inventory->GetEntries()[1]->m_model->IsVisible());
  // Started at the slot, the flight begins where it ends.
  inventory->FlyToInventory("coin", Vector3(600, 500, 0), 1, true);
  EXPECT_EQ(inventory->GetFlyingItems()[0]->GetStart().x, inventory->SlotPosition(2).x);
}

TEST_F(InventoryTest, LandingsOutOfOrderStillFillTheSlotsInLaunchOrder) {
  inventory->FlyToInventory("key", Vector3(), 1, false);
  inventory->FlyToInventory("pearl", Vector3(), 1, false);
  inventory->GetFlyingItems()[1]->Deliver();
  inventory->GetFlyingItems()[0]->Deliver();
  EXPECT_EQ(Slots(), "key*1 pearl*1 ");
}

// ---- what the panel cannot hold ---------------------------------------------------------------------

TEST_F(InventoryTest, ATenthItemAndAnItemWithoutModelReachTheProfileWithoutAFlight) {
  for (int i = 0; i < 10; ++i) inventory->FlyToInventory(kItems[i], Vector3(), 1, false);
  EXPECT_EQ(inventory->GetSlotOrder().size(), 9u);
  EXPECT_EQ(inventory->GetFlyingItems().size(), 9u);
  EXPECT_EQ(ProfileCount("flag"), 1u);
  EXPECT_TRUE(LogHas("no free inventory slot for flag"));
  Fly();
  EXPECT_EQ(inventory->GetEntries().size(), 9u);
  inventory->DropInventoryItem("anchor", 1);
  inventory->FlyToInventory("ghost", Vector3(), 2, false);
  EXPECT_FALSE(inventory->HasFlyingItems());
  EXPECT_EQ(ProfileCount("ghost"), 2u);
  EXPECT_TRUE(LogHas("item ghost has no inventory model"));
  EXPECT_EQ(inventory->GetSlotOrder().size(), 8u);  // it holds no slot
}

TEST_F(InventoryTest, DropsTakeWhatIsHeldAndCloseTheGaps) {
  struct Case {
    const char* name;
    uint32_t drop;
    const char* slots;
    uint32_t profile;
  } cases[] = {
      {"key", 1, "key*2 pearl*1 coin*1 ", 2},
      {"pearl", 1, "key*3 coin*1 ", 0},
      {"key", 7, "pearl*1 coin*1 ", 0},  // more than is held empties the slot, never below 0
      {"rope", 1, "key*3 pearl*1 coin*1 ", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    inventory->ReloadInventory();
    profile.m_progress.m_items = {{"key", 3}, {"pearl", 1}, {"coin", 1}};
    inventory->ReloadInventory();
    inventory->DropInventoryItem(c.name, c.drop);
    EXPECT_EQ(Slots(), c.slots);
    EXPECT_EQ(ProfileCount(c.name), c.profile);
    const auto& entries = inventory->GetEntries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
      EXPECT_EQ(inventory->GetSlotOrder()[i], entries[i]->m_name);
      EXPECT_EQ(entries[i]->m_model->GetWorldMatrix()[12], inventory->SlotPosition(static_cast<int>(i)).x);
    }
    EXPECT_EQ(Counter(static_cast<int>(entries.size())), "");
  }
}

// ---- reloads ---------------------------------------------------------------------------------------

TEST_F(InventoryTest, AReloadDeliversTheSavedFlightsOnceAndDropsTheLiveOnes) {
  profile.m_progress.m_items = {{"key", 2}};
  profile.m_progress.m_flying_items = {{"pearl", 1, "", kFlightInventory}, {"", 0, "", kFlightDelivered}};
  profile.m_progress.m_hints = 3;
  inventory->FlyToInventory("coin", Vector3(), 1, false);
  inventory->TakeItemInHand("key", 2);
  inventory->ReloadInventory();
  EXPECT_EQ(Slots(), "key*2 pearl*1 ");
  EXPECT_FALSE(inventory->HasFlyingItems());
  EXPECT_TRUE(profile.m_progress.m_flying_items.empty());
  EXPECT_EQ(inventory->GetItemInHand(), "");
  EXPECT_EQ(inventory->GetHandClone(), nullptr);
  for (int i = 0; i < PanelInventory::kHintIcons; ++i) {
    EXPECT_EQ(Found(form->FindChild("hint_" + std::to_string(i))).IsShown(), i < 3);
  }
  EXPECT_FALSE(inventory->GetEntries()[0]->m_model->IsVisible());  // the panel shows them later
  inventory->ReloadInventory();
  EXPECT_EQ(Slots(), "key*2 pearl*1 ");
  EXPECT_EQ(ProfileCount("pearl"), 1u);
  // A new game starts without the old game's flights.
  profile.m_progress.m_flying_items = {{"coin", 1, "", kFlightInventory}};
  profile.Reset();
  inventory->ReloadInventory();
  EXPECT_EQ(Slots(), "");
}

TEST_F(InventoryTest, TheHandHoldsOneCloneAndHintIconsFlyInOnce) {
  inventory->TakeItemInHand("key", 1);
  RenderObject* first = &Found(inventory->GetHandClone());
  EXPECT_NEAR(first->GetWorldMatrix()[0], 0.8f, 1e-5f);
  inventory->TakeItemInHand("pearl", 1);
  EXPECT_EQ(Found(inventory->GetCursorWindow()).GetVisual().GetObjects().size(), 1u);
  inventory->TakeItemInHand("ghost", 1);
  EXPECT_EQ(inventory->GetHandClone(), nullptr);
  EXPECT_EQ(inventory->GetItemInHand(), "ghost");

  profile.m_progress.m_hints = 1;
  inventory->ReloadInventory();
  profile.m_progress.m_hints = 4;
  inventory->SyncHintIcons();
  inventory->SyncHintIcons();
  ASSERT_EQ(inventory->GetFlyingItems().size(), 3u);
  EXPECT_EQ(inventory->GetFlyingItems()[0]->GetRecord().m_count, 1u);
  EXPECT_EQ(inventory->GetFlyingItems()[0]->GetRecord().m_kind, static_cast<uint32_t>(kFlightHintIcon));
  profile.m_progress.m_hints = 0;
  inventory->ClearFlights();
  inventory->SyncHintIcons();
  EXPECT_FALSE(Found(form->FindChild("hint_0")).IsShown());
}

TEST_F(InventoryTest, LayoutTogglesEveryCounterAndMissingWindowsAreLoggedOnce) {
  inventory->LayoutInventory(false);
  for (int i = 0; i < PanelInventory::kSlots; ++i) {
    EXPECT_FALSE(Found(form->FindChild("inventory_count_" + std::to_string(i))).IsShown()) << i;
    EXPECT_FALSE(Found(form->FindChild("inventory_" + std::to_string(i))).IsShown()) << i;
  }
  inventory->LayoutInventory(true);
  EXPECT_TRUE(Found(form->FindChild("inventory_count_8")).IsShown());

  form->DeleteChildren();
  PanelInventory bare(form, panel);
  bare.RefreshInventory();
  bare.LayoutInventory(true);
  bare.FlyToInventory("key", Vector3(), 1, false);
  bare.UpdateFlights(2.0f);
  EXPECT_FALSE(bare.IsMouseOverPanel());
  const std::string log = LogText(), missing = "has no child inventory_count_3";
  ASSERT_NE(log.find(missing), std::string::npos);
  EXPECT_EQ(log.find(missing), log.rfind(missing)) << "logged once";
}

}  // namespace
