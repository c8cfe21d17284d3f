#include "ui/shell/app_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool ParseLanguage(const QString& code, AppLanguage* language)
{
    if (code == QLatin1String("es"))
        *language = AppLanguage::Spanish;
    else if (code == QLatin1String("en"))
        *language = AppLanguage::English;
    else
        return false;
    return true;
}

AppLanguage SystemLanguage()
{
    // The first language the user asked messages in decides; "C" and
    // "POSIX" are no language at all and leave the program's own.
    const QStringList languages = QLocale::system().uiLanguages();
    if (!languages.isEmpty() && QLocale(languages.first()).language() == QLocale::English)
        return AppLanguage::English;
    return AppLanguage::Spanish;
}

bool InstallLanguage(AppLanguage language)
{
    // Owned by the application, so they last as long as the texts they give.
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (language == AppLanguage::English)
    {
        if (!translator->load(QStringLiteral(":/i18n/zelmora_en.qm")))
        {
            delete translator;
            return false;
        }
    }
    else if (!translator->load(QStringLiteral("qtbase_es"),
                               QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    {
        delete translator;
        return true;
    }
    return QCoreApplication::installTranslator(translator);
}
