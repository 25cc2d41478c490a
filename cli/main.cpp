#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <utility>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

#include "cli/chart_module.h"
#include "cli/cli_runner.h"
#include "platform/console_messages.h"
#include "platform/decimal_separator.h"
#include "platform/native_path.h"

namespace {

// The chart module beside the program, or where it is installed.
const passcat::ChartModule* LoadChartModule(QLibrary& library, QString& error)
{
    const QDir programFolder(QCoreApplication::applicationDirPath());
    for (const QString& folder : {programFolder.path(), programFolder.filePath(PASSCAT_CHART_MODULE_DIR)}) {
        library.setFileName(QDir(folder).filePath(QStringLiteral("passcat-cli-charts")));
        if (const auto entry = reinterpret_cast<passcat::ChartModuleEntry>(library.resolve(passcat::kChartModuleEntry)))
            return entry();
        error = library.errorString();
    }
    return nullptr;
}

#ifdef _WIN32
// The standard streams carry bytes as on Linux: no CR added before LF, no Ctrl-Z taken
// for the end.
void UseStreamsAsOnLinux()
{
    for (FILE* stream : {stdin, stdout, stderr})
        _setmode(_fileno(stream), _O_BINARY);
}

// Ctrl+C, Ctrl+Break and the console's window closed end the run at once, as the
// signal does on Linux, with the status that tells so: the previous result stays, and
// the temporary file goes with its handle. (Exiting the usual way would first wait on
// the helper threads' locks; wine's default even ends with status 0.)
BOOL WINAPI StopAtOnce(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT)
        return FALSE;
    TerminateProcess(GetCurrentProcess(), STATUS_CONTROL_C_EXIT);
    return TRUE;
}
#endif

// Text for a console goes there as characters where the console wants them so; the
// buffers stay for the program's life, the streams' last flush included.
void WriteConsolesAsTheyRead()
{
    for (const auto& [stream, file] : {std::pair<std::ostream*, FILE*>{&std::cout, stdout}, {&std::cerr, stderr}})
        if (std::unique_ptr<std::streambuf> console = passcat::ConsoleMessageBuffer(file))
            stream->rdbuf(console.release());
}

} // namespace

int main(int argc, char* argv[])
{
#ifdef _WIN32
    UseStreamsAsOnLinux();
    SetConsoleCtrlHandler(StopAtOnce, TRUE);
#endif
    WriteConsolesAsTheyRead();
    // The arguments as the system gave them: a file name need not be UTF-8.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << passcat::PathFromNative(argv[i]);
    auto application = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("passcat-cli"));
    if (!passcat::FileNamesAreBytes())
        arguments = QCoreApplication::arguments(); // Qt's, from the UTF-16 command line
    const passcat::CliCommand command = passcat::ParseCliArguments(arguments, passcat::SystemDecimalSeparator());
    if (command.action != passcat::CliCommand::Action::Run
        || (!command.charts.wanted() && !command.documents.wantsDocument()))
        return passcat::RunCliCommand(command, std::cout, std::cerr);

    // Charts and documents need fonts and painting: the module's application replaces
    // the plain one.
    QLibrary library;
    QString error;
    const passcat::ChartModule* charts = LoadChartModule(library, error);
    if (charts == nullptr) {
        std::cerr << "passcat-cli: Ошибка: графики недоступны: " << error.toStdString() << std::endl;
        return passcat::kExitFailed;
    }
    application.reset();
    application = charts->makeApplication(argc, argv);
    if (!application) {
        std::cerr << "passcat-cli: Ошибка: не удалось загрузить шрифт графиков" << std::endl;
        return passcat::kExitFailed;
    }
    QCoreApplication::setApplicationName(QStringLiteral("passcat-cli"));
    return passcat::RunCliCommand(command, std::cout, std::cerr, charts->writeCharts, charts->writeDocument);
}
