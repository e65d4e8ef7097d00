#include "diagnostics/mdl_other.h"

#include "documents/cp1251.h"
#include "platform/failure.h"

#include <QDir>

namespace quillet {

QString StripAtNull(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

QString AddBackslash(const QString& text) {
    const QChar separator = QDir::separator();
    return text.endsWith(separator) ? text : text + separator;
}

std::optional<QString> DecodeRegistryValue(std::uint32_t type, const QByteArray& data) {
    QByteArray bytes = data;
    if (!bytes.isEmpty() && bytes.back() == '\0')
        bytes.chop(1);
    switch (type) {
    case 1:
        return decodeCp1251(bytes);
    case 4: {
        std::uint32_t number = 0;
        for (qsizetype i = 0; i < 4 && i < bytes.size(); ++i)
            number |= std::uint32_t(static_cast<unsigned char>(bytes.at(i))) << (8 * i);
        return QString::number(number);
    }
    default:
        return std::nullopt;
    }
}

QString FormatWindowsVersion(int major, int minor, int build) {
    return QStringLiteral("%1.%2.%3").arg(major).arg(minor, 2, 10, QLatin1Char('0')).arg(build);
}

QString WindowsNameSuffix(const QString& productName) {
    return productName.size() < 2 ? QString() : productName.right(2).toUpper();
}

bool IsWindows9x(const QString& productName) {
    const QString suffix = WindowsNameSuffix(productName);
    return suffix == QLatin1String("95") || suffix == QLatin1String("98") ||
           suffix == QLatin1String("ME");
}

bool LacksLayeredWindows(const QString& productName) {
    return IsWindows9x(productName) || WindowsNameSuffix(productName) == QLatin1String("NT");
}

bool ReadRegistryString(Platform& platform, const QString& root, const QString& subkey,
                        const QString& valueName, QString& result) {
    std::optional<RegistryValue> value;
    try {
        value = platform.readRegistry(root, subkey, valueName);
    } catch (const Failure&) {
        value.reset();
    }
    if (!value || value->data.size() > RegistryBufferSize) {
        result.clear();
        return false;
    }
    if (std::optional<QString> text = DecodeRegistryValue(value->type, value->data))
        result = *text;
    return true;
}

QString GetWindowsName(Platform& platform) {
    try {
        QString name;
        ReadRegistryString(platform, HkeyLocalMachine,
                           QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion"),
                           QStringLiteral("ProductName"), name);
        if (name.isEmpty())
            ReadRegistryString(platform, HkeyLocalMachine,
                               QStringLiteral("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"),
                               QStringLiteral("ProductName"), name);
        // Systems without a registry name themselves through the platform.
        if (name.isEmpty())
            name = platform.productName();
        return name;
    } catch (...) {
        return {};
    }
}

void GetWindowsVersion(Platform& platform, QString& servicePack, QString& version) {
    std::optional<OsVersion> os;
    try {
        os = platform.osVersion();
    } catch (...) {
        os.reset();
    }
    if (!os) {
        servicePack.clear();
        version.clear();
        return;
    }
    servicePack = StripAtNull(os->servicePack);
    version = FormatWindowsVersion(os->major, os->minor, os->build);
}

namespace {
QString folderOrEmpty(const QString& folder) {
    const QString path = StripAtNull(folder);
    return path.isEmpty() ? QString() : AddBackslash(path);
}
} // namespace

QString GetWindowsFolder(Platform& platform) {
    return folderOrEmpty(platform.windowsFolder());
}

QString GetSystemFolder(Platform& platform) {
    return folderOrEmpty(platform.systemFolder());
}

QString GetTempFolder(Platform& platform) {
    QString folder = platform.environment(QStringLiteral("Temp"));
    if (folder.isEmpty())
        folder = platform.environment(QStringLiteral("TMPDIR"));
    return folder.isEmpty() ? QString() : AddBackslash(folder);
}

bool GetFreeResources(Platform&, std::int32_t&, std::int32_t&, std::int32_t&) {
    // Resource heaps are a Windows 95, 98 and ME matter, and even there the figures
    // come from a system library this platform does not have: they are never
    // available, and the outputs stay as they were.
    return false;
}

} // namespace quillet
