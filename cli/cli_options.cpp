#include "cli/cli_options.h"

#include <QRegularExpression>

#include <span>

#include "cli/cli_option_group.h"
#include "engine/reference_tables.h"
#include "platform/native_path.h"
#include "cli/track_options.h"
#include "run/result_path.h"
#include "tracks/track_formats.h"

namespace passcat {
namespace {

// "-" names standard input as INPUT and standard output as the result.
const QString kStandardStream = QStringLiteral("-");

CliCommand Rejected(const QString& reason)
{
    CliCommand command;
    command.action = CliCommand::Action::Reject;
    // What the user wrote may hold bytes that are not UTF-8: they are shown as \xNN.
    command.text = QStringLiteral("Ошибка: ") + DisplayPath(reason);
    return command;
}

CliCommand Said(CliCommand::Action action, const QString& text)
{
    CliCommand command;
    command.action = action;
    command.text = text;
    return command;
}

QString RegionName(int index)
{
    const std::string_view name = kRegionNames[static_cast<std::size_t>(index)];
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// A region by its index or by its name from the list, in any case.
std::optional<int> RegionIndex(const QString& text)
{
    if (text.size() == 1 && text[0] >= u'0' && text[0].unicode() < u'0' + kRegionCount)
        return text[0].unicode() - u'0';
    for (int index = 0; index < kRegionCount; ++index) {
        if (text.compare(RegionName(index), Qt::CaseInsensitive) == 0)
            return index;
    }
    return std::nullopt;
}

QString RegionRefusal(const QString& text)
{
    QStringList regions;
    for (int index = 0; index < kRegionCount; ++index)
        regions << QStringLiteral("%1 «%2»").arg(index).arg(RegionName(index));
    return QStringLiteral("регион должен быть номером или названием из списка: %1; задано: %2")
        .arg(regions.join(", "), text);
}

CliOptionGroup RunOptions(char localeDecimalSeparator)
{
    const QCommandLineOption output({"o", "output"},
                                    "файл результата; по умолчанию rez.txt в папке ВХОДА (для \"-\" в текущей "
                                    "папке); \"-\": стандартный вывод",
                                    "ФАЙЛ");
    const QCommandLineOption region({"r", "region"},
                                    "регион: номер от 0 до 5 или название из списка --list-regions; "
                                    "по умолчанию 5 («Прочее»)",
                                    "РЕГИОН");
    const QCommandLineOption weighting({"w", "weighting"},
                                       "взвешивание покрытия: height (высота) или length (длина); по умолчанию height",
                                       "ВЗВЕШИВАНИЕ");
    const QCommandLineOption separator("decimal-separator",
                                       "десятичный разделитель чисел отчета: \".\" или \",\"; по умолчанию как в "
                                       "настройках системы",
                                       "ЗНАК");
    const QCommandLineOption encoding("encoding",
                                      "кодировка текстов отчета: auto (по входному файлу), utf-8 (utf8), cp1251 "
                                      "(windows-1251, 1251); по умолчанию auto",
                                      "КОДИРОВКА");
    const auto read = [=](const QCommandLineParser& parser, CliCommand& command) -> std::optional<QString> {
        RunSettings& settings = command.settings;
        const QString resultPath = parser.value(output);
        settings.resultIsStandardOutput = resultPath == kStandardStream;
        settings.resultPath = parser.isSet(output) ? resultPath : DefaultResultPath(command.input.path);

        if (parser.isSet(region)) {
            const std::optional<int> index = RegionIndex(parser.value(region));
            if (!index)
                return RegionRefusal(parser.value(region));
            settings.regionIndex = *index;
        }

        const auto weightings = {
            CliChoice<SurfaceWeighting>{{"height", "высота"}, SurfaceWeighting::ByHeight},
            CliChoice<SurfaceWeighting>{{"length", "длина"}, SurfaceWeighting::ByLength},
        };
        if (parser.isSet(weighting)) {
            const auto chosen = MatchCliChoice(parser.value(weighting), weightings);
            if (!chosen)
                return CliChoiceRefusal("взвешивание должно быть", parser.value(weighting), weightings);
            settings.weighting = *chosen;
        }

        command.format.decimalSeparator = localeDecimalSeparator;
        if (parser.isSet(separator)) {
            const QString value = parser.value(separator);
            if (value != "." && value != ",")
                return QStringLiteral("десятичный разделитель должен быть \".\" или \",\", задано: ") + value;
            command.format.decimalSeparator = value.front().toLatin1();
        }

        const auto encodings = {
            CliChoice<ReportEncoding>{{"auto"}, ReportEncoding::Auto},
            CliChoice<ReportEncoding>{{"utf-8", "utf8"}, ReportEncoding::Utf8},
            CliChoice<ReportEncoding>{{"cp1251", "windows-1251", "1251"}, ReportEncoding::Cp1251},
        };
        if (parser.isSet(encoding)) {
            const auto chosen = MatchCliChoice(parser.value(encoding), encodings);
            if (!chosen)
                return CliChoiceRefusal("кодировка должна быть", parser.value(encoding), encodings);
            command.format.encoding = *chosen;
        }
        return std::nullopt;
    };
    return {QStringLiteral("Параметры расчета:"), {output, region, weighting, separator, encoding}, read};
}

const QCommandLineOption kListRegions("list-regions", "вывести регионы с их номерами и выйти");
const QCommandLineOption kHelp({"h", "help"}, "показать эту справку и выйти");
const QCommandLineOption kVersion("version", "показать версию программы и выйти");

// Every group of options, in the order of the help. A feature with options of its
// own adds its group here.
QList<CliOptionGroup> CliOptionGroups(char localeDecimalSeparator)
{
    return {
        RunOptions(localeDecimalSeparator),
        {QStringLiteral("Графики:"), ChartCommandLineOptions(),
         [](const QCommandLineParser& parser, CliCommand& command) { return ReadChartRequest(parser, command.charts); }},
        {QStringLiteral("Документы:"), DocumentCommandLineOptions(),
         [](const QCommandLineParser& parser, CliCommand& command) {
             return ReadDocumentRequest(parser, command.documents);
         }},
        {QStringLiteral("GPS-треки:"), TrackCommandLineOptions(),
         [](const QCommandLineParser& parser, CliCommand& command) -> std::optional<QString> {
             if (QString problem = ReadTrackOptions(parser, command.input.track); !problem.isEmpty())
                 return problem;
             return std::nullopt;
         }},
        {QStringLiteral("Прочие параметры:"), {kListRegions, kHelp, kVersion}, {}},
    };
}

// line, then text word by word from column on, wrapped under itself within the width
// of a terminal; a line reaching past column - 2 stands alone.
QString Wrapped(QString line, const QString& text, qsizetype column)
{
    constexpr qsizetype kWidth = 79;
    QString wrapped;
    if (line.size() > column - 2) {
        wrapped += line + u'\n';
        line.clear();
    }
    for (const QString& word : text.split(u' ')) {
        if (line.size() + 1 + word.size() > kWidth && line.size() > column) {
            wrapped += line + u'\n';
            line.clear();
        }
        line = line.leftJustified(line.size() <= column ? column : line.size() + 1) + word;
    }
    return wrapped + line + u'\n';
}

// "  -o, --output=ФАЙЛ   description".
QString OptionHelp(const QCommandLineOption& option)
{
    QString line = QStringLiteral("  ");
    for (const QString& name : option.names()) {
        if (name.size() == 1)
            line += QStringLiteral("-%1, ").arg(name);
        else
            line += (line.size() == 2 ? QStringLiteral("    --") : QStringLiteral("--")) + name;
    }
    if (!option.valueName().isEmpty())
        line += u'=' + option.valueName();
    return Wrapped(line, option.description(), 30);
}

// The extensions of the track formats: "файл .gpx, .kml, .tcx или .plt (...)".
QString TrackFormatsHelp()
{
    const std::span<const tracks::TrackFormat> formats = tracks::TrackFormats();
    QString text = QStringLiteral("файл");
    for (std::size_t k = 0; k < formats.size(); ++k) {
        text += k == 0 ? QStringLiteral(" .") : k + 1 < formats.size() ? QStringLiteral(", .") : QStringLiteral(" или .");
        text += QString::fromUtf8(formats[k].extension.data(), static_cast<qsizetype>(formats[k].extension.size()));
    }
    return Wrapped(QStringLiteral("  трек GPS"), text + QStringLiteral(" (по окончанию имени, в любом регистре)"), 14);
}

QString HelpText(const QList<CliOptionGroup>& groups)
{
    QString help = QStringLiteral(
        "Использование: passcat-cli [ПАРАМЕТРЫ] ВХОД\n"
        "Оценивает сложность горных препятствий (перевалов) по файлу профиля или треку\n"
        "GPS и записывает отчет. ВХОД \"-\" читает стандартный ввод.\n");
    for (const CliOptionGroup& group : groups) {
        help += u'\n' + group.title + u'\n';
        for (const QCommandLineOption& option : group.options)
            help += OptionHelp(option);
    }
    help += QStringLiteral(
        "\n"
        "Входные форматы:\n"
        "  профиль     текст: блоки препятствий, каждый из строки заголовка, строк данных\n"
        "              \"высота<TAB>километраж<TAB>...<TAB>коэффициент покрытия\" и строки\n"
        "              \"@@@\"; UTF-8 или Windows-1251, десятичная точка или запятая\n");
    help += TrackFormatsHelp();
    help += TerrainFilesHelp();
    return help + QStringLiteral(
        "\n"
        "Коды завершения:\n"
        "  0  все блоки приняты\n"
        "  1  хотя бы один блок отклонен, остальные есть в отчете\n"
        "  2  ошибка в параметрах, или расчет не удался\n"
        "\n"
        "Сообщения выводятся в стандартный поток ошибок, по одному в строке.\n"
        "\n"
        "Пример:\n"
        "  passcat-cli -r Заполярье -w длина -o отчет.txt перевалы.txt\n");
}

// The parser's own errors, told in Russian; the option named is as the user wrote it.
QString ParseFailure(const QCommandLineParser& parser)
{
    QStringList unknown;
    for (const QString& name : parser.unknownOptionNames())
        unknown << (name.size() == 1 ? u'-' + name : QStringLiteral("--") + name);
    if (!unknown.isEmpty()) {
        const QString what = unknown.size() == 1 ? QStringLiteral("неизвестный параметр ")
                                                 : QStringLiteral("неизвестные параметры ");
        return what + unknown.join(", ");
    }
    // QCommandLineParser says the rest in English only: its texts are matched here.
    static const QRegularExpression missingValue(QStringLiteral("^Missing value after '(.+)'\\.$"));
    static const QRegularExpression unexpectedValue(QStringLiteral("^Unexpected value after '(.+)'\\.$"));
    if (const auto match = missingValue.match(parser.errorText()); match.hasMatch())
        return QStringLiteral("после параметра %1 нужно значение").arg(match.captured(1));
    if (const auto match = unexpectedValue.match(parser.errorText()); match.hasMatch())
        return QStringLiteral("параметр %1 не принимает значения").arg(match.captured(1));
    return QStringLiteral("неверная командная строка");
}

} // namespace

CliCommand ParseCliArguments(const QStringList& arguments, char localeDecimalSeparator)
{
    const QList<CliOptionGroup> groups = CliOptionGroups(localeDecimalSeparator);
    QCommandLineParser parser;
    for (const CliOptionGroup& group : groups)
        parser.addOptions(group.options);
    if (!parser.parse(arguments))
        return Rejected(ParseFailure(parser));
    if (parser.isSet(kHelp))
        return Said(CliCommand::Action::ShowHelp, HelpText(groups));
    if (parser.isSet(kVersion))
        return Said(CliCommand::Action::ShowVersion, QStringLiteral("passcat-cli " PASSCAT_VERSION));
    if (parser.isSet(kListRegions))
        return Said(CliCommand::Action::ListRegions, {});

    const QStringList inputs = parser.positionalArguments();
    if (inputs.isEmpty())
        return Rejected(QStringLiteral("не задан входной файл (ВХОД)"));
    if (inputs.size() > 1)
        return Rejected(QStringLiteral("нужен ровно один входной файл (ВХОД), задано: %1").arg(inputs.size()));
    CliCommand command;
    command.input = inputs.front() == kStandardStream ? RunInput::FromStandardInput() : RunInput::FromPath(inputs.front());
    for (const CliOptionGroup& group : groups) {
        if (!group.read)
            continue;
        if (const auto refusal = group.read(parser, command))
            return Rejected(*refusal);
    }
    return command;
}

} // namespace passcat
