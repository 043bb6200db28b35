// A desktop session that ends may stop the program with SIGTERM or SIGHUP instead of asking it
// to close: these signals are turned into an ordinary call on the window's thread, so the
// shut-down still saves what it saves.
#pragma once

#include <functional>

class QObject;

namespace tv::gui {

// From now on SIGTERM and SIGHUP call onSignal on the thread that runs the event loop. owner
// parents the notifier that listens.
void HandleTerminationSignals(QObject* owner, std::function<void()> onSignal);

}  // namespace tv::gui
