#include "platform/component/FileWrite.h"

#ifdef _WIN32
#include <algorithm>

#include "platform/win32/WideText.h"
#else
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#endif

namespace {

// The temporary file beside the target: written, made durable, then moved over the target in
// one step, or removed.
class TTempFile {
 public:
  explicit TTempFile(const std::string& path);
  ~TTempFile() { Discard(); }
  TTempFile(const TTempFile&) = delete;
  TTempFile& operator=(const TTempFile&) = delete;

  bool Open() const;
  bool Write(std::span<const char> data);
  // Flushes to the disk and replaces the target; false (and the file removed) on failure.
  bool Commit();

 private:
  void Discard();

  std::string target_;
#ifdef _WIN32
  std::wstring temp_;
  HANDLE file_ = INVALID_HANDLE_VALUE;
#else
  std::string temp_;
  int fd_ = -1;
#endif
};

#ifdef _WIN32
TTempFile::TTempFile(const std::string& path) : target_(path) {
  // CREATE_NEW refuses a name that exists, so a clash with another writer is retried.
  for (unsigned attempt = 0; attempt < 100 && file_ == INVALID_HANDLE_VALUE; ++attempt) {
    temp_ = Widen(path) + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(GetTickCount() + attempt) + L".tmp";
    file_ = CreateFileW(temp_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                        nullptr);
    if (file_ == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) return;
  }
}

bool TTempFile::Open() const {
  return file_ != INVALID_HANDLE_VALUE;
}

bool TTempFile::Write(std::span<const char> data) {
  while (!data.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file_, data.data(), chunk, &written, nullptr) || written == 0) return false;
    data = data.subspan(written);
  }
  return true;
}

bool TTempFile::Commit() {
  const bool flushed = FlushFileBuffers(file_) != 0;
  const bool closed = CloseHandle(file_) != 0;
  file_ = INVALID_HANDLE_VALUE;
  // A plain rename fails when the target exists; this replaces it.
  const bool moved = flushed && closed &&
                     MoveFileExW(temp_.c_str(), Widen(target_).c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  if (moved) temp_.clear();
  return moved;
}

void TTempFile::Discard() {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  file_ = INVALID_HANDLE_VALUE;
  if (!temp_.empty()) DeleteFileW(temp_.c_str());
  temp_.clear();
}
#else
TTempFile::TTempFile(const std::string& path) : target_(path), temp_(path + ".XXXXXX") {
  fd_ = mkstemp(temp_.data());
  if (fd_ < 0) {
    temp_.clear();
    return;
  }
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd_, 0666 & ~mask);  // mkstemp makes the file private; give it the usual mode
}

bool TTempFile::Open() const {
  return fd_ >= 0;
}

bool TTempFile::Write(std::span<const char> data) {
  while (!data.empty()) {
    const ssize_t n = write(fd_, data.data(), data.size());
    if (n <= 0) return false;
    data = data.subspan(size_t(n));
  }
  return true;
}

bool TTempFile::Commit() {
  const bool synced = fsync(fd_) == 0;
  const bool closed = close(fd_) == 0;
  fd_ = -1;
  const bool moved = synced && closed && std::rename(temp_.c_str(), target_.c_str()) == 0;
  if (moved) temp_.clear();
  return moved;
}

void TTempFile::Discard() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  if (!temp_.empty()) unlink(temp_.c_str());
  temp_.clear();
}
#endif

}  // namespace

bool WriteFileAtomically(const std::string& path, std::span<const char> data) {
  return WriteFileAtomically(path, [&](const TByteSink& sink) { sink(data); });
}

bool WriteFileAtomically(const std::string& path,
                         const std::function<void(const TByteSink&)>& fill) {
  TTempFile file(path);
  if (!file.Open()) return false;
  bool ok = true;
  // A failed piece ends the writing; the rest of `fill` runs into nothing.
  fill([&](std::span<const char> data) { ok = ok && file.Write(data); });
  return ok && file.Commit();
}
