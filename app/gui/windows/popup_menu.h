// The main window's shared popup menu as the input and material windows pop it up: each shows
// the items that apply to the control clicked, with its own captions.
#pragma once

#include <QPoint>
#include <functional>

class QMenu;
class QWidget;

namespace tv::gui {

// Shows the popup menu at a global position and returns once it has closed. By default the
// menu's own modal loop; a test puts in one that picks an item.
using PopupRunner = std::function<void(QMenu* menu, QPoint globalPos)>;

// The popup menu of the main window child lies in; nullptr outside one.
QMenu* SharedPopupMenu(const QWidget& child);

// Shows or hides a popup item and sets its caption (an empty caption keeps the one it has).
void ShowPopupItem(QMenu* menu, const char* name, bool visible, const char* caption = "");

// Runs the menu through runner, or its own modal loop when there is none.
void RunPopup(QMenu* menu, QPoint globalPos, const PopupRunner& runner);

}  // namespace tv::gui
