#pragma once

// A font description: family, size in pixels at 96 dpi, style and the ClearType wish.

#include <string>

#include "platform/component/Publisher.h"
#include "scene/graphics/GraphicsTypes.h"

inline constexpr const char* DefaultFontFamily = "Tahoma";
inline constexpr float DefaultFontSize = 11;

class TvxFont : public TPersistent {
  LC_CLASS(TvxFont, TPersistent)

 public:
  TvxFont() = default;
  TvxFont(const TvxFont&) = delete;
  TvxFont& operator=(const TvxFont&) = delete;

  bool ClearType() const { return clearType_; }
  void SetClearType(bool value);
  const std::string& Family() const { return family_; }
  void SetFamily(const std::string& value);
  float Size() const { return size_; }
  void SetSize(float value);
  TvxFontStyle Style() const { return style_; }
  void SetStyle(TvxFontStyle value);

  // Copies all four values with one OnChange, and none when nothing differs.
  void Assign(const TPersistent& source) override;
  // From a platform font: its name, |height| as the size, bold and italic as the style.
  void ImportPlatformFont(const std::string& name, int height, bool bold, bool italic);
  // The platform font height this font asks for (negative: a character height).
  int PlatformFontHeight() const;

  TNotifyEvent OnChange;

 private:
  bool clearType_ = true;
  std::string family_ = DefaultFontFamily;
  float size_ = DefaultFontSize;
  TvxFontStyle style_ = vxFontRegular;
};
