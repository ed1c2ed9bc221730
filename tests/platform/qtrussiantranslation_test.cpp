#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

#include "platform/qtrussiantranslation.h"

using namespace kelvatron;

namespace {

QString plain(QString text) {
    return text.remove(QLatin1Char('&'));
}

} // namespace

// The export's Yes/No question and the radiograms' file dialog are Qt's own: with Qt's Russian
// translations installed they read in Russian like the rest of the window.
TEST(QtRussianTranslation, DialogsOfQtSpeakRussian) {
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(dir + QStringLiteral("/qtbase_ru.qm")))
        GTEST_SKIP() << "Qt's Russian translations are not installed in " << dir.toStdString()
                     << " (Debian package qt6-translations-l10n): the dialogs stay in English";
    QTranslator* translator = installQtRussianTranslation(*qApp);
    ASSERT_NE(translator, nullptr);

    QMessageBox question(QMessageBox::Question, QStringLiteral("Kelvatron"), QStringLiteral("?"),
                         QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(plain(question.button(QMessageBox::Yes)->text()), QStringLiteral("Да"));
    EXPECT_EQ(plain(question.button(QMessageBox::No)->text()), QStringLiteral("Нет"));

    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    auto* buttons = files.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(plain(buttons->button(QDialogButtonBox::Cancel)->text()), QStringLiteral("Отмена"));
    auto* lookIn = files.findChild<QLabel*>(QStringLiteral("lookInLabel"));
    ASSERT_NE(lookIn, nullptr);
    EXPECT_NE(lookIn->text(), QStringLiteral("Look in:"));

    QCoreApplication::removeTranslator(translator);
    delete translator;
}
