// formconv: converts form data between its text and binary forms.
//   formconv --to-binary IN OUT
//   formconv --to-text IN OUT
// IN may be either form: binary is recognised by its signature. OUT is replaced only after the
// whole conversion succeeded.

#include <cstdio>
#include <iostream>
#include <span>
#include <string>
#include <vector>

#include "platform/component/FileWrite.h"
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
    if (!WriteFileAtomically(argv[3], Convert(form, mode == "--to-binary")))
      throw TFailure{argv[3], "cannot write"};
  } catch (const TFailure& failure) {
    std::cerr << "formconv: " << failure.file << ": " << failure.detail << '\n';
    return 1;
  }
  return 0;
}
