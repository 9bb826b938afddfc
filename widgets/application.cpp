#include "widgets/application.h"

#include <cstdio>
#include <exception>

#include <QMessageBox>

#include "support/exception.h"

namespace nerim {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

TApplication* TApplication::Instance() { return qobject_cast<TApplication*>(QCoreApplication::instance()); }

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const Exception& e) {
        ReportException(rkWarning, QString::fromUtf8(e.what()));
    } catch (const std::exception& e) {
        ReportException(rkError, QString::fromUtf8(e.what()));
    } catch (...) {
        ReportException(rkError, QStringLiteral("Error desconocido"));
    }
    return false;
}

void TApplication::ReportException(TReportKind Kind, const QString& Message) {
    // Messages from the strings file break lines with CR LF; the box shows "\n".
    QString text = Message;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (reporting_) {
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
        return;
    }
    reporting_ = true;
    try {
        if (reporter_)
            reporter_(Kind, text);
        else
            ShowMessageBox(Kind, text);
    } catch (const std::exception& e) {
        // The report itself failed: nothing is left to show it, so the error stream gets both.
        std::fprintf(stderr, "%s\n%s\n", text.toUtf8().constData(), e.what());
    } catch (...) {
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    }
    reporting_ = false;
}

void TApplication::ShowMessageBox(TReportKind Kind, const QString& Message) {
    const QString title = applicationDisplayName();
    if (Kind == rkWarning)
        QMessageBox::warning(activeWindow(), title, Message);
    else
        QMessageBox::critical(activeWindow(), title, Message);
}

}  // namespace nerim
