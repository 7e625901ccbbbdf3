#include "platform/Action.h"

#include <algorithm>

LC_PUBLISH(TAction) {
  p.String("Caption", &TAction::Caption, &TAction::SetCaption);
  p.Bool("Enabled", &TAction::Enabled, &TAction::SetEnabled, true);
  p.Bool("Checked", &TAction::Checked, &TAction::SetChecked);
  p.Bool("Visible", &TAction::Visible, &TAction::SetVisible, true);
  p.String("Hint", &TAction::Hint, &TAction::SetHint);
  p.Event("OnExecute", &TAction::OnExecute);
}

TActionLink::~TActionLink() {
  SetAction(nullptr);
}

void TActionLink::SetAction(TAction* action) {
  if (action_ == action) return;
  if (action_) std::erase(action_->links_, this);
  action_ = action;
  if (action_) action_->links_.push_back(this);
}

bool TActionLink::Execute() {
  return action_ && action_->Execute();
}

TAction::TAction(TComponent* owner) : TComponent(owner) {}

TAction::~TAction() {
  // Links forget the action before its members go.
  for (TActionLink* link : links_) link->action_ = nullptr;
}

void TAction::SetCaption(const std::string& value) {
  if (caption_ == value) return;
  caption_ = value;
  Changed();
}

void TAction::SetEnabled(bool value) {
  if (enabled_ == value) return;
  enabled_ = value;
  Changed();
}

void TAction::SetChecked(bool value) {
  if (checked_ == value) return;
  checked_ = value;
  Changed();
}

void TAction::SetVisible(bool value) {
  if (visible_ == value) return;
  visible_ = value;
  Changed();
}

void TAction::SetHint(const std::string& value) {
  if (hint_ == value) return;
  hint_ = value;
  Changed();
}

bool TAction::Execute() {
  if (!enabled_ || !OnExecute) return false;
  OnExecute(this);
  return true;
}

void TAction::Changed() {
  // A client may unlink itself while being told.
  const std::vector<TActionLink*> links = links_;
  for (TActionLink* link : links)
    if (std::find(links_.begin(), links_.end(), link) != links_.end()) link->ActionChanged();
}
