#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

#include "platform/text_encoding.h"
#include "tests/chart/chart_fixture.h"

namespace passcat {
namespace {

struct CliRun {
    int exitCode = -1;
    std::string err;
};

// Blocks 1 and 3 are accepted, block 2 rejected: its end is not higher than its start.
const std::string kThreeBlocks = Utf8ToCp1251(std::string(testing::kWorkedExampleInput)
                                              + "Отвергнутый\r\n2000\t0\t1\r\n1900\t1\t1\r\n@@@\r\n"
                                                "Перевал Третий\r\n1200\t0\t1\r\n1450\t1,5\t1,2\r\n@@@\r\n");

class ChartCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile input(path("passes.txt"));
        ASSERT_TRUE(input.open(QIODevice::WriteOnly));
        input.write(kThreeBlocks.data(), static_cast<qint64>(kThreeBlocks.size()));
    }

    QString path(const QString& name) const { return dir_.filePath(name); }

    CliRun run(QStringList arguments) const
    {
        QProcess process;
        arguments.prepend(path("passes.txt"));
        process.start(PASSCAT_CLI_PATH, arguments);
        CliRun result;
        if (process.waitForFinished(60'000) && process.exitStatus() == QProcess::NormalExit)
            result.exitCode = process.exitCode();
        result.err = process.readAllStandardError().toStdString();
        return result;
    }

    QTemporaryDir dir_;
};

TEST_F(ChartCli, OneFilePerAcceptedBlockNumberedAmongAllBlocks)
{
    for (const QString format : {"svg", "png"}) {
        const QString charts = path("charts " + format);
        const CliRun result = run({"--charts", charts, "--chart-format", format});
        EXPECT_EQ(result.exitCode, 1) << result.err;
        EXPECT_EQ(QDir(charts).entryList(QDir::Files), QStringList({"001." + format, "003." + format}));
    }
    QFile third(path("charts svg/003.svg"));
    ASSERT_TRUE(third.open(QIODevice::ReadOnly));
    EXPECT_TRUE(third.readAll().contains("<title>Перевал Третий</title>"));
}

TEST_F(ChartCli, ChartThatCannotBeWrittenAfterTheReport)
{
    QFile(path("in the way")).open(QIODevice::WriteOnly);
    QDir().mkpath(path("taken/001.svg"));
    struct Case {
        QString folder;
        QString named; // in the message
    };
    std::vector<Case> cases = {{path("in the way"), path("in the way")},
                               {path("in the way/charts"), path("in the way/charts")},
                               {path("taken"), path("taken/001.svg")}};
    if (QFileInfo(QStringLiteral("/proc/self")).isDir())
        cases.push_back({"/proc", "/proc/001.svg"}); // a folder no one can write to, where the system has it
    for (const Case& c : cases) {
        QFile::remove(path("rez.txt"));
        const CliRun result = run({"--charts", c.folder});
        EXPECT_EQ(result.exitCode, 2) << c.folder.toStdString();
        // After the message of the rejected block.
        EXPECT_NE(result.err.find("\npasscat-cli: Ошибка: не удалось "), std::string::npos) << result.err;
        EXPECT_NE(result.err.find(QDir::toNativeSeparators(c.named).toStdString()), std::string::npos) << result.err;
        EXPECT_TRUE(QFile::exists(path("rez.txt")));
    }
}

TEST_F(ChartCli, NoChartsWithoutAReportOrWithAWrongFormat)
{
    QProcess process;
    process.start(PASSCAT_CLI_PATH, {path("missing.txt"), "--charts", path("charts")});
    ASSERT_TRUE(process.waitForFinished(60'000));
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_FALSE(QFile::exists(path("charts")));

    const CliRun wrongFormat = run({"--charts", path("charts"), "--chart-format", "gif"});
    EXPECT_EQ(wrongFormat.exitCode, 2);
    EXPECT_EQ(wrongFormat.err.rfind("passcat-cli: Ошибка: формат графиков", 0), 0u) << wrongFormat.err;
    EXPECT_FALSE(QFile::exists(path("charts")));
}

} // namespace
} // namespace passcat
