#include "cli/cli_options.h"

#include <gtest/gtest.h>

namespace passcat {
namespace {

CliCommand Parse(QStringList arguments, char localeSeparator = ',')
{
    arguments.prepend("passcat-cli");
    return ParseCliArguments(arguments, localeSeparator);
}

TEST(ParseCliArguments, DefaultsForAnInputAlone)
{
    for (const char localeSeparator : {'.', ','}) {
        const CliCommand command = Parse({"/trip/passes.txt"}, localeSeparator);
        EXPECT_EQ(command.action, CliCommand::Action::Run);
        EXPECT_EQ(command.settings.inputPath, "/trip/passes.txt");
        EXPECT_EQ(command.settings.resultPath, "/trip/rez.txt");
        EXPECT_EQ(command.settings.regionIndex, 5);
        EXPECT_FALSE(command.settings.interpolationByLength);
        EXPECT_EQ(command.options.decimalSeparator, localeSeparator);
        EXPECT_EQ(command.options.encoding, ReportEncoding::Auto);
    }
}

TEST(ParseCliArguments, EveryOptionInShortAndLongForm)
{
    const struct {
        QStringList arguments;
        QString resultPath;
        int region;
        bool byLength;
        char separator;
        ReportEncoding encoding;
    } cases[] = {
        {{"-o", "out.txt", "-r", "0", "-w", "length", "--decimal-separator", ".", "--encoding", "cp1251", "in.txt"},
         "out.txt", 0, true, '.', ReportEncoding::Cp1251},
        {{"in.txt", "--output", "o/r.txt", "--region", "3", "--weighting", "height", "--encoding", "utf-8"},
         "o/r.txt", 3, false, ',', ReportEncoding::Utf8},
        {{"--region=4", "--weighting=length", "--decimal-separator=,", "--encoding=auto", "in.txt"}, "rez.txt", 4,
         true, ',', ReportEncoding::Auto},
        {{"-r5", "in.txt"}, "rez.txt", 5, false, ',', ReportEncoding::Auto},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CliCommand command = Parse(c.arguments);
        ASSERT_EQ(command.action, CliCommand::Action::Run) << command.text.toStdString();
        EXPECT_EQ(command.settings.inputPath, "in.txt");
        EXPECT_EQ(command.settings.resultPath, c.resultPath);
        EXPECT_EQ(command.settings.regionIndex, c.region);
        EXPECT_EQ(command.settings.interpolationByLength, c.byLength);
        EXPECT_EQ(command.options.decimalSeparator, c.separator);
        EXPECT_EQ(command.options.encoding, c.encoding);
    }
}

TEST(ParseCliArguments, ActionsWithoutAnInput)
{
    EXPECT_EQ(Parse({"--list-regions"}).action, CliCommand::Action::ListRegions);

    const CliCommand version = Parse({"--version"});
    EXPECT_EQ(version.action, CliCommand::Action::ShowVersion);
    EXPECT_EQ(version.text, "passcat-cli 1.0.0");

    for (const char* help : {"-h", "--help"}) {
        const CliCommand command = Parse({help});
        EXPECT_EQ(command.action, CliCommand::Action::ShowHelp);
        for (const char* option : {"--output", "--region", "--weighting", "--decimal-separator", "--encoding",
                                   "--list-regions", "--help", "--version", "INPUT"})
            EXPECT_TRUE(command.text.contains(option)) << option;
    }
}

TEST(ParseCliArguments, BadArgumentsAreRejectedWithAMessage)
{
    const QStringList cases[] = {
        {},
        {"a.txt", "b.txt"},
        {"-r", "6", "in.txt"},
        {"-r", "-1", "in.txt"},
        {"-r", "x", "in.txt"},
        {"-r", "", "in.txt"},
        {"-r", "2.5", "in.txt"},
        {"-w", "slope", "in.txt"},
        {"-w", "Height", "in.txt"},
        {"--decimal-separator", ";", "in.txt"},
        {"--decimal-separator", "..", "in.txt"},
        {"--decimal-separator", "", "in.txt"},
        {"--encoding", "latin1", "in.txt"},
        {"--bogus", "in.txt"},
        {"in.txt", "-o"},
    };
    for (const QStringList& arguments : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const CliCommand command = Parse(arguments);
        EXPECT_EQ(command.action, CliCommand::Action::Reject);
        EXPECT_TRUE(command.text.startsWith("Ошибка: ")) << command.text.toStdString();
    }
}

} // namespace
} // namespace passcat
