#include "documents/document_name.h"

#include <QFileInfo>

namespace quillet {

QString ShortenText(const QString& text, int maxLength) {
    if (text.isEmpty() || maxLength <= 3)
        return {};
    if (text.size() > maxLength)
        return text.left(maxLength - 3) + QStringLiteral("...");
    return text;
}

QString fileNamePart(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

bool isKnownTextType(const QString& path) {
    static const QString known[] = {QStringLiteral(".TXT"), QStringLiteral(".LOG"),
                                    QStringLiteral(".INI"), QStringLiteral(".INF"),
                                    QStringLiteral(".DAT")};
    const QString tail = path.right(4).toUpper();
    for (const QString& k : known) {
        if (tail == k)
            return true;
    }
    return false;
}

DocumentName documentDisplayName(const QString& path, bool newDoc, bool limitFileType) {
    DocumentName result;
    if (path.isEmpty() || newDoc) {
        result.display = UntitledName;
        return result;
    }
    const QString name = fileNamePart(path);
    if (limitFileType) {
        // The filter drops a three-letter extension. A name too short to have a
        // stem before one is shown whole rather than as an empty text.
        const QString stem = name.size() > 4 ? name.chopped(4) : name;
        result.display = ShortenText(stem, DisplayNameLength);
        result.knownType = isKnownTextType(path);
        if (!*result.knownType)
            result.display = UnknownTypeName + QStringLiteral(" (") +
                             ShortenText(name, UnknownTypeNameLength) + QLatin1Char(')');
    } else {
        result.display = ShortenText(name, DisplayNameLength);
    }
    return result;
}

QString DialogStartFolder(bool untitled, const QString& documentPath, const QString& recentPath,
                          const QString& home) {
    const QString named = untitled ? recentPath : documentPath;
    if (!named.isEmpty())
        return QFileInfo(named).absolutePath();
    return home;
}

} // namespace quillet
