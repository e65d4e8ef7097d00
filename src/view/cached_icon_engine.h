#pragma once

#include <QHash>
#include <QIconEngine>
#include <QPixmap>

namespace quillet {

// An icon that makes its picture for each size only when that size is first
// asked for, and keeps it. Disabled and selected pictures are derived from the
// normal one the way the style derives them from any other icon. A subclass
// says which size a request gets and how the picture of that size is made.
class CachedIconEngine : public QIconEngine {
public:
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;

protected:
    // The normal picture at exactly this size (what actualSize gave).
    virtual QPixmap make(const QSize& size) = 0;

private:
    QHash<quint64, QPixmap> cache_;
};

} // namespace quillet
