// SPDX-License-Identifier: MIT
#include "ui/import/PracticeImportView.h"

#include "core/import/PracticeImportViewModel.h"
#include "core/time/PracticeDurationFormatter.h"
#include "ui/design/AppAccessibility.h"
#include "ui/design/AppButton.h"
#include "ui/design/AppColors.h"
#include "ui/design/AppFittedScrollArea.h"
#include "ui/design/AppLabel.h"
#include "ui/design/AppScreenHeader.h"
#include "ui/design/AppSegmentedPicker.h"
#include "ui/design/AppSheet.h"
#include "ui/design/AppSurface.h"
#include "ui/design/AppSymbolView.h"
#include "ui/design/AppTypography.h"
#include "ui/design/ContinuousRoundedRect.h"
#include "ui/design/DisclosureTriangle.h"
#include "ui/editing/FocusOrder.h"
#include "ui/import/PracticeImportCandidateList.h"
#include "ui/import/PracticeImportCandidateModel.h"
#include "ui/import/PracticeImportSummaryTiles.h"
#include "ui/import/SpreadsheetFormatCard.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QSpinBox>
#include <QStackedWidget>

namespace brevanta {

namespace {

constexpr int pagePadding = 24;
constexpr int sectionSpacing = 20;
constexpr int compactHeight = 660;
constexpr int compactPadding = 18;
constexpr int compactSpacing = 12;
constexpr QSize smallestSize(720, 600);
constexpr QSize idealSize(780, 700);
constexpr int firstYear = 1900;
constexpr int lastYear = 2100;
// However many sheets need a card, at least this much of their stack stays in view.
constexpr int fileCardsMinimumHeight = 150;

QVBoxLayout* column(QWidget* widget, int margin, int spacing) {
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(spacing);
    return layout;
}

/// A caption with a triangle that opens and closes the group beneath it, in one colour of the
/// vocabulary. Checked means open.
class DisclosureButton final : public QAbstractButton {
public:
    DisclosureButton(const QFont& font, const AppColor& color, QWidget* parent = nullptr)
        : QAbstractButton(parent)
        , m_color(color) {
        setFont(font);
        setCheckable(true);
        setFocusPolicy(Qt::TabFocus);
        setCursor(Qt::PointingHandCursor);
        AppAccessibility::exposeAsDisclosure(this);
    }

    QSize sizeHint() const override {
        const QFontMetrics metrics(font());
        return {metrics.height() + metrics.horizontalAdvance(text()) + 4, metrics.height() + 6};
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor color = m_color.resolve(this);
        const QFontMetrics metrics(font());
        const qreal size = metrics.height() * 0.42;
        const QPointF centre(size + 1, height() / 2.0);
        painter.fillPath(disclosureTriangle(centre, size, isChecked()), color);
        painter.setPen(color);
        painter.drawText(rect().adjusted(metrics.height(), 0, 0, 0),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text());
        if (hasFocus()) {
            painter.setPen(QPen(AppColors::accent().withOpacity(0.7).resolve(this), 1.5));
            painter.setBrush(Qt::NoBrush);
            painter.drawPath(continuousRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 5));
        }
    }

private:
    AppColor m_color;
};

AppButton* button(const QString& title, AppButtonRole role, const QString& objectName) {
    auto* button = new AppButton(title, role);
    button->setObjectName(objectName);
    // Keyboard reach without taking focus from a click, which would swallow the next key.
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

QString plain(std::int64_t number) {
    return QString::number(number);
}

} // namespace

PracticeImportView::PracticeImportView(const QStringList& filePaths, JournalStore& store,
                                       Calendar calendar, Clock clock,
                                       std::function<void()> onViewJournal, QWidget* parent)
    : QDialog(parent)
    , m_model(
          std::make_unique<PracticeImportViewModel>(store, std::move(calendar), std::move(clock)))
    , m_onViewJournal(std::move(onViewJournal))
    , m_fileCount(filePaths.size()) {
    setObjectName(QStringLiteral("practice-import"));
    setWindowTitle(QStringLiteral("Import Practice History"));
    setWindowModality(Qt::WindowModal);
    setMinimumSize(smallestSize);
    resize(idealSize);

    m_pages = new QStackedWidget;
    m_loading = buildLoadingPage();
    m_review = buildReviewPage();
    m_pages->addWidget(m_loading);
    m_pages->addWidget(m_review);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pages);

    PracticeImportViewModel* model = m_model.get();
    for (const auto signal :
         {&PracticeImportViewModel::candidatesChanged, &PracticeImportViewModel::isLoadingChanged,
          &PracticeImportViewModel::conflictPolicyChanged,
          &PracticeImportViewModel::includeNotesWithoutDurationChanged,
          &PracticeImportViewModel::defaultYearChanged,
          &PracticeImportViewModel::errorMessageChanged, &PracticeImportViewModel::resultChanged})
        connect(model, signal, this, &PracticeImportView::scheduleRefresh);
    connect(model, &PracticeImportViewModel::fileResultsChanged, this, [this] {
        m_invalidFilesStale = true;
        addSpreadsheetFormatCards();
        scheduleRefresh();
    });

    // Tab goes down the page as it reads, whatever order the toolkit chained its parts in.
    FocusOrder::arrange(m_review);
    m_model->load(filePaths);
    refresh();
}

PracticeImportView::~PracticeImportView() = default;

QWidget* PracticeImportView::buildLoadingPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("import-loading"));
    QVBoxLayout* layout = column(page, pagePadding, 14);
    layout->addStretch(1);
    auto* words = new AppLabel(m_fileCount == 1
                                   ? QStringLiteral("Reading your practice sheet…")
                                   : QStringLiteral("Reading %1 practice sheets…").arg(m_fileCount),
                               AppTypography::sectionTitle());
    words->setAlignment(Qt::AlignCenter);
    AppAccessibility::exposeAsHeading(words);
    layout->addWidget(words);
    auto* progress = new QProgressBar;
    progress->setRange(0, 0);
    progress->setTextVisible(false);
    progress->setMaximumWidth(240);
    progress->setAccessibleName(QStringLiteral("Reading practice history files"));
    layout->addWidget(progress, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    return page;
}

QWidget* PracticeImportView::buildReviewPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("import-review"));
    QVBoxLayout* layout = column(page, pagePadding, sectionSpacing);

    auto* header = new AppScreenHeader(
        QStringLiteral("Import Practice History"),
        QStringLiteral("Review your journal migration before anything is saved."));
    m_cancel =
        button(QStringLiteral("Cancel"), AppButtonRole::secondary, QStringLiteral("import-cancel"));
    connect(m_cancel, &QAbstractButton::clicked, this, &QDialog::reject);
    header->addActionWidget(m_cancel);
    layout->addWidget(header);

    m_summary = new PracticeImportSummaryTiles;
    m_summary->setObjectName(QStringLiteral("import-summary"));
    layout->addWidget(m_summary);

    layout->addWidget(buildYearCard());

    // Cards about single files stand here, right after the year card: each is one file's own
    // story (what it holds, what could be done about it), read before the days themselves.
    // Several re-saved sheets make a tall stack: it scrolls inside rather than squeezing the cards
    // until their lines overlap, and always leaves the day list its room.
    auto* cards = new QWidget;
    m_fileCardsLayout = column(cards, 0, 12);
    m_fileCards = new AppFittedScrollArea(cards, fileCardsMinimumHeight);
    m_fileCards->setObjectName(QStringLiteral("import-file-cards"));
    m_fileCards->hide();
    layout->addWidget(m_fileCards);

    layout->addWidget(buildInvalidFilesGroup());
    layout->addWidget(buildConflictOptions());

    m_candidates = new PracticeImportCandidateModel(*m_model, this);
    m_list = new PracticeImportCandidateList;
    m_list->setObjectName(QStringLiteral("import-candidates"));
    m_list->setModel(m_candidates);
    m_list->setMinimumHeight(120);
    // The list's own sides line up with the cards above; its rows carry their margins.
    layout->addWidget(m_list, 1);

    m_error = new AppLabel(QString(), AppTypography::body(), AppColors::warning());
    m_error->setObjectName(QStringLiteral("import-error"));
    m_error->setWordWrap(true);
    m_error->hide();
    layout->addWidget(m_error);

    layout->addWidget(buildBottomBar());
    return page;
}

QWidget* PracticeImportView::buildYearCard() {
    m_yearCard = new AppSurface(AppSurfaceRole::standard, 14);
    m_yearCard->setObjectName(QStringLiteral("import-year-card"));
    auto* row = new QHBoxLayout(m_yearCard);
    row->setContentsMargins(14, 14, 14, 14);
    row->setSpacing(10);
    const QFont body = AppTypography::body();
    row->addWidget(new AppSymbolView(QStringLiteral("calendar.badge.exclamationmark"),
                                     QFontInfo(AppTypography::title2Style()).pixelSize(),
                                     AppColors::warning()));
    auto* caption = new AppLabel(QStringLiteral("A filename has no year."), body);
    AppAccessibility::exposeAsHeading(caption);
    row->addWidget(caption, 1);
    m_yearStepper = new QSpinBox;
    m_yearStepper->setObjectName(QStringLiteral("import-year-stepper"));
    m_yearStepper->setRange(firstYear, lastYear);
    m_yearStepper->setSingleStep(1);
    m_yearStepper->setGroupSeparatorShown(false);
    m_yearStepper->setPrefix(QStringLiteral("Year "));
    m_yearStepper->setAccessibleName(QStringLiteral("Year"));
    m_yearStepper->setValue(m_model->defaultYear());
    connect(m_yearStepper, &QSpinBox::valueChanged, m_model.get(),
            &PracticeImportViewModel::setDefaultYear);
    row->addWidget(m_yearStepper);
    m_applyYear = button(QStringLiteral("Apply"), AppButtonRole::secondary,
                         QStringLiteral("import-apply-year"));
    connect(m_applyYear, &QAbstractButton::clicked, m_model.get(),
            &PracticeImportViewModel::applyYear);
    row->addWidget(m_applyYear);
    m_yearCard->hide();
    return m_yearCard;
}

QWidget* PracticeImportView::buildInvalidFilesGroup() {
    m_invalidFiles = new QWidget;
    m_invalidFiles->setObjectName(QStringLiteral("import-invalid-files"));
    QVBoxLayout* layout = column(m_invalidFiles, 0, 6);
    auto* toggle = new DisclosureButton(AppTypography::cardTitle(), AppColors::warning());
    toggle->setObjectName(QStringLiteral("import-invalid-files-toggle"));
    m_invalidFilesToggle = toggle;
    layout->addWidget(toggle, 0, Qt::AlignLeft);
    m_invalidFileLines = new QWidget;
    m_invalidFileLines->setObjectName(QStringLiteral("import-invalid-file-lines"));
    column(m_invalidFileLines, 0, 4)->setContentsMargins(18, 0, 0, 0);
    m_invalidFileLines->hide();
    connect(toggle, &QAbstractButton::toggled, m_invalidFileLines, &QWidget::setVisible);
    layout->addWidget(m_invalidFileLines);
    m_invalidFiles->hide();
    return m_invalidFiles;
}

QWidget* PracticeImportView::buildConflictOptions() {
    auto* section = new QWidget;
    QVBoxLayout* layout = column(section, 0, 8);
    auto* caption =
        new AppLabel(QStringLiteral("Existing journal entries"), AppTypography::cardTitle());
    AppAccessibility::exposeAsHeading(caption);
    layout->addWidget(caption);

    auto* track = new AppPickerTrack;
    track->setObjectName(QStringLiteral("import-conflict-choice"));
    track->setAccessibleName(QStringLiteral("Conflict choices"));
    track->setAccessibleDescription(QStringLiteral("Conflict choice"));
    auto* segments = new QHBoxLayout(track);
    segments->setContentsMargins(2, 2, 2, 2);
    segments->setSpacing(0);
    m_policies = new QButtonGroup(track);
    m_policies->setExclusive(true);
    for (const PracticeImportConflictPolicy policy : PracticeImportConflictPolicy::allCases()) {
        auto* segment = new AppPickerSegment(policy.title());
        segment->setObjectName(QStringLiteral("import-policy-") + policy.rawValue());
        m_policies->addButton(segment, int(policy.value()));
        segments->addWidget(segment);
    }
    m_policies->button(int(m_model->conflictPolicy().value()))->setChecked(true);
    connect(m_policies, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            m_model->setConflictPolicy(PracticeImportConflictPolicy::allCases()[std::size_t(id)]);
    });
    layout->addWidget(track);
    return section;
}

QWidget* PracticeImportView::buildBottomBar() {
    auto* bar = new QWidget;
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(16);
    const QString notesTitle = QStringLiteral("Include notes recorded without duration");
    m_includeNotes = new QCheckBox(notesTitle);
    m_includeNotes->setObjectName(QStringLiteral("import-include-notes"));
    m_includeNotes->setAccessibleName(notesTitle);
    m_includeNotes->setFocusPolicy(Qt::TabFocus);
    m_includeNotes->setFont(AppTypography::body());
    connect(m_includeNotes, &QCheckBox::toggled, m_model.get(),
            &PracticeImportViewModel::setIncludeNotesWithoutDuration);
    row->addWidget(m_includeNotes, 0, Qt::AlignVCenter);
    row->addStretch(1);
    m_confirm = button(QString(), AppButtonRole::primary, QStringLiteral("import-confirm"));
    m_confirm->setAccessibleName(QStringLiteral("Confirm practice history import"));
    m_confirm->setDefault(true);
    connect(m_confirm, &QAbstractButton::clicked, this, [this] { confirmImport(); });
    row->addWidget(m_confirm, 0, Qt::AlignVCenter);
    return bar;
}

QWidget* PracticeImportView::buildCompletionPage() {
    const PracticeImportSummary& result = *m_model->result();
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("import-completion"));
    page->setAccessibleName(QStringLiteral("Import complete. Imported ") +
                            plain(result.importedCount) + QStringLiteral(" practice sessions."));
    QVBoxLayout* layout = column(page, pagePadding, sectionSpacing);
    layout->addStretch(1);
    // Texts span the page and centre their lines, so that a long one wraps instead of being cut.
    const auto centred = [layout](QWidget* widget, const QString& objectName) {
        widget->setObjectName(objectName);
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            label->setWordWrap(true);
            layout->addWidget(label);
        } else {
            layout->addWidget(widget, 0, Qt::AlignHCenter);
        }
    };
    // A 48-point symbol: the icon table sizes symbols by the text they stand beside.
    centred(new AppSymbolView(QStringLiteral("checkmark.circle.fill"), 40, AppColors::success()),
            QStringLiteral("import-completion-icon"));
    auto* title = new AppLabel(QStringLiteral("Imported ") + plain(result.importedCount) +
                                   QStringLiteral(" practice sessions"),
                               AppTypography::screenTitle());
    AppAccessibility::exposeAsHeading(title);
    centred(title, QStringLiteral("import-completion-title"));
    centred(new AppLabel(PracticeDurationFormatter::compact(result.importedSeconds) +
                             QStringLiteral(" · ") +
                             PracticeImportViewModel::dateRange(result.dates, m_model->calendar()),
                         AppTypography::body(), AppColors::secondaryText()),
            QStringLiteral("import-completion-time"));
    auto* counts = new QWidget;
    QVBoxLayout* countsLayout = column(counts, 0, 4);
    const std::pair<QString, QString> countLines[] = {
        {QStringLiteral("Duplicates skipped: ") + plain(result.duplicatesSkipped),
         QStringLiteral("import-duplicates-skipped")},
        {QStringLiteral("Rows skipped: ") + plain(result.rowsSkipped),
         QStringLiteral("import-rows-skipped")},
    };
    for (const auto& [text, name] : countLines) {
        auto* line = new AppLabel(text, AppTypography::caption());
        line->setObjectName(name);
        line->setAlignment(Qt::AlignHCenter);
        countsLayout->addWidget(line);
    }
    counts->setObjectName(QStringLiteral("import-completion-counts"));
    layout->addWidget(counts);
    if (const std::optional<QString>& backup = m_model->backupPath()) {
        auto* line =
            new AppLabel(QStringLiteral("Your journal as it was before this import is kept in “") +
                             QDir::toNativeSeparators(*backup) + QStringLiteral("”."),
                         AppTypography::caption(), AppColors::secondaryText());
        line->setTextInteractionFlags(Qt::TextSelectableByMouse);
        centred(line, QStringLiteral("import-backup"));
    }
    m_viewJournal = button(QStringLiteral("View in Journal"), AppButtonRole::primary,
                           QStringLiteral("import-view-journal"));
    connect(m_viewJournal, &QAbstractButton::clicked, this, [this] {
        accept();
        if (m_onViewJournal)
            m_onViewJournal();
    });
    layout->addSpacing(4);
    layout->addWidget(m_viewJournal, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    return page;
}

void PracticeImportView::addFileCard(QWidget* card) {
    m_fileCardsLayout->addWidget(card);
    m_fileCards->show();
    FocusOrder::arrange(m_review);
}

void PracticeImportView::addSpreadsheetFormatCards() {
    // Each card follows its own file from then on, hiding itself when a read leaves nothing to say.
    for (const SpreadsheetFormatFile& file : m_model->spreadsheetFormatFiles()) {
        if (m_filesWithCards.contains(file.fileIndex))
            continue;
        m_filesWithCards.insert(file.fileIndex);
        addFileCard(new SpreadsheetFormatCard(*m_model, file.fileIndex));
    }
}

bool PracticeImportView::confirmImport() {
    if (!m_model->canImport())
        return false;
    return m_model->confirmImport();
}

void PracticeImportView::scheduleRefresh() {
    // Loading and most choices announce several changes at once; the page follows them once.
    if (m_refreshPending)
        return;
    m_refreshPending = true;
    QMetaObject::invokeMethod(this, &PracticeImportView::refresh, Qt::QueuedConnection);
}

void PracticeImportView::refresh() {
    m_refreshPending = false;
    const PracticeImportViewModel& model = *m_model;
    if (model.result()) {
        if (!m_completion) {
            m_completion = buildCompletionPage();
            applySpacing();
            m_pages->addWidget(m_completion);
            m_pages->setCurrentWidget(m_completion);
            FocusOrder::arrange(m_completion);
            m_viewJournal->setDefault(true);
            m_viewJournal->setFocus(Qt::OtherFocusReason);
        }
        return;
    }
    if (model.isLoading()) {
        m_pages->setCurrentWidget(m_loading);
        return;
    }
    if (m_pages->currentWidget() != m_review) {
        m_pages->setCurrentWidget(m_review);
        // The days hold the keyboard when the review appears. Left alone, the window would hand
        // it to the first button, Cancel, as it is activated, and Return would cancel the import.
        if (!m_review->isAncestorOf(focusWidget()))
            m_list->setFocus(Qt::OtherFocusReason);
    }

    const qsizetype ready = qsizetype(model.readyCandidates().size());
    m_summary->setTiles({
        {QStringLiteral("Files"), plain(m_fileCount)},
        {QStringLiteral("Date range"), model.candidateDateRange()},
        {QStringLiteral("Sessions ready"), plain(ready)},
        {QStringLiteral("Practice time"),
         PracticeDurationFormatter::compact(model.readyPracticeSeconds())},
        {QStringLiteral("Skipped"), plain(model.skippedRows())},
        {QStringLiteral("Warnings"), plain(model.warningCount())},
    });

    m_yearCard->setVisible(model.unresolvedYears());
    if (m_yearStepper->value() != model.defaultYear())
        m_yearStepper->setValue(model.defaultYear());

    if (m_invalidFilesStale)
        refreshInvalidFiles();

    if (QAbstractButton* chosen = m_policies->button(int(model.conflictPolicy().value())))
        chosen->setChecked(true);
    m_includeNotes->setChecked(model.includeNotesWithoutDuration());

    const std::optional<QString>& error = model.errorMessage();
    m_error->setVisible(error.has_value());
    m_error->setText(error.value_or(QString()));
    m_error->setAccessibleName(error ? QStringLiteral("Import error: ") + *error : QString());

    m_confirm->setText(QStringLiteral("Import ") + plain(ready) + QStringLiteral(" Sessions"));
    // The name says what the button does; the count the button shows is heard with it.
    m_confirm->setAccessibleDescription(m_confirm->text());
    m_confirm->setEnabled(model.canImport());
}

void PracticeImportView::refreshInvalidFiles() {
    m_invalidFilesStale = false;
    const PracticeImportViewModel::FileResults invalid = m_model->invalidFiles();
    m_invalidFiles->setVisible(!invalid.empty());
    m_invalidFilesToggle->setText(plain(qsizetype(invalid.size())) +
                                  QStringLiteral(" file(s) could not be read"));
    m_invalidFilesToggle->setAccessibleName(m_invalidFilesToggle->text());
    m_invalidFilesToggle->updateGeometry();
    QLayout* lines = m_invalidFileLines->layout();
    while (QLayoutItem* item = lines->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (const PracticeImportFileResult& file : invalid) {
        const QString error =
            file.error && !file.error->isEmpty() ? *file.error : QStringLiteral("Unknown error");
        auto* line = new AppLabel(file.filename + QStringLiteral(": ") + error,
                                  AppTypography::caption(), AppColors::primaryText());
        line->setObjectName(QStringLiteral("import-invalid-file"));
        line->setWordWrap(true);
        line->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        line->setTextInteractionFlags(Qt::TextSelectableByMouse);
        lines->addWidget(line);
    }
}

bool PracticeImportView::refusesDismissal() const {
    return !m_model->result() && !m_model->candidates().empty();
}

void PracticeImportView::showEvent(QShowEvent* event) {
    // Never larger than the window it covers, however small that window is: the sheet keeps the
    // room every sheet keeps from its window's edges, so its own frame stays on the screen too.
    if (const QWidget* window = parentWidget() ? parentWidget()->window() : nullptr) {
        const QSize margins(2 * AppSheet::windowMargin, 2 * AppSheet::windowMargin);
        setMinimumSize(smallestSize.boundedTo(window->size() - margins));
        setMaximumSize(window->size());
        resize(idealSize);
        AppSheet::fitToWindow(this, window);
    }
    QDialog::showEvent(event);
}

void PracticeImportView::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    applySpacing();
}

void PracticeImportView::applySpacing() {
    // A short window leaves the day list little room; tighter spacing gives some back.
    const bool compact = height() < compactHeight;
    for (QWidget* page : {m_review, m_completion}) {
        if (auto* layout = page ? qobject_cast<QBoxLayout*>(page->layout()) : nullptr) {
            const int margin = compact ? compactPadding : pagePadding;
            layout->setContentsMargins(margin, margin, margin, margin);
            layout->setSpacing(compact ? compactSpacing : sectionSpacing);
        }
    }
}

void PracticeImportView::closeEvent(QCloseEvent* event) {
    if (refusesDismissal()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void PracticeImportView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), AppColors::windowBackground().resolve(this));
}

} // namespace brevanta
