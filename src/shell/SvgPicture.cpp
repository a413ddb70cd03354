#include "shell/SvgPicture.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

namespace tav::shell {

QPixmap SvgPixmap(const QString& path, QSize size) {
    const qreal dpr = qApp != nullptr ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(size * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(path);
    if (!renderer.isValid()) {
        return pixmap;
    }
    const QSizeF drawn = QSizeF(renderer.defaultSize()).scaled(QSizeF(size), Qt::KeepAspectRatio);
    const QRectF target((size.width() - drawn.width()) / 2.0,
                        (size.height() - drawn.height()) / 2.0, drawn.width(), drawn.height());
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, target);
    return pixmap;
}

QSize SvgSize(const QString& path) {
    QSvgRenderer renderer(path);
    return renderer.isValid() ? renderer.defaultSize() : QSize();
}

}  // namespace tav::shell
