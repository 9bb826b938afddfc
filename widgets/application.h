#pragma once

#include <functional>

#include <QApplication>
#include <QString>

namespace nerim {

// The program's application object. Its notify is the one place where an exception thrown from
// an event handler, a slot or a timer ends: the message is reported and the event loop goes on,
// with the program in the state the failed step left.
//
// Failures of the program (nerim::Exception) are reported as warnings, anything else derived from
// std::exception as an error. By default the report is a message box whose text is the message
// and whose title is the application's display name; the reporter can be replaced so that tests
// and unattended runs record the messages instead of waiting for a click.
class TApplication : public QApplication {
    Q_OBJECT

public:
    enum TReportKind { rkWarning, rkError };
    Q_ENUM(TReportKind)

    using TReporter = std::function<void(TReportKind Kind, const QString& Message)>;

    TApplication(int& argc, char** argv);

    // The application object, or null when the QApplication is of another class.
    static TApplication* Instance();

    bool notify(QObject* receiver, QEvent* event) override;

    // Null restores the message box.
    void SetReporter(TReporter Reporter) { reporter_ = std::move(Reporter); }

    // Reports a failure as notify does. A failure raised while an earlier report is still being
    // shown (a repaint behind the message box that throws again) is written to the error stream
    // instead of stacking message boxes.
    void ReportException(TReportKind Kind, const QString& Message);

private:
    void ShowMessageBox(TReportKind Kind, const QString& Message);

    TReporter reporter_;
    bool reporting_ = false;
};

}  // namespace nerim
