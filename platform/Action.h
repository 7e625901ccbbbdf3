#pragma once

// Actions: a command with a caption, an enabled, checked and visible state, a hint and an
// execute handler, which any number of clients follow through links. A link forgets its
// action when the action is freed.

#include <string>
#include <vector>

#include "platform/component/Component.h"
#include "platform/component/Publisher.h"

class TAction;

// The client side of an action: told whenever one of the action's values changes.
class TActionLink {
 public:
  TActionLink() = default;
  TActionLink(const TActionLink&) = delete;
  TActionLink& operator=(const TActionLink&) = delete;
  virtual ~TActionLink();

  TAction* Action() const { return action_; }
  // Follows `action` (null: none) instead of the current one.
  void SetAction(TAction* action);
  // Runs the action's execute handler; false when there is none to run.
  bool Execute();

 protected:
  friend class TAction;
  virtual void ActionChanged() = 0;

 private:
  TAction* action_ = nullptr;
};

class TAction : public TComponent {
  LC_CLASS(TAction, TComponent)

 public:
  explicit TAction(TComponent* owner);
  ~TAction() override;

  // UTF-8, like every other 8-bit text of the platform layer.
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool Checked() const { return checked_; }
  void SetChecked(bool value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& value);

  // Fires OnExecute when the action is enabled and has one; returns whether it fired.
  bool Execute();

  TNotifyEvent OnExecute;

 private:
  friend class TActionLink;
  void Changed();

  std::string caption_;
  bool enabled_ = true;
  bool checked_ = false;
  bool visible_ = true;
  std::string hint_;
  std::vector<TActionLink*> links_;
};
