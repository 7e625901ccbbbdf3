#include "scene/host/TabOrder.h"

#include <algorithm>

#include "scene/core/VisualObject.h"

namespace {

// The published TabOrder of a control, -1 for objects without one.
int TabOrderOf(TvxVisualObject& object) {
  const TPropInfo* prop = object.ClassType().FindProp("TabOrder");
  if (!prop || !prop->getOrdinal) return -1;
  return int(prop->getOrdinal(object));
}

std::vector<TvxVisualObject*> ChildrenInTabOrder(TvxVisualObject& parent) {
  std::vector<TvxVisualObject*> children;
  std::vector<size_t> ordered;  // positions of the children that have a tab order
  for (TvxVisualObject& child : parent.VisualChildren()) {
    if (TabOrderOf(child) >= 0) ordered.push_back(children.size());
    children.push_back(&child);
  }
  std::vector<TvxVisualObject*> sorted;
  for (size_t position : ordered) sorted.push_back(children[position]);
  std::stable_sort(sorted.begin(), sorted.end(), [](TvxVisualObject* a, TvxVisualObject* b) {
    return TabOrderOf(*a) < TabOrderOf(*b);
  });
  for (size_t i = 0; i < ordered.size(); ++i) children[ordered[i]] = sorted[i];
  return children;
}

void AppendTabOrder(TvxVisualObject& parent, std::vector<TvxVisualObject*>& list) {
  for (TvxVisualObject* child : ChildrenInTabOrder(parent)) {
    list.push_back(child);
    AppendTabOrder(*child, list);
  }
}

bool AcceptsFocus(TvxVisualObject& object) {
  bool allow = true;
  object.OnCanFocused(&object, allow);
  return allow;
}

// Searches list[from] .. list[to] inclusive, stepping by `step`.
TvxVisualObject* FindCandidate(const std::vector<TvxVisualObject*>& list, int from, int to,
                               int step) {
  for (int i = from; step > 0 ? i <= to : i >= to; i += step)
    if (i >= 0 && i < int(list.size()) && IsTabCandidate(*list[size_t(i)])) return list[size_t(i)];
  return nullptr;
}

}  // namespace

std::vector<TvxVisualObject*> TabOrderList(TvxVisualObject& root) {
  std::vector<TvxVisualObject*> list;
  AppendTabOrder(root, list);
  return list;
}

bool IsTabCandidate(TvxVisualObject& object) {
  return object.IsAbsoluteVisible() && object.CanFocused() && object.GetAbsoluteEnabled() &&
         AcceptsFocus(object);
}

TvxVisualObject* NextTabStop(const std::vector<TvxVisualObject*>& list, TvxVisualObject* focused,
                             bool backward) {
  const int count = int(list.size());
  const auto it = std::find(list.begin(), list.end(), focused);
  const int index = focused && it != list.end() ? int(it - list.begin()) : -1;
  const bool longList = count >= 3;
  if (!backward) {
    const int start = index >= 0 ? index + 1 : 0;
    TvxVisualObject* found = longList ? FindCandidate(list, start, count - 1, 1) : nullptr;
    return found ? found : FindCandidate(list, 0, start - 1, 1);
  }
  const int start = index >= 0 ? index - 1 : count - 1;
  TvxVisualObject* found = FindCandidate(list, start, 0, -1);
  if (found || !longList) return found;
  return FindCandidate(list, count - 1, std::max(start, 0), -1);
}
