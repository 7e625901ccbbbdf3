#include "platform/qt/QtMenuService.h"

#include <QMenu>
#include <map>

#include "platform/Menus.h"
#include "platform/qt/QtWindows.h"

namespace {

using TActionMap = std::map<QAction*, TMenuItem*>;

void AddItems(QMenu& target, const TMenuItem& parent, TActionMap& actions) {
  for (int i = 0; i < parent.Count(); ++i) {
    TMenuItem* item = parent.Items(i);
    if (!item->Visible()) continue;
    if (item->IsLine()) {
      target.addSeparator();
      continue;
    }
    const QString caption = QString::fromStdString(item->Caption());
    if (item->Count() > 0) {
      QMenu* sub = target.addMenu(caption);
      sub->setEnabled(item->Enabled());
      AddItems(*sub, *item, actions);
      continue;
    }
    QAction* action = target.addAction(caption);
    action->setEnabled(item->Enabled());
    action->setCheckable(item->Checked());
    action->setChecked(item->Checked());
    if (item->Default()) {
      QFont font = action->font();
      font.setBold(true);
      action->setFont(font);
    }
    actions[action] = item;
  }
}

}  // namespace

void TQtMenuService::Popup(TPopupMenu& menu, int x, int y) {
  QMenu shown;
  TActionMap actions;
  AddItems(shown, menu.Items(), actions);
  if (actions.empty()) return;
  QAction* chosen = shown.exec(QPoint(x, y));
  TQtWindow::ReclaimPopupGrab();
  const auto found = actions.find(chosen);
  if (found != actions.end()) found->second->Click();
}
