#include "widgets/toolkit_language.h"

#include <memory>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace nerim {
namespace {

std::unique_ptr<QTranslator>& Installed() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

}  // namespace

bool SetToolkitLanguage(const QString& Code) {
    std::unique_ptr<QTranslator>& installed = Installed();
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    const QString code = Code.trimmed();
    if (code.isEmpty() || code.startsWith(QLatin1String("en"))) return false;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QLocale(code), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    if (!QCoreApplication::installTranslator(translator.get())) return false;
    installed = std::move(translator);
    return true;
}

}  // namespace nerim
