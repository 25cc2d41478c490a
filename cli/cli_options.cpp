#include "cli/cli_options.h"

#include <QCommandLineParser>

#include "cli/track_options.h"
#include "run/result_path.h"

namespace passcat {
namespace {

CliCommand Rejected(const QString& message)
{
    CliCommand command;
    command.action = CliCommand::Action::Reject;
    command.text = QStringLiteral("Ошибка: ") + message;
    return command;
}

CliCommand Said(CliCommand::Action action, const QString& text)
{
    CliCommand command;
    command.action = action;
    command.text = text;
    return command;
}

} // namespace

CliCommand ParseCliArguments(const QStringList& arguments, char localeDecimalSeparator)
{
    const QCommandLineOption output({"o", "output"}, "result file; default: rez.txt in INPUT's folder", "FILE");
    const QCommandLineOption region({"r", "region"}, "0 to 5 in the region list's order; default 5 (\"Прочее\")",
                                    "INDEX", QString::number(kDefaultRegionIndex));
    const QCommandLineOption weighting({"w", "weighting"}, "surface weighting; default height (\"Высота\")",
                                       "height|length", "height");
    const QCommandLineOption separator("decimal-separator", "\".\" or \",\"; default: the user's locale", "SEP");
    const QCommandLineOption encoding("encoding", "encoding of the report's own texts; default auto",
                                      "auto|cp1251|utf-8", "auto");
    const QCommandLineOption listRegions("list-regions", "print the six regions with their indices, then exit");
    const QCommandLineOption help({"h", "help"}, "show this help, then exit");
    const QCommandLineOption version("version", "show the version, then exit");

    QCommandLineParser parser;
    parser.setApplicationDescription("Rates the mountain passes of a profile file and writes the report.");
    parser.addOptions({output, region, weighting, separator, encoding, listRegions, help, version});
    parser.addOptions(ChartCommandLineOptions());
    parser.addOptions(TrackCommandLineOptions());
    parser.addPositionalArgument("INPUT", "the profile file, or a GPS track: .gpx, .kml, .tcx, .plt");

    if (!parser.parse(arguments))
        return Rejected(parser.errorText());
    if (parser.isSet(help))
        return Said(CliCommand::Action::ShowHelp, parser.helpText());
    if (parser.isSet(version))
        return Said(CliCommand::Action::ShowVersion, QStringLiteral("passcat-cli " PASSCAT_VERSION));
    if (parser.isSet(listRegions))
        return Said(CliCommand::Action::ListRegions, {});

    CliCommand command;
    const QStringList inputs = parser.positionalArguments();
    if (inputs.size() != 1)
        return Rejected(QStringLiteral("нужен ровно один входной файл (INPUT), задано: %1").arg(inputs.size()));
    command.settings.inputPath = inputs.front();
    command.settings.resultPath =
        parser.isSet(output) ? parser.value(output) : DefaultResultPath(command.settings.inputPath);

    bool isNumber = false;
    const int regionIndex = parser.value(region).toInt(&isNumber);
    if (!isNumber || regionIndex < 0 || regionIndex >= kRegionCount)
        return Rejected(QStringLiteral("регион должен быть числом от 0 до 5, задано: ") + parser.value(region));
    command.settings.regionIndex = regionIndex;

    const QString weightingName = parser.value(weighting);
    if (weightingName != "height" && weightingName != "length")
        return Rejected(QStringLiteral("взвешивание должно быть height или length, задано: ") + weightingName);
    command.settings.weighting = weightingName == "length" ? SurfaceWeighting::ByLength : SurfaceWeighting::ByHeight;

    command.format.decimalSeparator = localeDecimalSeparator;
    if (parser.isSet(separator)) {
        const QString value = parser.value(separator);
        if (value != "." && value != ",")
            return Rejected(QStringLiteral("десятичный разделитель должен быть \".\" или \",\", задано: ") + value);
        command.format.decimalSeparator = value.front().toLatin1();
    }

    const QString encodingName = parser.value(encoding);
    if (encodingName == "auto")
        command.format.encoding = ReportEncoding::Auto;
    else if (encodingName == "cp1251")
        command.format.encoding = ReportEncoding::Cp1251;
    else if (encodingName == "utf-8")
        command.format.encoding = ReportEncoding::Utf8;
    else
        return Rejected(QStringLiteral("кодировка должна быть auto, cp1251 или utf-8, задано: ") + encodingName);
    if (const auto fault = ReadChartRequest(parser, command.charts))
        return Rejected(*fault);
    if (const QString problem = ReadTrackOptions(parser, command.settings.tracks); !problem.isEmpty())
        return Rejected(problem);
    return command;
}

} // namespace passcat
