// formconv: converts form data between its text and binary forms.
//   formconv --to-binary IN OUT
//   formconv --to-text IN OUT
// IN may be either form: binary is recognised by its signature. OUT is replaced only after the
// whole conversion succeeded. Every failure is one line "formconv: IN: WHERE: REASON", WHERE
// being the byte (binary) or line (text) of IN where reading stopped, or 0 when the failure
// has no place in IN; the exit code is then 1.

#include <cstdio>
#include <iostream>
#include <new>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/component/FileWrite.h"
#include "platform/component/FormData.h"
#include "platform/component/FormText.h"

namespace {

struct TFailure {
  size_t where;
  std::string reason;
};

std::string ReadFile(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) throw TFailure{0, "cannot read"};
  std::string data;
  char buffer[65536];
  while (const size_t n = std::fread(buffer, 1, sizeof buffer, file)) data.append(buffer, n);
  const bool failed = std::ferror(file);
  std::fclose(file);
  if (failed) throw TFailure{0, "cannot read"};
  return data;
}

TFormData ReadForm(std::string data) {
  try {
    return ReadFormData(std::move(data));
  } catch (const EFormError& error) {
    throw TFailure{error.offset(), error.reason()};
  }
}

void Run(const std::string& in, const std::string& out, bool toBinary) {
  // Binary input is kept as it was read, and the text is written as it is made, as it can be
  // many times the size of the data.
  const TFormData form = ReadForm(ReadFile(in));
  const bool written = WriteFileAtomically(out, [&](const TByteSink& sink) {
    if (toBinary) {
      const std::span<const uint8_t> binary = form.Bytes();
      sink({reinterpret_cast<const char*>(binary.data()), binary.size()});
    } else {
      WriteFormText(form, [&](std::string_view piece) { sink(piece); });
    }
  });
  if (!written) throw TFailure{0, "cannot write " + out};
}

int Fail(const std::string& in, size_t where, const std::string& reason) {
  std::cerr << "formconv: " << in << ": " << where << ": " << reason << '\n';
  return 1;
}

constexpr const char* kTooLarge = "too large to hold in memory";

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc == 4 ? argv[1] : "";
  if (mode != "--to-binary" && mode != "--to-text") {
    std::cerr << "usage: formconv --to-binary|--to-text IN OUT\n";
    return 2;
  }
  try {
    Run(argv[2], argv[3], mode == "--to-binary");
  } catch (const TFailure& failure) {
    return Fail(argv[2], failure.where, failure.reason);
  } catch (const std::bad_alloc&) {
    return Fail(argv[2], 0, kTooLarge);
  } catch (const std::length_error&) {
    return Fail(argv[2], 0, kTooLarge);
  }
  return 0;
}
