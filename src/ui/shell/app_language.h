#pragma once
// The language of the window: Spanish, the program's own, or English through
// the translation built into the program. Chosen once at start-up, on the GUI
// thread, before the first window is made.

#include <QString>

enum class AppLanguage
{
    Spanish,
    English,
};

// "es" or "en"; false for anything else.
bool ParseLanguage(const QString& code, AppLanguage* language);

// English when the system's message language (LANGUAGE, LC_ALL, LC_MESSAGES,
// LANG, as QLocale::system() reads them) is English, else Spanish.
AppLanguage SystemLanguage();

// Installs the translators for `language` into the running application: ours
// for English; for Spanish, Qt's own texts (its standard dialogs' buttons)
// when the system has them. False when ours cannot be loaded.
bool InstallLanguage(AppLanguage language);
