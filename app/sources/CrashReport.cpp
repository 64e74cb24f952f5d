#include "app/sources/CrashReport.h"

#include <signal.h>

#include <cstdint>

namespace {

constexpr const char* kReportName = "crash.txt";
constexpr const char* kReporter = "bin\\mb.dll";
constexpr int kStderr = 2;

// The file name part of a path, without allocating.
const char* BaseName(const char* path) {
  const char* name = path;
  for (const char* p = path; *p != '\0'; ++p) {
    if (*p == '/' || *p == '\\') name = p + 1;
  }
  return name;
}

void WriteDate(int fd, const crash::LocalTime& time) {
  crash::WriteText(fd, "Date: ");
  crash::WriteDecimal(fd, time.month, 2);
  crash::WriteText(fd, "-");
  crash::WriteDecimal(fd, time.day, 2);
  crash::WriteText(fd, "-");
  crash::WriteDecimal(fd, time.year % 100, 2);
  crash::WriteText(fd, " ");
  crash::WriteDecimal(fd, time.hour, 2);
  crash::WriteText(fd, ":");
  crash::WriteDecimal(fd, time.minute, 2);
  crash::WriteText(fd, ":");
  crash::WriteDecimal(fd, time.second, 2);
  crash::WriteText(fd, "\n\n");
}

void WriteModuleLine(const crash::Module& module, void* context) {
  const int fd = *static_cast<int*>(context);
  crash::WriteText(fd, "   0x");
  crash::WriteHex(fd, module.base, 8);
  crash::WriteText(fd, " - ");
  crash::WriteText(fd, module.path);
  crash::WriteText(fd, "\n");
}

void WriteModuleList(int fd) {
  if (crash::ForEachModule(&WriteModuleLine, &fd) <= 0) {
    crash::WriteText(fd, "Failed getting loaded modules for this process!\n");
  }
  crash::WriteText(fd, "\n");
}

// " in module name" for a code address ("<UNKNOWN>" outside every module).
void WriteModule(int fd, const void* address) {
  crash::Module module;
  crash::WriteText(fd, " in module ");
  crash::WriteText(fd, crash::FindModule(address, &module) ? BaseName(module.path) : "<UNKNOWN>");
}

// ", symbol()+0042 byte(s)" for a code address whose symbol is known.
void WriteSymbol(int fd, const void* address) {
  const char* symbol = nullptr;
  uintptr_t offset = 0;
  if (crash::FindSymbol(address, &symbol, &offset) && symbol != nullptr && symbol[0] != '\0') {
    crash::WriteText(fd, ", ");
    crash::WriteText(fd, symbol);
    crash::WriteText(fd, "()+");
    crash::WriteDecimal(fd, static_cast<int64_t>(offset), 4);
    crash::WriteText(fd, " byte(s)");
  }
}

void WriteAddress(int fd, uint16_t segment, const void* address) {
  crash::WriteHex(fd, segment, 4);
  crash::WriteText(fd, ":");
  crash::WriteHex(fd, reinterpret_cast<uintptr_t>(address), 8);
}

void DescribeException(int fd, const crash::CrashInfo& info) {
  const void* where = info.registers.valid ? reinterpret_cast<const void*>(info.registers.rip)
                                           : info.fault_address;
  crash::WriteText(fd, BaseName(info.executable));
  crash::WriteText(fd, " caused an ");
  crash::WriteText(fd, GetExceptionName(info));
  crash::WriteText(fd, " (");
  crash::WriteText(fd, crash::SignalName(info.signal));
  if (info.exception_type != nullptr) {
    crash::WriteText(fd, ", ");
    crash::WriteText(fd, info.exception_type);
  }
  crash::WriteText(fd, ")");
  WriteModule(fd, where);
  crash::WriteText(fd, " at ");
  WriteAddress(fd, info.registers.cs, where);
  WriteSymbol(fd, where);
  // Only a fault the processor raised has an address; a signal sent by a process has none.
  if ((info.signal == SIGSEGV || info.signal == SIGBUS) && info.code > 0) {
    crash::WriteText(fd, "\nThe faulting access was at 0x");
    crash::WriteHex(fd, reinterpret_cast<uintptr_t>(info.fault_address), 8);
  }
  crash::WriteText(fd, "\n\n");
}

void WriteRegister(int fd, const char* name, uint64_t value, const char* after) {
  crash::WriteText(fd, name);
  crash::WriteText(fd, "=");
  crash::WriteHex(fd, value, 16);
  crash::WriteText(fd, after);
}

void DumpRegisters(int fd, const crash::Registers& r) {
  if (!r.valid) {
    crash::WriteText(fd, "Registers not available");
    return;
  }
  WriteRegister(fd, "RAX", r.rax, "  ");
  WriteRegister(fd, "RBX", r.rbx, "  ");
  WriteRegister(fd, "RCX", r.rcx, "  ");
  WriteRegister(fd, "RDX", r.rdx, "  ");
  WriteRegister(fd, "RSI", r.rsi, "\n");
  WriteRegister(fd, "RDI", r.rdi, "  ");
  WriteRegister(fd, "RBP", r.rbp, "  ");
  WriteRegister(fd, "RSP", r.rsp, "  ");
  WriteRegister(fd, "RIP", r.rip, "  ");
  WriteRegister(fd, "FLG", r.eflags, "\n");
  WriteRegister(fd, "R8 ", r.r8, "  ");
  WriteRegister(fd, "R9 ", r.r9, "  ");
  WriteRegister(fd, "R10", r.r10, "  ");
  WriteRegister(fd, "R11", r.r11, "  ");
  WriteRegister(fd, "R12", r.r12, "\n");
  WriteRegister(fd, "R13", r.r13, "  ");
  WriteRegister(fd, "R14", r.r14, "  ");
  WriteRegister(fd, "R15", r.r15, "\n");
  // The segment line keeps its long-standing layout, which readers of the reports know.
  crash::WriteText(fd, "CS=");
  crash::WriteHex(fd, r.cs, 4);
  crash::WriteText(fd, "   DS=");
  crash::WriteHex(fd, r.ds, 4);
  crash::WriteText(fd, "  SS=");
  crash::WriteHex(fd, r.ss, 4);
  crash::WriteText(fd, "  ES=");
  crash::WriteHex(fd, r.es, 4);
  crash::WriteText(fd, "   FS=");
  crash::WriteHex(fd, r.fs, 4);
  crash::WriteText(fd, "  GS=");
  crash::WriteHex(fd, r.gs, 4);
}

void WalkStack(int fd, const crash::CrashInfo& info) {
  // The heading the external reporter looks for, whatever walked the stack.
  crash::WriteText(fd, "\nStack trace (DBGHELP.dll):\n");
  for (int i = 0; i < info.frame_count && info.frames != nullptr; ++i) {
    const void* frame = info.frames[i];
    WriteAddress(fd, info.registers.cs, frame);
    WriteModule(fd, frame);
    WriteSymbol(fd, frame);
    crash::WriteText(fd, "\n");
  }
}

}  // namespace

const char* GetExceptionName(const crash::CrashInfo& info) {
  if (info.terminate) return "unhandled C++ exception";
  if (info.stack_overflow) return "EXCEPTION_STACK_OVERFLOW";
  switch (info.signal) {
    case SIGSEGV:
      return "EXCEPTION_ACCESS_VIOLATION";
    case SIGBUS:
      return info.code == BUS_ADRALN ? "EXCEPTION_DATATYPE_MISALIGNMENT" : "EXCEPTION_IN_PAGE_ERROR";
    case SIGILL:
      return info.code == ILL_PRVOPC || info.code == ILL_PRVREG ? "EXCEPTION_PRIV_INSTRUCTION"
                                                                : "EXCEPTION_ILLEGAL_INSTRUCTION";
    case SIGFPE:
      switch (info.code) {
        case FPE_INTDIV:
          return "EXCEPTION_INT_DIVIDE_BY_ZERO";
        case FPE_INTOVF:
          return "EXCEPTION_INT_OVERFLOW";
        case FPE_FLTDIV:
          return "EXCEPTION_FLT_DIVIDE_BY_ZERO";
        case FPE_FLTOVF:
          return "EXCEPTION_FLT_OVERFLOW";
        case FPE_FLTUND:
          return "EXCEPTION_FLT_UNDERFLOW";
        case FPE_FLTRES:
          return "EXCEPTION_FLT_INEXACT_RESULT";
        case FPE_FLTINV:
          return "EXCEPTION_FLT_INVALID_OPERATION";
        default:
          return "EXCEPTION_FLT_INVALID_OPERATION";
      }
    case SIGABRT:
      return "abort";
    default:
      return "unknown exception";
  }
}

void WriteCrashReport(const crash::CrashInfo& info) {
  if (info.stack_overflow) crash::WriteText(kStderr, "EXCEPTION_STACK_OVERFLOW occurred\n");
  const int fd = crash::OpenReport(kReportName);
  if (fd >= 0) {
    WriteDate(fd, info.time);
    WriteModuleList(fd);
    DescribeException(fd, info);
    DumpRegisters(fd, info.registers);
    WalkStack(fd, info);
    crash::CloseReport(fd);
  }
  // Only when one is installed and may run; it finds "crash.txt" by itself.
  crash::StartProgram(kReporter);
}

bool InstallCrashHandler(crash::Handler callback) {
  if (callback == nullptr) return false;
  return crash::Install(callback);
}
