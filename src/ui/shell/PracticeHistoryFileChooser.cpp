// SPDX-License-Identifier: MIT
#include "ui/shell/PracticeHistoryFileChooser.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace brevanta {

QStringList PracticeHistoryFileChooser::csvFilesOnly(const QStringList& filePaths) {
    QStringList result;
    for (const QString& path : filePaths) {
        if (QFileInfo(path).suffix().compare(u"csv", Qt::CaseInsensitive) == 0)
            result.append(path);
    }
    return result;
}

void DialogPracticeHistoryFileChooser::chooseFiles(QWidget* window, Completion done) {
    auto* dialog =
        new QFileDialog(window, QStringLiteral("Import Practice History"),
                        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                        QStringLiteral("Practice history (*.csv *.CSV)"));
    dialog->setObjectName(QStringLiteral("practice-history-file-chooser"));
    dialog->setFileMode(QFileDialog::ExistingFiles);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QDialog::finished, dialog, [dialog, done](int result) {
        done(result == QDialog::Accepted ? dialog->selectedFiles() : QStringList());
    });
    dialog->open();
}

} // namespace brevanta
