#include "scene/graphics/Filter.h"

#include <charconv>
#include <string_view>

#include "platform/component/Unicode.h"

namespace {

struct MimeName {
  std::string_view name;
  std::string_view mime;
};

constexpr MimeName kFormats[] = {
    {"jpeg", "image/jpeg"}, {"jpg", "image/jpeg"},  {"png", "image/png"}, {"bmp", "image/bmp"},
    {"tif", "image/tiff"},  {"tiff", "image/tiff"}, {"gif", "image/gif"}};

std::string_view FindMime(std::string_view name) {
  for (const MimeName& format : kFormats)
    if (SameText(format.name, name)) return format.mime;
  return {};
}

}  // namespace

TvxPoint TvxFilter::GetImageSize(const std::string&) {
  return {};
}

std::string TvxFilter::MimeTypeOfFormat(const std::string& format) {
  const std::string_view mime = FindMime(format);
  return std::string(mime.empty() ? "image/png" : mime);
}

std::string TvxFilter::MimeTypeOfFile(const std::string& fileName) {
  const size_t dot = fileName.find_last_of("./\\");
  if (dot == std::string::npos || fileName[dot] != '.') return {};
  return std::string(FindMime(std::string_view(fileName).substr(dot + 1)));
}

std::optional<int> TvxFilter::QualityParameter(const std::string& params) {
  std::optional<int> quality;
  std::string_view rest = params;
  while (!rest.empty()) {
    const size_t blank = rest.find(' ');
    const std::string_view token = rest.substr(0, blank);
    rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank + 1);
    const size_t equals = token.find('=');
    if (equals == std::string_view::npos) continue;
    if (!SameText(token.substr(0, equals), "quality")) continue;
    const std::string_view digits = token.substr(equals + 1);
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error == std::errc() && end == digits.data() + digits.size()) quality = value;
  }
  return quality;
}
