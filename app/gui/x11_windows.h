// Activating another program's top-level window by its title on an X11 desktop (through the
// window manager's client list). Elsewhere, and whenever something fails, nothing happens.
#pragma once

#include <string>

namespace tv::gui {

// True when a window with exactly this title was found and asked to become active.
bool ActivateX11WindowByTitle(const std::string& title);

}  // namespace tv::gui
