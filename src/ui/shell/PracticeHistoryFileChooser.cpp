// SPDX-License-Identifier: MIT
#include "ui/shell/PracticeHistoryFileChooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace brevanta {

namespace {

// Where the previous choice came from while it exists, else the documents folder when there is
// one, else home: a folder that is not there leaves its name in the dialog's file name box, to be
// opened as a file.
QString startFolder(const QString& lastFolder) {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    for (const QString& folder : {lastFolder, documents})
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    return QDir::homePath();
}

} // namespace

QStringList PracticeHistoryFileChooser::csvFilesOnly(const QStringList& filePaths) {
    QStringList result;
    for (const QString& path : filePaths) {
        if (QFileInfo(path).suffix().compare(u"csv", Qt::CaseInsensitive) == 0)
            result.append(path);
    }
    return result;
}

void DialogPracticeHistoryFileChooser::chooseFiles(QWidget* window, Completion done) {
    auto* dialog = new QFileDialog(window, QStringLiteral("Import Practice History"),
                                   startFolder(*m_lastFolder),
                                   QStringLiteral("Practice history (*.csv *.CSV)"));
    dialog->setObjectName(QStringLiteral("practice-history-file-chooser"));
    dialog->setFileMode(QFileDialog::ExistingFiles);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QDialog::finished, dialog,
                     [dialog, done, lastFolder = m_lastFolder](int result) {
                         const QStringList chosen =
                             result == QDialog::Accepted ? dialog->selectedFiles() : QStringList();
                         if (!chosen.isEmpty())
                             *lastFolder = QFileInfo(chosen.first()).absolutePath();
                         done(chosen);
                     });
    dialog->open();
}

} // namespace brevanta
