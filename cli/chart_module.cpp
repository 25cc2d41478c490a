#include "cli/chart_module.h"

#include <QGuiApplication>

#include <iostream>

#include "chart/chart_font.h"
#include "document/chart_files.h"
#include "document/document_file.h"

namespace passcat {
namespace {

std::unique_ptr<QCoreApplication> MakeChartApplication(int& argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Standard error carries the program's own messages; the platform's notes (no
    // runtime folder and the like) are no concern of the user's.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::cerr << text.toStdString() << std::endl;
    });
    auto application = std::make_unique<QGuiApplication>(argc, argv);
    if (!LoadChartFont())
        return nullptr;
    return application;
}

std::optional<QString> WriteRequestedCharts(const ChartRequest& request, const RunResult& run, ChartOfBlock chartOf)
{
    return WriteChartFiles(request.folder, request.format, run, chartOf);
}

const ChartModule kModule{MakeChartApplication, WriteRequestedCharts, WriteTripDocument};

} // namespace
} // namespace passcat

extern "C" Q_DECL_EXPORT const passcat::ChartModule* passcat_chart_module()
{
    return &passcat::kModule;
}
