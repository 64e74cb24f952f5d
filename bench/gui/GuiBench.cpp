// The GUI's own cost: one GUI frame (mouse dispatch and every window's update) over 500 windows,
// the render pass's layout of them, and building the windows of a 200-element form; all on the
// headless device.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/support/gui/HeadlessGui.h"
#include "gui/include/FormBuilder.h"
#include "gui/include/GUIStateWindow.h"
#include "gui/include/GUISystem.h"
#include "gui/include/cFormResource.h"
#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlDocument.h"

namespace {

std::string Translation(float x, float y) {
  return "1 0 0 0 1 0 0 0 1 " + std::to_string(x) + " " + std::to_string(y) + " 0";
}

// 50 panels of 9 quads each under "user", plus the standing windows: 500 windows.
void BuildPanels(GUIWindow* user) {
  for (int p = 0; p < 50; ++p) {
    auto* panel = new GUIWindow(user, "panel");
    panel->SetValue("matrix", Translation(static_cast<float>(p % 10) * 100, static_cast<float>(p / 10) * 150));
    for (int i = 0; i < 9; ++i) {
      auto* child = new GUIWindow(panel, "part");
      child->SetValue("shader", "gui\\part");
      child->SetValue("size", "30 40 1");
      child->SetValue("matrix", Translation(static_cast<float>(i % 3) * 32, static_cast<float>(i / 3) * 45));
    }
  }
}

void BM_GuiFrame500Windows(benchmark::State& state) {
  GUIWindow* user = StartHeadlessGui();
  BuildPanels(user);
  GUISystem* gui = GUISystem::GetInstance();
  gui->UpdateLayout();
  for (auto _ : state) gui->Update();
  state.counters["windows"] = 50 * 10 + 3;
  StopHeadlessGui();
}
BENCHMARK(BM_GuiFrame500Windows)->Unit(benchmark::kMicrosecond);

void BM_GuiLayout500Windows(benchmark::State& state) {
  GUIWindow* user = StartHeadlessGui();
  BuildPanels(user);
  GUISystem* gui = GUISystem::GetInstance();
  for (auto _ : state) gui->UpdateLayout();
  StopHeadlessGui();
}
BENCHMARK(BM_GuiLayout500Windows)->Unit(benchmark::kMicrosecond);

// A form of 20 groups of 10 buttons-to-be: 200 elements below the groups' own.
std::string FormXml() {
  std::string xml = "<resource><form>";
  for (int g = 0; g < 20; ++g) {
    xml += "<window name=\"group\" matrix=\"" + Translation(static_cast<float>(g) * 50, 0) + "\">";
    for (int i = 0; i < 9; ++i) {
      xml += "<window name=\"item\" shader=\"gui\\item\" color=\"0.8 0.6 0.2 1\" size=\"40 20 1\" matrix=\"" +
             Translation(0, static_cast<float>(i) * 25) + "\" alpha=\"0,100\"/>";
    }
    xml += "</window>";
  }
  return xml + "</form></resource>";
}

void BM_BuildForm200Elements(benchmark::State& state) {
  GUIWindow* user = StartHeadlessGui();
  const std::string xml = FormXml();
  cMemoryStream bytes;
  bytes.Write(xml.data(), static_cast<uint32_t>(xml.size()));
  bytes.Seek(0, 0);
  XmlDocument document;
  document.Load(bytes);
  std::unique_ptr<cResource> form(cFormResource::Create("gui\\bench\\form", cResourceSource()));
  form->LoadFromXml(document.GetRoot());
  form->AddRef();
  for (auto _ : state) {
    auto* window = new GUIStateWindow("form", user);
    window->SetForm(cResourcePtr<cFormResource>());
    BuildWindowFromForm(*static_cast<cFormResource*>(form.get()), *window);
    delete window;
  }
  cResource::Release(form.get());
  form.reset();
  StopHeadlessGui();
}
BENCHMARK(BM_BuildForm200Elements)->Unit(benchmark::kMicrosecond);

}  // namespace
