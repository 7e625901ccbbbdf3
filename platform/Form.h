#pragma once

// A top-level form: a component whose form data (position, client size, border, caption,
// components, handlers) is read from an embedded resource, shown in a window of the
// platform, run modally or as the main form. What fills its client area (a scene) attaches
// itself as the form's content.

#include <memory>
#include <span>
#include <string>

#include "platform/Window.h"
#include "platform/component/Publisher.h"

enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };

using TModalResult = int;
enum : TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2 };

// The control that fills a form's client area.
class IFormContent {
 public:
  virtual void ContentMessage(const TWindowMessage& message) = 0;
  virtual void ContentResized(int width, int height) = 0;
  virtual void ContentShown() = 0;

 protected:
  ~IFormContent() = default;
};

class TForm : public TComponent, private IWindowClient {
  LC_CLASS(TForm, TComponent)

 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  // Reads the form data into this form (names kept, handlers bound to its published
  // methods), then raises OnCreate. False when the data cannot be read at all.
  bool ReadForm(std::span<const uint8_t> data);

  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int ClientWidth() const { return bounds_.width; }
  int ClientHeight() const { return bounds_.height; }
  void SetLeft(int value);
  void SetTop(int value);
  void SetClientWidth(int value);
  void SetClientHeight(int value);
  void SetBounds(const TBoundsI& bounds);
  TBoundsI BoundsRect() const { return bounds_; }
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  int Tag() const { return tag_; }
  void SetTag(int value) { tag_ = value; }

  bool Visible() const { return window_->Visible(); }
  void Show();
  void Hide();
  void SetVisible(bool visible) { visible ? Show() : Hide(); }
  // Asks the form to close: a modal form ends its run with mrCancel, any other is hidden and
  // counts as closed (the main form's closing ends the program).
  void Close();
  bool Closed() const { return closed_; }
  // Shows the form and runs the message loop until its ModalResult is set or it closes.
  TModalResult ShowModal();
  bool Modal() const { return modal_; }
  // The innermost form running modally now, if any.
  static TForm* ModalForm();
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult value) { modalResult_ = value; }
  TWindowState WindowState() const;
  void SetWindowState(TWindowState state);

  INativeWindow& Window() { return *window_; }
  void SetContent(IFormContent* content);
  IFormContent* Content() const { return content_; }
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnClose;

 private:
  void HandleMessage(INativeWindow& window, const TWindowMessage& message) override;

  std::unique_ptr<INativeWindow> window_;
  IFormContent* content_ = nullptr;
  TBoundsI bounds_{0, 0, 320, 240};
  TBorderStyle borderStyle_ = bsSizeable;
  std::string caption_;
  int tag_ = 0;
  bool closed_ = false;
  bool modal_ = false;
  TModalResult modalResult_ = mrNone;
};

// Creates a form of class F owned by `owner` from the named embedded resource.
template <class F>
F* CreateForm(TComponent* owner, std::span<const uint8_t> data) {
  auto* form = new F(owner);
  form->ReadForm(data);
  return form;
}
