#include "platform/qt/QtX11.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

xcb_connection_t* Connection() {
  const auto* x11 =
      qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

// The screen number of $DISPLAY (":0.1" is screen 1); 0 when it names none.
int ScreenNumber() {
  const char* display = std::getenv("DISPLAY");
  const char* colon = display ? std::strrchr(display, ':') : nullptr;
  const char* dot = colon ? std::strchr(colon, '.') : nullptr;
  return dot ? std::atoi(dot + 1) : 0;
}

// xcb hands replies over to be freed by the caller.
template <class T>
using TReply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* c, const std::string& name) {
  const TReply<xcb_intern_atom_reply_t> reply(
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(name.size()), name.c_str()), nullptr),
      &std::free);
  return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

std::vector<xcb_atom_t> AtomList(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property) {
  const TReply<xcb_get_property_reply_t> reply(
      xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, XCB_ATOM_ATOM, 0, 1024),
                             nullptr),
      &std::free);
  if (!reply || reply->format != 32 || reply->type != XCB_ATOM_ATOM) return {};
  const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
  return {atoms, atoms + xcb_get_property_value_length(reply.get()) / sizeof(xcb_atom_t)};
}

}  // namespace

bool TQtX11::Composited() {
  xcb_connection_t* c = Connection();
  if (!c) return true;
  const xcb_atom_t selection = Atom(c, "_NET_WM_CM_S" + std::to_string(ScreenNumber()));
  if (selection == XCB_ATOM_NONE) return false;
  const TReply<xcb_get_selection_owner_reply_t> owner(
      xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr), &std::free);
  return owner && owner->owner != XCB_WINDOW_NONE;
}

void TQtX11::SetSkipTaskbar(QWindow& window, bool skip) {
  xcb_connection_t* c = Connection();
  if (!c) return;
  const auto id = xcb_window_t(window.winId());
  const xcb_atom_t state = Atom(c, "_NET_WM_STATE");
  const xcb_atom_t flags[] = {Atom(c, "_NET_WM_STATE_SKIP_TASKBAR"),
                              Atom(c, "_NET_WM_STATE_SKIP_PAGER")};
  // Qt merges its own states into what the property holds when it maps the window.
  std::vector<xcb_atom_t> atoms = AtomList(c, id, state);
  for (const xcb_atom_t flag : flags) {
    std::erase(atoms, flag);
    if (skip) atoms.push_back(flag);
  }
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32,
                      uint32_t(atoms.size()), atoms.data());
  xcb_flush(c);
}

std::string TQtX11::PlatformFor(std::string_view chosen, std::string_view waylandDisplay,
                                std::string_view sessionType) {
  const bool wayland = !waylandDisplay.empty() || sessionType == "wayland";
  if (!wayland || !(chosen.empty() || chosen.starts_with("wayland"))) return {};
  return "xcb";
}
