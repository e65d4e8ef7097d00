#include "support/harness.h"

#include <QCoreApplication>

namespace quillet::test {

FrmMain& Harness::create(const QString& arguments) {
    window = std::make_unique<FrmMain>(platform, arguments);
    return *window;
}

FrmMain& Harness::load(const QString& arguments) {
    if (seedSettings && platform.store.size() == 0)
        seedOrdinarySettings(platform.store);
    create(arguments);
    window->Form_Load();
    // The program's event loop first runs what the loading queued for it (the
    // mark of a running program in the store, the first tick).
    QCoreApplication::sendPostedEvents(window.get(), QEvent::MetaCall);
    return *window;
}

bool Harness::close() {
    window->show();
    return window->close();
}

} // namespace quillet::test

namespace quillet::test {
QString errorReport(Harness& harness) {
    return reportAt(harness.window->errorReport().DebugFilePath());
}
} // namespace quillet::test
