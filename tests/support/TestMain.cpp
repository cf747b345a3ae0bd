// The main function of every test program: the same environment whatever the
// developer's shell holds, and for the view tests a QApplication on Qt's
// offscreen platform. Views take their settings store from the process-wide
// default, an in-memory store unless a test installs another, so no test
// reads or writes the user's settings.

#include <gtest/gtest.h>

#include <cstdlib>

#ifdef OSTREL_TEST_QAPPLICATION
#include <QApplication>
#endif

int main(int argc, char** argv) {
    ::setenv("LC_ALL", "C.UTF-8", 1);
    ::unsetenv("LANGUAGE");
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
#ifdef OSTREL_TEST_QAPPLICATION
    QApplication application(argc, argv);
#endif
    return RUN_ALL_TESTS();
}
