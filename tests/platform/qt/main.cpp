#include <gtest/gtest.h>

#include "platform/qt/qt_application.h"

// The adapters need a live application object; the tests run offscreen.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::qt::qt_application app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
