// SPDX-License-Identifier: MIT
#pragma once

#include "core/practice/ActivePracticeSessionController.h"
#include "support/TimerTestSupport.h"
#include "ui/shell/AppNotificationCenter.h"
#include "ui/shell/ContentView.h"
#include "ui/shell/PracticeHistoryFileChooser.h"

#include <QPointer>
#include <QWidget>

#include <memory>
#include <vector>

namespace brevanta::testing {

/// A file chooser the test answers: it records every request and completes when told to.
class FakeFileChooser final : public PracticeHistoryFileChooser {
public:
    struct Request {
        QPointer<QWidget> window;
        Completion done;
    };

    void chooseFiles(QWidget* window, Completion done) override {
        requests.push_back({window, std::move(done)});
    }

    /// Completes the oldest open request with `filePaths`.
    void answer(const QStringList& filePaths) {
        Request request = std::move(requests.front());
        requests.erase(requests.begin());
        request.done(filePaths);
    }

    std::vector<Request> requests;
};

/// What a main window needs, with a clock and a file chooser the test controls.
struct WindowFixture {
    MovableClock time;
    ActivePracticeSessionController controller{time.clock()};
    AppNotificationCenter notifications;
    std::shared_ptr<FakeFileChooser> chooser = std::make_shared<FakeFileChooser>();

    std::unique_ptr<ContentView> makeWindow(ScreenFactory screens = {},
                                            std::optional<int> openingWidth = {}) {
        return std::make_unique<ContentView>(
            ContentView::Environment{.activeSessionController = controller,
                                     .notifications = notifications,
                                     .clock = time.clock(),
                                     .fileChooser = chooser,
                                     .screens = std::move(screens),
                                     .openingWidth = openingWidth});
    }
    /// A window on screen, as most tests start.
    std::unique_ptr<ContentView> showWindow(ScreenFactory screens = {}) {
        auto window = makeWindow(std::move(screens));
        window->show();
        return window;
    }
};

} // namespace brevanta::testing
