#include "scene/graphics/Font.h"

#include <algorithm>
#include <cmath>

#include "scene/core/Geometry.h"

LC_PUBLISH(TvxFont) {
  p.Bool("ClearType", &TvxFont::ClearType, &TvxFont::SetClearType, true);
  p.String("Family", &TvxFont::Family, &TvxFont::SetFamily, DefaultFontFamily);
  p.Float("Size", &TvxFont::Size, &TvxFont::SetSize, DefaultFontSize);
  p.Enum("Style", FontStyleNames, &TvxFont::Style, &TvxFont::SetStyle);
}

void TvxFont::SetClearType(bool value) {
  if (value == clearType_) return;
  clearType_ = value;
  OnChange(this);
}

void TvxFont::SetFamily(const std::string& value) {
  if (value == family_) return;
  family_ = value;
  OnChange(this);
}

void TvxFont::SetSize(float value) {
  if (value == size_) return;
  size_ = value;
  OnChange(this);
}

void TvxFont::SetStyle(TvxFontStyle value) {
  if (value == style_) return;
  style_ = value;
  OnChange(this);
}

void TvxFont::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TvxFont*>(&source);
  if (!other) return TPersistent::Assign(source);
  if (clearType_ == other->clearType_ && family_ == other->family_ && size_ == other->size_ &&
      style_ == other->style_)
    return;
  clearType_ = other->clearType_;
  family_ = other->family_;
  size_ = other->size_;
  style_ = other->style_;
  OnChange(this);
}

void TvxFont::ImportPlatformFont(const std::string& name, int height, bool bold, bool italic) {
  static constexpr TvxFontStyle kStyles[2][2] = {{vxFontRegular, vxFontItalic},
                                                 {vxFontBold, vxFontBoldItalic}};
  family_ = name;
  size_ = std::fabs(float(height));
  style_ = kStyles[bold][italic];
  OnChange(this);
}

int TvxFont::PlatformFontHeight() const {
  // Sizes no font has are kept within int so the conversion stays defined.
  if (!std::isfinite(size_)) return 0;
  return -int(RoundHalfEven(std::clamp(double(size_), -1e6, 1e6)));
}
