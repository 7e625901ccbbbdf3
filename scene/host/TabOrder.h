#pragma once

// Where Tab moves the keyboard focus in a scene.

#include <vector>

class TvxVisualObject;

// The objects Tab visits, depth first from `root` (which is not part of it): each object's
// visual children in tab order, each child followed by its own list. Children that publish a
// TabOrder of 0 or more take the places of such children in ascending TabOrder; the others
// keep their child order.
std::vector<TvxVisualObject*> TabOrderList(TvxVisualObject& root);

// Whether Tab may focus `object`: it and its ancestors are visible and enabled, it can take
// the focus and its OnCanFocused, if any, agrees.
bool IsTabCandidate(TvxVisualObject& object);

// The candidate Tab (Shift+Tab when `backward`) finds in `list` from `focused` (null or not
// listed: from the start, or the end going backwards); null when there is none. Going
// forward, the part after `focused` is searched only when the list holds three or more
// entries, then the part from the first entry; going backward, the part before `focused`,
// then, with three or more entries, the part from the last entry.
TvxVisualObject* NextTabStop(const std::vector<TvxVisualObject*>& list, TvxVisualObject* focused,
                             bool backward);
