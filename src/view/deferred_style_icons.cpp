#include "view/deferred_style_icons.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

#include <memory>

namespace quillet {
namespace {

// Stands for one standard picture of a style and asks the style for it when
// the picture is first needed. Copies of the icon share the picture once read.
class DeferredIconEngine : public QIconEngine {
public:
    DeferredIconEngine(const QStyle* style, QStyle::StandardPixmap which,
                       Qt::LayoutDirection direction)
        : shared_(std::make_shared<Shared>()) {
        shared_->style = style;
        shared_->which = which;
        shared_->direction = direction;
    }

    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }
    QString key() const override { return QStringLiteral("DeferredIconEngine"); }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        real().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return real().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return real().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return real().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return real().availableSizes(mode, state);
    }
    QString iconName() override { return real().name(); }
    // Not known to be empty before it is read: the style always has these
    // pictures, and asking must not read them.
    bool isNull() override { return shared_->read && shared_->icon.isNull(); }

private:
    struct Shared {
        QPointer<const QStyle> style;
        QStyle::StandardPixmap which = QStyle::SP_CustomBase;
        // The pictures point the way the text runs.
        Qt::LayoutDirection direction = Qt::LeftToRight;
        bool read = false;
        QIcon icon;
    };

    const QIcon& real() {
        if (!shared_->read) {
            shared_->read = true;
            // The style underneath; a style gone by now has nothing to give.
            if (const QStyle* style = shared_->style) {
                QStyleOption option;
                option.direction = shared_->direction;
                shared_->icon = style->standardIcon(shared_->which, &option);
            }
        }
        return shared_->icon;
    }

    std::shared_ptr<Shared> shared_;
};

} // namespace

DeferredIconStyle::DeferredIconStyle(const QString& baseName) : QProxyStyle(baseName) {}

DeferredIconStyle::DeferredIconStyle(QStyle* base) : QProxyStyle(base) {}

void installDeferredIconStyle() {
    const QStyle* current = QApplication::style();
    const QString name = current ? current->name() : QString();
    if (name.isEmpty() || !QStyleFactory::keys().contains(name, Qt::CaseInsensitive))
        return;
    QApplication::setStyle(new DeferredIconStyle(name));
}

bool DeferredIconStyle::defers(StandardPixmap icon) {
    return icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton;
}

QIcon DeferredIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                      const QWidget* widget) const {
    if (!defers(icon))
        return QProxyStyle::standardIcon(icon, option, widget);
    const Qt::LayoutDirection direction =
        option ? option->direction
               : (widget ? widget->layoutDirection() : QGuiApplication::layoutDirection());
    return QIcon(new DeferredIconEngine(baseStyle(), icon, direction));
}

} // namespace quillet
