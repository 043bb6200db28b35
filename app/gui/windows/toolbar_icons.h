// The toolbar's pictures, drawn here in a few strokes (no image files to ship or license).
#pragma once

#include <QIcon>
#include <QString>

namespace tv::gui {

// The picture of the toolbar button with this key ("btnPrint", "btnOpen", ...); an empty icon
// for any other key.
QIcon ToolbarIcon(const QString& key);

}  // namespace tv::gui
