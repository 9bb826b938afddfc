#pragma once

#include <utility>
#include <vector>

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "widgets/application.h"

namespace nerim {

// Records what the application reports while it lives; afterwards a report fails the test again.
class RecordReports {
public:
    RecordReports() {
        TApplication::Instance()->SetReporter(
            [this](TApplication::TReportKind kind, const QString& message) { reports.emplace_back(kind, message); });
    }
    ~RecordReports() {
        TApplication::Instance()->SetReporter([](TApplication::TReportKind, const QString& message) {
            ADD_FAILURE() << "unexpected failure reported: " << message.toStdString();
        });
    }
    std::vector<std::pair<TApplication::TReportKind, QString>> reports;
};

// Shows a window and waits until it has the keyboard focus, so that focus changes are real.
inline void ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

}  // namespace nerim
