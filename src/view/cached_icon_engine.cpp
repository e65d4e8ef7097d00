#include "view/cached_icon_engine.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace quillet {

QPixmap CachedIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) {
    if (size.isEmpty())
        return {};
    const QSize wanted = actualSize(size, mode, state);
    const quint64 key =
        (quint64(wanted.width()) << 32) | (quint64(wanted.height()) << 8) | quint64(mode);
    if (auto cached = cache_.constFind(key); cached != cache_.constEnd())
        return *cached;
    QPixmap picture = make(wanted);
    if (mode != QIcon::Normal && qApp) {
        QStyleOption option;
        option.palette = QApplication::palette();
        picture = QApplication::style()->generatedIconPixmap(mode, picture, &option);
    }
    cache_.insert(key, picture);
    return picture;
}

void CachedIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                             QIcon::State state) {
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const QSize device(qRound(rect.width() * ratio), qRound(rect.height() * ratio));
    QPixmap picture = pixmap(device, mode, state);
    picture.setDevicePixelRatio(ratio);
    painter->drawPixmap(rect.topLeft(), picture);
}

} // namespace quillet
