#pragma once

// A static text. Its own word wrap (on by default) goes to the style's "text" part; with
// AutoSize the label takes the size its text needs on one line.

#include "scene/controls/TextControl.h"

class TvxLabel : public TvxTextControl {
  LC_CLASS(TvxLabel, TvxTextControl)

 public:
  explicit TvxLabel(TComponent* owner);

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  // The label's own word wrap, kept apart from the text control's.
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);

  void ApplyStyle() override;

 protected:
  void TextChanged() override;

 private:
  // Sizes the label to the text part's own size on one line.
  void FitToText(TvxText& part);
  // Binds the style again when one is attached.
  void Restyle();

  bool autoSize_ = false;
  bool wordWrap_ = true;
  bool styling_ = false;  // inside ApplyStyle, whose text assignment must not restyle
};
