// A process may end through exit() while its managers live (the display connection breaks and
// the display library ends the program): the managers are then released after static objects,
// and releasing them must still be safe.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "app/sources/cApplication.h"
#include "source/input/cInput.h"
#include "source/render/RenderManager.h"

namespace {

TEST(ExitWithManagersAlive, EndsWithItsOwnStatus) {
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
#if defined(__SANITIZE_ADDRESS__)
    __lsan_disable();  // the GL driver's own memory is no concern of this test
#endif
    // The real window and graphics services, on SDL's offscreen display.
    setenv("VELMARIS_HEADLESS", "0", 1);
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    cApplication* application = cApplication::GetInstance();
    if (!application->Create("Velmaris")) _exit(10);
    cInput::GetInstance()->InitInput();
    if (!RenderManager::GetInstance()->IsStarted()) _exit(11);
    std::exit(3);  // the exit sweep releases the render manager, the input and the application
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
  EXPECT_EQ(WEXITSTATUS(status), 3);
}

}  // namespace
