#pragma once

// The source object of a visual brush: a reference that forgets the object when it is freed.

#include "platform/component/Publisher.h"
#include "scene/core/Object.h"

class TvxVisual : public TPersistent, private IvxFreeNotify {
  LC_CLASS(TvxVisual, TPersistent)

 public:
  TvxVisual() = default;
  ~TvxVisual() override;
  TvxVisual(const TvxVisual&) = delete;
  TvxVisual& operator=(const TvxVisual&) = delete;

  TvxObject* VisualObject() const { return object_; }
  // Only visual objects are taken; anything else clears the reference.
  void SetVisualObject(TvxObject* object);
  void Assign(const TPersistent& source) override;

  TNotifyEvent OnChange;

 private:
  void FreeNotify(TvxObject* object) override;

  TvxObject* object_ = nullptr;
};
