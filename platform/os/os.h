#pragma once
// The operating-system service of the platform layer: files, folders, well-known folders, clocks,
// threads, locks, debug output, the single-instance lock and the desktop. Paths may use `\` or `/`;
// where an exact name is missing, names are matched without regard to case.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace os {

// ---- paths -------------------------------------------------------------------------------
// Maps `\` to `/` and resolves each missing component by a case-insensitive (ASCII) match in its
// folder. Components that match nothing keep the given case, and so do all after them; repeated
// separators collapse to one.
std::string NativePath(const std::string& path);

// ---- files ----------------------------------------------------------------------------------
// Open dispositions (the numbers the engine passes).
enum Disposition : int { kCreateAlways = 0, kCreateNew = 1, kOpenAlways = 2, kOpenExisting = 3 };
// Access bits.
enum Access : unsigned { kAccessExecute = 1, kAccessRead = 2, kAccessWrite = 4 };
// Share bits (advisory on Linux; kept so callers state their intent).
enum Share : unsigned { kShareDelete = 1, kShareRead = 2, kShareWrite = 4 };

// An open file; closes on destruction. All offsets are 64-bit; callers narrow as they need.
class File {
 public:
  ~File();
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // Opens `path`; on failure returns null and stores errno in *error (when given). Folders and
  // pipes are refused (EISDIR, EINVAL) so a read can never block on them.
  static std::unique_ptr<File> Open(const std::string& path, int disposition, unsigned access,
                                    unsigned share, int* error = nullptr);

  int64_t Read(void* buffer, uint64_t count);                   // bytes read, -1 on error
  int64_t Write(const void* buffer, uint64_t count);            // bytes written, -1 on error
  int64_t ReadAt(uint64_t offset, void* buffer, uint64_t count) const;  // pread: no shared position
  int64_t Seek(int64_t offset, int origin);  // 0 start, 1 current, other end; new position or -1
  int64_t Size() const;                       // -1 on error
  bool Resize(uint64_t size);                 // truncate or extend; position is left at `size`
  bool Flush();                               // fsync
  int Descriptor() const { return m_fd; }

 private:
  explicit File(int fd) : m_fd(fd) {}
  int m_fd;
};

bool FileExists(const std::string& path);       // a regular file
bool DirectoryExists(const std::string& path);
bool IsExecutable(const std::string& path);     // a regular file with an execute bit for us
// A regular file that no one may write to (the player marked it read-only); whoever we run as.
bool IsReadOnlyFile(const std::string& path);
bool DeleteFile(const std::string& path);
// The most bytes a file name may have in `folder` (or in its nearest existing parent): 255 where
// the file system does not say.
std::size_t LongestFileName(const std::string& folder);
// Atomically replaces `to` with `from` (same folder). Used to keep player files whole.
bool RenameFile(const std::string& from, const std::string& to);
// Writes `bytes` to a temporary file beside `path`, syncs it and renames it over `path`. On
// failure errno tells why (EISDIR: a folder stands in the file's place).
bool WriteFileAtomically(const std::string& path, const void* bytes, std::size_t size);
// Removes the temporary files that WriteFileAtomically left beside `path` when the process was
// killed mid-write. Only for a caller that knows no other writer of `path` runs (the instance
// lock). Answers how many were removed.
int RemoveStaleTemporaries(const std::string& path);

// ---- folders -------------------------------------------------------------------------------
bool CreateDirectory(const std::string& path);        // one level; true when it exists afterwards
bool CreateDirectoryTree(const std::string& path);    // with every missing parent
// Entries of a folder ("." and ".." left out), each list sorted by name. False when unreadable.
bool ListDirectory(const std::string& path, std::vector<std::string>& folders,
                   std::vector<std::string>& files);
std::string GetCurrentDirectory();
bool SetCurrentDirectory(const std::string& path);

// ---- well-known folders ------------------------------------------------------------------------
std::string UserDataFolder();     // $XDG_DATA_HOME, else $HOME/.local/share
std::string RuntimeFolder();      // $XDG_RUNTIME_DIR, else UserDataFolder()
std::string ExecutablePath();     // /proc/self/exe
std::string ExecutableDirectory(); // without the trailing `/`; empty for a program in `/`

// ---- clocks --------------------------------------------------------------------------------
uint32_t TickCount();               // milliseconds, CLOCK_MONOTONIC, wraps at 2^32
uint64_t PerformanceCounter();      // CLOCK_MONOTONIC in nanoseconds
uint64_t PerformanceFrequency();    // counts per second (1e9)
void SleepMilliseconds(uint32_t ms);

// ---- memory -----------------------------------------------------------------------------------
// Gives the free pages of the heap back to the system, after much was let go at once (a place
// left): the allocator keeps them otherwise, and the resident size would stay at its peak.
void ReturnFreeMemory();
// From now on a block of 256 KiB or more (a picture's pixels, a texture's) has pages of its own,
// given back to the system when it is freed: otherwise the allocator soon serves such blocks from
// its heap, and a picture let go would stay resident until the heap is trimmed.
void ReturnLargeBlocksWhenFreed();

// ---- threads and locks -----------------------------------------------------------------------
// A worker thread that is created held at a start gate and is stopped cooperatively: the body
// polls the stop flag; the destructor requests a stop and joins. Never suspended or killed, so it
// can never die holding a lock.
class Thread {
 public:
  using Body = std::function<void(const std::atomic<bool>& stop_requested)>;
  explicit Thread(Body body);
  ~Thread();
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

  void Start();          // opens the gate; later calls do nothing
  void RequestStop();
  bool StopRequested() const;
  // Waits for the body to return. A thread never started is released without running its body,
  // and a later Start does nothing. Called from the body itself it returns at once.
  void Join();
  bool IsRunning() const;  // from Start until the body returns

 private:
  struct State;
  std::shared_ptr<State> m_state;  // shared with the thread, which may outlive a self-destruction
};

// A recursive lock (the same thread may enter again).
class CriticalSection {
 public:
  void Enter() { m_mutex.lock(); }
  void Leave() { m_mutex.unlock(); }
  bool TryEnter() { return m_mutex.try_lock(); }

 private:
  std::recursive_mutex m_mutex;
};

class CriticalSectionLock {
 public:
  explicit CriticalSectionLock(CriticalSection& section) : m_section(section) { m_section.Enter(); }
  ~CriticalSectionLock() { m_section.Leave(); }
  CriticalSectionLock(const CriticalSectionLock&) = delete;
  CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

 private:
  CriticalSection& m_section;
};

// ---- diagnostics -----------------------------------------------------------------------------
// Writes to stderr only when VELMARIS_DEBUG_OUTPUT is set.
void DebugOutput(const char* text);

// ---- single instance --------------------------------------------------------------------------
// A lock file held with flock for the life of the object.
class InstanceLock {
 public:
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;
  // Takes the lock named `name` in `folder` (RuntimeFolder() when empty). Null when another
  // process holds it or it cannot be made; *already_held tells which.
  static std::unique_ptr<InstanceLock> Acquire(const std::string& name, const std::string& folder,
                                               bool* already_held);

 private:
  explicit InstanceLock(int fd) : m_fd(fd) {}
  int m_fd;
};

// ---- the desktop ---------------------------------------------------------------------------------
// Opens a file or an address with the user's desktop (xdg-open, started without a shell), or
// starts a program. With VELMARIS_HEADLESS=1 or VELMARIS_DESKTOP_RECORD=<file> nothing is started:
// each request is appended to the record ("open <target>" or "start <path>", one line each) and
// kept in memory for tests.
bool OpenWithDesktop(const std::string& target);
bool StartProgram(const std::string& path);
std::vector<std::string> RecordedDesktopRequests();
void ClearRecordedDesktopRequests();

}  // namespace os
