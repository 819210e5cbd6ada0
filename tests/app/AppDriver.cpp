// SPDX-License-Identifier: MIT
// Loaded into the real brevanta binary with LD_PRELOAD, so a test can use the app as a person
// would, through its widgets, without any hook in the app itself. It reads one command per line
// on standard input and answers on standard output, ending each answer with "ok" or "error …".
//   trigger TEXT         triggers the menu command with that text
//   click NAME           clicks the button with that object name (or a variant: NAME-…)
//   type NAME TEXT       puts TEXT into the line edit with that object name
//   minimize             minimises the main window
//   window               "window active=0|1 minimized=0|1 imported=FILE|FILE…"
//   dialogs              "dialog NAME" then "label TEXT" for every open dialog
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QSocketNotifier>

#include <cstdio>
#include <unistd.h>

namespace {

// The visible widget named `name`, or a layout variant of it ("…-compact").
template <typename Widget> Widget* visibleWidget(const QString& name) {
    for (QWidget* widget : QApplication::allWidgets()) {
        auto* typed = qobject_cast<Widget*>(widget);
        if (typed && typed->isVisible() && typed->objectName().startsWith(name))
            return typed;
    }
    return nullptr;
}

QMainWindow* mainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<QMainWindow*>(widget); window && window->isVisible())
            return window;
    }
    return nullptr;
}

QString run(const QString& line) {
    const QString verb = line.section(QLatin1Char(' '), 0, 0);
    const QString rest = line.section(QLatin1Char(' '), 1);
    if (verb == QLatin1String("trigger")) {
        for (QMenu* menu : mainWindow()->findChildren<QMenu*>()) {
            for (QAction* action : menu->actions()) {
                if (action->isEnabled() && action->text().remove(QLatin1Char('&')) == rest) {
                    action->trigger();
                    return QString();
                }
            }
        }
        return QStringLiteral("error no command ") + rest;
    }
    if (verb == QLatin1String("click")) {
        auto* button = visibleWidget<QAbstractButton>(rest);
        if (!button)
            return QStringLiteral("error no button ") + rest;
        button->click();
        return QString();
    }
    if (verb == QLatin1String("type")) {
        auto* field = visibleWidget<QLineEdit>(rest.section(QLatin1Char(' '), 0, 0));
        if (!field)
            return QStringLiteral("error no field");
        field->setText(rest.section(QLatin1Char(' '), 1));
        return QString();
    }
    QMainWindow* window = mainWindow();
    if (!window)
        return QStringLiteral("error no window");
    if (verb == QLatin1String("minimize")) {
        window->showMinimized();
        return QString();
    }
    if (verb == QLatin1String("window")) {
        // The import review the files open is a sheet of the window: in front, it is the window.
        const QWidget* front = QApplication::activeWindow();
        const bool active = front && (front == window || front->parentWidget() == window);
        return QStringLiteral("window active=%1 minimized=%2 imported=%3\n")
            .arg(int(active))
            .arg(int(window->isMinimized()))
            .arg(window->property("importedFiles").toStringList().join(QLatin1Char('|')));
    }
    if (verb == QLatin1String("dialogs")) {
        QString answer;
        for (QDialog* dialog : window->findChildren<QDialog*>()) {
            if (!dialog->isVisible())
                continue;
            answer += QStringLiteral("dialog ") + dialog->objectName() + QLatin1Char('\n');
            for (QLabel* label : dialog->findChildren<QLabel*>()) {
                if (label->isVisible() && !label->text().isEmpty())
                    answer +=
                        QStringLiteral("label ") + label->text().simplified() + QLatin1Char('\n');
            }
        }
        return answer;
    }
    return QStringLiteral("error unknown command ") + verb;
}

void startDriver() {
    auto* input = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, qApp);
    QObject::connect(input, &QSocketNotifier::activated, qApp, [input] {
        static QByteArray pending;
        char buffer[4096];
        const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (count <= 0) {
            input->setEnabled(false);
            return;
        }
        pending.append(buffer, count);
        while (pending.contains('\n')) {
            const qsizetype end = pending.indexOf('\n');
            const QString line = QString::fromUtf8(pending.left(end));
            pending.remove(0, end + 1);
            QString answer = run(line);
            if (!answer.startsWith(QLatin1String("error")))
                answer += QStringLiteral("ok");
            std::fputs((answer + QLatin1Char('\n')).toUtf8().constData(), stdout);
            std::fflush(stdout);
        }
    });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startDriver)
