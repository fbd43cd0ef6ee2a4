#include "app/artwork.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <future>
#include <map>
#include <mutex>
#include <tuple>
#include <utility>
#include <vector>

namespace zv::app::artwork {
namespace {

// The icon sizes X11 asks of a scalable icon.
constexpr int kIconSides[] = {16, 32, 64, 128};

// A picture, or one side of the icon (side > 0), at a pixel ratio.
struct Request {
    QString resource;
    qreal ratio = 1.0;
    int side = 0;
    bool operator<(const Request& other) const {
        return std::tie(resource, ratio, side) < std::tie(other.resource, other.ratio, other.side);
    }
};

QImage render(const Request& request) {
    QSvgRenderer renderer(request.resource);
    if (!renderer.isValid()) {
        return {};
    }
    const QSizeF size =
        request.side > 0 ? QSizeF(request.side, request.side) : QSizeF(renderer.defaultSize());
    QImage image((size * request.ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(request.ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), size));
    return image;
}

// What the running head start has rendered or will render.
std::mutex ahead_mutex;
std::map<Request, std::shared_future<QImage>> ahead;

std::shared_future<QImage> renderedAhead(const Request& request) {
    const std::lock_guard lock(ahead_mutex);
    const auto found = ahead.find(request);
    return found == ahead.end() ? std::shared_future<QImage>() : found->second;
}

QImage get(const Request& request) {
    const std::shared_future<QImage> future = renderedAhead(request);
    return future.valid() ? future.get() : render(request);
}

}  // namespace

HeadStart::HeadStart(qreal ratio) {
    // The icon first: the window takes it before it is shown. Then what the
    // first frame shows; the About panel's pictures start hidden.
    std::vector<Request> requests;
    for (const int side : kIconSides) {
        requests.push_back({QString::fromLatin1(kAppIcon), 1.0, side});
    }
    for (const char* resource : {kBackground, kEncryptButton, kDecryptButton}) {
        requests.push_back({QString::fromLatin1(resource), ratio, 0});
    }
    std::vector<std::pair<Request, std::packaged_task<QImage()>>> tasks;
    {
        const std::lock_guard lock(ahead_mutex);
        for (const Request& request : requests) {
            std::packaged_task<QImage()> task([request] { return render(request); });
            ahead.emplace(request, task.get_future().share());
            tasks.emplace_back(request, std::move(task));
        }
    }
    worker_ = std::thread([tasks = std::move(tasks)]() mutable {
        for (auto& [request, task] : tasks) {
            task();
        }
    });
}

HeadStart::~HeadStart() {
    worker_.join();
    const std::lock_guard lock(ahead_mutex);
    ahead.clear();
}

QImage picture(const QString& resource, qreal ratio) {
    return get({resource, ratio, 0});
}

QIcon windowIcon() {
    const QString resource = QString::fromLatin1(kAppIcon);
    if (!renderedAhead({resource, 1.0, kIconSides[0]}).valid()) {
        return QIcon(resource);  // scalable: each size is drawn when asked for
    }
    QIcon icon;
    for (const int side : kIconSides) {
        icon.addPixmap(QPixmap::fromImage(get({resource, 1.0, side})));
    }
    return icon;
}

}  // namespace zv::app::artwork
