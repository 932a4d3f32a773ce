// Starts a program under the current X display, waits for its top-level
// window to be mapped and then painted, reports the window's size, can save
// a screenshot of it as a PNG, then asks the window to close as a window
// manager would and waits for the program to end.
//
//   window_probe [--title TEXT] [--screenshot FILE.png] [--first COMMAND]
//                -- PROGRAM [ARGS...]
//
// COMMAND, run by the shell once the window is painted and before the
// screenshot, can use the window as a person would (xdotool, say).
//
// Prints one line:
//   map_ms=M paint_ms=P width=W height=H exit=E maxrss_kb=R
// times counted from the start of the program. Exits 0 when the program
// showed a window titled TEXT and ended with exit code 0.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kTimeout = std::chrono::seconds(20);

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start)
      .count();
}

struct DisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};
struct ImageDestroyer {
  void operator()(XImage* image) const { XDestroyImage(image); }
};
using Image = std::unique_ptr<XImage, ImageDestroyer>;

Image Grab(Display* display, Window window, int width, int height) {
  return Image(
      XGetImage(display, window, 0, 0, width, height, AllPlanes, ZPixmap));
}

// Painted once the window shows more than one colour.
bool LooksPainted(XImage* image) {
  if (image == nullptr) return false;
  const unsigned long first = XGetPixel(image, 0, 0);
  for (int y = 0; y < image->height; y += 2) {
    for (int x = 0; x < image->width; x += 2) {
      if (XGetPixel(image, x, y) != first) return true;
    }
  }
  return false;
}

// --- A minimal PNG writer: 8-bit RGB, stored (uncompressed) deflate blocks.

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size,
                    std::uint32_t crc = 0) {
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k)
      crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void PutBig32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(std::uint8_t(v >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type,
              const std::vector<std::uint8_t>& data) {
  PutBig32(out, std::uint32_t(data.size()));
  std::vector<std::uint8_t> typed(type, type + 4);
  typed.insert(typed.end(), data.begin(), data.end());
  out.insert(out.end(), typed.begin(), typed.end());
  PutBig32(out, Crc32(typed.data(), typed.size()));
}

bool WritePng(const std::string& path, XImage* image) {
  const int width = image->width;
  const int height = image->height;
  std::vector<std::uint8_t> raw;  // filter byte + RGB per row
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);
    for (int x = 0; x < width; ++x) {
      const unsigned long pixel = XGetPixel(image, x, y);
      raw.push_back(std::uint8_t((pixel & image->red_mask) >> 16));
      raw.push_back(std::uint8_t((pixel & image->green_mask) >> 8));
      raw.push_back(std::uint8_t(pixel & image->blue_mask));
    }
  }
  std::vector<std::uint8_t> zlib = {0x78, 0x01};
  std::uint32_t a = 1, b = 0;
  for (const std::uint8_t byte : raw)
    a = (a + byte) % 65521, b = (b + a) % 65521;
  for (std::size_t at = 0; at < raw.size() || at == 0; at += 65535) {
    const std::size_t length = std::min<std::size_t>(65535, raw.size() - at);
    zlib.push_back(at + length >= raw.size() ? 1 : 0);
    zlib.push_back(std::uint8_t(length));
    zlib.push_back(std::uint8_t(length >> 8));
    zlib.push_back(std::uint8_t(~length));
    zlib.push_back(std::uint8_t(~length >> 8));
    zlib.insert(zlib.end(), raw.begin() + at, raw.begin() + at + length);
  }
  PutBig32(zlib, (b << 16) | a);

  std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  PutBig32(header, width);
  PutBig32(header, height);
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", zlib);
  PutChunk(png, "IEND", {});
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(png.data()),
             std::streamsize(png.size()));
  return bool(file);
}

std::string TitleOf(Display* display, Window window) {
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  const Atom net_name = XInternAtom(display, "_NET_WM_NAME", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(display, window, net_name, 0, 1024, False, utf8, &type,
                         &format, &count, &after, &data) == Success &&
      data != nullptr) {
    title.assign(reinterpret_cast<char*>(data), count);
    XFree(data);
  }
  return title;
}

// Waits for the next X event, at most until `deadline`.
bool NextEvent(Display* display, XEvent& event, Clock::time_point deadline) {
  while (XPending(display) == 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - Clock::now());
    if (left.count() <= 0) return false;
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    poll(&fd, 1, int(left.count()));
  }
  XNextEvent(display, &event);
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  std::string title;
  std::string screenshot;
  std::string before_screenshot;
  int first = 1;
  for (; first < argc; ++first) {
    const std::string_view arg = argv[first];
    if (arg == "--") {
      ++first;
      break;
    }
    if (arg == "--title" && first + 1 < argc) {
      title = argv[++first];
    } else if (arg == "--screenshot" && first + 1 < argc) {
      screenshot = argv[++first];
    } else if (arg == "--first" && first + 1 < argc) {
      before_screenshot = argv[++first];
    } else {
      std::fprintf(
          stderr,
          "usage: window_probe [--title T] [--screenshot F] [--first C] -- "
          "PROGRAM...\n");
      return 2;
    }
  }
  if (first >= argc) return 2;

  const std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(nullptr));
  if (!display) {
    std::fprintf(stderr, "window_probe: no X display\n");
    return 2;
  }
  const Window root = DefaultRootWindow(display.get());
  XSelectInput(display.get(), root, SubstructureNotifyMask);
  XSync(display.get(), False);

  const Clock::time_point start = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    execvp(argv[first], argv + first);
    _exit(127);
  }

  const auto deadline = start + kTimeout;
  Window window = None;
  XEvent event;
  while (window == None && NextEvent(display.get(), event, deadline)) {
    if (event.type == MapNotify && event.xmap.event == root &&
        !event.xmap.override_redirect) {
      window = event.xmap.window;
    }
  }
  const double map_ms = MillisecondsSince(start);

  XWindowAttributes attributes{};
  double paint_ms = -1;
  Image image;
  if (window != None) {
    XGetWindowAttributes(display.get(), window, &attributes);
    while (Clock::now() < deadline) {
      image = Grab(display.get(), window, attributes.width, attributes.height);
      if (LooksPainted(image.get())) {
        paint_ms = MillisecondsSince(start);
        break;
      }
      usleep(500);
    }
  }
  const std::string shown_title =
      window != None ? TitleOf(display.get(), window) : "";

  if (!screenshot.empty() && image) {
    if (!before_screenshot.empty() &&
        std::system(before_screenshot.c_str()) != 0) {
      std::fprintf(stderr, "window_probe: %s failed\n",
                   before_screenshot.c_str());
    }
    usleep(200'000);  // let the first frame settle before the picture
    image = Grab(display.get(), window, attributes.width, attributes.height);
    if (!image || !WritePng(screenshot, image.get()))
      std::fprintf(stderr, "no screenshot\n");
  }

  if (window != None) {
    XEvent close{};
    close.xclient.type = ClientMessage;
    close.xclient.window = window;
    close.xclient.message_type =
        XInternAtom(display.get(), "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] =
        long(XInternAtom(display.get(), "WM_DELETE_WINDOW", False));
    close.xclient.data.l[1] = CurrentTime;
    XSendEvent(display.get(), window, False, NoEventMask, &close);
    XFlush(display.get());
  }

  int status = 0;
  rusage usage{};
  pid_t ended = 0;
  while ((ended = wait4(child, &status, WNOHANG, &usage)) == 0 &&
         Clock::now() < deadline) {
    usleep(1000);
  }
  if (ended == 0) {
    kill(child, SIGKILL);
    wait4(child, &status, 0, &usage);
    std::fprintf(
        stderr,
        "window_probe: the program did not end after its window closed\n");
  }
  const int exit_code =
      WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);

  std::printf(
      "map_ms=%.2f paint_ms=%.2f width=%d height=%d exit=%d maxrss_kb=%ld "
      "title=\"%s\"\n",
      map_ms, paint_ms, attributes.width, attributes.height, exit_code,
      usage.ru_maxrss, shown_title.c_str());
  const bool ok = window != None && paint_ms >= 0 && ended != 0 &&
                  exit_code == 0 && (title.empty() || shown_title == title);
  return ok ? 0 : 1;
}
