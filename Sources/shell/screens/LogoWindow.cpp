#include "Sources/shell/screens/LogoWindow.h"

#include <algorithm>
#include <cmath>

#include "Sources/shell/screens/ImageOverlay.h"
#include "Sources/shell/screens/MessageBoxes.h"
#include "Sources/shell/screens/ScreenSupport.h"
#include "gui/include/GUIWidgetSupport.h"
#include "source/render/ModelManager.h"
#include "source/render/RenderManager.h"

namespace {

ModelManager* DrawList() {
  RenderManager* manager = RenderManager::PeekInstance();
  return manager != nullptr ? manager->GetModelManager() : nullptr;
}


}  // namespace

LogoWindow::LogoWindow(const std::string& name)
    : DialogWindow(name), m_backdrop(std::make_unique<ImageOverlay>()), m_image(std::make_unique<ImageOverlay>()) {
  SetState(kHidden);
  if (ModelManager* list = DrawList()) {
    list->AddOverlay(m_backdrop.get());  // first: drawn beneath the picture
    list->AddOverlay(m_image.get());
  }
  m_image->SetColor(Vector4(1.0f, 1.0f, 1.0f, 0.0f));
  SetGuiCursor("empty");
}

LogoWindow::~LogoWindow() { RemoveQuads(); }

void LogoWindow::RemoveQuads() {
  if (ModelManager* list = DrawList()) {
    list->RemoveOverlay(m_image.get());
    list->RemoveOverlay(m_backdrop.get());
  }
}

float LogoWindow::GetImageOpacity() const { return m_image->GetColor().w; }

void LogoWindow::Enqueue(const std::string& name) {
  m_queue.push_back(name);
  // Nothing could be shown: the next call tries again.
  if (IsImageTimeOver() && !ShowNextImage()) m_elapsed = m_image_time;
}

bool LogoWindow::ShowNextImage() {
  while (!m_queue.empty()) {
    const std::string name = m_queue.front();
    m_queue.pop_front();
    if (!m_image->SetTexture(name)) continue;  // a missing picture is skipped quietly
    m_image_name = name;
    m_image->SetColor(Vector4(1.0f, 1.0f, 1.0f, 0.0f));
    m_elapsed = 0.0f;
    return true;
  }
  return false;
}

float LogoWindow::Opacity(float elapsed, float image_time) {
  if (!(image_time > 0.0f)) return 0.0f;
  const float x = (2.0f * elapsed - image_time) / image_time;
  return std::clamp((1.0f - std::fabs(x)) * 1.25f, 0.0f, 1.0f);
}

bool LogoWindow::IsWorkingFinished(float dt) {
  if (IsImageTimeOver() || IsLeftButtonFreshPress()) {
    if (!ShowNextImage()) {
      SetGuiCursor("cursor");
      Hide();
      return true;
    }
  }
  m_image->SetColor(Vector4(1.0f, 1.0f, 1.0f, Opacity(m_elapsed, m_image_time)));
  m_elapsed += dt;
  return false;
}

void LogoWindow::Hide() {
  HideMessageBoxes();
  DialogWindow::Hide();
  SetGuiCursor("cursor");
  RemoveQuads();
  // The window stays, hidden, for the rest of the game: the last picture shown is let go with it.
  m_image->ClearTexture();
}
