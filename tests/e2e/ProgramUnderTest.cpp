#include "tests/e2e/ProgramUnderTest.h"
#include "tests/e2e/WindowPixels.h"
#include "tests/support/LeakSuppressions.h"
#include "tests/support/fixtures/ResourceFixtures.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

extern char** environ;

namespace {

// The leaks the system's display and bus libraries keep for the life of the process belong to
// them, not to the program (only read when the program is built with the leak checker).
bool Overridden(const std::string& entry) {
  for (const char* name : {"VELMARIS_HEADLESS=", "XDG_DATA_HOME=", "XDG_RUNTIME_DIR=", "HOME=",
                           "VELMARIS_DESKTOP_RECORD=", "LSAN_OPTIONS=", "ASAN_OPTIONS="}) {
    if (entry.rfind(name, 0) == 0) return true;
  }
  return false;
}

// An X server resets when its last client leaves and refuses the connections that arrive
// meanwhile: one connection held by the test process keeps the display up between programs.
void KeepDisplayFromResetting() {
  static Display* const held = XOpenDisplay(nullptr);
  (void)held;
}

}  // namespace

ProgramUnderTest::ProgramUnderTest() {
  namespace fs = std::filesystem;
  KeepDisplayFromResetting();
  fs::create_directories(m_sandbox / "bin");
  fs::create_directories(m_sandbox / "xdg");
  fs::create_directories(m_sandbox / "home");
  fs::create_directories(m_sandbox / "run");
  chmod((m_sandbox / "run").c_str(), 0700);
  const std::string program = BuiltProgram();
  if (!program.empty()) {
    fs::copy_file(program, m_sandbox / "bin/velmaris", fs::copy_options::overwrite_existing);
    chmod((m_sandbox / "bin/velmaris").c_str(), 0755);
  }
  m_sandbox.WriteFile("lsan.supp", kLeakSuppressions);
  // Mesa's software rasteriser copies a frame into the buffers it shrank to nothing once another
  // program destroyed the window: its own overflow, not the program's.
  m_sandbox.WriteFile("asan.supp", "interceptor_via_lib:swrast_dri.so\n");
}

ProgramUnderTest::~ProgramUnderTest() {
  for (pid_t child : m_children) {
    if (kill(child, 0) == 0) {
      kill(child, SIGKILL);
      waitpid(child, nullptr, 0);
    }
  }
  // A try of its own keeps the programs' logs with its frames: the sandbox goes with the test.
  const char* given = std::getenv("VELMARIS_E2E_FRAMES");
  const std::string log = UserFolder() + "/tarvel.html";
  if (given != nullptr && *given != '\0' && std::filesystem::exists(log)) {
    static int sandboxes = 0;
    std::error_code ignored;
    std::filesystem::copy_file(log, std::filesystem::path(given) / ("program-log-" + std::to_string(++sandboxes) + ".html"),
                               std::filesystem::copy_options::overwrite_existing, ignored);
  }
}

pid_t ProgramUnderTest::StartDisplay(std::string& name) {
  int ready[2];
  if (pipe(ready) != 0) return -1;
  const std::string fd = std::to_string(ready[1]);
  const pid_t server = fork();
  if (server == 0) {
    close(ready[0]);
    const int quiet = open("/dev/null", O_WRONLY);
    if (quiet >= 0) {
      dup2(quiet, 1);
      dup2(quiet, 2);
    }
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
           "-noreset", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(ready[1]);
  // The server writes its number once it accepts connections, and nothing if it fails.
  std::string number;
  pollfd wait_for{ready[0], POLLIN, 0};
  char c = 0;
  while (server > 0 && number.find('\n') == std::string::npos && poll(&wait_for, 1, 20000) > 0 &&
         read(ready[0], &c, 1) == 1) {
    number += c;
  }
  close(ready[0]);
  if (server <= 0 || number.empty() || number.back() != '\n') {
    if (server > 0) {
      kill(server, SIGKILL);
      waitpid(server, nullptr, 0);
    }
    return -1;
  }
  name.assign(1, ':');
  name.append(number, 0, number.size() - 1);
  return server;
}

std::string ProgramUnderTest::BuiltProgram() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::string();
  const std::filesystem::path program = self.parent_path() / "velmaris";
  return std::filesystem::exists(program) ? program.string() : std::string();
}

std::string ProgramUnderTest::FramesFolder(const std::string& name) {
  const char* given = std::getenv("VELMARIS_E2E_FRAMES");
  const std::filesystem::path folder = given != nullptr && *given != '\0'
                                           ? std::filesystem::path(given)
                                           : std::filesystem::path(BuiltProgram()).parent_path() / (name + "-frames");
  std::filesystem::create_directories(folder);
  return folder.string();
}

std::string ProgramUnderTest::AddBuiltProgram(const std::string& name) {
  namespace fs = std::filesystem;
  const fs::path built = fs::path(BuiltProgram()).parent_path();
  if (!fs::exists(built / name) || !fs::is_directory(built / "data")) {
    return name + " or the sample data is not built beside this test";
  }
  fs::copy_file(built / name, BinFolder() + "/" + name, fs::copy_options::overwrite_existing);
  fs::permissions(BinFolder() + "/" + name, fs::perms::owner_all, fs::perm_options::add);
  for (const char* group : {"data", "localization", "fsdata", "splash"}) {
    if (fs::exists(built / group)) fs::copy(built / group, BinFolder() + "/" + group, fs::copy_options::recursive);
  }
  return std::string();
}

std::string ProgramUnderTest::SkipReason() {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || display[0] == '\0') return "no DISPLAY: run under xvfb-run -a";
  if (BuiltProgram().empty()) return "the program velmaris is not built beside this test";
  if (Command("command -v xdotool").empty()) return "xdotool is not installed";
  return std::string();
}

std::vector<std::string> ProgramUnderTest::Environment() const {
  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    if (!Overridden(*entry)) environment.emplace_back(*entry);
  }
  environment.push_back("XDG_DATA_HOME=" + (m_sandbox / "xdg"));
  environment.push_back("XDG_RUNTIME_DIR=" + (m_sandbox / "run"));
  environment.push_back("HOME=" + (m_sandbox / "home"));
  environment.push_back("VELMARIS_DESKTOP_RECORD=" + DesktopRecord());
  environment.push_back("LSAN_OPTIONS=print_suppressions=0:suppressions=" + (m_sandbox / "lsan.supp"));
  environment.push_back("ASAN_OPTIONS=fast_unwind_on_malloc=0:suppressions=" + (m_sandbox / "asan.supp"));
#if defined(__SANITIZE_ADDRESS__)
  // Mesa's llvmpipe registers the unwind tables of the code it compiles; with the slow unwinding
  // above, a malloc inside that registration unwinds into it again and the program deadlocks at
  // its first drawn GUI window. The software rasteriser without a compiler draws the same.
  environment.push_back("GALLIUM_DRIVER=softpipe");
#endif
  if (!m_display.empty()) {
    std::erase_if(environment, [](const std::string& entry) { return entry.rfind("DISPLAY=", 0) == 0; });
    environment.push_back("DISPLAY=" + m_display);
  }
  if (m_unprivileged && geteuid() == 0) {
    std::erase_if(environment, [](const std::string& entry) { return entry.rfind("XAUTHORITY=", 0) == 0; });
    environment.push_back("XAUTHORITY=" + (m_sandbox / "Xauthority"));
  }
  return environment;
}

namespace {

constexpr uid_t kUnprivilegedUser = 65534;  // "nobody"

}  // namespace

void ProgramUnderTest::HandOverSandbox() const {
  namespace fs = std::filesystem;
  // The display's key, which only root may read where it lies now.
  if (const char* authority = std::getenv("XAUTHORITY")) {
    std::error_code ignored;
    fs::copy_file(authority, m_sandbox / "Xauthority", fs::copy_options::overwrite_existing, ignored);
  }
  chmod(m_sandbox.Path().c_str(), 0755);
  lchown(m_sandbox.Path().c_str(), kUnprivilegedUser, kUnprivilegedUser);
  for (const auto& entry : fs::recursive_directory_iterator(m_sandbox.Path())) {
    lchown(entry.path().c_str(), kUnprivilegedUser, kUnprivilegedUser);
  }
}

std::string ProgramUnderTest::ErrorOutput() const { return ReadWholeFile(m_sandbox / "stderr.txt"); }

pid_t ProgramUnderTest::Start(const std::vector<std::string>& arguments) {
  // The game refuses to start without its data: a sandbox that has none gets stand-in files.
  const std::string data = BinFolder() + "/data";
  if (m_stand_in_data && !std::filesystem::exists(data)) {
    FixtureTree(BinFolder(), "data").AddStartFiles().AddStartScreens();
  }
  return StartProgram("velmaris", arguments);
}

pid_t ProgramUnderTest::StartProgram(const std::string& name, const std::vector<std::string>& arguments,
                                     const std::vector<std::string>& replaced) {
  std::vector<std::string> strings{BinFolder() + "/" + name};
  strings.insert(strings.end(), arguments.begin(), arguments.end());
  std::vector<std::string> environment = Environment();
  for (const std::string& entry : replaced) {
    const std::string key = entry.substr(0, entry.find('=') + 1);
    std::erase_if(environment, [&key](const std::string& e) { return e.rfind(key, 0) == 0; });
    environment.push_back(entry);
  }
  std::vector<char*> argv;
  for (std::string& s : strings) argv.push_back(s.data());
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (std::string& s : environment) envp.push_back(s.data());
  envp.push_back(nullptr);
  const std::string folder = m_sandbox.Path();
  const std::string errors = m_sandbox / "stderr.txt";
  const bool drop_root = m_unprivileged && geteuid() == 0;
  if (drop_root) HandOverSandbox();
  const pid_t child = fork();
  if (child == 0) {
    const int error_file = open(errors.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0666);
    if (error_file >= 0) dup2(error_file, 2);
    if (drop_root && (setgroups(0, nullptr) != 0 || setgid(kUnprivilegedUser) != 0 || setuid(kUnprivilegedUser) != 0)) {
      _exit(125);
    }
    if (chdir(folder.c_str()) != 0) _exit(126);
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
  }
  if (child > 0) m_children.push_back(child);
  return child;
}

bool ProgramUnderTest::WaitUntilStarted(int timeout_ms) const {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  // What the GUI and the game then report at start-up follows the last group within moments: the
  // log must also have stayed the same for a while.
  constexpr auto kQuiet = std::chrono::milliseconds(500);
  std::string last;
  auto last_change = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() < deadline) {
    const std::string log = ReadWholeFile(UserFolder() + "/tarvel.html");
    const auto now = std::chrono::steady_clock::now();
    if (log != last) {
      last = log;
      last_change = now;
    } else if (log.find("resource group splash") != std::string::npos && now - last_change >= kQuiet) {
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

std::string ProgramUnderTest::SeedPlayer(const std::string& arguments) const {
  const std::string seed = (std::filesystem::path(BuiltProgram()).parent_path() / "velmaris-profile-seed").string();
  const std::string said = Command(seed + " " + UserFolder() + " " + arguments + " 2>&1; echo status $?");
  return said.ends_with("status 0\n") ? std::string() : said;
}

std::string ProgramUnderTest::WriteConfiguration(
    const std::vector<std::pair<std::string, std::string>>& items) const {
  std::string config = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<config>";
  for (const auto& [id, value] : items) config += "<item id=\"" + id + "\" value=\"" + value + "\"/>";
  config += "</config>\n";
  WriteWholeFile(UserFolder() + "/tarvel.xml", config);
  return config;
}

bool ProgramUnderTest::Wait(pid_t child, int* status, int timeout_ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (std::chrono::steady_clock::now() < deadline) {
    const pid_t done = waitpid(child, status, WNOHANG);
    if (done == child) return true;
    if (done < 0) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

int ProgramUnderTest::ExitStatus(pid_t child, int timeout_ms) {
  int status = 0;
  if (!Wait(child, &status, timeout_ms)) {
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string ProgramUnderTest::UserFile(const std::string& name) const { return ReadWholeFile(UserFolder() + "/" + name); }

std::string ProgramUnderTest::Command(const std::string& command_line) {
  std::string output;
  FILE* pipe = popen(command_line.c_str(), "r");
  if (pipe == nullptr) return output;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  pclose(pipe);
  return output;
}

unsigned long ProgramUnderTest::FindWindow(pid_t child, int timeout_ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  // --all: both conditions, so another program's window named Velmaris on the same display is
  // never taken for this child's.
  const std::string search = "xdotool search --all --pid " + std::to_string(child) + " --name '^Velmaris$' 2>/dev/null";
  while (std::chrono::steady_clock::now() < deadline) {
    const std::string found = Command(search);
    if (!found.empty()) return std::strtoul(found.c_str(), nullptr, 10);
    if (waitpid(child, nullptr, WNOHANG) != 0) return 0;  // it ended (or is not ours)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return 0;
}

bool ProgramUnderTest::WaitUntilViewable(unsigned long window, int timeout_ms) {
  // The window is made hidden and shown once it is placed, a moment later.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  const std::string query = "xwininfo -id " + std::to_string(window) + " 2>/dev/null";
  while (std::chrono::steady_clock::now() < deadline) {
    if (Command(query).find("Map State: IsViewable") != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

bool ProgramUnderTest::SendCloseRequest(unsigned long window) { return AskWindowToClose(window); }
