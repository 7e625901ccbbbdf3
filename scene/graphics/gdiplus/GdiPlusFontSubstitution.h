#pragma once

// Forms name Windows font families. Most exist on Windows; where one is missing (or, like
// Fixedsys, is no TrueType face GDI+ could draw), a similar installed face stands in, with the
// Linux faces a Windows layer such as wine shows as the last resort. Text the chosen face has
// no glyphs for (Chinese in a Latin face) is drawn wholly by a CJK face of a similar look, so
// that one face draws every character of a string.

#include <map>
#include <string>
#include <string_view>
#include <vector>

class TvxGdiPlusFontSubstitution {
 public:
  // The installed face that draws `text` for `family`; empty when no face at all is installed.
  static std::wstring Face(const std::string& family, std::u16string_view text);
  // The installed face for `family` itself (the family when installed and drawable by GDI+).
  static std::wstring PrimaryFace(const std::string& family);
  // The installed CJK face matching `family`'s look.
  static std::wstring CjkFace(const std::string& family);
  // Faces such as Impact are heavy in every style; a stand-in is made bold.
  static bool ForcesBold(const std::string& family);
  // Whether GDI+ can make a family of that name.
  static bool Installed(const std::wstring& face);
  // Whether the face has a glyph for every visible character of `text`.
  static bool Covers(const std::wstring& face, std::u16string_view text);

 private:
  using Ranges = std::vector<std::pair<char16_t, char16_t>>;
  static const Ranges& CoveredRanges(const std::wstring& face);
  static std::wstring FirstInstalled(const std::vector<std::wstring>& candidates);
};
