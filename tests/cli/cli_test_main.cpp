#include <QCoreApplication>

#include <gtest/gtest.h>

// QProcess, which the end-to-end tests start passcat-cli with, needs an application object.
int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
