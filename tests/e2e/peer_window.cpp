// A plain X client that plays "another program's window" for the end-to-end tests: an
// undecorated window of one colour that takes the focus, makes itself topmost or fullscreen (as a
// player does) and raises itself when told. It reads one command a line on stdin and answers one
// line on stdout, after the X server has received the request:
//   focus | above | fullscreen | raise | cursor | popup TYPE X Y WIDTH HEIGHT | close | quit
// "cursor" reports the pointer image the server shows (XFixes): a hash of its pixels and its name.
// "popup" maps a window of the same colour that bypasses the window manager (override-redirect),
// as menus, tooltips and screen lockers are, typed _NET_WM_WINDOW_TYPE_<TYPE> unless TYPE is
// "none"; "close" destroys it.
// With "--root RRGGBB" it only paints the root window in that colour and ends.
// Relies on Xlib, XFixes and an EWMH window manager (openbox) for focus and window states.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>
#include <poll.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

namespace {

struct DisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

struct XFreeDeleter {
  void operator()(void* data) const { XFree(data); }
};

constexpr long kSourcePager = 2;  // EWMH source indication that the WM always honours
constexpr long kStateAdd = 1;

class PeerWindow {
 public:
  PeerWindow(Display* display, int x, int y, unsigned width, unsigned height, unsigned long colour)
      : display_(display), root_(DefaultRootWindow(display)), colour_(colour) {
    XSetWindowAttributes attributes{};
    attributes.background_pixel = colour;
    attributes.event_mask = StructureNotifyMask;
    window_ = XCreateWindow(display_, root_, x, y, width, height, 0, CopyFromParent, InputOutput,
                            CopyFromParent, CWBackPixel | CWEventMask, &attributes);
    XStoreName(display_, window_, "coverstrip peer");
    XClassHint classHint{const_cast<char*>("peer"), const_cast<char*>("CoverstripPeer")};
    XSetClassHint(display_, window_, &classHint);

    XWMHints wmHints{};
    wmHints.flags = InputHint;
    wmHints.input = True;
    XSetWMHints(display_, window_, &wmHints);

    // Placed where asked, not where the window manager would choose.
    XSizeHints sizeHints{};
    sizeHints.flags = USPosition | USSize;
    sizeHints.x = x;
    sizeHints.y = y;
    sizeHints.width = static_cast<int>(width);
    sizeHints.height = static_cast<int>(height);
    XSetWMNormalHints(display_, window_, &sizeHints);

    // No decorations (Motif hints), so the client area is exactly the geometry asked for.
    const long motifHints[5] = {2 /* decorations flag */, 0, 0, 0, 0};
    const Atom motif = Intern("_MOTIF_WM_HINTS");
    XChangeProperty(display_, window_, motif, motif, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(motifHints), 5);
  }

  ~PeerWindow() {
    ClosePopup();
    XDestroyWindow(display_, window_);
  }

  PeerWindow(const PeerWindow&) = delete;
  PeerWindow& operator=(const PeerWindow&) = delete;

  // Maps the window and returns once the server reports it mapped.
  void Map() {
    XMapWindow(display_, window_);
    XEvent event{};
    do {
      XWindowEvent(display_, window_, StructureNotifyMask, &event);
    } while (event.type != MapNotify);
  }

  Window Id() const { return window_; }

  void Activate() { SendToRoot(Intern("_NET_ACTIVE_WINDOW"), kSourcePager, CurrentTime, 0); }

  void AddState(const char* state) {
    SendToRoot(Intern("_NET_WM_STATE"), kStateAdd, static_cast<long>(Intern(state)), kSourcePager);
  }

  void Raise() { XRaiseWindow(display_, window_); }

  void SetCardinal(const char* name, long value) {
    XChangeProperty(display_, window_, Intern(name), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&value), 1);
  }

  void OpenPopup(const std::string& type, int x, int y, unsigned width, unsigned height) {
    ClosePopup();
    XSetWindowAttributes attributes{};
    attributes.background_pixel = colour_;
    attributes.override_redirect = True;
    popup_ = XCreateWindow(display_, root_, x, y, width, height, 0, CopyFromParent, InputOutput,
                           CopyFromParent, CWBackPixel | CWOverrideRedirect, &attributes);
    if (type != "none") {
      const Atom value = Intern(("_NET_WM_WINDOW_TYPE_" + type).c_str());
      XChangeProperty(display_, popup_, Intern("_NET_WM_WINDOW_TYPE"), XA_ATOM, 32, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(&value), 1);
    }
    XMapRaised(display_, popup_);
  }

  void ClosePopup() {
    if (popup_ != None) XDestroyWindow(display_, popup_);
    popup_ = None;
  }

  // Waits until the server has handled every request sent so far.
  void Sync() { XSync(display_, False); }

  // Drops the events that arrived; the window needs none of them (the server paints it).
  void DrainEvents() {
    while (XPending(display_) > 0) {
      XEvent event{};
      XNextEvent(display_, &event);
    }
  }

 private:
  Atom Intern(const char* name) { return XInternAtom(display_, name, False); }

  void SendToRoot(Atom type, long data0, long data1, long data2) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window_;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    event.xclient.data.l[0] = data0;
    event.xclient.data.l[1] = data1;
    event.xclient.data.l[2] = data2;
    XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  }

  Display* display_;
  Window root_;
  unsigned long colour_;
  Window window_;
  Window popup_ = None;
};

// FNV-1a over the cursor's pixels: equal shapes give equal hashes.
std::uint64_t HashPixels(const XFixesCursorImage& image) {
  std::uint64_t hash = 1469598103934665603ull;
  const std::size_t count = static_cast<std::size_t>(image.width) * image.height;
  for (std::size_t i = 0; i < count; ++i) {
    hash ^= static_cast<std::uint64_t>(image.pixels[i]) & 0xffffffffull;
    hash *= 1099511628211ull;
  }
  return hash;
}

std::string DescribeCursor(Display* display) {
  int eventBase = 0;
  int errorBase = 0;
  if (!XFixesQueryExtension(display, &eventBase, &errorBase)) return "error no-xfixes";
  std::unique_ptr<XFixesCursorImage, XFreeDeleter> image(XFixesGetCursorImage(display));
  if (!image) return "error no-image";
  std::ostringstream out;
  out << "cursor " << std::hex << HashPixels(*image) << std::dec << ' ' << image->width << 'x'
      << image->height << ' '
      << (image->name != nullptr && image->name[0] != '\0' ? image->name : "-");
  return out.str();
}

std::string Run(PeerWindow& peer, Display* display, const std::string& line) {
  std::istringstream in(line);
  std::string command;
  in >> command;
  if (command == "focus") {
    peer.Activate();
  } else if (command == "above") {
    peer.AddState("_NET_WM_STATE_ABOVE");
    peer.Raise();
  } else if (command == "fullscreen") {
    // As players do (mpv among them): compositors unredirect the window, kwin_x11 suspends.
    peer.SetCardinal("_NET_WM_BYPASS_COMPOSITOR", 1);
    peer.AddState("_NET_WM_STATE_FULLSCREEN");
    peer.Activate();
  } else if (command == "raise") {
    peer.Raise();
  } else if (command == "popup") {
    std::string type;
    int x = 0, y = 0;
    unsigned width = 0, height = 0;
    if (!(in >> type >> x >> y >> width >> height)) return "error usage: popup TYPE X Y W H";
    peer.OpenPopup(type, x, y, width, height);
  } else if (command == "close") {
    peer.ClosePopup();
  } else if (command == "cursor") {
    return DescribeCursor(display);
  } else {
    return "error unknown command " + command;
  }
  peer.Sync();
  return "ok";
}

}  // namespace

int main(int argc, char** argv) {
  const bool rootOnly = argc == 3 && std::string(argv[1]) == "--root";
  if (argc != 6 && !rootOnly) {
    std::cerr << "usage: " << argv[0] << " X Y WIDTH HEIGHT RRGGBB | --root RRGGBB\n";
    return 2;
  }
  DisplayPtr display(XOpenDisplay(nullptr));
  if (!display) {
    std::cerr << "cannot open display\n";
    return 1;
  }
  if (rootOnly) {
    const Window root = DefaultRootWindow(display.get());
    XSetWindowBackground(display.get(), root, std::strtoul(argv[2], nullptr, 16));
    XClearWindow(display.get(), root);
    XSync(display.get(), False);
    return 0;
  }
  const unsigned long colour = std::strtoul(argv[5], nullptr, 16);
  PeerWindow peer(display.get(), std::atoi(argv[1]), std::atoi(argv[2]),
                  static_cast<unsigned>(std::atoi(argv[3])),
                  static_cast<unsigned>(std::atoi(argv[4])), colour);
  peer.Map();
  std::cout << "window 0x" << std::hex << peer.Id() << std::dec << std::endl;

  pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {ConnectionNumber(display.get()), POLLIN, 0}};
  std::string pending;
  for (;;) {
    peer.DrainEvents();
    if (poll(fds, 2, -1) < 0) return 1;
    if ((fds[1].revents & (POLLERR | POLLHUP)) != 0) return 1;
    if ((fds[0].revents & (POLLIN | POLLHUP)) == 0) continue;
    char buffer[256];
    const ssize_t count = read(STDIN_FILENO, buffer, sizeof buffer);
    if (count <= 0) return 0;
    pending.append(buffer, static_cast<std::size_t>(count));
    for (std::size_t end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
      const std::string line = pending.substr(0, end);
      pending.erase(0, end + 1);
      if (line == "quit") return 0;
      std::cout << Run(peer, display.get(), line) << std::endl;
    }
  }
}
