// Replays the golden corpus (tests/data/golden, see its README): passcat-cli runs on each
// case's input in a fresh folder, and its status, standard output, standard error, the
// result file and what is left in the folder must match the recorded ones byte for byte.
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/corpus_cases.h"

namespace {

using passcat::testing::ReadBytes;

std::string Replaced(const std::string& text, const std::string& from, const std::string& to)
{
    std::string result;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(from, start)) != std::string::npos; start = at + from.size())
        result.append(text, start, at - start).append(to);
    return result.append(text, start);
}

// Where two texts part: the line number and that line of each, for the failure message.
std::string FirstDifference(const std::string& expected, const std::string& actual)
{
    std::size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at])
        ++at;
    const std::size_t start = at == 0 ? 0 : expected.rfind('\n', at - 1) + 1;
    const auto lineOf = [start](const std::string& text) {
        return std::string(1, '"').append(text, start, std::min<std::size_t>(text.find('\n', start) - start, 300)) + '"';
    };
    const auto line = std::count(expected.begin(), expected.begin() + static_cast<std::ptrdiff_t>(start), '\n') + 1;
    return "line " + std::to_string(line) + ": expected " + lineOf(expected) + ", got " + lineOf(actual);
}

class GoldenCase : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenCase, ReplaysByteForByte)
{
    const QDir golden(QStringLiteral(PASSCAT_GOLDEN_DIR "/") + QString::fromStdString(GetParam()));
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const QString dir = scratch.path(), input = dir + "/in.txt", output = dir + "/rez.txt";
    QStringList expectedEntries;
    if (golden.exists("input")) {
        ASSERT_TRUE(QFile::copy(golden.filePath("input"), input));
        expectedEntries << "in.txt";
    }
    if (golden.exists("previous")) {
        ASSERT_TRUE(QFile::copy(golden.filePath("previous"), output));
    }
    QStringList arguments;
    const std::string args = ReadBytes(golden.filePath("args"));
    for (std::size_t start = 0, end; start < args.size(); start = end + 1) {
        end = std::min(args.find('\n', start), args.size());
        arguments << QString::fromStdString(args.substr(start, end - start))
                         .replace("{input}", input).replace("{output}", output).replace("{dir}", dir);
    }
    const QString locale = QString::fromStdString(ReadBytes(golden.filePath("locale"))).trimmed();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", locale.isEmpty() ? QStringLiteral("C") : locale);

    QProcess cli;
    cli.setProcessEnvironment(environment);
    cli.setWorkingDirectory(dir);
    cli.start(PASSCAT_CLI_PATH, arguments);
    ASSERT_TRUE(cli.waitForFinished(300'000) && cli.exitStatus() == QProcess::NormalExit)
        << cli.errorString().toStdString();

    const auto same = [](const char* what, const std::string& expected, const std::string& actual) {
        EXPECT_TRUE(expected == actual) << what << " differs at " << FirstDifference(expected, actual);
    };
    // The paths of this run, as regenerate.sh writes them.
    const auto normal = [&](const QByteArray& bytes) {
        return Replaced(Replaced(bytes.toStdString(), PASSCAT_CLI_PATH, "{cli}"), dir.toStdString(), "{dir}");
    };
    same("status", ReadBytes(golden.filePath("status")), std::to_string(cli.exitCode()) + "\n");
    same("stdout", ReadBytes(golden.filePath("stdout")), normal(cli.readAllStandardOutput()));
    same("stderr", ReadBytes(golden.filePath("stderr")), normal(cli.readAllStandardError()));
    if (golden.exists("input"))
        same("the input after the run", ReadBytes(golden.filePath("input")), ReadBytes(input));
    if (golden.exists("report"))
        same("report", ReadBytes(golden.filePath("report")), ReadBytes(output));
    if (golden.exists("report.sha256")) // a report too large to keep: its SHA-256
        same("SHA-256 of the report", ReadBytes(golden.filePath("report.sha256")),
             QCryptographicHash::hash(QByteArray::fromStdString(ReadBytes(output)), QCryptographicHash::Sha256)
                     .toHex().toStdString() + "\n");
    if (golden.exists("report") || golden.exists("report.sha256"))
        expectedEntries << "rez.txt";
    const auto filter = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    const QStringList entries = QDir(dir).entryList(filter, QDir::Name);
    EXPECT_EQ(entries.join(' ').toStdString(), expectedEntries.join(' ').toStdString()) << "files in the folder";
}

INSTANTIATE_TEST_SUITE_P(Corpus, GoldenCase, ::testing::ValuesIn(passcat::testing::CaseNames(PASSCAT_GOLDEN_DIR)),
                         [](const auto& info) { return passcat::testing::CaseTestName(info.param); });

} // namespace
