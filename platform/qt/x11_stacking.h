// The stacking of the root window's children, followed from the X server's events rather than
// asked for at each tick: a connection of its own selects SubstructureNotify on the root, reads
// the children and their map state once, and from then on keeps its copy by CreateNotify,
// DestroyNotify, ConfigureNotify (the sibling each window is now above), CirculateNotify,
// MapNotify, UnmapNotify and ReparentNotify. An idle desktop sends none, so an idle tick costs no
// round trip. What a window is gets read once, when it is mapped:
// - a window the window manager manages (not override-redirect) is an application's window;
// - an override-redirect window that holds a client (a window reparented into it, or a child
//   with WM_STATE) is a window manager's frame, as i3 makes one for every window: an
//   application's window too;
// - any other override-redirect window is a transient window, told by its _NET_WM_WINDOW_TYPE
//   (menus, tooltips, combo lists, drag images, notifications) or, untyped, an unmanaged popup
//   (xterm's menus, screen lockers); unless its WM_CLASS is the form's own: another strip.
// Restacks below a sibling go through this connection too, so that one made as the sibling goes
// away ends in an error here, not in Qt's log. All of it starts at the first question.
#pragma once

#include <xcb/xcb.h>

#include <QSocketNotifier>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/contract/z_order.h"

namespace coverstrip::qt {

class X11Stacking final : public ZOrder {
 public:
  X11Stacking();
  ~X11Stacking() override;
  X11Stacking(const X11Stacking&) = delete;
  X11Stacking& operator=(const X11Stacking&) = delete;

  bool WindowsAbove(NativeHandle window, std::vector<WindowAbove>& above) override;
  // Puts window just below sibling, both children of the root.
  void StackBelow(std::uintptr_t window, std::uintptr_t sibling);

 private:
  struct TopLevel {
    std::uint32_t window = 0;
    bool overrideRedirect = false;
    bool mapped = false;
    bool holdsClient = false;
    WindowRole role = WindowRole::kOrdinary;
  };
  struct Disconnect {
    void operator()(xcb_connection_t* connection) const;
  };

  bool Start(std::uint32_t form);
  void ReadChildren();
  void Drain();
  // Handles every event that next returns, until it returns none.
  void HandleEvents(xcb_generic_event_t* (*next)(xcb_connection_t*));
  void Handle(const xcb_generic_event_t& event);
  // The top-level holding window (itself, or the root's child it lies in); nothing if none.
  TopLevel* TopLevelOf(std::uint32_t window);
  TopLevel* Find(std::uint32_t window);
  std::vector<TopLevel>::iterator Position(std::uint32_t window);
  // At the top of the stacking, unless it is there already.
  TopLevel& Add(std::uint32_t window, bool overrideRedirect);
  void Remove(std::uint32_t window);
  // Just above sibling; at the bottom when there is none.
  void PlaceAbove(std::uint32_t window, std::uint32_t sibling);
  void Classify(TopLevel& topLevel);
  // Whether a window, whose children were asked for, holds a window with WM_STATE.
  bool HoldsClient(xcb_query_tree_cookie_t treeCookie, int depth = 0);
  std::vector<std::uint32_t> Atoms(const std::vector<const char*>& names);

  std::unique_ptr<xcb_connection_t, Disconnect> connection_;
  std::unique_ptr<QSocketNotifier> notifier_;
  bool started_ = false;
  std::uint32_t root_ = 0;
  std::string formClass_;  // WM_CLASS of the form, the same for every copy of the program
  std::uint32_t wmState_ = 0, wmWindowType_ = 0;
  struct TypeRole {
    std::uint32_t atom;
    WindowRole role;
  };
  std::vector<TypeRole> typeRoles_;
  std::vector<TopLevel> stacking_;  // the root's children, bottom-most first
};

}  // namespace coverstrip::qt
