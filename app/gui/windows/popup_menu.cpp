#include "gui/windows/popup_menu.h"

#include <QAction>
#include <QMenu>

#include "gui/windows/mdi_main.h"

namespace tv::gui {

QMenu* SharedPopupMenu(const QWidget& child) {
  const auto* main = qobject_cast<const MdiMain*>(child.window());
  return main != nullptr ? main->PopupMenu() : nullptr;
}

void ShowPopupItem(QMenu* menu, const char* name, bool visible, const char* caption) {
  for (QAction* action : menu->actions()) {
    if (action->objectName() != QLatin1String(name)) continue;
    action->setVisible(visible);
    if (*caption != '\0') action->setText(QString::fromUtf8(caption));
  }
}

void RunPopup(QMenu* menu, QPoint globalPos, const PopupRunner& runner) {
  if (runner) {
    runner(menu, globalPos);
  } else {
    menu->exec(globalPos);
  }
}

}  // namespace tv::gui
