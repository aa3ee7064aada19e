#include "shell/file_dialogs.h"

#include <QFileDialog>

namespace klv::shell {

namespace {

QString RunDialog(QFileDialog& dialog) {
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.front();
}

}  // namespace

QString QtFileDialogs::GetSaveFileName(QWidget* parent, const QString& folder, const QString& filter,
                                       const QString& defaultSuffix) {
    QFileDialog dialog(parent, QString(), folder, filter);
    dialog.setObjectName(QStringLiteral("SaveDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    return RunDialog(dialog);
}

QString QtFileDialogs::GetOpenFileName(QWidget* parent, const QString& folder, const QString& filter) {
    QFileDialog dialog(parent, QString(), folder, filter);
    dialog.setObjectName(QStringLiteral("OpenDlg1"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    return RunDialog(dialog);
}

}  // namespace klv::shell
