#include <QApplication>

#include <gtest/gtest.h>

// Every test file of this folder joins one program with one main(). This one
// is weak, so a main() from another test file of the folder takes its place.
__attribute__((weak)) int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
