#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

// The windows need an application object; tests run offscreen.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
