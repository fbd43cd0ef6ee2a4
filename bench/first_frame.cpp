// Times a window's first frame from outside the program. Prints "ready" once
// it is watching the X display; then, for the next top-level window mapped,
// prints two moments in nanoseconds since the epoch (the clock of
// `date +%s%N`): when the window was mapped, and when its pixels on the screen
// first changed, that is when the program's first painted frame arrived.
// Exits 1 when the display cannot be watched, 2 when nothing was painted
// within ten seconds of the window being mapped.
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

namespace {

std::int64_t nowNs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

struct FreeReply {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;

// The screen's pixels in a rectangle, as the server stores them.
std::vector<std::uint8_t> grab(xcb_connection_t* c, xcb_window_t root, std::int16_t x,
                               std::int16_t y, std::uint16_t w, std::uint16_t h) {
    const Reply<xcb_get_image_reply_t> image(xcb_get_image_reply(
        c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, root, x, y, w, h, ~0U), nullptr));
    if (!image) {
        return {};
    }
    const std::uint8_t* data = xcb_get_image_data(image.get());
    return {data, data + xcb_get_image_data_length(image.get())};
}

}  // namespace

int main() {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c) != 0) {
        std::fputs("first_frame: cannot connect to the display\n", stderr);
        return 1;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t root = screen->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    const Reply<xcb_generic_error_t> error(xcb_request_check(
        c, xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &mask)));
    // What the screen shows before the program starts: its window's first
    // frame is the first change to it.
    const std::vector<std::uint8_t> before =
        grab(c, root, 0, 0, screen->width_in_pixels, screen->height_in_pixels);
    if (error || before.empty()) {
        std::fputs("first_frame: cannot watch the root window\n", stderr);
        return 1;
    }
    const std::size_t rowBytes = before.size() / screen->height_in_pixels;
    const std::size_t pixelBytes = rowBytes / screen->width_in_pixels;
    std::puts("ready");
    std::fflush(stdout);

    xcb_window_t window = XCB_NONE;
    while (window == XCB_NONE) {
        const Reply<xcb_generic_event_t> event(xcb_wait_for_event(c));
        if (!event) {
            return 1;
        }
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            window = reinterpret_cast<xcb_map_notify_event_t*>(event.get())->window;
        }
    }
    const std::int64_t mapped = nowNs();
    const Reply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
    if (!geometry) {
        return 1;
    }
    // Clipped to the screen: no window manager moves it anywhere else.
    const int x = geometry->x, y = geometry->y;
    const int w = std::min<int>(geometry->width, screen->width_in_pixels - x);
    const int h = std::min<int>(geometry->height, screen->height_in_pixels - y);
    while (nowNs() - mapped < 10'000'000'000) {
        const std::vector<std::uint8_t> now =
            grab(c, root, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                 static_cast<std::uint16_t>(w), static_cast<std::uint16_t>(h));
        const std::size_t nowRow = now.empty() ? 0 : now.size() / static_cast<std::size_t>(h);
        for (int row = 0; row < h && nowRow > 0; ++row) {
            const std::uint8_t* was = before.data() + static_cast<std::size_t>(y + row) * rowBytes +
                                      static_cast<std::size_t>(x) * pixelBytes;
            if (std::memcmp(was, now.data() + static_cast<std::size_t>(row) * nowRow,
                            static_cast<std::size_t>(w) * pixelBytes) != 0) {
                std::printf("%lld %lld\n", static_cast<long long>(mapped),
                            static_cast<long long>(nowNs()));
                xcb_disconnect(c);
                return 0;
            }
        }
        const timespec pause{0, 500'000};
        nanosleep(&pause, nullptr);
    }
    std::fputs("first_frame: the window showed nothing\n", stderr);
    return 2;
}
