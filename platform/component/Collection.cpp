#include "platform/component/Collection.h"

#include <algorithm>

#include "platform/component/PropAccess.h"

LC_PUBLISH(TCollectionItem) {}

LC_PUBLISH(TCollection) {}

int TCollectionItem::Index() const {
  for (int i = 0; i < collection_->Count(); ++i)
    if (collection_->Item(i) == this) return i;
  return -1;
}

void TCollectionItem::Assign(const TPersistent& source) {
  if (&source.ClassType() != &ClassType()) return TPersistent::Assign(source);
  CopyPublishedProperties(source, *this);
}

void TCollectionItem::Changed() {
  if (collection_) collection_->Changed(this);
}

TCollectionItem* TCollection::Item(int index) const {
  return index >= 0 && index < Count() ? items_[size_t(index)].get() : nullptr;
}

TCollectionItem* TCollection::Add() {
  items_.push_back(factory_(this));
  Changed(nullptr);
  return items_.back().get();
}

void TCollection::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  items_.erase(items_.begin() + index);
  Changed(nullptr);
}

void TCollection::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Changed(nullptr);
}

void TCollection::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) Update(nullptr);
}

void TCollection::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TCollection*>(&source);
  if (!other) return TPersistent::Assign(source);
  BeginUpdate();
  items_.clear();
  for (const auto& item : other->items_) {
    items_.push_back(factory_(this));
    items_.back()->Assign(*item);
  }
  EndUpdate();
}

void TCollection::Changed(TCollectionItem* item) {
  if (updateCount_ == 0) Update(item);
}
