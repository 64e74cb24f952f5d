#pragma once
// The crash service of the platform layer: catches the signals of a fatal fault (and an uncaught
// C++ exception) and hands the program's crash handler what it needs for a report: the signal, the
// fault address, the registers, a backtrace, the local time, the current folder and the loaded
// modules. Afterwards the process dies by the same signal, as it would have without us.
//
// The handler runs inside a signal handler, on a stack of its own (so a stack overflow is caught
// too): it may only use async-signal-safe calls, such as the writers below. Nothing here allocates.

#include <cstddef>
#include <cstdint>

namespace crash {

// The x86-64 general registers at the fault; `valid` is false on other machines and when none
// were captured.
struct Registers {
  bool valid = false;
  uint64_t rax = 0, rbx = 0, rcx = 0, rdx = 0, rsi = 0, rdi = 0, rbp = 0, rsp = 0;
  uint64_t r8 = 0, r9 = 0, r10 = 0, r11 = 0, r12 = 0, r13 = 0, r14 = 0, r15 = 0;
  uint64_t rip = 0, eflags = 0;
  uint16_t cs = 0, ds = 0, ss = 0, es = 0, fs = 0, gs = 0;
};

struct LocalTime {
  int year = 0;  // e.g. 2026
  int month = 0;  // 1 to 12
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

constexpr int kMaxFrames = 64;
constexpr int kPathSize = 4096;

struct CrashInfo {
  int signal = 0;                       // SIGSEGV, SIGBUS, SIGILL, SIGFPE or SIGABRT
  int code = 0;                         // the signal's si_code (SEGV_MAPERR, FPE_INTDIV, ...)
  const void* fault_address = nullptr;  // the address that faulted (si_addr)
  bool stack_overflow = false;          // the fault lay at the stack pointer: the stack ran out
  bool terminate = false;               // std::terminate ran (the signal is then SIGABRT)
  const char* exception_type = nullptr; // the type of the escaped exception, mangled; or null
  Registers registers;
  void* const* frames = nullptr;  // the backtrace, innermost first
  int frame_count = 0;
  LocalTime time;
  const char* current_directory = "";
  const char* executable = "";  // the program's own path
};

using Handler = void (*)(const CrashInfo& info);

// Installs the handlers for SIGSEGV, SIGBUS, SIGILL, SIGFPE and SIGABRT and for std::terminate,
// once a process; a later call only replaces `handler`. False when `handler` is null. The
// alternate stack serves the calling thread (the main thread, from a static initialiser): a stack
// overflow in another thread ends the process unreported. A second fault while the report is made
// ends the process by the first signal.
bool Install(Handler handler);

// A report that has not ended after this many seconds (the loader's lock held by a thread that
// will never run again, a stalled disk) is given up: the process dies by its first signal all the
// same. 0 waits without limit. The default is kDefaultReportTimeLimit.
constexpr unsigned kDefaultReportTimeLimit = 10;
void SetReportTimeLimit(unsigned seconds);

// ---- modules -------------------------------------------------------------------------------------
// These ask the dynamic loader, which allocates nothing here but takes its own lock: they are safe
// in the handler unless the crash happened inside the loader itself.
struct Module {
  uintptr_t base = 0;  // where its first segment is loaded
  uintptr_t size = 0;  // up to the end of its last segment
  const char* path = "";
};
using ModuleVisitor = void (*)(const Module& module, void* context);
// Visits every loaded module (the program itself under its own path); returns how many.
int ForEachModule(ModuleVisitor visitor, void* context);
// The module that holds `address`; false when none does.
bool FindModule(const void* address, Module* module);
// The exported symbol at or before `address` within its module; false when there is none.
bool FindSymbol(const void* address, const char** name, uintptr_t* offset);

// ---- writing without allocating --------------------------------------------------------------------
// Into `buffer` (always terminated when `size` > 0); the length written, 0 when it does not fit.
// `min_digits` pads with zeros ("%02d", "%08X").
std::size_t FormatDecimal(char* buffer, std::size_t size, int64_t value, int min_digits = 0);
std::size_t FormatHex(char* buffer, std::size_t size, uint64_t value, int min_digits = 0);
// To a file descriptor; false when not everything could be written.
bool WriteText(int fd, const char* text);
bool WriteBytes(int fd, const char* bytes, std::size_t count);
bool WriteDecimal(int fd, int64_t value, int min_digits = 0);
bool WriteHex(int fd, uint64_t value, int min_digits = 0);  // upper case, no prefix
// Creates (or empties) a report file for writing; -1 when it cannot. Paths here may use `\` or `/`.
int OpenReport(const char* path);
void CloseReport(int fd);

// "SIGSEGV", "SIGBUS", ...; "signal" for others.
const char* SignalName(int signal);

// Starts the program at `path` (no arguments, this process's environment and folder) when it is an
// executable file, without waiting for it; false when it is not there or cannot be started.
bool StartProgram(const char* path);

}  // namespace crash
