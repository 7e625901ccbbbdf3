// Arbitrary bytes as path text and as the binary "Path" property. Neither may crash; the text
// a parsed path writes must parse back to the same commands, and binary data read and written
// again must read back to the same entries.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/component/FormData.h"
#include "scene/graphics/PathData.h"

namespace {

class PathFiler : public TFiler {
 public:
  explicit PathFiler(const TFormValue* input) : input_(input) {}
  void DefineProperty(const char*, const Reader& read, const Writer& write, bool hasData) override {
    if (input_) return read(*input_);
    if (hasData) written = write();
  }
  std::optional<TFormValue> written;

 private:
  const TFormValue* input_;
};

std::vector<TvxPathPoint> EntriesOf(const TvxPathData& path) {
  return {path.Points().begin(), path.Points().end()};
}

void Exercise(const TvxPathData& path) {
  std::vector<TvxPoint> polygon;
  TvxPoint size;
  path.FlattenToPolygon(polygon, size, 0.25f);
  path.GetBounds();
}

void CheckText(const std::string& text) {
  TvxPathData path;
  path.SetData(text);
  Exercise(path);
  TvxPathData again;
  again.SetData(path.Data());
  if (again.Count() != path.Count()) std::abort();
  for (int i = 0; i < path.Count(); ++i)
    if (again.Points()[size_t(i)].Kind != path.Points()[size_t(i)].Kind) std::abort();
}

void CheckBinary(const std::string& bytes) {
  const TFormValue value = TFormValue::Bytes(bytes);
  TvxPathData path;
  PathFiler in(&value);
  path.DefineProperties(in);
  Exercise(path);
  path.Data();
  PathFiler out(nullptr);
  path.DefineProperties(out);
  if (!out.written) {
    if (!path.IsEmpty()) std::abort();
    return;
  }
  TvxPathData again;
  PathFiler back(&*out.written);
  again.DefineProperties(back);
  if (EntriesOf(again) != EntriesOf(path)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  CheckText(bytes);
  CheckBinary(bytes);
  return 0;
}
