// formconv: converts form data between its text and binary forms.
//   formconv --to-binary IN OUT
//   formconv --to-text IN OUT
// IN may be either form: binary is recognised by its signature. OUT is replaced only after the
// whole conversion succeeded.

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <span>
#include <string>
#include <vector>

#include "platform/component/FormData.h"
#include "platform/component/FormText.h"

namespace {

// A failure reported as "formconv: FILE: DETAIL".
struct TFailure {
  std::string file;
  std::string detail;
};

std::string ReadFile(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) throw TFailure{path, "cannot read"};
  std::string data;
  char buffer[65536];
  while (const size_t n = std::fread(buffer, 1, sizeof buffer, file)) data.append(buffer, n);
  const bool failed = std::ferror(file);
  std::fclose(file);
  if (failed) throw TFailure{path, "cannot read"};
  return data;
}

TFormObject ReadForm(const std::string& path) {
  const std::string data = ReadFile(path);
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(data.data()), data.size());
  try {
    if (!HasFormSignature(bytes)) return ReadFormText(data);
    size_t pos = 0;
    TFormObject form = ReadFormBinary(bytes, &pos);
    if (pos != bytes.size()) throw EFormError(pos, "data after the form's end");
    return form;
  } catch (const EFormError& error) {
    throw TFailure{path, error.what()};
  }
}

// Writes to a temporary file beside `path` and renames it, so a failure leaves no partial file.
void WriteFileAtomically(const std::string& path, const std::string& data) {
  std::string temp = path + ".XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) throw TFailure{path, "cannot write"};
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);  // mkstemp makes the file private; give it the usual mode
  size_t written = 0;
  while (written < data.size()) {
    const ssize_t n = write(fd, data.data() + written, data.size() - written);
    if (n <= 0) break;
    written += size_t(n);
  }
  const bool ok = written == data.size() && fsync(fd) == 0;
  if (close(fd) != 0 || !ok || std::rename(temp.c_str(), path.c_str()) != 0) {
    unlink(temp.c_str());
    throw TFailure{path, "cannot write"};
  }
}

std::string Convert(const TFormObject& form, bool toBinary) {
  if (!toBinary) return WriteFormText(form);
  const std::vector<uint8_t> bytes = WriteFormBinary(form);
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc == 4 ? argv[1] : "";
  if (mode != "--to-binary" && mode != "--to-text") {
    std::cerr << "usage: formconv --to-binary|--to-text IN OUT\n";
    return 2;
  }
  try {
    const TFormObject form = ReadForm(argv[2]);
    WriteFileAtomically(argv[3], Convert(form, mode == "--to-binary"));
  } catch (const TFailure& failure) {
    std::cerr << "formconv: " << failure.file << ": " << failure.detail << '\n';
    return 1;
  }
  return 0;
}
