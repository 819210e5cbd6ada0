// SPDX-License-Identifier: MIT
#include "ui/shell/BrevantaCommands.h"

#include "ui/design/AppKeyboard.h"
#include "ui/shell/PracticeCommandPublication.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QWindow>

namespace brevanta {

namespace {

const QString defaultToggleTitle = QStringLiteral("Pause Session");

QKeySequence preferencesShortcut() {
    const QKeySequence platform(QKeySequence::Preferences);
    return platform.isEmpty() ? QKeySequence(Qt::CTRL | Qt::Key_Comma) : platform;
}

} // namespace

BrevantaCommands::BrevantaCommands(QObject* parent)
    : QObject(parent) {
    // Space stays with a focused control that uses it; elsewhere it pauses and resumes.
    AppKeyboard::install();
    m_start = makeAction(QStringLiteral("Start Practice"), {QKeySequence(Qt::CTRL | Qt::Key_N)},
                         &PracticeCommandValues::startPracticeAction);
    m_log =
        makeAction(QStringLiteral("Log Practice"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N)},
                   &PracticeCommandValues::logPracticeAction);
    m_import = makeAction(QStringLiteral("Import Practice History…"), {},
                          &PracticeCommandValues::importPracticeHistoryAction);
    m_toggle = makeAction(defaultToggleTitle, {QKeySequence(Qt::Key_Space)},
                          &PracticeCommandValues::toggleActiveSessionAction);
    m_finish = makeAction(
        QStringLiteral("Finish Session"),
        {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)},
        &PracticeCommandValues::finishActiveSessionAction);
    m_start->setObjectName(QStringLiteral("command-start-practice"));
    m_log->setObjectName(QStringLiteral("command-log-practice"));
    m_import->setObjectName(QStringLiteral("command-import-practice-history"));
    m_toggle->setObjectName(QStringLiteral("command-toggle-active-session"));
    m_finish->setObjectName(QStringLiteral("command-finish-active-session"));

    m_settings = new QAction(QStringLiteral("Settings…"), this);
    m_settings->setObjectName(QStringLiteral("command-settings"));
    m_settings->setShortcut(preferencesShortcut());
    m_settings->setMenuRole(QAction::PreferencesRole);
    connect(m_settings, &QAction::triggered, this, &BrevantaCommands::settingsRequested);

    m_quit = new QAction(QStringLiteral("Quit"), this);
    m_quit->setObjectName(QStringLiteral("command-quit"));
    m_quit->setShortcuts(QKeySequence::Quit);
    m_quit->setMenuRole(QAction::QuitRole);
    connect(m_quit, &QAction::triggered, this, &BrevantaCommands::quitRequested);

    // The window in front can change without any window publishing anything new.
    connect(qApp, &QApplication::focusChanged, this, &BrevantaCommands::refresh);
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &BrevantaCommands::refresh);
    refresh();
}

BrevantaCommands::~BrevantaCommands() {
    disconnect(qApp, nullptr, this, nullptr);
}

QAction* BrevantaCommands::makeAction(const QString& text, const QList<QKeySequence>& shortcuts,
                                      ActionField field) {
    auto* action = new QAction(text, this);
    action->setShortcuts(shortcuts);
    action->setMenuRole(QAction::NoRole);
    connect(action, &QAction::triggered, this, [this, field] { run(field); });
    return action;
}

void BrevantaCommands::attach(QMainWindow* window, PracticeCommandPublication* publication) {
    m_windows.push_back({window, publication});
    connect(publication, &PracticeCommandPublication::valuesChanged, this,
            &BrevantaCommands::refresh);
    connect(window, &QObject::destroyed, this, [this] {
        std::erase_if(m_windows, [](const AttachedWindow& attached) {
            return attached.window.isNull() || attached.publication.isNull();
        });
        refresh();
    });

    QMenuBar* bar = window->menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("menu-file"));
    file->addAction(m_start);
    file->addAction(m_log);
    file->addSeparator();
    file->addAction(m_import);
    file->addSeparator();
    file->addAction(m_settings);
    file->addSeparator();
    auto* close = new QAction(QStringLiteral("Close Window"), window);
    close->setObjectName(QStringLiteral("command-close-window"));
    close->setShortcuts(QKeySequence::Close);
    connect(close, &QAction::triggered, window, &QWidget::close);
    file->addAction(close);
    file->addAction(m_quit);

    QMenu* practice = bar->addMenu(QStringLiteral("&Practice"));
    practice->setObjectName(QStringLiteral("menu-practice"));
    practice->addAction(m_toggle);
    practice->addAction(m_finish);

    // A click into an inactive window's menu bar makes it the window in front; read it afresh.
    for (QMenu* menu : {file, practice})
        connect(menu, &QMenu::aboutToShow, this, &BrevantaCommands::refresh);
    refresh();
}

PracticeCommandPublication* BrevantaCommands::frontPublication() const {
    // A sheet in front belongs to its main window.
    for (QWidget* candidate = QApplication::activeWindow(); candidate;) {
        for (const AttachedWindow& attached : m_windows) {
            if (attached.window == candidate)
                return attached.publication;
        }
        QWidget* parent = candidate->parentWidget();
        candidate = parent ? parent->window() : nullptr;
    }
    return nullptr;
}

PracticeCommandValues BrevantaCommands::frontValues() const {
    const PracticeCommandPublication* publication = frontPublication();
    return publication ? publication->values() : PracticeCommandValues{};
}

bool BrevantaCommands::canRun(const PracticeCommandValues& values, ActionField field) {
    const std::optional<PracticeCommandAction>& action = values.*field;
    if (!action || !action->isEnabled)
        return false;
    // Space must never be taken from someone typing in a practice text input.
    if (field == &PracticeCommandValues::toggleActiveSessionAction &&
        values.suppressesPracticeShortcuts.value_or(false))
        return false;
    return true;
}

void BrevantaCommands::run(ActionField field) const {
    const PracticeCommandValues values = frontValues();
    if (canRun(values, field))
        (*(values.*field))();
}

void BrevantaCommands::refresh() {
    const PracticeCommandValues values = frontValues();
    const std::pair<QAction*, ActionField> items[] = {
        {m_start, &PracticeCommandValues::startPracticeAction},
        {m_log, &PracticeCommandValues::logPracticeAction},
        {m_import, &PracticeCommandValues::importPracticeHistoryAction},
        {m_toggle, &PracticeCommandValues::toggleActiveSessionAction},
        {m_finish, &PracticeCommandValues::finishActiveSessionAction},
    };
    for (const auto& [action, field] : items)
        action->setEnabled(canRun(values, field));
    // Only the pause item takes its title from the window; the others are fixed texts.
    const auto& toggle = values.toggleActiveSessionAction;
    m_toggle->setText(toggle ? toggle->title : defaultToggleTitle);
}

} // namespace brevanta
