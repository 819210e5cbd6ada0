// SPDX-License-Identifier: MIT
// A developer's look at the practice screens, one face per run, over an in-memory journal:
//   brevanta-practice-preview idle|room|paused|finish|confirmation|log|edit [--dark]
// Run it under a display (or the screenshot tool) and resize the screen to see the narrow forms.
#include "core/editing/PracticePreferences.h"
#include "core/practice/ActivePracticeSessionController.h"
#include "core/store/JournalStore.h"
#include "core/time/Calendar.h"
#include "core/time/Clock.h"
#include "ui/design/AppColors.h"
#include "ui/editing/CapsuleChip.h"
#include "ui/editing/PracticeSessionWorkspaceView.h"
#include "ui/practice/FinishPracticeSessionView.h"
#include "ui/practice/FinishThoughtRow.h"
#include "ui/practice/PracticeView.h"

#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

using namespace brevanta;

namespace {

PracticeSessionPtr seededSession(JournalStore& store, Instant startedAt) {
    const Instant created = startedAt;
    std::vector<PracticeEntryPtr> entries{
        PracticeEntry::create(QUuid::createUuid(), QStringLiteral("Major scales in thirds"),
                              PracticeCategory::lookBack, 600, std::nullopt, 0, nullptr, created),
        PracticeEntry::create(QUuid::createUuid(), QStringLiteral("Blackbird, verse two"),
                              PracticeCategory::haveFun, 90, QStringLiteral("Slower on the slide"),
                              0, nullptr, created),
        PracticeEntry::create(QUuid::createUuid(), QStringLiteral("Try the solo at 90 bpm"),
                              PracticeCategory::lookForward, std::nullopt, std::nullopt, 0, nullptr,
                              created)};
    auto session =
        PracticeSession::create(QUuid::createUuid(), startedAt, 2790, PracticeSessionSource::manual,
                                QStringLiteral("Warm hands today; the barre chords rang clean."),
                                std::move(entries), created);
    store.insert(session);
    store.save();
    return session;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    const bool dark = arguments.contains(QStringLiteral("--dark"));
    QApplication::setPalette(
        AppColors::palette(dark ? AppColors::Appearance::dark : AppColors::Appearance::light));
    const QString face = arguments.value(1, QStringLiteral("room"));

    QTemporaryDir folder;
    QSettings settings(folder.filePath(QStringLiteral("preferences.ini")), QSettings::IniFormat);
    settings.setValue(QStringLiteral("lastPracticeCategory"), QStringLiteral("haveFun"));
    PracticePreferences preferences(settings);
    auto store = JournalStore::open(StoreConfiguration::inMemory());
    const Calendar calendar = Calendar::current();
    const Instant now = Clock::system().now();
    const Clock clock = Clock::system();
    ActivePracticeSessionController controller(clock);
    const PracticeSessionPtr stored =
        seededSession(*store, calendar.addingDays(now, -2).value_or(now));

    if (face != QStringLiteral("idle") && face != QStringLiteral("log") &&
        face != QStringLiteral("edit")) {
        controller.start(now.addingMSecs(-(24 * 60 + 37) * 1000));
        controller.addThought(QStringLiteral("Alternate picking on the G major scale"));
        controller.addThought(QStringLiteral("That lick from the Wes Montgomery record — play it "
                                             "in octaves, slowly, until it sings"));
        controller.addThought(QStringLiteral("Metronome at 84"));
        controller.update(QStringLiteral("Fingers felt stiff for the first ten minutes."),
                          controller.activeSession()->thoughts);
        if (face == QStringLiteral("paused"))
            controller.pause(now);
    }

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    std::unique_ptr<QWidget> window;
    if (face == QStringLiteral("log") || face == QStringLiteral("edit")) {
        window = std::make_unique<PracticeSessionWorkspaceView>(
            face == QStringLiteral("log") ? PracticeSessionWorkspaceMode::log()
                                          : PracticeSessionWorkspaceMode::edit(stored),
            *store, calendar, clock, preferences);
    } else {
        window = std::make_unique<PracticeView>(controller, clock, calendar);
    }
    window->setGeometry(screen);
    window->show();

    if (face == QStringLiteral("finish") || face == QStringLiteral("confirmation")) {
        auto* sheet = new FinishPracticeSessionView(controller, *store, clock, window.get());
        sheet->setAttribute(Qt::WA_DeleteOnClose);
        const QSize size = sheet->size().boundedTo(screen.size() - QSize(40, 40));
        sheet->setGeometry(
            QRect(screen.center() - QPoint(size.width() / 2, size.height() / 2), size));
        sheet->open();
        const auto rows = sheet->findChildren<FinishThoughtRow*>();
        if (!rows.isEmpty()) {
            rows[0]->categoryButton(PracticeCategory::lookBack)->click();
            rows[0]->minutesField()->setText(QStringLiteral("10"));
            rows[1]->categoryButton(PracticeCategory::haveFun)->click();
            if (face == QStringLiteral("confirmation"))
                rows[2]->categoryButton(PracticeCategory::lookBack)->click();
        }
        if (face == QStringLiteral("confirmation"))
            QTimer::singleShot(300, sheet, [sheet] { sheet->save(); });
    }
    return application.exec();
}
