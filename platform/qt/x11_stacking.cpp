#include "platform/qt/x11_stacking.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "platform/qt/x11_connection.h"

namespace coverstrip::qt {
namespace {

// How deep a window manager's frame is looked into for its client (i3's lies one level down).
constexpr int kFrameDepth = 2;

constexpr struct {
  const char* name;
  WindowRole role;
} kTypeRoles[] = {
    {"_NET_WM_WINDOW_TYPE_POPUP_MENU", WindowRole::kMenu},
    {"_NET_WM_WINDOW_TYPE_DROPDOWN_MENU", WindowRole::kMenu},
    {"_NET_WM_WINDOW_TYPE_MENU", WindowRole::kMenu},
    {"_NET_WM_WINDOW_TYPE_TOOLTIP", WindowRole::kTooltip},
    {"_NET_WM_WINDOW_TYPE_COMBO", WindowRole::kComboList},
    {"_NET_WM_WINDOW_TYPE_DND", WindowRole::kDragImage},
    {"_NET_WM_WINDOW_TYPE_NOTIFICATION", WindowRole::kNotification},
};

X11Reply<xcb_get_property_reply_t> PropertyReply(xcb_connection_t* connection,
                                                 xcb_get_property_cookie_t cookie) {
  return X11Reply<xcb_get_property_reply_t>(xcb_get_property_reply(connection, cookie, nullptr));
}

std::string PropertyText(xcb_connection_t* connection, xcb_get_property_cookie_t cookie) {
  const auto reply = PropertyReply(connection, cookie);
  if (!reply || reply->format != 8) return {};
  const auto* text = static_cast<const char*>(xcb_get_property_value(reply.get()));
  return std::string(text, static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
}

xcb_get_property_cookie_t AskClass(xcb_connection_t* connection, std::uint32_t window) {
  return xcb_get_property(connection, 0, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 64);
}

}  // namespace

void X11Stacking::Disconnect::operator()(xcb_connection_t* connection) const {
  xcb_disconnect(connection);
}

X11Stacking::X11Stacking() = default;
X11Stacking::~X11Stacking() = default;

// The atoms of names, asked for together.
std::vector<std::uint32_t> X11Stacking::Atoms(const std::vector<const char*>& names) {
  xcb_connection_t* c = connection_.get();
  std::vector<xcb_intern_atom_cookie_t> cookies;
  for (const char* name : names) {
    cookies.push_back(xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name));
  }
  std::vector<std::uint32_t> atoms;
  for (const xcb_intern_atom_cookie_t& cookie : cookies) {
    const X11Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(c, cookie, nullptr));
    atoms.push_back(reply ? reply->atom : static_cast<std::uint32_t>(XCB_ATOM_NONE));
  }
  return atoms;
}

bool X11Stacking::Start(std::uint32_t form) {
  started_ = true;
  int screenNumber = 0;
  connection_.reset(xcb_connect(nullptr, &screenNumber));
  xcb_connection_t* c = connection_.get();
  if (xcb_connection_has_error(c) != 0) {
    connection_.reset();
    return false;
  }
  auto screens = xcb_setup_roots_iterator(xcb_get_setup(c));
  for (int i = 0; i < screenNumber && screens.rem > 1; ++i) xcb_screen_next(&screens);
  root_ = screens.data->root;

  const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(c, root_, XCB_CW_EVENT_MASK, &mask);
  const xcb_get_property_cookie_t formClass = AskClass(c, form);
  std::vector<const char*> names{"WM_STATE", "_NET_WM_WINDOW_TYPE"};
  for (const auto& type : kTypeRoles) names.push_back(type.name);
  const std::vector<std::uint32_t> atoms = Atoms(names);
  wmState_ = atoms[0];
  wmWindowType_ = atoms[1];
  for (std::size_t i = 0; i < std::size(kTypeRoles); ++i) {
    typeRoles_.push_back({atoms[i + 2], kTypeRoles[i].role});
  }
  formClass_ = PropertyText(c, formClass);
  ReadChildren();

  notifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(c), QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Drain(); });
  Drain();
  return true;
}

void X11Stacking::ReadChildren() {
  xcb_connection_t* c = connection_.get();
  const X11Reply<xcb_query_tree_reply_t> tree(
      xcb_query_tree_reply(c, xcb_query_tree(c, root_), nullptr));
  if (!tree) return;
  const xcb_window_t* children = xcb_query_tree_children(tree.get());
  const int count = xcb_query_tree_children_length(tree.get());
  std::vector<xcb_get_window_attributes_cookie_t> cookies;
  for (int i = 0; i < count; ++i) cookies.push_back(xcb_get_window_attributes(c, children[i]));
  for (int i = 0; i < count; ++i) {
    const X11Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, cookies[static_cast<std::size_t>(i)], nullptr));
    if (!attributes) continue;  // gone meanwhile
    TopLevel& topLevel = Add(children[i], attributes->override_redirect != 0);
    topLevel.mapped = attributes->map_state != XCB_MAP_STATE_UNMAPPED;
    if (topLevel.mapped) Classify(topLevel);
  }
}

void X11Stacking::Drain() {
  HandleEvents(&xcb_poll_for_event);
  // The server has gone: nothing more will come, and the socket would wake the loop for ever.
  if (xcb_connection_has_error(connection_.get()) != 0) notifier_->setEnabled(false);
}

void X11Stacking::HandleEvents(xcb_generic_event_t* (*next)(xcb_connection_t*)) {
  while (xcb_generic_event_t* event = next(connection_.get())) {
    Handle(*event);
    std::free(event);
  }
}

void X11Stacking::Handle(const xcb_generic_event_t& event) {
  switch (event.response_type & 0x7f) {
    case XCB_CREATE_NOTIFY: {
      const auto& created = reinterpret_cast<const xcb_create_notify_event_t&>(event);
      if (created.parent == root_) Add(created.window, created.override_redirect != 0);
      break;
    }
    case XCB_DESTROY_NOTIFY:
      Remove(reinterpret_cast<const xcb_destroy_notify_event_t&>(event).window);
      break;
    case XCB_REPARENT_NOTIFY: {
      const auto& moved = reinterpret_cast<const xcb_reparent_notify_event_t&>(event);
      if (moved.parent == root_) {
        Add(moved.window, moved.override_redirect != 0);
        break;
      }
      Remove(moved.window);
      // Taken from the root into another window: a window manager framing its client.
      if (TopLevel* frame = TopLevelOf(moved.parent)) {
        frame->holdsClient = true;
        frame->role = WindowRole::kOrdinary;
      }
      break;
    }
    case XCB_CONFIGURE_NOTIFY: {
      const auto& configured = reinterpret_cast<const xcb_configure_notify_event_t&>(event);
      if (configured.window != root_) PlaceAbove(configured.window, configured.above_sibling);
      break;
    }
    case XCB_CIRCULATE_NOTIFY: {
      const auto& circulated = reinterpret_cast<const xcb_circulate_notify_event_t&>(event);
      const TopLevel* top = stacking_.empty() ? nullptr : &stacking_.back();
      if (circulated.place == XCB_PLACE_ON_BOTTOM) {
        PlaceAbove(circulated.window, XCB_WINDOW_NONE);
      } else if (top != nullptr && top->window != circulated.window) {
        PlaceAbove(circulated.window, top->window);
      }
      break;
    }
    case XCB_MAP_NOTIFY: {
      const auto& mapped = reinterpret_cast<const xcb_map_notify_event_t&>(event);
      if (TopLevel* topLevel = Find(mapped.window)) {
        topLevel->mapped = true;
        topLevel->overrideRedirect = mapped.override_redirect != 0;
        Classify(*topLevel);
      }
      break;
    }
    case XCB_UNMAP_NOTIFY:
      if (TopLevel* topLevel =
              Find(reinterpret_cast<const xcb_unmap_notify_event_t&>(event).window)) {
        topLevel->mapped = false;
      }
      break;
    default:  // errors of restacks below a sibling that has gone, among others
      break;
  }
}

std::vector<X11Stacking::TopLevel>::iterator X11Stacking::Position(std::uint32_t window) {
  return std::find_if(stacking_.begin(), stacking_.end(),
                      [window](const TopLevel& t) { return t.window == window; });
}

X11Stacking::TopLevel* X11Stacking::Find(std::uint32_t window) {
  const auto found = Position(window);
  return found != stacking_.end() ? &*found : nullptr;
}

X11Stacking::TopLevel* X11Stacking::TopLevelOf(std::uint32_t window) {
  xcb_connection_t* c = connection_.get();
  for (int depth = 0; depth < kFrameDepth; ++depth) {
    if (TopLevel* topLevel = Find(window)) return topLevel;
    const X11Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr));
    if (!tree || tree->parent == root_ || tree->parent == XCB_WINDOW_NONE) return nullptr;
    window = tree->parent;
  }
  return nullptr;
}

X11Stacking::TopLevel& X11Stacking::Add(std::uint32_t window, bool overrideRedirect) {
  if (TopLevel* known = Find(window)) return *known;
  stacking_.push_back({.window = window, .overrideRedirect = overrideRedirect});
  return stacking_.back();
}

void X11Stacking::Remove(std::uint32_t window) {
  std::erase_if(stacking_, [window](const TopLevel& t) { return t.window == window; });
}

void X11Stacking::PlaceAbove(std::uint32_t window, std::uint32_t sibling) {
  const auto moving = Position(window);
  if (moving == stacking_.end()) return;
  const TopLevel entry = *moving;
  stacking_.erase(moving);
  auto at = stacking_.begin();
  if (sibling != XCB_WINDOW_NONE) {
    at = Position(sibling);
    if (at != stacking_.end()) ++at;
  }
  stacking_.insert(at, entry);
}

// Two round trips: the window's children, type and class together, then the children's WM_STATE.
void X11Stacking::Classify(TopLevel& topLevel) {
  if (!topLevel.overrideRedirect || topLevel.holdsClient) {
    topLevel.role = WindowRole::kOrdinary;
    return;
  }
  xcb_connection_t* c = connection_.get();
  const std::uint32_t window = topLevel.window;
  const auto treeCookie = xcb_query_tree(c, window);
  const auto typeCookie = xcb_get_property(c, 0, window, wmWindowType_, XCB_ATOM_ATOM, 0, 16);
  const auto classCookie = AskClass(c, window);
  if (HoldsClient(treeCookie)) {
    xcb_discard_reply(c, typeCookie.sequence);
    xcb_discard_reply(c, classCookie.sequence);
    topLevel.holdsClient = true;
    topLevel.role = WindowRole::kOrdinary;
    return;
  }
  const std::string windowClass = PropertyText(c, classCookie);
  const auto types = PropertyReply(c, typeCookie);
  topLevel.role = WindowRole::kUnmanagedPopup;
  if (!formClass_.empty() && windowClass == formClass_) {
    topLevel.role = WindowRole::kStrip;
    return;
  }
  if (!types || types->format != 32) return;
  const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(types.get()));
  const int count = xcb_get_property_value_length(types.get()) / 4;
  // The first type the window names that is known here: the list is in order of preference.
  for (int i = 0; i < count; ++i) {
    for (const TypeRole& known : typeRoles_) {
      if (known.atom == atoms[i]) {
        topLevel.role = known.role;
        return;
      }
    }
  }
}

// A client of a window manager lies in its frame with WM_STATE, one level down or deeper.
bool X11Stacking::HoldsClient(xcb_query_tree_cookie_t treeCookie, int depth) {
  xcb_connection_t* c = connection_.get();
  const X11Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, treeCookie, nullptr));
  if (!tree) return false;
  const xcb_window_t* children = xcb_query_tree_children(tree.get());
  const int count = xcb_query_tree_children_length(tree.get());
  std::vector<xcb_get_property_cookie_t> states;
  for (int i = 0; i < count; ++i) {
    states.push_back(
        xcb_get_property(c, 0, children[i], wmState_, XCB_GET_PROPERTY_TYPE_ANY, 0, 0));
  }
  bool holds = false;
  for (const xcb_get_property_cookie_t& state : states) {
    const auto reply = PropertyReply(c, state);
    if (reply && reply->type != XCB_ATOM_NONE) holds = true;
  }
  if (holds || depth + 1 >= kFrameDepth) return holds;
  for (int i = 0; i < count && !holds; ++i) {
    holds = HoldsClient(xcb_query_tree(c, children[i]), depth + 1);
  }
  return holds;
}

bool X11Stacking::WindowsAbove(NativeHandle window, std::vector<WindowAbove>& above) {
  const auto form = static_cast<std::uint32_t>(window);
  if (!started_ && !Start(form)) return false;
  if (!connection_) return false;
  // Events read while waiting for a reply stay in xcb's queue without waking the notifier.
  HandleEvents(&xcb_poll_for_queued_event);
  const auto mine = Position(form);
  if (mine == stacking_.end()) return false;
  above.clear();
  for (auto it = std::next(mine); it != stacking_.end(); ++it) {
    if (it->mapped) above.push_back({it->window, it->role});
  }
  return true;
}

void X11Stacking::StackBelow(std::uintptr_t window, std::uintptr_t sibling) {
  if (!connection_) return;
  const std::uint32_t values[] = {static_cast<std::uint32_t>(sibling), XCB_STACK_MODE_BELOW};
  xcb_configure_window(connection_.get(), static_cast<xcb_window_t>(window),
                       XCB_CONFIG_WINDOW_SIBLING | XCB_CONFIG_WINDOW_STACK_MODE, values);
  xcb_flush(connection_.get());
}

}  // namespace coverstrip::qt
