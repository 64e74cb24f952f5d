#pragma once
// What the game asks of the application frame: the handler it calls when the window loses the
// focus, and the end of the program. The application installs itself while it lives; with none,
// a handler is kept nowhere and a quit does nothing.

#include "source/core/Delegate.h"

class ApplicationFrame {
 public:
  virtual void SetDeactivateHandler(const DelegatePtr& handler) = 0;
  virtual const DelegatePtr& GetDeactivateHandler() const = 0;
  // Ends the main loop after the current turn.
  virtual bool Quit() = 0;

  static ApplicationFrame* GetCurrent();
  static void SetCurrent(ApplicationFrame* frame);
  // Removes `frame` only while it is the current one.
  static void Withdraw(ApplicationFrame* frame);

 protected:
  ~ApplicationFrame() = default;
};

// A close handler for the game's own exit questions: the frame quits. The argument is ignored.
DelegateArg QuitApplicationFrame(DelegateArg argument);
