#include "shell/program_options.h"

namespace quillet {

QString UsageText() {
    return QStringLiteral(
        "Использование: quillet [ДОКУМЕНТ [/P | /A | /L]]\n"
        "Квиллет — редактор простых текстовых документов.\n"
        "\n"
        "  ДОКУМЕНТ       открыть документ при запуске\n"
        "  ДОКУМЕНТ /P    открыть документ и напечатать его на принтере по умолчанию\n"
        "  ДОКУМЕНТ /A    открыть документ без вопроса о большом размере\n"
        "  ДОКУМЕНТ /L    открыть документ и дописать в конец время и дату\n"
        "  -h, --help     показать эту справку и выйти\n"
        "  -v, --version  показать версию программы и выйти\n"
        "\n"
        "Подробнее: man quillet\n");
}

QString VersionText() {
    return QStringLiteral("Квиллет (quillet) %1\n").arg(QStringLiteral(QUILLET_VERSION));
}

std::optional<QString> InformationReply(const QStringList& arguments,
                                        const std::function<bool(const QString&)>& pathExists) {
    if (arguments.size() != 1)
        return std::nullopt;
    const QString& argument = arguments.constFirst();
    const bool help = argument == QLatin1String("--help") || argument == QLatin1String("-h");
    const bool version = argument == QLatin1String("--version") || argument == QLatin1String("-v");
    if ((!help && !version) || pathExists(argument))
        return std::nullopt;
    return help ? UsageText() : VersionText();
}

} // namespace quillet
