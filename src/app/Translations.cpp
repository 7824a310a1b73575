#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace {

// Built from translations/*.ts into the resources.
const QString OWN_FOLDER = QStringLiteral(":/i18n");

std::unique_ptr<QTranslator> loaded(const QLocale& locale, const QString& name, const QString& folder) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(locale, name, QStringLiteral("_"), folder))
        return nullptr;
    return translator;
}

} // namespace

bool Translations::install(QCoreApplication& application, const QLocale& locale) {
    // The source texts are English; Qt's English file would only repeat them.
    if (locale.language() == QLocale::English || locale.language() == QLocale::C)
        return false;
    std::unique_ptr<QTranslator> own = loaded(locale, QStringLiteral("verdalune"), OWN_FOLDER);
    if (!own)
        return false;
    // Qt's file is missing where its translations are not installed: then only its own texts stay English.
    if (std::unique_ptr<QTranslator> qt =
            loaded(locale, QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        qt->setParent(&application);
        QCoreApplication::installTranslator(qt.release());
    }
    own->setParent(&application);
    QCoreApplication::installTranslator(own.release());
    return true;
}
