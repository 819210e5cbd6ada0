// SPDX-License-Identifier: MIT
#pragma once

#include "core/time/Calendar.h"
#include "core/time/Clock.h"

#include <QDialog>
#include <QSet>
#include <QStringList>

#include <functional>
#include <memory>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QSpinBox;
class QStackedWidget;
class QVBoxLayout;

namespace brevanta {

class AppButton;
class AppFittedScrollArea;
class AppLabel;
class AppSurface;
class JournalStore;
class PracticeImportCandidateList;
class PracticeImportCandidateModel;
class PracticeImportSummaryTiles;
class PracticeImportViewModel;

/// The import sheet: reads the chosen practice sheets in the background, shows every day for
/// review with the summary, the year for files named without one, the files that could not be
/// read, how conflicts with the journal are treated and whether notes without time count; then
/// imports in one save (after a backup of the journal) and turns to a completion page with a
/// way to the journal.
///
/// A window-modal dialog the window opens with open(). "Cancel" and Escape close it without
/// saving; the window's own close is refused while there are days to review and nothing has been
/// imported. Return imports when it can, and on the completion page goes to the journal.
class PracticeImportView : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PracticeImportView)

public:
    /// Reads `filePaths` into a review against `store`, in `calendar`; `clock` names the backup
    /// and gives the default year. `onViewJournal` runs after "View in Journal" closed the sheet.
    PracticeImportView(const QStringList& filePaths, JournalStore& store, Calendar calendar,
                       Clock clock, std::function<void()> onViewJournal, QWidget* parent = nullptr);
    ~PracticeImportView() override;

    PracticeImportViewModel& viewModel() const { return *m_model; }
    PracticeImportCandidateList* candidateList() const { return m_list; }
    PracticeImportSummaryTiles* summary() const { return m_summary; }

    /// Per-file cards go into one column right after the year card, in the order added; the
    /// column shows once it holds a card. The sheet takes ownership.
    void addFileCard(QWidget* card);
    QVBoxLayout* fileCardsLayout() const { return m_fileCardsLayout; }

    /// "Import N Sessions". Returns whether anything was imported.
    bool confirmImport();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* buildLoadingPage();
    QWidget* buildReviewPage();
    QWidget* buildYearCard();
    QWidget* buildInvalidFilesGroup();
    QWidget* buildConflictOptions();
    QWidget* buildBottomBar();
    QWidget* buildCompletionPage();
    void applySpacing();
    void scheduleRefresh();
    void refresh();
    void refreshInvalidFiles();
    /// A card for each file a spreadsheet re-saved, added the first time the file reads so.
    void addSpreadsheetFormatCards();
    bool refusesDismissal() const;

    std::unique_ptr<PracticeImportViewModel> m_model;
    std::function<void()> m_onViewJournal;
    qsizetype m_fileCount = 0;
    bool m_refreshPending = false;
    bool m_invalidFilesStale = true;
    QSet<qsizetype> m_filesWithCards;

    QStackedWidget* m_pages = nullptr;
    QWidget* m_loading = nullptr;
    QWidget* m_review = nullptr;
    QWidget* m_completion = nullptr;
    AppButton* m_cancel = nullptr;
    PracticeImportSummaryTiles* m_summary = nullptr;
    AppSurface* m_yearCard = nullptr;
    QSpinBox* m_yearStepper = nullptr;
    AppButton* m_applyYear = nullptr;
    AppFittedScrollArea* m_fileCards = nullptr;
    QVBoxLayout* m_fileCardsLayout = nullptr;
    QWidget* m_invalidFiles = nullptr;
    QAbstractButton* m_invalidFilesToggle = nullptr;
    QWidget* m_invalidFileLines = nullptr;
    QButtonGroup* m_policies = nullptr;
    PracticeImportCandidateModel* m_candidates = nullptr;
    PracticeImportCandidateList* m_list = nullptr;
    AppLabel* m_error = nullptr;
    QCheckBox* m_includeNotes = nullptr;
    AppButton* m_confirm = nullptr;
    AppButton* m_viewJournal = nullptr;
};

} // namespace brevanta
