#include "tray/TrayIcon.h"

#include "platform/Application.h"
#include "platform/Platform.h"

LC_PUBLISH(TTrayIcon) {
  p.Bool("Active", &TTrayIcon::Active, &TTrayIcon::SetActive, true);
  p.Bool("AutoHide", &TTrayIcon::AutoHide, &TTrayIcon::SetAutoHide);
  p.Bool("Enabled", &TTrayIcon::Enabled, &TTrayIcon::SetEnabled, true);
  p.String("Hint", &TTrayIcon::Hint, &TTrayIcon::SetHint);
  p.Object("Icon", &TTrayIcon::Icon);
  p.Component("PopupMenu", &TTrayIcon::PopupMenu, &TTrayIcon::SetPopupMenu);
  p.Bool("ShowDesign", &TTrayIcon::ShowDesign, &TTrayIcon::SetShowDesign).NoStore();
  p.Bool("UseAppIcon", &TTrayIcon::UseAppIcon, &TTrayIcon::SetUseAppIcon);
  p.Event("OnClick", &TTrayIcon::OnClick);
  p.Event("OnDblClick", &TTrayIcon::OnDblClick);
  p.Event("OnMouseMove", &TTrayIcon::OnMouseMove);
  p.Event("OnMouseDown", &TTrayIcon::OnMouseDown);
  p.Event("OnMouseUp", &TTrayIcon::OnMouseUp);
  p.Event("OnBalloonShow", &TTrayIcon::OnBalloonShow);
}

namespace {

// The first `max` characters of UTF-8 text; a character is never split.
std::string Cut(std::string_view text, size_t max) {
  size_t count = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const bool starts = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
    if (starts && count++ == max) return std::string(text.substr(0, i));
  }
  return std::string(text);
}

TBalloonFlags FlagsFor(TBalloonIcon icon) {
  static constexpr TBalloonFlags kFlags[] = {niifNone, niifError, niifInfo, niifWarning};
  return icon >= vxBalloonNone && icon <= vxBalloonWarning ? kFlags[icon] : niifNone;
}

uint32_t MarkOf(TMouseButton button) {
  return 1u << static_cast<int>(button);
}

}  // namespace

TTrayIcon::TTrayIcon(TComponent* owner) : TComponent(owner) {
  if (INotifyArea* area = NotifyArea()) {
    channel_ = area->CreateChannel(
        {[this](const TNotifyMouse& mouse) { HandleMouse(mouse); }, [this] { TaskbarCreated(); }});
    balloonsSupported_ = channel_->BalloonsSupported();
  }
  icon_.OnChange = TNotifyEvent([this](TObject*) { UpdateIcon(); });
  minimizeHook_ = Application().HookMinimize([this] { MinimizeCommand(); });
}

TTrayIcon::~TTrayIcon() {
  Application().UnhookMinimize(minimizeHook_);
  enabled_ = false;
  icon_.OnChange = {};
  RemoveIcon();
  channel_.reset();
}

void TTrayIcon::SetActive(bool value) {
  if (value == active_) return;
  active_ = value;
  if (Designing() || HasState(csLoading)) return;
  if (value) {
    AddIcon();
  } else {
    RemoveIcon();
  }
}

void TTrayIcon::SetHint(const std::string& value) {
  if (value == hint_) return;
  hint_ = value;
  UpdateIcon();
}

void TTrayIcon::SetPopupMenu(TPopupMenu* value) {
  if (value == popupMenu_) return;
  popupMenu_ = value;
}

void TTrayIcon::SetShowDesign(bool value) {
  showDesign_ = value;
  if (!Designing() || HasState(csLoading)) return;
  if (value) {
    AddIcon();
  } else {
    RemoveIcon();
  }
}

void TTrayIcon::SetUseAppIcon(bool value) {
  useAppIcon_ = value;
  if (value) icon_.Assign(Application().Icon());
}

void TTrayIcon::AddIcon() {
  RemoveIcon();
  if (icon_.Empty() || !channel_) return;
  const TNotifyIconData record = Record();
  shown_ = channel_->Add(record);
  // The tooltip once more, as some shells ignore it on the add itself.
  if (shown_ && !record.tip.empty()) channel_->Modify(record);
}

void TTrayIcon::RemoveIcon() {
  if (channel_) channel_->Delete();
  shown_ = false;
  marks_ = 0;
}

void TTrayIcon::UpdateIcon() {
  if (HasState(csLoading)) return;  // Loaded adds the icon once everything is read
  if (!shown_) {
    if (Designing() ? showDesign_ : active_) AddIcon();
  } else if (icon_.Empty()) {
    RemoveIcon();
  } else {
    channel_->Modify(Record());
  }
}

void TTrayIcon::ShowBalloonHint(const std::string& title, const std::string& text,
                                TBalloonIcon icon, int timeout) {
  if (!balloonsSupported_) throw EBalloonHintError("Balloon Hint not Supported.");
  channel_->ShowBalloon({Cut(title, kMaxBalloonTitle), Cut(text, kMaxBalloonText), FlagsFor(icon),
                         static_cast<uint32_t>(timeout), icon_.Images()});
  OnBalloonShow(this);
}

void TTrayIcon::HideApplication() {
  TApplication& application = Application();
  TForm* form = application.MainForm();
  if (form && form->WindowState() != wsMinimized) {
    application.Minimize();
    form->Hide();
  }
  application.HideAppWindow();
}

void TTrayIcon::ShowApplication() {
  TApplication& application = Application();
  application.ShowAppWindow();
  application.Restore();
  if (TForm* form = application.MainForm()) form->Show();
}

void TTrayIcon::Loaded() {
  // Before loading ends, so that the copy does not add the icon ahead of the add below.
  if (useAppIcon_) icon_.Assign(Application().Icon());
  TComponent::Loaded();
  if (active_ && !Designing()) AddIcon();
}

TNotifyIconData TTrayIcon::Record() const {
  const std::string_view hint = hint_;
  return {Cut(hint.substr(0, hint.find('|')), kMaxTip), icon_.Images()};
}

void TTrayIcon::HandleMouse(const TNotifyMouse& mouse) {
  if (!enabled_) return;
  try {
    Dispatch(mouse);
  } catch (const std::exception& failure) {
    Application().HandleException(failure);
  }
}

void TTrayIcon::Dispatch(const TNotifyMouse& mouse) {
  if (mouse.message == nmMouseMove) {
    OnMouseMove(this, mouse.shift, mouse.x, mouse.y);
    return;
  }
  if (mouse.message < nmLButtonDown || mouse.message > nmMButtonDblClk) return;
  // Down, up and double click follow each other for the left, right and middle button.
  const uint32_t offset = mouse.message - nmLButtonDown;
  static constexpr TMouseButton kButtons[] = {TMouseButton::mbLeft, TMouseButton::mbRight,
                                              TMouseButton::mbMiddle};
  const TMouseButton button = kButtons[offset / 3];
  switch (offset % 3) {
    case 0:
      Press(button, mouse);
      break;
    case 1:
      Release(button, mouse);
      break;
    default:
      DoubleClick(button, mouse);
      break;
  }
}

void TTrayIcon::Press(TMouseButton button, const TNotifyMouse& mouse) {
  const TWeakRef<TTrayIcon> alive(this);
  OnMouseDown(this, button, mouse.shift, mouse.x, mouse.y);
  if (alive) marks_ |= MarkOf(button);
}

void TTrayIcon::Release(TMouseButton button, const TNotifyMouse& mouse) {
  const TWeakRef<TTrayIcon> alive(this);
  // Only a press the icon saw makes a click.
  if (marks_ & MarkOf(button)) {
    marks_ &= ~MarkOf(button);
    Click(button, mouse);
    if (!alive) return;
  }
  OnMouseUp(this, button, mouse.shift, mouse.x, mouse.y);
}

void TTrayIcon::DoubleClick(TMouseButton button, const TNotifyMouse& mouse) {
  const TWeakRef<TTrayIcon> alive(this);
  if (!ClickDefaultItem()) OnDblClick(this);
  if (alive) OnMouseDown(this, button, mouse.shift, mouse.x, mouse.y);
}

void TTrayIcon::Click(TMouseButton button, const TNotifyMouse& mouse) {
  if (button == TMouseButton::mbRight && PopupMenuAt(mouse.x, mouse.y)) return;
  OnClick(this, button, mouse.shift, mouse.x, mouse.y);
}

bool TTrayIcon::PopupMenuAt(int x, int y) {
  if (Designing() || !active_ || !popupMenu_ || !popupMenu_->AutoPopup()) return false;
  popupMenu_->SetPopupComponent(this);
  // The menu takes the mouse: a drag of the main form in progress ends here.
  if (TForm* form = Application().MainForm()) form->Window().SetMouseCapture(false);
  // What is pending goes first, so that the menu does not meet the rest of this click.
  const TWeakRef<TTrayIcon> alive(this);
  Platform().loop->ProcessMessages();
  if (!alive) return true;
  if (!popupMenu_) return false;  // freed meanwhile
  popupMenu_->Popup(x, y);
  return true;
}

bool TTrayIcon::ClickDefaultItem() {
  if (Designing() || !active_ || !popupMenu_) return false;
  const TMenuItem& items = popupMenu_->Items();
  for (int i = 0; i < items.Count(); ++i) {
    TMenuItem* item = items.Items(i);
    if (item->Default() && item->Enabled()) {
      item->Click();
      return true;
    }
  }
  return false;
}

void TTrayIcon::TaskbarCreated() {
  if (!Designing() && active_) AddIcon();
}

void TTrayIcon::MinimizeCommand() {
  if (autoHide_ && active_ && !Designing()) HideApplication();
}
