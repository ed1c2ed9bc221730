#include "platform/qtrussiantranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace kelvatron {

QTranslator* installQtRussianTranslation(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    // The program is Russian whatever the desktop's language, so the locale is not consulted.
    if (!translator->load(QStringLiteral("qtbase_ru"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

} // namespace kelvatron
