#include "scene/controls/TextBox.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/Menus.h"
#include "platform/Platform.h"
#include "platform/component/Publisher.h"
#include "platform/component/Unicode.h"
#include "scene/core/VisualTypes.h"
#include "scene/graphics/Canvas.h"

namespace {

constexpr TShiftState kModifiers = ssShift | ssAlt | ssCtrl;

bool OnlyModifier(TShiftState shift, TShiftState modifier) {
  return (shift & kModifiers) == modifier;
}

IClipboard* Clipboard() {
  return Platform().clipboard;
}

// Scrolling steps, largest first: long texts are skipped through quickly.
constexpr int kScrollSteps[] = {500, 100, 50, 10};

}  // namespace

LC_PUBLISH(TvxCustomTextBox) {
  using C = TvxCustomTextBox;
  p.Object("Font", &C::Font);
  p.Enum("TextAlign", TextAlignNames, &C::TextAlign, &C::SetTextAlign, vxTextAlignNear);
  p.Bool("ReadOnly", &C::ReadOnly, &C::SetReadOnly);
  p.Bool("CanFocused", &C::CanFocused, &C::SetCanFocused, true);
  p.Bool("DisableFocusEffect", &C::DisableFocusEffect, &C::SetDisableFocusEffect);
  p.Component("BindingSource", &C::BindingSource, &C::SetBindingSource);
  p.Event("OnChange", &C::OnChange);
  p.Event("OnChangeTracking", &C::OnChangeTracking);
  p.Event("OnTyping", &C::OnTyping);
}

LC_PUBLISH(TvxTextBox) {
  p.WString("Text", &TvxTextBox::Text, &TvxTextBox::SetText);
  p.Bool("Password", &TvxTextBox::Password, &TvxTextBox::SetPassword);
}

TvxCustomTextBox::TvxCustomTextBox(TComponent* owner)
    : TvxControl(owner),
      font_(std::make_unique<TvxFont>()),
      fontFill_(std::make_unique<TvxBrush>(vxBrushSolid, 0xFF000000)),
      selectionFill_(std::make_unique<TvxBrush>(vxBrushSolid, 0x802A8ADF)) {
  font_->OnChange = [this](TObject* sender) { FontChanged(sender); };
  fontFill_->OnChange = [this](TObject*) {
    if (CaretObject()) SetCaretColor(fontFill_->Color());
    Repaint();
  };
  selectionFill_->OnChange = [this](TObject*) { Repaint(); };
  SetWidth(100);
  SetHeight(22);
  SetCanFocused(true);
  SetAutoCapture(true);
  SetCursor(crIBeam);
}

// ---- properties --------------------------------------------------------------------------------

void TvxCustomTextBox::SetText(const std::u16string& value) {
  if (value == text_) return;
  text_ = value;
  ClampToText();
  if (!HasState(csLoading)) OnChangeTracking(this);
  changed_ = true;
  PlaceCaret();
  Repaint();
}

void TvxCustomTextBox::StoreText(const std::u16string& value) {
  text_ = value;
  ClampToText();
  anchor_ = caret_;
  PlaceCaret();
  Repaint();
}

void TvxCustomTextBox::ClampToText() {
  const int length = int(text_.size());
  caret_ = std::clamp(caret_, 0, length);
  anchor_ = std::clamp(anchor_, 0, length);
  firstVisible_ = std::clamp(firstVisible_, 1, std::max(length, 1));
}

void TvxCustomTextBox::SetTextAlign(TvxTextAlign value) {
  if (value == textAlign_) return;
  textAlign_ = value;
  PlaceCaret();
  Repaint();
}

void TvxCustomTextBox::SetPassword(bool value) {
  if (value == password_) return;
  password_ = value;
  PlaceCaret();
  Repaint();
}

void TvxCustomTextBox::SetShowsCaret(bool value) {
  if (value == showCaret_) return;
  showCaret_ = value;
  UpdateCaretVisibility();
}

void TvxCustomTextBox::FontChanged(TObject*) {
  PlaceCaret();
  Repaint();
}

bool TvxCustomTextBox::Filtered(char16_t ch) const {
  return ch != 0 && !filterChar_.empty() && filterChar_.find(ch) == std::u16string::npos;
}

// ---- selection and caret -----------------------------------------------------------------------

int TvxCustomTextBox::SelStart() const {
  return std::min(anchor_, caret_);
}

int TvxCustomTextBox::SelLength() const {
  return std::abs(caret_ - anchor_);
}

std::u16string TvxCustomTextBox::SelText() const {
  return text_.substr(size_t(SelStart()), size_t(SelLength()));
}

void TvxCustomTextBox::SetCaretPosition(int value) {
  MoveCaret(value, false);
}

void TvxCustomTextBox::SetSelStart(int value) {
  MoveCaret(value, false);
}

void TvxCustomTextBox::SelectAll() {
  const bool had = SelLength() > 0;
  anchor_ = 0;
  caret_ = int(text_.size());
  ScrollToCaret();
  PlaceCaret();
  if (had || SelLength() > 0) Repaint();
}

void TvxCustomTextBox::ClearSelection() {
  if (anchor_ == caret_) return;
  anchor_ = caret_;
  Repaint();
}

void TvxCustomTextBox::MoveCaret(int target, bool extend) {
  const int oldStart = SelStart();
  const int oldLength = SelLength();
  const int oldFirst = firstVisible_;
  caret_ = std::clamp(target, 0, int(text_.size()));
  if (!extend) anchor_ = caret_;
  ScrollToCaret();
  PlaceCaret();
  if (oldStart != SelStart() || oldLength != SelLength() || oldFirst != firstVisible_) Repaint();
}

// ---- caret rectangle and scrolling -------------------------------------------------------------

float TvxCustomTextBox::TextWidth(int from, int to) {
  if (to <= from) return 0;
  if (password_) return float(to - from) * PasswordCell();
  TvxCanvas* canvas = Canvas();
  if (!canvas) return float(to - from) * PasswordCell();
  canvas->Font().Assign(*font_);
  return canvas->TextWidth(text_.substr(size_t(from), size_t(to - from)));
}

float TvxCustomTextBox::TextOffset(const TvxRect& content) {
  if (textAlign_ == vxTextAlignNear) return 0;
  const float room = RectWidth(content) - TextWidth(firstVisible_ - 1, int(text_.size()));
  if (room <= 0) return 0;
  return textAlign_ == vxTextAlignCenter ? room / 2 : room;
}

float TvxCustomTextBox::CaretX(int index) {
  const TvxRect content = ContentRect();
  return content.Left + TextOffset(content) + TextWidth(firstVisible_ - 1, index);
}

void TvxCustomTextBox::ScrollToCaret() {
  if (caret_ < firstVisible_) {
    firstVisible_ = std::max(caret_, 1);
    return;
  }
  const float room = RectWidth(ContentRect());
  const int length = int(text_.size());
  while (firstVisible_ <= length && TextWidth(firstVisible_ - 1, caret_) > room) {
    int step = 1;
    for (int candidate : kScrollSteps) {
      if (TextWidth(firstVisible_ - 1 + candidate, caret_) > room) {
        step = candidate;
        break;
      }
    }
    firstVisible_ += step;
  }
}

void TvxCustomTextBox::PlaceCaret() {
  if (!IsFocused() && !CaretObject()) return;
  const TvxRect content = ContentRect();
  const float height = font_->Size() * 1.25f;
  SetCaretSize({2, height});
  SetCaretColor(fontFill_->Color());
  SetCaretPos({CaretX(caret_) - 1, content.Top + (RectHeight(content) - height) / 2});
}

void TvxCustomTextBox::UpdateCaretVisibility() {
  if (IsFocused() && showCaret_) {
    PlaceCaret();
    ShowCaret();
  } else {
    HideCaret();
  }
}

TvxRect TvxCustomTextBox::ContentRect() {
  if (!content_) return GetLocalRect();
  const TvxPoint topLeft = AbsoluteToLocal(content_->LocalToAbsolute({0, 0}));
  const TvxPoint bottomRight =
      AbsoluteToLocal(content_->LocalToAbsolute({content_->Width(), content_->Height()}));
  return {topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y};
}

int TvxCustomTextBox::IndexAtX(float x) {
  const TvxRect content = ContentRect();
  const float rx = x - content.Left - TextOffset(content);
  const int length = int(text_.size());
  if (password_) {
    const int cells = int(std::trunc(rx / PasswordCell()));
    return std::clamp(firstVisible_ - 1 + cells, 0, length);
  }
  int index = firstVisible_ - 1;
  float left = 0;
  // Characters past the visible room cannot be under the pointer; a drag beyond scrolls.
  const float room = RectWidth(content);
  while (index < length && left <= room) {
    const float right = TextWidth(firstVisible_ - 1, index + 1);
    if (rx <= (left + right) / 2) break;
    left = right;
    ++index;
  }
  return index;
}

// ---- editing -----------------------------------------------------------------------------------

void TvxCustomTextBox::InsertText(const std::u16string& text) {
  if (readOnly_) return;
  const size_t start = size_t(SelStart());
  std::u16string result = text_;
  result.replace(start, size_t(SelLength()), text);
  if (maxLength_ > 0 && result.size() > size_t(maxLength_)) {
    ClearSelection();
    return;
  }
  SetText(result);
  MoveCaret(int(start + text.size()), false);
}

void TvxCustomTextBox::DeleteSelection() {
  if (readOnly_ || SelLength() == 0) return;
  const int start = SelStart();
  std::u16string result = text_;
  result.erase(size_t(start), size_t(SelLength()));
  anchor_ = caret_ = start;
  SetText(result);
  MoveCaret(start, false);
}

void TvxCustomTextBox::CopyToClipboard() {
  IClipboard* clipboard = Clipboard();
  if (clipboard && SelLength() > 0) clipboard->SetText(SelText());
}

void TvxCustomTextBox::CutToClipboard() {
  CopyToClipboard();
  DeleteSelection();
}

void TvxCustomTextBox::PasteFromClipboard() {
  IClipboard* clipboard = Clipboard();
  if (readOnly_ || !clipboard || !clipboard->HasText()) return;
  InsertText(clipboard->Text());
}

void TvxCustomTextBox::Change() {
  if (!changed_) return;
  UpdateBindings();
  OnChange(this);
}

// ---- keyboard ----------------------------------------------------------------------------------

void TvxCustomTextBox::KeyDown(uint16_t& key, char16_t& keyChar, TShiftState shift) {
  TvxControl::KeyDown(key, keyChar, shift);
  int target = caret_;
  const bool moved = MoveKey(key, shift, target);
  if (!moved) EditKey(key, shift);
  if (Filtered(keyChar)) keyChar = 0;
  if (keyChar != 0 && OnlyModifier(shift, ssCtrl) && ControlLetter(keyChar)) keyChar = 0;
  if (moved) MoveCaret(target, shift & ssShift);
  if (keyChar >= 32 && !readOnly_) {
    InsertText(std::u16string(1, keyChar));
    Typed();
  }
  MoveCaret(caret_, true);
}

bool TvxCustomTextBox::MoveKey(uint16_t key, TShiftState shift, int& target) {
  const bool word = shift & ssCtrl;
  switch (key) {
    case vkEnd:
      target = int(text_.size());
      return true;
    case vkHome:
      target = 0;
      return true;
    case vkLeft:
      target = word ? PreviousWordStart(caret_) : caret_ - 1;
      return true;
    case vkRight:
      target = word ? NextWordEnd(caret_) : caret_ + 1;
      return true;
    default:
      return false;
  }
}

bool TvxCustomTextBox::EditKey(uint16_t key, TShiftState shift) {
  switch (key) {
    case vkBack:
    case vkDelete:
      DeleteKey(key, shift);
      return true;
    case vkReturn:
      Change();
      return true;
    case vkInsert:
      if (OnlyModifier(shift, ssCtrl)) CopyToClipboard();
      if (OnlyModifier(shift, ssShift)) {
        PasteFromClipboard();
        Typed();
      }
      return true;
    default:
      return false;
  }
}

void TvxCustomTextBox::DeleteKey(uint16_t key, TShiftState shift) {
  if (readOnly_) return;
  if (SelLength() > 0) {
    if (key == vkDelete && OnlyModifier(shift, ssShift))
      CutToClipboard();
    else
      DeleteSelection();
  } else if (key == vkDelete && caret_ < int(text_.size())) {
    std::u16string result = text_;
    result.erase(size_t(caret_), 1);
    SetText(result);
  } else if (key == vkBack && caret_ > 0) {
    std::u16string result = text_;
    result.erase(size_t(caret_ - 1), 1);
    --caret_;
    anchor_ = caret_;
    SetText(result);
    MoveCaret(caret_, false);
  } else {
    return;
  }
  Typed();
}

bool TvxCustomTextBox::ControlLetter(char16_t letter) {
  switch (letter) {
    case u'A':
    case u'a':
      SelectAll();
      return true;
    case u'C':
    case u'c':
      CopyToClipboard();
      return true;
    case u'V':
    case u'v':
      PasteFromClipboard();
      Typed();
      return true;
    case u'X':
    case u'x':
      CutToClipboard();
      return true;
    case u'Z':
    case u'z':
      return true;  // there is no undo; the letter must not be typed
    default:
      return false;
  }
}

void TvxCustomTextBox::InputText(const std::u16string& text, TShiftState) {
  if (readOnly_) return;
  std::u16string typed;
  for (char16_t ch : text)
    if (ch >= 32 && !Filtered(ch)) typed += ch;
  if (typed.empty()) return;
  InsertText(typed);
  Typed();
}

int TvxCustomTextBox::PreviousWordStart(int from) const {
  int i = from;
  while (i > 0 && text_[size_t(i - 1)] == u' ') --i;
  while (i > 0 && text_[size_t(i - 1)] != u' ') --i;
  return i;
}

int TvxCustomTextBox::NextWordEnd(int from) const {
  const int length = int(text_.size());
  int i = from;
  while (i < length && text_[size_t(i)] == u' ') ++i;
  while (i < length && text_[size_t(i)] != u' ') ++i;
  return i;
}

// ---- mouse -------------------------------------------------------------------------------------

void TvxCustomTextBox::MouseDown(TMouseButton button, TShiftState shift, float x, float y) {
  const bool hadFocus = IsFocused();
  TvxControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft) return;
  selecting_ = true;
  if (hadFocus && !(shift & ssDouble)) MoveCaret(IndexAtX(x), false);
}

void TvxCustomTextBox::MouseMove(TShiftState shift, float x, float y) {
  TvxControl::MouseMove(shift, x, y);
  if (!selecting_) return;
  int target = IndexAtX(x);
  if (x > ContentRect().Right) ++target;
  MoveCaret(target, true);
}

void TvxCustomTextBox::MouseUp(TMouseButton button, TShiftState shift, float x, float y) {
  TvxControl::MouseUp(button, shift, x, y);
  selecting_ = false;
}

void TvxCustomTextBox::DblClick() {
  TvxControl::DblClick();
  SelectAll();
}

// ---- context menu ------------------------------------------------------------------------------

void TvxCustomTextBox::ContextPopup(const TvxPoint& screenPoint) {
  TvxControl::ContextPopup(screenPoint);
  // A menu or popup of the box's own has been shown instead.
  if (PopupMenu() || Popup()) return;
  IvxScene* scene = Scene();
  if (scene && scene->IsDesigning()) return;
  TPopupMenu& menu = BuiltInMenu();
  EnableMenuItems();
  menu.Popup(int(std::lround(screenPoint.X)), int(std::lround(screenPoint.Y)));
}

TPopupMenu& TvxCustomTextBox::BuiltInMenu() {
  if (contextMenu_) return *contextMenu_;
  contextMenu_ = new TPopupMenu(this);
  const std::pair<const char*, void (TvxCustomTextBox::*)()> entries[] = {
      {"Cut", &TvxCustomTextBox::CutToClipboard},
      {"Copy", &TvxCustomTextBox::CopyToClipboard},
      {"Paste", &TvxCustomTextBox::PasteFromClipboard},
      {"Delete", &TvxCustomTextBox::DeleteSelection},
      {"Select All", &TvxCustomTextBox::SelectAll}};
  for (const auto& entry : entries) {
    auto* item = new TMenuItem(nullptr);
    item->SetCaption(entry.first);
    item->OnClick = [this, run = entry.second](TObject*) { (this->*run)(); };
    contextMenu_->Items().Add(item);
  }
  return *contextMenu_;
}

void TvxCustomTextBox::EnableMenuItems() {
  const bool selected = SelLength() > 0;
  IClipboard* clipboard = Clipboard();
  const bool pasteable = clipboard && clipboard->HasText() && !readOnly_;
  const bool enabled[] = {selected && !readOnly_, selected, pasteable, selected && !readOnly_,
                          SelLength() < int(text_.size())};
  TMenuItem& items = contextMenu_->Items();
  for (int i = 0; i < items.Count(); ++i) items.Items(i)->SetEnabled(enabled[i]);
}

// ---- focus -------------------------------------------------------------------------------------

void TvxCustomTextBox::EnterFocus() {
  TvxControl::EnterFocus();
  if (!IsFocused()) return;
  changed_ = false;
  SelectAll();
  UpdateCaretVisibility();
}

void TvxCustomTextBox::KillFocus() {
  HideCaret();
  selecting_ = false;
  TvxControl::KillFocus();
  Change();
}

// ---- style and painting ------------------------------------------------------------------------

void TvxCustomTextBox::ApplyStyle() {
  TvxControl::ApplyStyle();
  BindContent(dynamic_cast<TvxVisualObject*>(FindResource("content")));
  if (auto* selection = dynamic_cast<TvxBrushObject*>(FindResource("selection")))
    selectionFill_->Assign(*selection->Brush());
  if (auto* foreground = dynamic_cast<TvxBrushObject*>(FindResource("foreground")))
    fontFill_->Assign(*foreground->Brush());
  PlaceCaret();
}

void TvxCustomTextBox::BindContent(TvxVisualObject* content) {
  content_ = content;
  if (!content_) return;
  content_->OnPaint = [this](TObject*, TvxCanvas* canvas, const TvxRect&) {
    if (canvas) PaintText(*canvas);
  };
}

void TvxCustomTextBox::FreeStyle() {
  if (content_) content_->OnPaint = {};
  content_ = nullptr;
  TvxControl::FreeStyle();
}

void TvxCustomTextBox::Paint() {
  TvxCanvas* canvas = Canvas();
  if (canvas && !content_) PaintText(*canvas);
}

void TvxCustomTextBox::PaintText(TvxCanvas& canvas) {
  const int saved = canvas.SaveCanvas();
  canvas.SetMatrix(GetAbsoluteMatrix());
  const TvxRect content = ContentRect();
  canvas.IntersectClipRect(content);
  if (IsFocused() && SelLength() > 0) PaintSelection(canvas, content);
  canvas.Fill().Assign(*fontFill_);
  if (password_) {
    PaintPassword(canvas, content);
  } else {
    canvas.Font().Assign(*font_);
    TvxRect area = content;
    if (textAlign_ == vxTextAlignNear) area.Right += font_->Size() / 2;
    canvas.FillText(area, text_.substr(size_t(firstVisible_ - 1)), false, GetAbsoluteOpacity(),
                    textAlign_, vxTextAlignCenter);
  }
  canvas.RestoreCanvas(saved);
}

void TvxCustomTextBox::PaintSelection(TvxCanvas& canvas, const TvxRect& content) {
  const float left = std::max(CaretX(SelStart()), content.Left);
  const float right = CaretX(SelStart() + SelLength()) + 1;
  canvas.Fill().Assign(*selectionFill_);
  canvas.FillRect({left, content.Top, right, content.Bottom}, 0, 0, AllCorners,
                  GetAbsoluteOpacity(), vxCornerRound);
}

void TvxCustomTextBox::PaintPassword(TvxCanvas& canvas, const TvxRect& content) {
  const float cell = PasswordCell();
  const float dot = cell * 0.6f;
  const float top = content.Top + (RectHeight(content) - dot) / 2;
  float left = content.Left + TextOffset(content) + (cell - dot) / 2;
  for (size_t i = size_t(firstVisible_ - 1); i < text_.size() && left < content.Right; ++i) {
    canvas.FillEllipse({left, top, left + dot, top + dot}, GetAbsoluteOpacity());
    left += cell;
  }
}

// ---- binding -----------------------------------------------------------------------------------

TVariant TvxCustomTextBox::GetData() {
  return Utf16ToUtf8(text_);
}

void TvxCustomTextBox::SetData(const TVariant& value) {
  if (std::holds_alternative<std::monostate>(value)) return SetText({});
  if (const TMethod method = VariantToMethod(value); method.code) {
    OnChange.SetMethod(method);
    return;
  }
  SetText(Utf8ToUtf16(VariantToText(value)));
}
