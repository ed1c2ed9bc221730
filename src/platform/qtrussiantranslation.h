#pragma once

class QCoreApplication;
class QTranslator;

namespace kelvatron {

// Makes Qt's own texts speak the program's Russian: the file dialog ("Папка", "Отмена"), the
// standard buttons of the message boxes ("Да", "Нет"), the context menus of text fields. Qt keeps
// them in qtbase_ru.qm among its translations (Debian's qt6-translations-l10n). Returns the
// translator, owned by app, or null where the translations are not installed: those texts then
// stay in English and everything else works as before.
QTranslator* installQtRussianTranslation(QCoreApplication& app);

} // namespace kelvatron
