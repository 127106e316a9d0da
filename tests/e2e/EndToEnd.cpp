#include "EndToEnd.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

Display* display() {
  // A request about a window that is gone fails in its result rather than
  // ending the tests.
  static Display* const connection =
      (XSetErrorHandler([](Display*, XErrorEvent*) { return 0; }), XOpenDisplay(nullptr));
  return connection;
}

} // namespace

void EndToEnd::closeWindow() {
  const Window id = std::stoul(window);
  XClientMessageEvent close{
      ClientMessage, 0, True, display(), id, XInternAtom(display(), "WM_PROTOCOLS", False), 32, {}};
  close.data.l[0] = static_cast<long>(XInternAtom(display(), "WM_DELETE_WINDOW", False));
  XSendEvent(display(), id, False, NoEventMask, reinterpret_cast<XEvent*>(&close));
  XFlush(display());
}

std::vector<std::uint32_t> EndToEnd::row(int y) {
  constexpr int width = 640;
  XImage* image = XGetImage(display(), std::stoul(window), 0, y, width, 1, AllPlanes, ZPixmap);
  if (!image) {
    throw std::runtime_error("the game window is gone");
  }
  std::vector<std::uint32_t> pixels;
  for (int x = 0; x < width; ++x) {
    // The top byte of a depth-24 pixel holds no colour.
    pixels.push_back(static_cast<std::uint32_t>(XGetPixel(image, x, 0)) & 0xffffff);
  }
  XDestroyImage(image);
  return pixels;
}
