#pragma once

#include <QIcon>
#include <QImage>
#include <QString>
#include <thread>

namespace zv::app::artwork {

// The window's pictures, compiled in as SVG resources.
inline constexpr const char* kAppIcon = ":/art/app_icon.svg";
inline constexpr const char* kBackground = ":/art/background.svg";
inline constexpr const char* kEncryptButton = ":/art/encrypt_button.svg";
inline constexpr const char* kDecryptButton = ":/art/decrypt_button.svg";
inline constexpr const char* kAbout = ":/art/about.svg";
inline constexpr const char* kCloseMark = ":/art/close_mark.svg";
inline constexpr const char* kContactIcon = ":/art/contact_icon.svg";

// Renders the window's icon and the pictures of its first frame on a second
// thread while the window is being built: drawing them was a tenth of the
// work before the first frame. Whatever the thread has not rendered (another
// pixel ratio, or when no head start was made, as in the tests) is rendered
// on the spot when asked for. At most one exists at a time.
class HeadStart {
  public:
    // Starts the thread, for pictures at this device pixel ratio.
    explicit HeadStart(qreal ratio);
    // Waits for the thread to finish.
    ~HeadStart();

    HeadStart(const HeadStart&) = delete;
    HeadStart& operator=(const HeadStart&) = delete;

  private:
    std::thread worker_;
};

// The picture at its own size for this device pixel ratio; a null image when the
// resource is not a picture.
QImage picture(const QString& resource, qreal ratio);

// The window icon, in the sizes window managers ask for.
QIcon windowIcon();

}  // namespace zv::app::artwork
