// SPDX-License-Identifier: MIT
// A second reference for the start-up benchmark: a plain Qt main window whose only content is
// the text the app's first window shows at the benchmark's size (an empty journal, too narrow
// for the sidebar), as plain labels, each in the font the app draws it in, the desktop's fonts
// read as the app reads them. No journal, no screens, no styling: what Qt itself needs to paint
// that text, against which the app's own share of its start shows.
#include "StartupProbe.h"
#include "ui/design/AppFontWarmUp.h"
#include "ui/design/AppIcons.h"
#include "ui/design/AppTypography.h"
#include "ui/design/BrevantaBrandFont.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QVBoxLayout>

using namespace brevanta;

namespace {

void addLine(QVBoxLayout* column, const QString& text, const QFont& font) {
    auto* label = new QLabel(text);
    label->setFont(font);
    label->setWordWrap(true);
    column->addWidget(label);
}

void addSymbol(QVBoxLayout* column, const QString& symbolName) {
    addLine(column, AppIcons::glyph(symbolName), AppIcons::font(14));
}

} // namespace

int main(int argc, char* argv[]) {
    AppFontWarmUp fontWarmUp;
    QApplication application(argc, argv);
    fontWarmUp.applicationStarted();
    const bench::FirstPaintProbe probe(
        [](const QWidget* widget) { return qobject_cast<const QMainWindow*>(widget) != nullptr; },
        [] {
            bench::report("painted");
            bench::report("loaded");
            bench::report("ready");
            bench::report("quitting");
            QApplication::closeAllWindows();
            QCoreApplication::quit();
        });
    QMainWindow window;
    // As the app's window: its layout never raises the minimum once the window is on screen.
    window.setMinimumSize(720, 560);
    window.menuBar()->addMenu(QStringLiteral("&File"));
    window.menuBar()->addMenu(QStringLiteral("&Practice"));
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    // The toolbar's sidebar button, then Home's invitation, top to bottom.
    addSymbol(column, QStringLiteral("sidebar.left"));
    addLine(column, QStringLiteral("Brevanta"), BrevantaBrandFont::font(24));
    addLine(column, QStringLiteral("Good morning"),
            AppTypography::withTracking(
                AppTypography::withWeight(AppTypography::caption(), QFont::Bold), 1.5));
    addLine(column, QStringLiteral("What do you want to play?"),
            AppTypography::system(48, QFont::Bold));
    addLine(
        column,
        QStringLiteral("The next page of your practice story starts whenever you\u2019re ready."),
        AppTypography::editorialBody());
    addSymbol(column, QStringLiteral("play.fill"));
    addLine(column, QStringLiteral("Start Practice"), AppTypography::cardTitle());
    addSymbol(column, QStringLiteral("square.and.pencil"));
    addLine(column, QStringLiteral("Log Practice"), AppTypography::body());
    column->addStretch(1);
    window.setCentralWidget(page);
    window.resize(1280, 840);
    window.show();
    const int status = application.exec();
    fontWarmUp.finish();
    return status;
}
