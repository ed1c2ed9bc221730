#include "platform/qtdialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace kelvatron {

QString QtDialogs::qtFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString& pattern = parts[i + 1];
        QString patterns = QString(pattern).replace(QLatin1Char(';'), QLatin1Char(' '));
        out << (description.contains(QLatin1Char('(') + patterns + QLatin1Char(')'))
                    ? description
                    : description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return out.join(QStringLiteral(";;"));
}

std::optional<std::string> QtDialogs::run(const FileDialogRequest& request, bool save) {
    QFileDialog dialog(parent_);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Replacing a file asks nothing: the radiogram is written over as the user chose.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilter(qtFilter(request.filter));
    if (!request.defaultSuffix.empty()) dialog.setDefaultSuffix(QString::fromStdString(request.defaultSuffix));
    if (!request.initialPath.empty()) dialog.selectFile(QString::fromStdString(request.initialPath));
    dialog.setAccessibleName(save ? QStringLiteral("Сохранить как") : QStringLiteral("Открыть"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

std::optional<std::string> QtDialogs::openFileName(const FileDialogRequest& request) { return run(request, false); }

std::optional<std::string> QtDialogs::saveFileName(const FileDialogRequest& request) { return run(request, true); }

bool QtDialogs::confirm(const std::string& message) {
    return QMessageBox::question(parent_, QStringLiteral("Confirm"), QString::fromStdString(message),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

void QtDialogs::error(const std::string& message) {
    QMessageBox::critical(parent_, QStringLiteral("Kelvatron"), QString::fromStdString(message));
}

} // namespace kelvatron
