// The window tests need one QApplication for the whole run: list this file
// among the sources of a window test (it replaces gtest's own main).

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
