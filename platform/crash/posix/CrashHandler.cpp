// The signal and terminate handlers. Everything they touch is prepared at install: the alternate
// stack, the backtrace library (loaded by a first call), the program's path and the time zone.

#include <execinfo.h>
#include <signal.h>
#include <sys/syscall.h>
#include <time.h>
#include <ucontext.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cxxabi.h>
#include <exception>
#include <typeinfo>

#include "platform/crash/crash.h"
#include "platform/crash/posix/ProcessInfo.h"

namespace crash {
namespace {

constexpr int kSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};
// Enough for the handler and the program's report writer, also under the address sanitizer.
constexpr std::size_t kAlternateStackSize = 256 * 1024;
// A fault this close to the stack pointer is the stack running out.
constexpr uintptr_t kStackOverflowReach = 64 * 1024;

alignas(16) char g_alternate_stack[kAlternateStackSize];
std::atomic<Handler> g_handler{nullptr};
std::atomic<bool> g_installed{false};
std::atomic<bool> g_reporting{false};  // a report is being made: a second fault only dies
std::atomic<int> g_first_signal{0};
std::atomic<long> g_reporting_thread{0};
std::atomic<unsigned> g_time_limit{kDefaultReportTimeLimit};

// Filled at the crash; static so that nothing is allocated then.
CrashInfo g_info;
void* g_frames[kMaxFrames];
char g_directory[kPathSize];

void FillRegisters(const ucontext_t* context, Registers* registers) {
#if defined(__x86_64__)
  const greg_t* r = context->uc_mcontext.gregs;
  registers->rax = static_cast<uint64_t>(r[REG_RAX]);
  registers->rbx = static_cast<uint64_t>(r[REG_RBX]);
  registers->rcx = static_cast<uint64_t>(r[REG_RCX]);
  registers->rdx = static_cast<uint64_t>(r[REG_RDX]);
  registers->rsi = static_cast<uint64_t>(r[REG_RSI]);
  registers->rdi = static_cast<uint64_t>(r[REG_RDI]);
  registers->rbp = static_cast<uint64_t>(r[REG_RBP]);
  registers->rsp = static_cast<uint64_t>(r[REG_RSP]);
  registers->r8 = static_cast<uint64_t>(r[REG_R8]);
  registers->r9 = static_cast<uint64_t>(r[REG_R9]);
  registers->r10 = static_cast<uint64_t>(r[REG_R10]);
  registers->r11 = static_cast<uint64_t>(r[REG_R11]);
  registers->r12 = static_cast<uint64_t>(r[REG_R12]);
  registers->r13 = static_cast<uint64_t>(r[REG_R13]);
  registers->r14 = static_cast<uint64_t>(r[REG_R14]);
  registers->r15 = static_cast<uint64_t>(r[REG_R15]);
  registers->rip = static_cast<uint64_t>(r[REG_RIP]);
  registers->eflags = static_cast<uint64_t>(r[REG_EFL]);
  // cs, gs and fs share one word: cs in the low 16 bits, then gs, then fs, then (where the
  // kernel saves it) ss.
  const uint64_t segments = static_cast<uint64_t>(r[REG_CSGSFS]);
  registers->cs = static_cast<uint16_t>(segments & 0xFFFF);
  registers->gs = static_cast<uint16_t>((segments >> 16) & 0xFFFF);
  registers->fs = static_cast<uint16_t>((segments >> 32) & 0xFFFF);
  registers->ss = static_cast<uint16_t>((segments >> 48) & 0xFFFF);
  // The data segments are not saved with a context at all, and a context of getcontext has none
  // of them. A 64-bit process never changes its selectors, so the live ones are those at the
  // fault.
  uint16_t cs = 0;
  uint16_t ds = 0;
  uint16_t es = 0;
  uint16_t ss = 0;
  __asm__ volatile("movw %%cs, %0" : "=r"(cs));
  __asm__ volatile("movw %%ds, %0" : "=r"(ds));
  __asm__ volatile("movw %%es, %0" : "=r"(es));
  __asm__ volatile("movw %%ss, %0" : "=r"(ss));
  if (registers->cs == 0) registers->cs = cs;
  registers->ds = ds;
  registers->es = es;
  if (registers->ss == 0) registers->ss = ss;
  registers->valid = true;
#else
  (void)context;
  registers->valid = false;
#endif
}

bool NearStackPointer(const void* address, uint64_t stack_pointer) {
  const uintptr_t fault = reinterpret_cast<uintptr_t>(address);
  const uintptr_t sp = static_cast<uintptr_t>(stack_pointer);
  const uintptr_t distance = fault > sp ? fault - sp : sp - fault;
  return stack_pointer != 0 && distance < kStackOverflowReach;
}

void FillCommon() {
  g_info.frame_count = backtrace(g_frames, kMaxFrames);
  g_info.frames = g_frames;
  g_info.time = CurrentLocalTime();
  CurrentDirectory(g_directory, sizeof g_directory);
  g_info.current_directory = g_directory;
  g_info.executable = ExecutablePath();
}

// The default action, then the signal again, unblocked (it is blocked while its own handler
// runs): the process dies by it at once, with its core dump where the system makes one.
// Everything goes straight to the kernel: a sanitizer's wrappers may keep their own handler in
// place or hold a signal back for later.
[[noreturn]] void DieBy(int signal_number) {
#if defined(__linux__) && defined(SYS_rt_sigaction)
  struct KernelAction {  // the kernel's own layout, not the library's
    void (*handler)(int);
    unsigned long flags;
    void (*restorer)();
    uint64_t mask;
  } action{SIG_DFL, 0, nullptr, 0};
  syscall(SYS_rt_sigaction, signal_number, &action, nullptr, sizeof action.mask);
#else
  struct sigaction action{};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  sigaction(signal_number, &action, nullptr);
#endif
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal_number);
  syscall(SYS_rt_sigprocmask, SIG_UNBLOCK, &only, nullptr, _NSIG / 8);
  syscall(SYS_tgkill, getpid(), syscall(SYS_gettid), signal_number);
  _exit(128 + signal_number);  // not reached: the default action of each of them ends the process
}

long CurrentThread() { return syscall(SYS_gettid); }

// A fault while a report is being made. In the reporting thread the report itself failed: end
// by the first signal. Another thread waits for the report to end the process, but not forever.
[[noreturn]] void SecondFault(int signal_number) {
  const int first = g_first_signal.load();
  if (g_reporting_thread.load() != CurrentThread()) {
    for (int i = 0; i < 100; ++i) {
      struct timespec pause{0, 100 * 1000 * 1000};
      nanosleep(&pause, nullptr);
    }
  }
  DieBy(first != 0 ? first : signal_number);
}

// The report ran out of time: end the process as the fault would have.
void OnReportTimeLimit(int) {
  const int first = g_first_signal.load();
  DieBy(first != 0 ? first : SIGABRT);
}

// From here on the process ends within the time limit, however the report fares.
void ArmReportTimeLimit() {
  const unsigned limit = g_time_limit.load();
  if (limit == 0) return;
  struct sigaction action{};
  action.sa_handler = &OnReportTimeLimit;
  action.sa_flags = SA_ONSTACK;
  sigemptyset(&action.sa_mask);
  sigaction(SIGALRM, &action, nullptr);
  sigset_t alarm_only;
  sigemptyset(&alarm_only);
  sigaddset(&alarm_only, SIGALRM);
  pthread_sigmask(SIG_UNBLOCK, &alarm_only, nullptr);
  alarm(limit);
}

void OnSignal(int signal_number, siginfo_t* info, void* context) {
  if (g_reporting.exchange(true)) SecondFault(signal_number);
  g_reporting_thread = CurrentThread();
  g_first_signal = signal_number;
  g_info = CrashInfo{};
  g_info.signal = signal_number;
  g_info.code = info != nullptr ? info->si_code : 0;
  g_info.fault_address = info != nullptr ? info->si_addr : nullptr;
  if (context != nullptr) FillRegisters(static_cast<const ucontext_t*>(context), &g_info.registers);
  g_info.stack_overflow = signal_number == SIGSEGV && g_info.registers.valid &&
                          NearStackPointer(g_info.fault_address, g_info.registers.rsp);
  ArmReportTimeLimit();
  FillCommon();
  if (Handler handler = g_handler.load()) handler(g_info);
  DieBy(signal_number);
}

void OnTerminate() {
  if (!g_reporting.exchange(true)) {
    g_reporting_thread = CurrentThread();
    g_first_signal = SIGABRT;
    g_info = CrashInfo{};
    g_info.signal = SIGABRT;
    g_info.terminate = true;
    ArmReportTimeLimit();
    if (const std::type_info* type = abi::__cxa_current_exception_type()) {
      g_info.exception_type = type->name();
    }
    // getcontext fills only the registers a call preserves; the others must read as 0, not as
    // whatever the stack held.
    ucontext_t here{};
    if (getcontext(&here) == 0) FillRegisters(&here, &g_info.registers);
    FillCommon();
    if (Handler handler = g_handler.load()) handler(g_info);
  }
  if (g_reporting_thread.load() != CurrentThread()) SecondFault(SIGABRT);
  DieBy(g_first_signal.load() != 0 ? g_first_signal.load() : SIGABRT);
}

}  // namespace

void SetReportTimeLimit(unsigned seconds) { g_time_limit = seconds; }

bool Install(Handler handler) {
  if (handler == nullptr) return false;
  g_handler = handler;
  if (g_installed.exchange(true)) return true;

  CaptureProcessFacts();
  // The first backtrace loads the unwinder; it must not happen inside the handler.
  void* warm_up[2];
  backtrace(warm_up, 2);

  stack_t stack{};
  stack.ss_sp = g_alternate_stack;
  stack.ss_size = sizeof g_alternate_stack;
  stack.ss_flags = 0;
  sigaltstack(&stack, nullptr);

  struct sigaction action{};
  action.sa_sigaction = &OnSignal;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK;
  sigemptyset(&action.sa_mask);
  for (int signal_number : kSignals) sigaction(signal_number, &action, nullptr);
  std::set_terminate(&OnTerminate);
  return true;
}

}  // namespace crash
