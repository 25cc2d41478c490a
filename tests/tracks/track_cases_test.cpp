// Replays the track corpus (tests/data/tracks, see its README): passcat-cli runs on
// each case's track in a fresh folder; its status, standard output and error, the
// report and the profile it writes must match the recorded ones byte for byte, and
// that profile, evaluated as a profile file, must give the very same report.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/corpus_cases.h"

namespace {

using passcat::testing::ReadBytes;

struct Paths {
    QString dir, input, output, profile;
};

struct CliRun {
    int status = -1;
    std::string out, err;
};

CliRun RunCli(const std::string& args, const Paths& paths)
{
    QStringList arguments;
    for (const QString& line : QString::fromStdString(args).split('\n', Qt::SkipEmptyParts)) {
        arguments << QString(line)
                         .replace("{input}", paths.input)
                         .replace("{output}", paths.output)
                         .replace("{profile}", paths.profile);
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "C");
    QProcess cli;
    cli.setProcessEnvironment(environment);
    cli.setWorkingDirectory(paths.dir);
    cli.start(PASSCAT_CLI_PATH, arguments);
    if (!cli.waitForFinished(120'000) || cli.exitStatus() != QProcess::NormalExit)
        return {};
    // Paths as the recorded files write them.
    const auto normal = [&](const QByteArray& bytes) {
        return QString::fromUtf8(bytes).replace(paths.dir, "{dir}").toStdString();
    };
    return {cli.exitCode(), normal(cli.readAllStandardOutput()), normal(cli.readAllStandardError())};
}

class TrackCase : public ::testing::TestWithParam<std::string> {};

TEST_P(TrackCase, ReplaysByteForByte)
{
    const QDir recorded(QStringLiteral(PASSCAT_TRACK_CASES "/") + QString::fromStdString(GetParam()));
    const QStringList inputs = recorded.entryList({"input.*"}, QDir::Files);
    ASSERT_EQ(inputs.size(), 1) << "one input.* a case";
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const QString dir = scratch.path();
    const Paths paths{dir, dir + "/" + inputs.front(), dir + "/rez.txt", dir + "/profile.txt"};
    ASSERT_TRUE(QFile::copy(recorded.filePath(inputs.front()), paths.input));
    QFile::copy(recorded.filePath("previous"), paths.output);
    QFile::copy(recorded.filePath("previous-profile"), paths.profile);

    const std::string args = ReadBytes(recorded.filePath("args"));
    const CliRun run = RunCli(args, paths);
    const auto same = [](const char* what, const std::string& expected, const std::string& actual) {
        EXPECT_TRUE(expected == actual) << what << ": expected\n" << expected << "\ngot\n" << actual;
    };
    same("status", ReadBytes(recorded.filePath("status")), std::to_string(run.status) + "\n");
    same("stdout", ReadBytes(recorded.filePath("stdout")), run.out);
    same("stderr", ReadBytes(recorded.filePath("stderr")), run.err);
    same("the input after the run", ReadBytes(recorded.filePath(inputs.front())), ReadBytes(paths.input));
    // A file not expected is either the previous one, untouched, or none at all.
    const auto file = [&](const char* expected, const char* previous, const QString& path) {
        if (recorded.exists(expected))
            same(expected, ReadBytes(recorded.filePath(expected)), ReadBytes(path));
        else if (recorded.exists(previous))
            same(previous, ReadBytes(recorded.filePath(previous)), ReadBytes(path));
        else
            EXPECT_FALSE(QFile::exists(path)) << path.toStdString();
    };
    file("report", "previous", paths.output);
    file("profile", "previous-profile", paths.profile);

    if (recorded.exists("report") && recorded.exists("profile")) {
        // Track options mean nothing for a profile file.
        const Paths again{dir, paths.profile, dir + "/again.txt", paths.profile};
        RunCli(args, again);
        same("the report of the written profile", ReadBytes(paths.output), ReadBytes(again.output));
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, TrackCase, ::testing::ValuesIn(passcat::testing::CaseNames(PASSCAT_TRACK_CASES)),
                         [](const auto& info) { return passcat::testing::CaseTestName(info.param); });

} // namespace
