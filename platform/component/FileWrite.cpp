#include "platform/component/FileWrite.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

bool WriteFileAtomically(const std::string& path, std::span<const char> data) {
  return WriteFileAtomically(path, [&](const TByteSink& sink) { sink(data); });
}

bool WriteFileAtomically(const std::string& path,
                         const std::function<void(const TByteSink&)>& fill) {
  std::string temp = path + ".XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) return false;
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);  // mkstemp makes the file private; give it the usual mode
  bool ok = true;
  const TByteSink sink = [&](std::span<const char> data) {
    for (size_t written = 0; ok && written < data.size();) {
      const ssize_t n = write(fd, data.data() + written, data.size() - written);
      ok = n > 0;
      written += ok ? size_t(n) : 0;
    }
  };
  try {
    fill(sink);
  } catch (...) {
    close(fd);
    unlink(temp.c_str());
    throw;
  }
  ok = ok && fsync(fd) == 0;
  if (close(fd) != 0 || !ok || std::rename(temp.c_str(), path.c_str()) != 0) {
    unlink(temp.c_str());
    return false;
  }
  return true;
}
