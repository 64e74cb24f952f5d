#pragma once
// The splash screens and company logos in front of the main menu: a queue of full-screen
// pictures over a white backdrop, each fading in for 1.6 s, held 0.8 s and fading out for 1.6 s;
// a click skips to the next. The mouse pointer is hidden meanwhile. When the queue is empty the
// window hides and stays, hidden, under "user".

#include <deque>
#include <memory>
#include <string>

#include "gui/include/DialogWindow.h"

class ImageOverlay;

class LogoWindow : public DialogWindow {
 public:
  explicit LogoWindow(const std::string& name);
  ~LogoWindow() override;

  // Per frame while working; true when the last picture is over.
  bool IsWorkingFinished(float dt) override;
  void Hide() override;

  // Appends a picture; when the current one's time is over the next shows at once.
  void Enqueue(const std::string& name);
  // Takes names from the queue until one is a texture and shows it; false when none is left.
  bool ShowNextImage();
  bool IsImageTimeOver() const { return m_elapsed >= m_image_time; }

  // The picture's opacity e seconds into a picture of T seconds.
  static float Opacity(float elapsed, float image_time);

  float GetElapsed() const { return m_elapsed; }
  float GetImageOpacity() const;
  const std::deque<std::string>& GetQueue() const { return m_queue; }
  const std::string& GetImageName() const { return m_image_name; }

  static constexpr float kImageTime = 4.0f;

 private:
  void RemoveQuads();

  std::deque<std::string> m_queue;
  std::unique_ptr<ImageOverlay> m_backdrop;
  std::unique_ptr<ImageOverlay> m_image;
  std::string m_image_name;
  float m_image_time = kImageTime;
  float m_elapsed = kImageTime;  // the first picture shows at once
};
