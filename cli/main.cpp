#include <QCoreApplication>

#include <iostream>

#include "cli/cli_runner.h"
#include "platform/decimal_separator.h"

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("passcat-cli"));
    const passcat::CliCommand command =
        passcat::ParseCliArguments(QCoreApplication::arguments(), passcat::SystemDecimalSeparator());
    return passcat::RunCliCommand(command, std::cout, std::cerr);
}
