#include <QCoreApplication>
#include <QStringList>

#include <iostream>

#include "cli/cli_runner.h"
#include "platform/decimal_separator.h"
#include "platform/native_path.h"

int main(int argc, char* argv[])
{
    // The arguments as the system gave them: a file name need not be UTF-8.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << passcat::PathFromNative(argv[i]);
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("passcat-cli"));
#ifdef _WIN32
    arguments = QCoreApplication::arguments();
#endif
    const passcat::CliCommand command = passcat::ParseCliArguments(arguments, passcat::SystemDecimalSeparator());
    return passcat::RunCliCommand(command, std::cout, std::cerr);
}
