// Test entry point for the programs that test the controls and windows: the program's own
// application object exists, so an exception from a handler ends in its notify as it does in the
// program. A failure reported there fails the running test unless the test installed its own
// reporter; no message box ever waits for a click.
#include <cstdlib>
#include <gtest/gtest.h>

#include "widgets/application.h"

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    nerim::TApplication app(argc, argv);
    app.SetReporter([](nerim::TApplication::TReportKind, const QString& message) {
        ADD_FAILURE() << "unexpected failure reported by the application: " << message.toStdString();
    });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
