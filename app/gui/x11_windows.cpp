#include "gui/x11_windows.h"

#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#if defined(TAVOLIN_HAVE_XCB) && QT_CONFIG(xcb)
#define TAVOLIN_X11_ACTIVATION 1
#include <xcb/xcb.h>
#endif

namespace tv::gui {

#ifdef TAVOLIN_X11_ACTIVATION
namespace {

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 1, static_cast<uint16_t>(std::string(name).size()), name), nullptr));
  return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// A property of a window as bytes (at most 64 KiB); empty when it has none.
std::string PropertyBytes(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property, xcb_atom_t type) {
  const Reply<xcb_get_property_reply_t> reply(
      xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, type, 0, 16384), nullptr));
  if (!reply) return {};
  const int length = xcb_get_property_value_length(reply.get());
  if (length <= 0) return {};
  return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                     static_cast<size_t>(length));
}

}  // namespace

bool ActivateX11WindowByTitle(const std::string& title) {
  auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (x11 == nullptr || x11->connection() == nullptr) return false;
  xcb_connection_t* c = x11->connection();
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  if (screen == nullptr) return false;
  const xcb_window_t root = screen->root;
  const xcb_atom_t clientList = Atom(c, "_NET_CLIENT_LIST");
  const xcb_atom_t wmName = Atom(c, "_NET_WM_NAME");
  const xcb_atom_t utf8 = Atom(c, "UTF8_STRING");
  const xcb_atom_t active = Atom(c, "_NET_ACTIVE_WINDOW");
  if (clientList == XCB_ATOM_NONE || active == XCB_ATOM_NONE) return false;

  const std::string list = PropertyBytes(c, root, clientList, XCB_ATOM_WINDOW);
  std::vector<xcb_window_t> windows(list.size() / sizeof(xcb_window_t));
  if (!windows.empty()) std::memcpy(windows.data(), list.data(), windows.size() * sizeof(xcb_window_t));
  for (const xcb_window_t window : windows) {
    std::string name = wmName != XCB_ATOM_NONE ? PropertyBytes(c, window, wmName, utf8) : std::string();
    if (name.empty()) name = PropertyBytes(c, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
    if (name != title) continue;
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = active;
    event.data.data32[0] = 1;  // the request comes from an application
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(c);
    return true;
  }
  return false;
}

#else

bool ActivateX11WindowByTitle(const std::string&) {
  return false;
}

#endif

}  // namespace tv::gui
