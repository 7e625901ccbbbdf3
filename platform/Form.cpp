#include "platform/Form.h"

#include "platform/Platform.h"
#include "platform/component/ObjectReader.h"
#include "platform/component/TemporaryChange.h"

namespace {

const TEnumInfo kBorderStyles{
    {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}};

TWeakRef<TForm>& ModalSlot() {
  static TWeakRef<TForm> modal;
  return modal;
}

}  // namespace

LC_PUBLISH(TForm) {
  p.Integer("Left", &TForm::Left, &TForm::SetLeft);
  p.Integer("Top", &TForm::Top, &TForm::SetTop);
  p.Integer("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth);
  p.Integer("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight);
  p.Enum("BorderStyle", kBorderStyles, &TForm::BorderStyle, &TForm::SetBorderStyle, bsSizeable);
  p.String("Caption", &TForm::Caption, &TForm::SetCaption);
  p.Integer("Tag", &TForm::Tag, &TForm::SetTag);
  p.Event("OnCreate", &TForm::OnCreate);
  p.Event("OnShow", &TForm::OnShow);
  p.Event("OnHide", &TForm::OnHide);
  p.Event("OnClose", &TForm::OnClose);
}

TForm::TForm(TComponent* owner)
    : TComponent(owner), window_(Platform().windows->OpenWindow(*this)) {
  window_->SetBounds(bounds_);
}

TForm::~TForm() {
  Destroying();
  // Owned components (the scene among them) go first, while the window still exists.
  while (ComponentCount() > 0) delete Components(ComponentCount() - 1);
}

bool TForm::ReadForm(std::span<const uint8_t> data) {
  TFormObject form;
  try {
    form = ReadFormBinary(data);
  } catch (const EFormError&) {
    return false;
  }
  TObjectReader().ReadInto(*this, form);
  OnCreate(this);
  return true;
}

void TForm::SetLeft(int value) {
  SetBounds({value, bounds_.top, bounds_.width, bounds_.height});
}

void TForm::SetTop(int value) {
  SetBounds({bounds_.left, value, bounds_.width, bounds_.height});
}

void TForm::SetClientWidth(int value) {
  SetBounds({bounds_.left, bounds_.top, value, bounds_.height});
}

void TForm::SetClientHeight(int value) {
  SetBounds({bounds_.left, bounds_.top, bounds_.width, value});
}

void TForm::SetBounds(const TBoundsI& bounds) {
  const bool resized = bounds.width != bounds_.width || bounds.height != bounds_.height;
  bounds_ = bounds;
  window_->SetBounds(bounds);
  if (resized && content_) content_->ContentResized(bounds.width, bounds.height);
}

void TForm::SetBorderStyle(TBorderStyle value) {
  borderStyle_ = value;
  window_->SetFrameless(value == bsNone);
}

void TForm::SetCaption(const std::string& value) {
  caption_ = value;
  window_->SetTitle(value);
}

void TForm::Show() {
  closed_ = false;
  if (window_->Visible()) return;
  window_->SetVisible(true);
  if (content_) content_->ContentShown();
  OnShow(this);
}

void TForm::Hide() {
  if (!window_->Visible()) return;
  window_->SetVisible(false);
  OnHide(this);
}

void TForm::Close() {
  OnClose(this);
  if (modal_) {
    modalResult_ = mrCancel;
    return;
  }
  Hide();
  closed_ = true;
}

TForm* TForm::ModalForm() {
  return ModalSlot();
}

TModalResult TForm::ShowModal() {
  modal_ = true;
  modalResult_ = mrNone;
  Show();
  {
    const TTemporaryChange<TWeakRef<TForm>> innermost(ModalSlot(), this);
    Platform().loop->RunUntil([this] { return modalResult_ != mrNone || !Visible(); });
  }
  modal_ = false;
  Hide();
  return modalResult_ == mrNone ? mrCancel : modalResult_;
}

TWindowState TForm::WindowState() const {
  return window_->Minimized() ? wsMinimized : wsNormal;
}

void TForm::SetWindowState(TWindowState state) {
  window_->SetMinimized(state == wsMinimized);
}

void TForm::SetContent(IFormContent* content) {
  content_ = content;
  if (content_) content_->ContentResized(bounds_.width, bounds_.height);
}

void TForm::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) {
  for (int i = 0; i < ComponentCount(); ++i)
    if (!Components(i)->HasParent()) proc(Components(i));
}

void TForm::HandleMessage(INativeWindow&, const TWindowMessage& message) {
  if (message.kind == TWindowMessage::Kind::Close) return Close();
  if (content_) content_->ContentMessage(message);
}
