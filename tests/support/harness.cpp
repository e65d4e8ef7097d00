#include "support/harness.h"

#include "documents/cp1251.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace quillet::test {

FrmMain& Harness::create(const QString& arguments) {
    window = std::make_unique<FrmMain>(platform, arguments);
    return *window;
}

const StoredKey FirstRunViewSettings[26] = {
    {"Font", "FontName", "MS Sans Serif"},  {"Font", "FontSize", "9,75"},
    {"Font", "FontBold", "False"},          {"Font", "FontItalic", "False"},
    {"Font", "FontUnderline", "False"},     {"Font", "FontStrikethru", "False"},
    {"Font", "FontColor", "-2147483640"},   {"Font", "FontChars", "204"},
    {"General", "BackColor", "16777215"},   {"General", "ToolBar", "True"},
    {"Font", "QuickBold", "False"},         {"Font", "QuickItalic", "False"},
    {"Font", "QuickUnderline", "False"},    {"General", "LimitFileType", "True"},
    {"General", "ToolTips", "True"},        {"General", "NoToolTips", "False"},
    {"General", "ConfirmFileSize", "True"}, {"General", "StandartMenu", "False"},
    {"General", "TextWindows", "True"},     {"General", "TextDos", "False"},
    {"General", "TextKoi", "False"},        {"General", "SetChars", "True"},
    {"General", "Transparent", "False"},    {"General", "GetMouse", "False"},
    {"General", "StatusBar", "True"},       {"General", "Alignment", "0"},
};

void seedOrdinarySettings(MemoryStore& store) {
    // Default placement on 1280x1024 pixels: 19200x15360 twips.
    static const StoredKey general[] = {
        {"Flags", "ReplaceFlagWW", "0"},        {"Flags", "FindFlagWW", "0"},
        {"Flags", "FindFlagMC", "0"},           {"General", "ResizeInfo", "False"},
        {"General", "DisableSave", "False"},    {"General", "NoDebug", "False"},
        {"General", "NormalUnloading", "True"}, {"General", "FirstLoading", "False"},
        {"General", "ConfirmChanges", "True"},  {"General", "RecentFile", ""},
        {"General", "FormWindowState", "0"},    {"General", "FormTop", "3405"},
        {"General", "FormLeft", "4350"},        {"General", "FormHeight", "8550"},
        {"General", "FormWidth", "10500"},
    };
    const auto seed = [&store](const StoredKey* first, const StoredKey* last) {
        for (const StoredKey* k = first; k != last; ++k)
            store.set(QString::fromLatin1(k->section), QString::fromLatin1(k->key),
                      QString::fromUtf8(k->value));
    };
    seed(std::begin(general), std::end(general));
    seed(std::begin(FirstRunViewSettings), std::end(FirstRunViewSettings));
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

FileSizeLimit::FileSizeLimit(unsigned long bytes) {
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0)
        return;
    previous_ = limit.rlim_cur;
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    armed_ = true;
    limit.rlim_cur = bytes;
    applied_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

FileSizeLimit::~FileSizeLimit() {
    if (!armed_)
        return;
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0) {
        limit.rlim_cur = previous_;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    std::signal(SIGXFSZ, previousHandler_);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return {};
    }
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << path.toStdString();
}

} // namespace quillet::test

namespace quillet::test {
QString errorReport(Harness& harness) {
    QFile file(harness.window->debugFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return decodeCp1251(file.readAll());
}
} // namespace quillet::test
