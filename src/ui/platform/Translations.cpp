#include "ui/platform/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace qm::ui {

namespace {

// Where the build puts the program's own catalogues (qt_add_translations).
const char* const OwnCatalogueFolder = ":/i18n";

bool install(QCoreApplication& app, const QLocale& locale, const QString& name, const QString& folder)
{
    auto* translator = new QTranslator(&app);
    if (!translator->load(locale, name, QStringLiteral("_"), folder)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

} // namespace

QStringList installTranslations(QCoreApplication& app, const QLocale& locale)
{
    QStringList installed;
    // The program's texts are written in English. A user who puts English
    // first gets them as they are, even when a later language has a catalogue.
    const QStringList languages = locale.uiLanguages();
    const QLocale::Language first = languages.isEmpty() ? QLocale::C : QLocale(languages.first()).language();
    if (first == QLocale::English || first == QLocale::C)
        return installed;
    if (install(app, locale, QStringLiteral("quillmate"), QString::fromLatin1(OwnCatalogueFolder)))
        installed << QStringLiteral("quillmate");
    if (install(app, locale, QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installed << QStringLiteral("qtbase");
    return installed;
}

QString messageTitle() { return QStringLiteral("Quillmate"); }

} // namespace qm::ui
