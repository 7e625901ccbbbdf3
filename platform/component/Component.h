#pragma once

// The component base: an owner that frees what it owns, a name unique among the owner's
// components, state flags, free notifications, and the hooks form streaming calls.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/component/ClassInfo.h"
#include "platform/component/FormData.h"
#include "platform/component/Persistent.h"
#include "platform/component/WeakRef.h"

enum TComponentStateFlag : uint32_t {
  csLoading = 1,
  csReading = 2,
  csDestroying = 4,
  csDesigning = 8,
};

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  static const TClassInfo& StaticClass();

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  // Throws EComponentError for a name that is not an identifier or is taken in the owner.
  void SetName(const std::string& name);
  int ComponentCount() const { return int(components_.size()); }
  TComponent* Components(int index) const;
  TComponent* FindComponent(std::string_view name) const;
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);

  uint32_t ComponentState() const { return state_; }
  bool HasState(uint32_t flags) const { return (state_ & flags) != 0; }
  void SetState(uint32_t flags, bool on);
  // Marks this component and everything it owns as being destroyed.
  void Destroying();

  // Asks `component` to tell this one through Notification(opRemove) when it is freed.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);
  virtual void Notification(TComponent* component, TOperation operation);
  // What TWeakRef observes; it ends as destruction reaches the component base.
  const TLifeToken& Life() const { return life_; }

  // Streaming hooks.
  // Called once reading has finished and references are resolved.
  virtual void Loaded();
  // The components written as this one's children when it is streamed.
  virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root);
  // Reading: place a just-created child under `parent` (the object it was nested in).
  virtual void SetParentComponent(TComponent* parent);
  // Writing: the component this one is nested in, or none for the root's own components.
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual bool HasParent() const { return false; }
  // Properties of the form data that this component's class does not know; only
  // placeholders keep them, so that they are written back unchanged.
  virtual bool KeepUnknownProperty(const TFormProperty& property);
  const std::vector<TFormProperty>* KeptProperties() const { return kept_.get(); }
  // The component at `address` when one lives there now, else null: lets texts that carry
  // addresses be checked before they are trusted.
  static TComponent* FindLive(uintptr_t address);
  // Gives an instance created for a placeholder class its registered name.
  void BecomePlaceholder(const TClassInfo& info) { SetPlaceholderClass(&info); }

 protected:
  const TClassInfo& StaticClassType() const override { return StaticClass(); }

 private:
  void DestroyComponents();

  TComponent* owner_ = nullptr;
  std::string name_;
  uint32_t state_ = 0;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  std::unique_ptr<std::vector<TFormProperty>> kept_;
  TLifeToken life_;
};

class EComponentError : public Exception {
 public:
  using Exception::Exception;
};

// True for the names the component model accepts: a letter or '_' then letters, digits, '_'.
bool IsValidIdent(std::string_view name);
