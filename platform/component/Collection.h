#pragma once

// An ordered list of uniform items streamed as one collection value (gradient points, list
// strings).

#include <functional>
#include <memory>
#include <vector>

#include "platform/component/Publisher.h"

class TCollection;

class TCollectionItem : public TPersistent {
  LC_CLASS(TCollectionItem, TPersistent)

 public:
  explicit TCollectionItem(TCollection* collection) : collection_(collection) {}
  TCollection* Collection() const { return collection_; }
  int Index() const;
  // Copies the published properties of an item of the same class.
  void Assign(const TPersistent& source) override;

 protected:
  // Tells the collection that this item's values changed.
  void Changed();

 private:
  TCollection* collection_;
};

class TCollection : public TPersistent {
  LC_CLASS(TCollection, TPersistent)

 public:
  using ItemFactory = std::function<std::unique_ptr<TCollectionItem>(TCollection*)>;
  explicit TCollection(ItemFactory factory) : factory_(std::move(factory)) {}

  int Count() const { return int(items_.size()); }
  TCollectionItem* Item(int index) const;
  TCollectionItem* Add();
  void Delete(int index);
  void Clear();
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  // Replaces the items by copies of those of `source`.
  void Assign(const TPersistent& source) override;

 protected:
  // A change of one item, or of the whole list when `item` is null.
  virtual void Update(TCollectionItem*) {}

 private:
  friend class TCollectionItem;
  void Changed(TCollectionItem* item);

  ItemFactory factory_;
  std::vector<std::unique_ptr<TCollectionItem>> items_;
  int updateCount_ = 0;
};
