#include <gtest/gtest.h>

#include <QApplication>

// Widgets need a QApplication. The tests draw offscreen: no display is needed and no window
// appears on a developer's desktop.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
