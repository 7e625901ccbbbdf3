#include "scene/graphics/gdiplus/GdiPlusFontSubstitution.h"

// clang-format off
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
// clang-format on

#include <algorithm>
#include <array>
#include <memory>
#include <mutex>

#include "platform/component/Unicode.h"
#include "platform/win32/WideText.h"

namespace {

enum class Look { Sans, Serif, Mono, Kai };

struct Substitute {
  const char* formName;  // as forms spell it; compared without case
  std::array<const wchar_t*, 4> faces;
  Look look;
  bool bold;
  bool chinese = false;  // a Chinese family: a CJK face of its look comes before Latin ones
};

// Windows' own faces first, then the Debian faces wine finds through fontconfig.
constexpr std::array<const wchar_t*, 6> kSansFaces = {
    L"Segoe UI", L"Tahoma", L"Microsoft Sans Serif", L"Arial", L"DejaVu Sans", L"Liberation Sans"};
constexpr std::array<const wchar_t*, 4> kSerifFaces = {L"Times New Roman", L"Liberation Serif",
                                                       L"DejaVu Serif", L"Noto Serif CJK SC"};
constexpr std::array<const wchar_t*, 5> kMonoFaces = {
    L"Consolas", L"Courier New", L"Liberation Mono", L"DejaVu Sans Mono", L"Noto Sans Mono CJK SC"};

const Substitute kSubstitutes[] = {
    {"Tahoma", {L"Tahoma", nullptr, nullptr, nullptr}, Look::Sans, false},
    {"Verdana", {L"Verdana", L"DejaVu Sans", nullptr, nullptr}, Look::Sans, false},
    {"Segoe UI", {L"Segoe UI", nullptr, nullptr, nullptr}, Look::Sans, false},
    {"Arial", {L"Arial", L"Liberation Sans", nullptr, nullptr}, Look::Sans, false},
    {"Times New Roman", {L"Times New Roman", nullptr, nullptr, nullptr}, Look::Serif, false},
    {"Courier New", {L"Courier New", nullptr, nullptr, nullptr}, Look::Mono, false},
    {"Impact",
     {L"Impact", L"Arial Black", L"Liberation Sans Narrow", L"DejaVu Sans Condensed"},
     Look::Sans,
     true},
    // A bitmap face, which GDI+ cannot draw: a monospaced face with Chinese glyphs instead.
    {"Fixedsys",
     {L"NSimSun", L"Noto Sans Mono CJK SC", L"WenQuanYi Micro Hei Mono", nullptr},
     Look::Mono,
     false},
    {"黑体", {L"SimHei", L"黑体", L"Microsoft YaHei", nullptr}, Look::Sans, false, true},
    {"SimHei", {L"SimHei", L"黑体", L"Microsoft YaHei", nullptr}, Look::Sans, false, true},
    {"微软雅黑", {L"Microsoft YaHei", L"微软雅黑", L"SimHei", nullptr}, Look::Sans, false, true},
    {"Microsoft YaHei",
     {L"Microsoft YaHei", L"微软雅黑", L"SimHei", nullptr},
     Look::Sans,
     false,
     true},
    {"宋体", {L"SimSun", L"宋体", L"NSimSun", nullptr}, Look::Serif, false, true},
    {"SimSun", {L"SimSun", L"宋体", L"NSimSun", nullptr}, Look::Serif, false, true},
    {"新宋体", {L"NSimSun", L"新宋体", L"SimSun", nullptr}, Look::Serif, false, true},
    {"华文行楷", {L"STXingkai", L"华文行楷", L"KaiTi", L"楷体"}, Look::Kai, false, true},
    {"STXingkai", {L"STXingkai", L"华文行楷", L"KaiTi", L"楷体"}, Look::Kai, false, true},
    {"楷体", {L"KaiTi", L"楷体", L"STKaiti", nullptr}, Look::Kai, false, true},
    {"KaiTi", {L"KaiTi", L"楷体", L"STKaiti", nullptr}, Look::Kai, false, true},
};

std::vector<std::wstring> CjkFaces(Look look) {
  switch (look) {
    case Look::Serif:
      return {L"SimSun", L"NSimSun", L"Noto Serif CJK SC", L"AR PL UMing CN", L"Noto Sans CJK SC"};
    case Look::Mono:
      return {L"NSimSun", L"SimSun", L"Noto Sans Mono CJK SC", L"Noto Sans CJK SC"};
    case Look::Kai:
      return {L"KaiTi", L"STKaiti", L"AR PL UKai CN", L"Noto Serif CJK SC", L"Noto Sans CJK SC"};
    case Look::Sans:
      break;
  }
  return {L"Microsoft YaHei", L"SimHei", L"SimSun", L"Noto Sans CJK SC", L"WenQuanYi Micro Hei"};
}

const Substitute* FindSubstitute(const std::string& family) {
  for (const Substitute& s : kSubstitutes) {
    if (SameText(s.formName, family)) return &s;
  }
  return nullptr;
}

Look LookOf(const Substitute* substitute) {
  return substitute ? substitute->look : Look::Sans;
}

template <size_t N>
void Append(std::vector<std::wstring>& list, const std::array<const wchar_t*, N>& faces) {
  for (const wchar_t* face : faces) {
    if (face) list.emplace_back(face);
  }
}

// Visible characters only: line breaks and blanks need no glyph, and a surrogate half says
// nothing about its character's face.
bool NeedsGlyph(char16_t c) {
  return c > u' ' && (c < 0xD800 || c > 0xDFFF) && c != 0xFEFF && c != 0x00A0;
}

std::mutex& CacheLock() {
  static std::mutex lock;
  return lock;
}

}  // namespace

bool TvxGdiPlusFontSubstitution::Installed(const std::wstring& face) {
  static std::map<std::wstring, bool> known;
  const std::lock_guard guard(CacheLock());
  if (auto found = known.find(face); found != known.end()) return found->second;
  const Gdiplus::FontFamily family(face.c_str());
  const bool installed = family.GetLastStatus() == Gdiplus::Ok;
  known.emplace(face, installed);
  return installed;
}

std::wstring TvxGdiPlusFontSubstitution::FirstInstalled(
    const std::vector<std::wstring>& candidates) {
  for (const std::wstring& candidate : candidates) {
    if (Installed(candidate)) return candidate;
  }
  return {};
}

std::wstring TvxGdiPlusFontSubstitution::PrimaryFace(const std::string& family) {
  const Substitute* substitute = FindSubstitute(family);
  std::vector<std::wstring> candidates;
  if (substitute) {
    Append(candidates, substitute->faces);
    if (substitute->chinese) {
      const std::vector<std::wstring> cjk = CjkFaces(substitute->look);
      candidates.insert(candidates.end(), cjk.begin(), cjk.end());
    }
  } else {
    candidates.push_back(Widen(family));
  }
  switch (LookOf(substitute)) {
    case Look::Serif:
      Append(candidates, kSerifFaces);
      break;
    case Look::Mono:
      Append(candidates, kMonoFaces);
      break;
    default:
      break;
  }
  Append(candidates, kSansFaces);
  std::wstring face = FirstInstalled(candidates);
  return face.empty() ? FirstInstalled(CjkFaces(LookOf(substitute))) : face;
}

std::wstring TvxGdiPlusFontSubstitution::CjkFace(const std::string& family) {
  std::wstring face = FirstInstalled(CjkFaces(LookOf(FindSubstitute(family))));
  return face.empty() ? FirstInstalled(CjkFaces(Look::Sans)) : face;
}

bool TvxGdiPlusFontSubstitution::ForcesBold(const std::string& family) {
  const Substitute* substitute = FindSubstitute(family);
  return substitute && substitute->bold && PrimaryFace(family) != substitute->faces[0];
}

std::wstring TvxGdiPlusFontSubstitution::Face(const std::string& family, std::u16string_view text) {
  std::wstring primary = PrimaryFace(family);
  if (primary.empty() || Covers(primary, text)) return primary;
  std::wstring cjk = CjkFace(family);
  return cjk.empty() ? primary : cjk;
}

const TvxGdiPlusFontSubstitution::Ranges& TvxGdiPlusFontSubstitution::CoveredRanges(
    const std::wstring& face) {
  static std::map<std::wstring, Ranges> known;
  const std::lock_guard guard(CacheLock());
  if (auto found = known.find(face); found != known.end()) return found->second;
  Ranges& ranges = known[face];
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return ranges;
  LOGFONTW description{};
  description.lfHeight = -16;
  description.lfCharSet = DEFAULT_CHARSET;
  face.copy(description.lfFaceName, LF_FACESIZE - 1);
  HFONT font = CreateFontIndirectW(&description);
  HGDIOBJ previous = SelectObject(dc, font);
  if (const DWORD size = GetFontUnicodeRanges(dc, nullptr); size >= sizeof(GLYPHSET)) {
    std::vector<std::byte> storage(size);
    auto* set = reinterpret_cast<GLYPHSET*>(storage.data());
    set->cbThis = size;
    if (GetFontUnicodeRanges(dc, set) == size) {
      for (DWORD i = 0; i < set->cRanges; ++i) {
        const WCRANGE& r = set->ranges[i];
        if (r.cGlyphs == 0) continue;
        ranges.emplace_back(char16_t(r.wcLow), char16_t(r.wcLow + r.cGlyphs - 1));
      }
    }
  }
  SelectObject(dc, previous);
  DeleteObject(font);
  DeleteDC(dc);
  // Not every GDI hands the ranges over in order and apart: sorted and merged, each character
  // lies in at most one.
  std::sort(ranges.begin(), ranges.end());
  Ranges merged;
  for (const auto& range : ranges) {
    if (!merged.empty() && range.first <= merged.back().second + 1) {
      merged.back().second = std::max(merged.back().second, range.second);
    } else {
      merged.push_back(range);
    }
  }
  ranges = std::move(merged);
  return ranges;
}

bool TvxGdiPlusFontSubstitution::Covers(const std::wstring& face, std::u16string_view text) {
  const Ranges& ranges = CoveredRanges(face);
  // A face whose ranges cannot be read is taken at its word.
  if (ranges.empty()) return true;
  for (char16_t c : text) {
    if (!NeedsGlyph(c)) continue;
    const auto after = std::upper_bound(
        ranges.begin(), ranges.end(), c,
        [](char16_t value, const std::pair<char16_t, char16_t>& r) { return value < r.first; });
    if (after == ranges.begin() || std::prev(after)->second < c) return false;
  }
  return true;
}
