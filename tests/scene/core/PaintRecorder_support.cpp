#include "PaintRecorder_support.h"

void TLogCanvas::Log(const std::string& name, const TvxRect& rect, float opacity) {
  log_.push_back({name, rect, Matrix(), this, opacity});
}

void TLogCanvas::OnDrawRect(const TvxRect& r, float o) {
  lastStrokeColor = Stroke().Color();
  lastStrokeThickness = StrokeThickness();
  Log("DrawRect", r, o);
}

int TLogCanvas::OnSaveState() {
  Log("Save");
  return nextState_++;
}

TLogBackend::TLogBackend(TPaintLog& log) {
  SetGraphicsBackend({
      [&log](int w, int h) -> std::unique_ptr<TvxCanvas> {
        return std::make_unique<TLogCanvas>(log, w, h);
      },
      [&log](TvxBitmap& bitmap) -> std::unique_ptr<TvxCanvas> {
        return std::make_unique<TLogCanvas>(log, bitmap);
      },
      nullptr,
  });
}

TLogBackend::~TLogBackend() {
  SetGraphicsBackend({});
}

void TPaintProbe::LogHere(const std::string& what) {
  if (auto* canvas = dynamic_cast<TLogCanvas*>(Canvas())) canvas->Log(what + tag_);
}

std::vector<std::string> CallNames(const TPaintLog& log, const std::string& prefix) {
  std::vector<std::string> names;
  for (const TPaintCall& call : log)
    if (call.name.rfind(prefix, 0) == 0) names.push_back(call.name);
  return names;
}

int IndexOf(const TPaintLog& log, const std::string& name) {
  for (size_t i = 0; i < log.size(); ++i)
    if (log[i].name == name) return int(i);
  return -1;
}
