// SPDX-License-Identifier: MIT
#include "ui/practice/FinishPracticeSessionView.h"

#include "core/editing/PracticeSessionDraftSaver.h"
#include "core/practice/ActivePracticeSessionController.h"
#include "core/store/JournalStore.h"
#include "core/time/PracticeDurationFormatter.h"
#include "ui/design/AppAccessibility.h"
#include "ui/design/AppButton.h"
#include "ui/design/AppColors.h"
#include "ui/design/AppLabel.h"
#include "ui/design/AppSheet.h"
#include "ui/design/AppSymbolView.h"
#include "ui/design/AppTypography.h"
#include "ui/design/EditorialRule.h"
#include "ui/design/EditorialSectionHeader.h"
#include "ui/editing/AdaptiveArrangement.h"
#include "ui/editing/FocusOrder.h"
#include "ui/editing/PracticeFields.h"
#include "ui/editing/RowTransition.h"
#include "ui/editing/SaveErrorAlert.h"
#include "ui/practice/FaceTransition.h"
#include "ui/practice/FinishThoughtRow.h"

#include <QBoxLayout>
#include <QFontMetricsF>
#include <QMessageBox>
#include <QPainter>
#include <QScrollArea>
#include <QShortcut>
#include <QStackedWidget>

#include <algorithm>
#include <cmath>

namespace brevanta {

namespace {

constexpr int padding = 40;
constexpr int blockSpacing = 32;
constexpr int reviewColumnWidth = 620;
constexpr int confirmationColumnWidth = 560;
constexpr int rowAnimationMilliseconds = 180;
constexpr double confirmationStartScale = 0.985;

AppLabel* eyebrowLabel(const QString& text, qreal tracking) {
    return new AppLabel(
        text,
        AppTypography::withTracking(
            AppTypography::withWeight(AppTypography::caption(), QFont::Bold), tracking),
        AppColors::secondaryText());
}

/// A vertically scrolling face: a column at most `width` wide, centred, padded on every side.
QWidget* scrollingFace(QWidget* column, int width) {
    auto* scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setAutoFillBackground(false);
    auto* page = new QWidget;
    page->setAutoFillBackground(false);
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(padding, padding, padding, padding);
    row->setSpacing(0);
    column->setMaximumWidth(width);
    row->addStretch(0);
    row->addWidget(column, 1, Qt::AlignTop);
    row->addStretch(0);
    scroll->setWidget(page);
    AppSheet::followFocus(scroll, padding);
    return scroll;
}

QVBoxLayout* columnLayout(QWidget* column, int spacing) {
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return layout;
}

/// Notes as a paragraph with extra room between its lines.
AppLabel* notesParagraph(const QString& notes, qreal extraLineSpacing) {
    const QFont font = AppTypography::editorialBody();
    auto* label = new AppLabel(QString(), font);
    const qreal line = QFontMetricsF(font).lineSpacing();
    const int percent = int(std::lround(100.0 * (line + extraLineSpacing) / line));
    label->setTextFormat(Qt::RichText);
    label->setText(QStringLiteral("<p style=\"line-height:%1%\">").arg(percent) +
                   notes.toHtmlEscaped().replace(u'\n', QStringLiteral("<br>")) +
                   QStringLiteral("</p>"));
    label->setAccessibleName(notes);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

FinishPracticeSessionView::FinishPracticeSessionView(ActivePracticeSessionController& controller,
                                                     JournalStore& store, Clock clock,
                                                     QWidget* parent)
    : QDialog(parent)
    , m_controller(controller)
    , m_store(store)
    , m_clock(std::move(clock)) {
    setObjectName(QStringLiteral("finish-practice-session"));
    setWindowTitle(QStringLiteral("Finish Practice"));
    setWindowModality(Qt::WindowModal);
    setMinimumSize(520, 500);
    setMaximumWidth(780);
    resize(720, 720);

    if (const auto& session = m_controller.activeSession()) {
        for (const ActiveThoughtDraft& thought : session->thoughts)
            m_thoughts.push_back(FinishThoughtDraft::fromThought(thought));
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_faces = new QStackedWidget;
    m_review = buildReviewFace();
    m_faces->addWidget(m_review);
    layout->addWidget(m_faces);

    for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | key), this);
        connect(shortcut, &QShortcut::activated, this, [this] {
            if (!m_savedSession && m_addToJournal->isEnabled())
                save();
        });
    }
    FocusOrder::arrange(m_review);
    refresh();
}

FinishPracticeSessionView::~FinishPracticeSessionView() = default;

QWidget* FinishPracticeSessionView::buildReviewFace() {
    auto* column = new QWidget;
    QVBoxLayout* layout = columnLayout(column, blockSpacing);

    auto* header = new QWidget;
    QVBoxLayout* headerLayout = columnLayout(header, 8);
    headerLayout->addWidget(eyebrowLabel(QStringLiteral("FINISH PRACTICE"), 1.4));
    auto* headline =
        new AppLabel(QStringLiteral("What mattered today?"), AppTypography::editorialTitle());
    AppAccessibility::exposeAsHeading(headline);
    headline->setWordWrap(true);
    headerLayout->addWidget(headline);
    m_elapsed = new AppLabel(
        QString(), AppTypography::withMonospacedDigits(AppTypography::editorialMetadata()),
        AppColors::secondaryText());
    m_elapsed->setObjectName(QStringLiteral("finish-elapsed"));
    headerLayout->addWidget(m_elapsed);
    layout->addWidget(header);

    m_rowsBox = new QWidget;
    m_rows = columnLayout(m_rowsBox, 20);
    for (const FinishThoughtDraft& thought : m_thoughts)
        addRow(thought);
    layout->addWidget(m_rowsBox);
    m_emptyLine =
        new AppLabel(QStringLiteral("A session can be worth remembering without explaining it."),
                     AppTypography::editorialBody(), AppColors::secondaryText());
    m_emptyLine->setObjectName(QStringLiteral("finish-no-thoughts"));
    m_emptyLine->setWordWrap(true);
    layout->addWidget(m_emptyLine);

    auto* add = new AppButton(QStringLiteral("Add Another Thought"), QStringLiteral("plus"),
                              AppButtonRole::toolbar);
    add->setObjectName(QStringLiteral("add-another-thought"));
    connect(add, &QAbstractButton::clicked, this, &FinishPracticeSessionView::addThought);
    layout->addWidget(add, 0, Qt::AlignLeft);

    auto* notes = new QWidget;
    QVBoxLayout* notesLayout = columnLayout(notes, 12);
    auto* notesHeading =
        new AppLabel(QStringLiteral("Today’s Notes"), AppTypography::editorialSection());
    AppAccessibility::exposeAsHeading(notesHeading);
    notesLayout->addWidget(notesHeading);
    m_notes = new GrowingTextEdit(QStringLiteral("Anything worth remembering?"),
                                  AppTypography::editorialBody(), 3, 8, 4);
    m_notes->setObjectName(QStringLiteral("finish-notes"));
    m_notes->setAccessibleName(QStringLiteral("Today’s Notes"));
    notesHeading->setBuddy(m_notes);
    if (const auto& session = m_controller.activeSession())
        m_notes->setText(session->notes);
    connect(m_notes, &QTextEdit::textChanged, this, &FinishPracticeSessionView::refresh);
    notesLayout->addWidget(m_notes);
    layout->addWidget(notes);

    m_keepPractising = new AppButton(QStringLiteral("Keep Practising"), AppButtonRole::toolbar);
    m_keepPractising->setObjectName(QStringLiteral("keep-practising"));
    connect(m_keepPractising, &QAbstractButton::clicked, this, &QDialog::reject);
    m_addToJournal = new AppButton(QStringLiteral("Add to Journal"), QStringLiteral("book.closed"),
                                   AppButtonRole::primary);
    m_addToJournal->setObjectName(QStringLiteral("add-to-journal"));
    m_addToJournal->setControlSize(AppButton::ControlSize::large);
    connect(m_addToJournal, &QAbstractButton::clicked, this, [this] { save(); });
    auto* actions = new AdaptiveArrangement;
    actions->addArrangement(Qt::Horizontal, 16,
                            {AdaptiveArrangement::item(m_keepPractising, 0, Qt::AlignVCenter),
                             AdaptiveArrangement::flexibleSpace(),
                             AdaptiveArrangement::item(m_addToJournal, 0, Qt::AlignVCenter)});
    actions->addArrangement(Qt::Vertical, 12,
                            {AdaptiveArrangement::item(m_addToJournal, 0, Qt::AlignLeft),
                             AdaptiveArrangement::item(m_keepPractising, 0, Qt::AlignLeft)});
    layout->addWidget(actions);
    layout->addStretch(1);

    QWidget* face = scrollingFace(column, reviewColumnWidth);
    face->setObjectName(QStringLiteral("finish-review"));
    return face;
}

QWidget* FinishPracticeSessionView::buildConfirmationFace(const PracticeSession& session) {
    auto* column = new QWidget;
    QVBoxLayout* layout = columnLayout(column, blockSpacing);

    auto* header = new QWidget;
    QVBoxLayout* headerLayout = columnLayout(header, 6);
    headerLayout->addWidget(eyebrowLabel(QStringLiteral("TODAY’S PRACTICE"), 1.5));
    auto* duration = new AppLabel(
        PracticeDurationFormatter::compact(session.durationSeconds()),
        AppTypography::withMonospacedDigits(AppTypography::editorialHero()), readableAccent());
    duration->setObjectName(QStringLiteral("confirmation-duration"));
    headerLayout->addWidget(duration);
    layout->addWidget(header);

    const std::vector<PracticeEntryPtr> entries = session.entries();
    for (const PracticeCategory category : PracticeCategory::allCases()) {
        QStringList titles;
        for (const PracticeEntryPtr& entry : entries) {
            if (entry->category() == category)
                titles << entry->title();
        }
        if (titles.isEmpty())
            continue;
        auto* group = new QWidget;
        group->setObjectName(QStringLiteral("confirmation-group"));
        group->setAccessibleName(category.title());
        QVBoxLayout* groupLayout = columnLayout(group, 10);
        groupLayout->addWidget(new EditorialSectionHeader(category.title(), category.symbolName(),
                                                          AppColors::category(category)));
        for (const QString& title : titles) {
            auto* line = new AppLabel(
                title, AppTypography::withWeight(AppTypography::editorialBody(), QFont::Medium));
            line->setObjectName(QStringLiteral("confirmation-entry"));
            line->setWordWrap(true);
            groupLayout->addWidget(line);
        }
        layout->addWidget(group);
    }

    if (session.notes()) {
        auto* notes = new QWidget;
        QVBoxLayout* notesLayout = columnLayout(notes, 10);
        auto* notesHeading =
            new AppLabel(QStringLiteral("Personal Notes"), AppTypography::editorialSection());
        AppAccessibility::exposeAsHeading(notesHeading);
        notesLayout->addWidget(notesHeading);
        AppLabel* text = notesParagraph(*session.notes(), 6);
        text->setObjectName(QStringLiteral("confirmation-notes"));
        notesLayout->addWidget(text);
        layout->addWidget(notes);
    }

    auto* closing = new QWidget;
    QVBoxLayout* closingLayout = columnLayout(closing, 20);
    closingLayout->addWidget(new EditorialRule);
    auto* added = new QWidget;
    auto* addedLayout = new QHBoxLayout(added);
    addedLayout->setContentsMargins(0, 0, 0, 0);
    addedLayout->setSpacing(8);
    const QFont body = AppTypography::body();
    addedLayout->addWidget(new AppSymbolView(QStringLiteral("checkmark.circle.fill"),
                                             QFontInfo(body).pixelSize(), AppColors::success()));
    addedLayout->addWidget(new AppLabel(QStringLiteral("Added to your journal."), body));
    m_done = new AppButton(QStringLiteral("Done"), AppButtonRole::primary);
    m_done->setObjectName(QStringLiteral("finish-done"));
    m_done->setControlSize(AppButton::ControlSize::large);
    connect(m_done, &QAbstractButton::clicked, this, &QDialog::accept);
    auto* actions = new AdaptiveArrangement;
    actions->addArrangement(Qt::Horizontal, 16,
                            {AdaptiveArrangement::item(added, 0, Qt::AlignVCenter),
                             AdaptiveArrangement::flexibleSpace(),
                             AdaptiveArrangement::item(m_done, 0, Qt::AlignVCenter)});
    actions->addArrangement(Qt::Vertical, 12,
                            {AdaptiveArrangement::item(added, 0, Qt::AlignLeft),
                             AdaptiveArrangement::item(m_done, 0, Qt::AlignLeft)});
    closingLayout->addWidget(actions);
    layout->addWidget(closing);
    layout->addStretch(1);

    QWidget* face = scrollingFace(column, confirmationColumnWidth);
    face->setObjectName(QStringLiteral("finish-confirmation"));
    return face;
}

FinishThoughtRow* FinishPracticeSessionView::addRow(const FinishThoughtDraft& thought) {
    auto* row = new FinishThoughtRow(thought);
    connect(row, &FinishThoughtRow::titleEdited, this,
            [this](const QUuid& id, const QString& title) {
                if (FinishThoughtDraft* draft = thoughtFor(id))
                    draft->title = title;
                refresh();
            });
    connect(row, &FinishThoughtRow::categoryChosen, this,
            [this](const QUuid& id, PracticeCategory category) {
                if (FinishThoughtDraft* draft = thoughtFor(id)) {
                    draft->category = category;
                    rowFor(id)->setCategory(category);
                }
                refresh();
            });
    connect(row, &FinishThoughtRow::minutesEdited, this,
            [this](const QUuid& id, const QString& minutes) {
                if (FinishThoughtDraft* draft = thoughtFor(id))
                    draft->durationMinutesText = minutes;
                refresh();
            });
    connect(row, &FinishThoughtRow::removeRequested, this,
            &FinishPracticeSessionView::removeThought);
    m_rows->addWidget(row);
    m_rowWidgets.push_back(row);
    return row;
}

FinishThoughtRow* FinishPracticeSessionView::rowFor(const QUuid& id) const {
    const auto found =
        std::find_if(m_rowWidgets.begin(), m_rowWidgets.end(),
                     [&id](const FinishThoughtRow* row) { return row->thoughtId() == id; });
    return found == m_rowWidgets.end() ? nullptr : *found;
}

FinishThoughtDraft* FinishPracticeSessionView::thoughtFor(const QUuid& id) {
    const auto found =
        std::find_if(m_thoughts.begin(), m_thoughts.end(),
                     [&id](const FinishThoughtDraft& thought) { return thought.id == id; });
    return found == m_thoughts.end() ? nullptr : &*found;
}

QString FinishPracticeSessionView::notes() const {
    return m_notes->text();
}

std::int64_t FinishPracticeSessionView::shownElapsedSeconds() const {
    const auto& session = m_controller.activeSession();
    if (!session)
        return 1;
    const double elapsed = session->elapsedDuration(m_clock.now());
    return std::max<std::int64_t>(1, std::int64_t(elapsed));
}

void FinishPracticeSessionView::addThought() {
    const FinishThoughtDraft thought = FinishThoughtDraft::blank();
    m_thoughts.push_back(thought);
    FinishThoughtRow* row = addRow(thought);
    FocusOrder::arrange(m_review);
    RowTransition::enter(row, rowAnimationMilliseconds);
    row->titleField()->setFocus(Qt::OtherFocusReason);
    AppSheet::reveal(static_cast<QScrollArea*>(m_review), row, padding);
    refresh();
}

void FinishPracticeSessionView::removeThought(const QUuid& id) {
    std::erase_if(m_thoughts,
                  [&id](const FinishThoughtDraft& thought) { return thought.id == id; });
    if (FinishThoughtRow* row = rowFor(id)) {
        std::erase(m_rowWidgets, row);
        RowTransition::leave(row, rowAnimationMilliseconds);
    }
    refresh();
}

void FinishPracticeSessionView::refresh() {
    // The header has no timer of its own: it shows the active time as of the last change.
    m_elapsed->setText(PracticeDurationFormatter::compact(shownElapsedSeconds()));
    m_emptyLine->setVisible(m_thoughts.empty());
    m_addToJournal->setEnabled(!hasInvalidThoughts());
}

bool FinishPracticeSessionView::save() {
    try {
        std::vector<PracticeEntryDraft> entries;
        entries.reserve(m_thoughts.size());
        for (std::size_t index = 0; index < m_thoughts.size(); ++index)
            entries.push_back(m_thoughts[index].entry(std::int64_t(index)));
        JournalStore& store = m_store;
        m_savedSession = m_controller.finish(
            m_clock.now(), notes(), entries, [&store](const PracticeSessionPtr& session) {
                PracticeSessionDraftSaver::insertAndSave(store, session);
            });
    } catch (const std::exception& error) {
        m_errorMessage = SaveErrorAlert::description(error);
        showSaveAlert();
        return false;
    }
    QWidget* confirmation = buildConfirmationFace(*m_savedSession);
    m_faces->addWidget(confirmation);
    FocusOrder::arrange(confirmation);
    FaceTransition::turn(m_faces, confirmation, faceTransitionMilliseconds, confirmationStartScale);
    m_done->setDefault(true);
    m_done->setFocus(Qt::OtherFocusReason);
    Q_EMIT sessionSaved(m_savedSession);
    return true;
}

void FinishPracticeSessionView::showSaveAlert() {
    if (m_alert)
        m_alert->deleteLater();
    m_alert = SaveErrorAlert::open(this, m_errorMessage.value_or(QString()));
    connect(m_alert, &QMessageBox::finished, this, [this] { m_errorMessage.reset(); });
}

void FinishPracticeSessionView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), AppColors::windowBackground().resolve(this));
}

} // namespace brevanta
