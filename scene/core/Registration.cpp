#include "scene/core/Registration.h"

#include <string>
#include <vector>

#include "scene/core/Object.h"

namespace {

struct Category {
  const char* name;                // empty: registered without a palette category
  std::vector<const char*> bases;  // candidates for a placeholder's base, nearest first
  std::vector<const char*> classes;
};

const std::vector<const char*> kControlBases = {"TvxControl", "TvxVisualObject", "TvxObject"};

const std::vector<Category>& Categories() {
  static const std::vector<Category> categories = {
      {"",
       {"TPersistent"},
       {"TvxBitmap", "TvxPathData", "TvxBrush", "TvxBounds", "TvxPosition", "TvxGradient",
        "TvxGradientPoints", "TvxGradientPoint", "TvxVisual", "TvxWideStrings",
        "TvxWideStringList"}},
      {"", {"TvxObject"}, {"TvxResources", "TvxObject"}},
      {"",
       kControlBases,
       {"TvxContent", "TvxControl", "TvxTextCell", "TvxCheckCell", "TvxProgressCell",
        "TvxPopupCell", "TvxStringColumn"}},
      {"", {"TComponent"}, {"TvxCustomScene"}},
      {"Resources", {"TvxObject"}, {"TvxBrushObject", "TvxPathObject", "TvxBitmapObject"}},
      {"Layout",
       {"TvxLayout", "TvxVisualObject", "TvxObject"},
       {"TvxFrame", "TvxLayout", "TvxScaledLayout", "TvxGridLayout", "TvxSplitLayout",
        "TvxNonVGLayout"}},
      {"Popup", {"TvxVisualObject", "TvxObject"}, {"TvxPopup", "TvxMessagePopup"}},
      {"Animations",
       {"TvxAnimation", "TvxObject"},
       {"TvxColorAnimation", "TvxGradientAnimation", "TvxFloatAnimation", "TvxRectAnimation",
        "TvxBitmapAnimation", "TvxBitmapListAnimation", "TvxColorKeyAnimation",
        "TvxFloatKeyAnimation", "TvxPathAnimation", "TvxPathSwitcher"}},
      {"Effects",
       {"TvxEffect", "TvxObject"},
       {"TvxShadowEffect", "TvxBlurEffect", "TvxGlowEffect", "TvxInnerGlowEffect", "TvxBevelEffect",
        "TvxReflectionEffect"}},
      {"Shapes",
       {"TvxShape", "TvxVisualObject", "TvxObject"},
       {"TvxLine", "TvxRectangle", "TvxSidesRectangle", "TvxBlurRectangle", "TvxRoundRect",
        "TvxBlurRoundRect", "TvxEllipse", "TvxCircle", "TvxArc", "TvxPie", "TvxText", "TvxPath",
        "TvxImage", "TvxPaintBox", "TvxScrollArrowLeft", "TvxScrollArrowRight",
        "TvxCalloutRectangle"}},
      {"Design",
       kControlBases,
       {"TvxSelection", "TvxSelectionPoint", "TvxDesignFrame", "TvxInspector"}},
      {"Windows", kControlBases, {"TvxBackground", "TvxSizeGrip", "TvxCloseButton"}},
      {"Boxes",
       kControlBases,
       {"TvxCheckBox", "TvxPathCheckBox", "TvxRadioButton", "TvxGroupBox", "TvxPopupBox",
        "TvxCalendarBox"}},
      {"Controls",
       kControlBases,
       {"TvxPanel", "TvxCalloutPanel", "TvxLabel", "TvxValueLabel", "TvxImageControl",
        "TvxProgressBar", "TvxTrack", "TvxScrollBar", "TvxSmallScrollBar", "TvxAniIndicator",
        "TvxExpander", "TvxTrackBar", "TvxSplitter", "TvxScrollBox", "TvxVertScrollBox",
        "TvxFramedScrollBox", "TvxFramedVertScrollBox", "TvxTabControl"}},
      {"Tool and Status",
       kControlBases,
       {"TvxStatusBar", "TvxToolBar", "TvxToolButton", "TvxToolPathButton"}},
      {"Buttons",
       kControlBases,
       {"TvxButton", "TvxRoundButton", "TvxCircleButton", "TvxBitmapButton", "TvxPathButton",
        "TvxSpeedButton", "TvxCornerButton", "TvxColorButton", "TvxAngleButton",
        "TvxBitmapStateButton", "TvxPopupButton"}},
      {"Lists",
       kControlBases,
       {"TvxListBox", "TvxComboBox", "TvxStringListBox", "TvxStringComboBox", "TvxHorzListBox",
        "TvxImageListBox", "TvxHorzImageListBox"}},
      {"Items",
       kControlBases,
       {"TvxListBoxItem", "TvxImageListBoxItem", "TvxTreeViewItem", "TvxTabItem", "TvxHudTabItem",
        "TvxHeaderItem"}},
      {"Trees", kControlBases, {"TvxTreeView"}},
      {"Text Edits",
       kControlBases,
       {"TvxTextBox", "TvxRoundTextBox", "TvxNumberBox", "TvxSpinBox", "TvxComboTextBox",
        "TvxComboTrackBar", "TvxTextBoxClearBtn", "TvxMemo", "TvxCalendarTextBox"}},
      {"Colors",
       kControlBases,
       {"TvxHueTrackBar", "TvxAlphaTrackBar", "TvxBWTrackBar", "TvxColorQuad", "TvxColorPicker",
        "TvxGradientEdit", "TvxColorBox", "TvxColorPanel", "TvxComboColorBox"}},
      {"Ext. Controls", kControlBases, {"TvxIPhoneButton", "TvxDropTarget", "TvxImageViewer"}},
      {"Math", kControlBases, {"TvxPlotGrid"}},
      {"Compound",
       kControlBases,
       {"TvxCompoundTrackBar", "TvxCompoundAngleBar", "TvxCompoundTextBox", "TvxCompoundMemo",
        "TvxCompoundNumberBox", "TvxCompoundPopupBox", "TvxCompoundColorButton", "TvxCompoundImage",
        "TvxCalendar"}},
      {"Grid", kControlBases, {"TvxGrid", "TvxStringGrid", "TvxHeader"}},
      {"Grid Columns",
       kControlBases,
       {"TvxColumn", "TvxCheckColumn", "TvxProgressColumn", "TvxPopupColumn", "TvxImageColumn"}},
      {"HUD",
       kControlBases,
       {"TvxHudPanel",         "TvxHudWindow",           "TvxHudButton",
        "TvxHudSpeedButton",   "TvxHudAngleButton",      "TvxHudTrack",
        "TvxHudTrackBar",      "TvxHudScrollBar",        "TvxHudPopupBox",
        "TvxHudLabel",         "TvxHudCheckBox",         "TvxHudRadioButton",
        "TvxHudGroupBox",      "TvxHudCloseButton",      "TvxHudStatusBar",
        "TvxHudSizeGrip",      "TvxHudRoundButton",      "TvxHudCornerButton",
        "TvxHudCircleButton",  "TvxHudListBox",          "TvxHudHorzListBox",
        "TvxHudComboBox",      "TvxHudStringListBox",    "TvxHudStringComboBox",
        "TvxHudImageListBox",  "TvxHudHorzImageListBox", "TvxHudTextBox",
        "TvxHudNumberBox",     "TvxHudRoundTextBox",     "TvxHudSpinBox",
        "TvxHudComboTextBox",  "TvxHudComboTrackBar",    "TvxHudMemo",
        "TvxHudHueTrackBar",   "TvxHudAlphaTrackBar",    "TvxHudBWTrackBar",
        "TvxHudComboColorBox", "TvxHudTabControl"}},
  };
  return categories;
}

const TClassInfo* RealClass(const std::string& name) {
  const TClassInfo* info = FindClass(name);
  return info && !info->placeholder ? info : nullptr;
}

// The nearest real base: the plain variant of a dark-theme class first, then the category's.
const TClassInfo& PlaceholderBase(const std::string& name, const std::vector<const char*>& bases) {
  if (name.rfind("TvxHud", 0) == 0)
    if (const TClassInfo* plain = RealClass("Tvx" + name.substr(6))) return *plain;
  for (const char* base : bases)
    if (const TClassInfo* info = RealClass(base)) return *info;
  if (std::string(bases.front()) == "TComponent") return TComponent::StaticClass();
  if (std::string(bases.front()) == "TPersistent") return TPersistent::StaticClass();
  return TvxObject::StaticClass();
}

}  // namespace

void RegisterObjects(std::span<const TClassInfo* const> realClasses) {
  RegisterClass(TvxObject::StaticClass());
  for (const TClassInfo* info : realClasses) RegisterClass(*info);
  static bool categoriesRecorded = false;
  for (const Category& category : Categories()) {
    for (const char* name : category.classes) {
      const TClassInfo* info = FindClass(name);
      if (!info) info = &RegisterPlaceholder(name, PlaceholderBase(name, category.bases));
      if (*category.name && !categoriesRecorded) RegisterCategory(category.name, *info);
    }
  }
  categoriesRecorded = true;
}
