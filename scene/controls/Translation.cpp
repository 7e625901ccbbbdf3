#include "scene/controls/Translation.h"

#include <utility>

namespace {

TvxTranslator& Installed() {
  static TvxTranslator translator;
  return translator;
}

}  // namespace

TvxTranslator SetTranslator(TvxTranslator translator) {
  return std::exchange(Installed(), std::move(translator));
}

std::u16string Translate(const std::u16string& text) {
  const TvxTranslator& translator = Installed();
  return translator ? translator(text) : text;
}
