#include <QGuiApplication>

#include <gtest/gtest.h>

#include "chart/chart_font.h"

// Painting needs a QGuiApplication; the tests run on the offscreen platform.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // listing the tests too
    QGuiApplication application(argc, argv);
    if (!passcat::LoadChartFont())
        return 1;
    return RUN_ALL_TESTS();
}
