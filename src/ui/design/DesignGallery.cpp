// SPDX-License-Identifier: MIT
#include "ui/design/DesignGallery.h"

#include "core/model/PracticeCategory.h"
#include "ui/design/AppButton.h"
#include "ui/design/AppColors.h"
#include "ui/design/AppEmptyState.h"
#include "ui/design/AppIcons.h"
#include "ui/design/AppLabel.h"
#include "ui/design/AppResponsiveLayout.h"
#include "ui/design/AppScreenHeader.h"
#include "ui/design/AppSectionHeader.h"
#include "ui/design/AppSurface.h"
#include "ui/design/AppSymbolView.h"
#include "ui/design/AppTypography.h"
#include "ui/design/BrevantaBrandMark.h"
#include "ui/design/BrevantaBrandSignature.h"
#include "ui/design/BrevantaWordmark.h"
#include "ui/design/ContinuousRoundedRect.h"
#include "ui/design/EditorialInput.h"
#include "ui/design/EditorialRule.h"
#include "ui/design/EditorialSectionHeader.h"
#include "ui/design/FirstFitContainer.h"

#include <QApplication>
#include <QBoxLayout>
#include <QGridLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QScrollArea>

#include <functional>

namespace brevanta {

namespace {

/// Paints one named colour of the vocabulary, so any area can stand on it.
class Backdrop final : public QWidget {
public:
    explicit Backdrop(AppColor color, qreal radius = 0, QWidget* parent = nullptr)
        : QWidget(parent)
        , m_color(color)
        , m_radius(radius) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(continuousRoundedRect(QRectF(rect()), m_radius), m_color.resolve(this));
    }

private:
    AppColor m_color;
    qreal m_radius;
};

/// Says which variant a first-fit container shows and at what width, as it changes.
class FitStatus final : public AppLabel {
public:
    explicit FitStatus(FirstFitContainer* container)
        : AppLabel(QString(), AppTypography::caption(), AppColors::secondaryText())
        , m_container(container) {
        container->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_container && event->type() == QEvent::Resize) {
            const bool first = m_container->currentIndex() == 0;
            setText(QStringLiteral("%1 · %2 px offered, %3 px wanted")
                        .arg(first ? QStringLiteral("Side by side") : QStringLiteral("Stacked"))
                        .arg(m_container->width())
                        .arg(m_container->variants().value(0)->sizeHint().width()));
        }
        return AppLabel::eventFilter(watched, event);
    }

private:
    FirstFitContainer* m_container;
};

/// A colour chip with its name, resolved at paint time like everything else.
class Swatch final : public QWidget {
public:
    Swatch(const QString& name, const QString& kind, AppColor color)
        : m_color(color) {
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(10);
        row->addSpacing(chip);
        auto* words = new QVBoxLayout;
        words->setSpacing(0);
        words->addWidget(new AppLabel(name, AppTypography::cardTitle()));
        words->addWidget(new AppLabel(kind, AppTypography::caption(), AppColors::secondaryText()));
        row->addLayout(words, 1);
        setMinimumHeight(chip);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF box(0.5, (height() - chip) / 2.0 + 0.5, chip - 1, chip - 1);
        const QPainterPath shape = continuousRoundedRect(box, 9);
        // A checker under the chip shows how translucent a colour is.
        painter.save();
        painter.setClipPath(shape);
        const QColor light = AppColors::windowBackground().resolve(this);
        painter.fillRect(box, light);
        const QColor check = AppColors::border().resolve(this);
        for (int y = 0; y < chip; y += 6) {
            for (int x = (y / 6) % 2 * 6; x < chip; x += 12)
                painter.fillRect(QRectF(box.left() + x, box.top() + y, 6, 6), check);
        }
        painter.fillPath(shape, m_color.resolve(this));
        painter.restore();
        painter.setPen(QPen(AppColors::border().resolve(this), 1));
        painter.drawPath(shape);
    }

private:
    static constexpr int chip = 36;
    AppColor m_color;
};

/// A sidebar row as the main window will show its destinations.
class SidebarRow final : public QWidget {
public:
    SidebarRow(const QString& title, const QString& symbolName, bool selected)
        : m_selected(selected) {
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(12, 0, 12, 0);
        row->setSpacing(10);
        auto* symbol = new AppSymbolView(symbolName, 17, AppColors::sidebarText());
        symbol->setFrameWidth(22);
        row->addWidget(symbol);
        row->addWidget(new AppLabel(title, AppTypography::system(16, QFont::Medium),
                                    selected ? AppColors::sidebarText()
                                             : AppColors::sidebarText().withOpacity(0.82)));
        row->addStretch(1);
        setMinimumHeight(44);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (!m_selected)
            return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(continuousRoundedRect(QRectF(rect()), 10),
                         AppColors::sidebarSurface().resolve(this));
    }

private:
    bool m_selected;
};

QWidget* column(std::initializer_list<QWidget*> widgets, int spacing,
                Qt::Alignment alignment = Qt::Alignment()) {
    auto* widget = new QWidget;
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    for (QWidget* child : widgets)
        layout->addWidget(child, 0, alignment);
    return widget;
}

QWidget* row(std::initializer_list<QWidget*> widgets, int spacing, bool trailingStretch = true) {
    auto* widget = new QWidget;
    auto* layout = new QHBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    for (QWidget* child : widgets) {
        if (child)
            layout->addWidget(child, 0, Qt::AlignVCenter);
        else
            layout->addStretch(1);
    }
    if (trailingStretch)
        layout->addStretch(1);
    return widget;
}

AppLabel* eyebrow(const QString& text, const AppColor& color = AppColors::secondaryText()) {
    return new AppLabel(text,
                        AppTypography::withTracking(
                            AppTypography::withWeight(AppTypography::caption(), QFont::Bold), 1.5),
                        color);
}

AppLabel* wrapping(AppLabel* label) {
    label->setWordWrap(true);
    return label;
}

QWidget* padded(AppSurface* surface, QWidget* content, int padding) {
    auto* layout = new QVBoxLayout(surface);
    layout->setContentsMargins(padding, padding, padding, padding);
    layout->addWidget(content);
    return surface;
}

QWidget* section(const QString& title, const QString& subtitle, QWidget* body) {
    return column({new AppSectionHeader(title, subtitle), body}, 16);
}

/// The same content side by side when it fits, else stacked.
FirstFitContainer* sideBySideOrStacked(const std::function<QList<QWidget*>()>& make, int spacing) {
    auto* fit = new FirstFitContainer;
    auto* wide = new QWidget;
    auto* wideLayout = new QHBoxLayout(wide);
    wideLayout->setContentsMargins(0, 0, 0, 0);
    wideLayout->setSpacing(spacing);
    for (QWidget* child : make())
        wideLayout->addWidget(child, 1);
    auto* narrow = new QWidget;
    auto* narrowLayout = new QVBoxLayout(narrow);
    narrowLayout->setContentsMargins(0, 0, 0, 0);
    narrowLayout->setSpacing(spacing);
    for (QWidget* child : make())
        narrowLayout->addWidget(child);
    fit->addVariant(wide);
    fit->addVariant(narrow);
    return fit;
}

} // namespace

DesignGallery::DesignGallery(QWidget* parent)
    : QWidget(parent) {
    setWindowTitle(QStringLiteral("Brevanta — Design Gallery"));
    setWindowIcon(QIcon(BrevantaBrandMark::pixmap(64, 2.0)));
    setMinimumSize(720, 560);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_sidebar = buildSidebar();
    layout->addWidget(m_sidebar);

    auto* scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(buildContent());
    layout->addWidget(scroll, 1);
}

void DesignGallery::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_sidebar->setVisible(!AppResponsiveLayout::usesCollapsedSidebar(event->size().width()));
}

QWidget* DesignGallery::buildSidebar() {
    auto* sidebar = new Backdrop(AppColors::sidebar());
    sidebar->setFixedWidth(234);
    auto* layout = new QVBoxLayout(sidebar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* brand =
        new BrevantaBrandSignature(30, 22, QStringLiteral("Your practice starts here."),
                                   AppColors::sidebarText(), AppColors::sidebarSecondaryText());
    auto* brandBox = new QVBoxLayout;
    brandBox->setContentsMargins(20, 32, 20, 24);
    brandBox->addWidget(brand);
    layout->addLayout(brandBox);

    auto* rows = new QVBoxLayout;
    rows->setContentsMargins(10, 0, 10, 0);
    rows->setSpacing(2);
    rows->addWidget(new SidebarRow(QStringLiteral("Home"), QStringLiteral("house"), true));
    rows->addWidget(
        new SidebarRow(QStringLiteral("Journal"), QStringLiteral("book.closed"), false));
    rows->addWidget(new SidebarRow(QStringLiteral("Insights"), QStringLiteral("chart.bar"), false));
    layout->addLayout(rows);
    layout->addStretch(1);

    auto* foot = new AppLabel(QStringLiteral("Design gallery"), AppTypography::caption(),
                              AppColors::sidebarSecondaryText());
    auto* footBox = new QVBoxLayout;
    footBox->setContentsMargins(22, 0, 20, 20);
    footBox->addWidget(foot);
    layout->addLayout(footBox);
    return sidebar;
}

QWidget* DesignGallery::buildContent() {
    auto* page = new Backdrop(AppColors::windowBackground());
    auto* outer = new QHBoxLayout(page);
    outer->setContentsMargins(40, 40, 40, 40);

    auto* content = new QWidget;
    content->setMaximumWidth(1040);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(44);

    auto* header = new AppScreenHeader(
        QStringLiteral("Design"),
        QStringLiteral("The vocabulary every page of the journal is drawn with"));
    const bool dark = AppColors::appearance(QApplication::palette()) == AppColors::Appearance::dark;
    auto* appearance =
        new AppButton(dark ? QStringLiteral("Light Appearance") : QStringLiteral("Dark Appearance"),
                      QStringLiteral("sparkles"), AppButtonRole::secondary);
    appearance->setObjectName(QStringLiteral("gallery-appearance"));
    connect(appearance, &QAbstractButton::clicked, this, [this, appearance] {
        toggleAppearance();
        const bool nowDark =
            AppColors::appearance(QApplication::palette()) == AppColors::Appearance::dark;
        appearance->setText(nowDark ? QStringLiteral("Light Appearance")
                                    : QStringLiteral("Dark Appearance"));
        appearance->updateGeometry();
    });
    header->addActionWidget(appearance);

    layout->addWidget(header);
    layout->addWidget(buildBrandSection());
    layout->addWidget(buildButtonSection());
    layout->addWidget(buildHeaderSection());
    layout->addWidget(buildSurfaceSection());
    layout->addWidget(buildTypeSection());
    layout->addWidget(buildColourSection());
    layout->addWidget(buildInputSection());
    layout->addWidget(buildFitSection());
    layout->addWidget(buildIconSection());
    layout->addStretch(1);

    outer->addWidget(content, 1, Qt::AlignTop | Qt::AlignLeft);
    return page;
}

QWidget* DesignGallery::buildBrandSection() {
    auto* invitation = new AppSurface(AppSurfaceRole::hero, 22);
    {
        auto* signature = new BrevantaBrandSignature(34, 26);
        auto* greeting = eyebrow(QStringLiteral("GOOD EVENING"));
        auto* question = wrapping(new AppLabel(QStringLiteral("What do you want to play?"),
                                               AppTypography::system(48, QFont::Bold)));
        auto* line = wrapping(new AppLabel(
            QStringLiteral("The next page of your practice story starts whenever you’re ready."),
            AppTypography::editorialBody()));
        auto* actions = sideBySideOrStacked(
            [] {
                return QList<QWidget*>{row(
                    {new AppButton(QStringLiteral("Start Practice"), QStringLiteral("play.fill"),
                                   AppButtonRole::primary),
                     new AppButton(QStringLiteral("Log Practice"),
                                   QStringLiteral("square.and.pencil"), AppButtonRole::toolbar)},
                    16)};
            },
            12);
        padded(invitation, column({signature, greeting, question, line, actions}, 20), 32);
    }

    auto* onSidebar = new Backdrop(AppColors::sidebar(), 22);
    {
        auto* layout = new QVBoxLayout(onSidebar);
        layout->setContentsMargins(24, 24, 24, 24);
        layout->setSpacing(20);
        layout->addWidget(new BrevantaBrandSignature(
            30, 22, QStringLiteral("Your practice starts here."), AppColors::sidebarText(),
            AppColors::sidebarSecondaryText()));
        auto* marks = new QHBoxLayout;
        marks->setSpacing(14);
        for (int size : {16, 24, 32, 48, 72})
            marks->addWidget(new BrevantaBrandMark(size), 0, Qt::AlignBottom);
        marks->addStretch(1);
        layout->addLayout(marks);
        layout->addWidget(new BrevantaWordmark(40, AppColors::sidebarText()));
        layout->addStretch(1);
    }
    onSidebar->setMinimumWidth(300);

    auto* fit = new FirstFitContainer;
    auto* wide = new QWidget;
    auto* wideLayout = new QHBoxLayout(wide);
    wideLayout->setContentsMargins(0, 0, 0, 0);
    wideLayout->setSpacing(24);
    wideLayout->addWidget(invitation, 3);
    wideLayout->addWidget(onSidebar, 2);
    fit->addVariant(wide);
    // Narrow windows keep only the invitation, as the home page would.
    auto* narrow = new QWidget;
    auto* narrowLayout = new QVBoxLayout(narrow);
    narrowLayout->setContentsMargins(0, 0, 0, 0);
    auto* invitationNarrow = new AppSurface(AppSurfaceRole::hero, 22);
    padded(
        invitationNarrow,
        column({new BrevantaBrandSignature(34, 26), eyebrow(QStringLiteral("GOOD EVENING")),
                wrapping(new AppLabel(QStringLiteral("What do you want to play?"),
                                      AppTypography::system(48, QFont::Bold))),
                wrapping(new AppLabel(QStringLiteral("The next page of your practice story "
                                                     "starts whenever you’re ready."),
                                      AppTypography::editorialBody())),
                column({new AppButton(QStringLiteral("Start Practice"), QStringLiteral("play.fill"),
                                      AppButtonRole::primary),
                        new AppButton(QStringLiteral("Log Practice"),
                                      QStringLiteral("square.and.pencil"), AppButtonRole::toolbar)},
                       12, Qt::AlignLeft)},
               20),
        28);
    narrowLayout->addWidget(invitationNarrow);
    fit->addVariant(narrow);

    return section(
        QStringLiteral("Brand"),
        QStringLiteral("The mark, the wordmark and the signature, on paper and on the sidebar"),
        fit);
}

QWidget* DesignGallery::buildButtonSection() {
    auto* surface = new AppSurface(AppSurfaceRole::standard, 18);
    auto* layout = new QVBoxLayout(surface);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(20);

    auto makeRoles = [] {
        return QList<QWidget*>{
            new AppButton(QStringLiteral("Start Practice"), QStringLiteral("play.fill"),
                          AppButtonRole::primary),
            new AppButton(QStringLiteral("Pause"), QStringLiteral("pause.fill"),
                          AppButtonRole::secondary),
            new AppButton(QStringLiteral("Log Practice"), QStringLiteral("square.and.pencil"),
                          AppButtonRole::toolbar),
            new AppButton(QStringLiteral("Delete"), QStringLiteral("trash"),
                          AppButtonRole::destructive),
        };
    };
    auto* roles = new FirstFitContainer;
    {
        auto* wide = new QWidget;
        auto* wideLayout = new QHBoxLayout(wide);
        wideLayout->setContentsMargins(0, 0, 0, 0);
        wideLayout->setSpacing(14);
        for (QWidget* button : makeRoles())
            wideLayout->addWidget(button);
        auto* more = new AppButton(QStringLiteral("Session actions"),
                                   QStringLiteral("ellipsis.circle"), AppButtonRole::compactIcon);
        more->setIconOnly(true);
        wideLayout->addWidget(more);
        wideLayout->addStretch(1);
        roles->addVariant(wide);

        auto* grid = new QWidget;
        auto* gridLayout = new QGridLayout(grid);
        gridLayout->setContentsMargins(0, 0, 0, 0);
        gridLayout->setHorizontalSpacing(14);
        gridLayout->setVerticalSpacing(12);
        const QList<QWidget*> buttons = makeRoles();
        for (qsizetype i = 0; i < buttons.size(); ++i)
            gridLayout->addWidget(buttons[i], int(i / 2), int(i % 2), Qt::AlignLeft);
        gridLayout->setColumnStretch(2, 1);
        roles->addVariant(grid);
    }
    layout->addWidget(roles);

    auto* finish = new AppButton(QStringLiteral("Add to Journal"), QStringLiteral("book.closed"),
                                 AppButtonRole::primary);
    finish->setControlSize(AppButton::ControlSize::large);
    auto* disabled = new AppButton(QStringLiteral("Add Thought"), QStringLiteral("plus"),
                                   AppButtonRole::secondary);
    disabled->setEnabled(false);
    auto* keep = new AppButton(QStringLiteral("Keep Practising"), AppButtonRole::toolbar);
    auto* compactRow = new QWidget;
    {
        auto* icons = new QHBoxLayout(compactRow);
        icons->setContentsMargins(0, 0, 0, 0);
        icons->setSpacing(4);
        for (const auto& [name, symbol] :
             {std::pair{QStringLiteral("Add Entry"), QStringLiteral("plus")},
              std::pair{QStringLiteral("Remove Thought"), QStringLiteral("xmark")},
              std::pair{QStringLiteral("Move Up"), QStringLiteral("chevron.up")},
              std::pair{QStringLiteral("Move Down"), QStringLiteral("chevron.down")}}) {
            auto* button = new AppButton(name, symbol, AppButtonRole::compactIcon);
            button->setIconOnly(true);
            icons->addWidget(button);
        }
    }
    layout->addWidget(row({finish, disabled, keep, compactRow}, 14));
    layout->addWidget(wrapping(new AppLabel(
        QStringLiteral("Primary and secondary buttons dim and settle to 98.5% while held. Tab "
                       "through them to see the focus ring."),
        AppTypography::secondaryBody(), AppColors::secondaryText())));

    return section(
        QStringLiteral("Buttons"),
        QStringLiteral("Primary, secondary, toolbar, destructive and compact icon roles"), surface);
}

QWidget* DesignGallery::buildHeaderSection() {
    auto* surface = new AppSurface(AppSurfaceRole::standard, 18);
    auto* layout = new QVBoxLayout(surface);
    layout->setContentsMargins(28, 26, 28, 28);
    layout->setSpacing(18);

    auto* journal =
        new AppScreenHeader(QStringLiteral("Journal"), QStringLiteral("Pages from your practice"));
    journal->addActionWidget(new AppButton(QStringLiteral("Log Practice"),
                                           QStringLiteral("square.and.pencil"),
                                           AppButtonRole::toolbar));
    layout->addWidget(journal);
    layout->addWidget(new EditorialRule);

    auto* yearHeader = new AppSectionHeader(QStringLiteral("Your year in practice"),
                                            QStringLiteral("Every day you showed up in 2025"));
    auto* options = new AppButton(QStringLiteral("Journal options"),
                                  QStringLiteral("ellipsis.circle"), AppButtonRole::compactIcon);
    options->setIconOnly(true);
    yearHeader->addActionWidget(options);
    layout->addWidget(yearHeader);

    auto* entries = new QWidget;
    auto* entriesLayout = new QVBoxLayout(entries);
    entriesLayout->setContentsMargins(0, 8, 0, 0);
    entriesLayout->setSpacing(10);
    const std::array<QString, 3> examples{QStringLiteral("Improvised over a slow blues in A"),
                                          QStringLiteral("Chord changes in bar 9 still rush"),
                                          QStringLiteral("Learn the bridge of the new song")};
    for (const PracticeCategory category : PracticeCategory::allCases()) {
        entriesLayout->addWidget(new EditorialSectionHeader(category.title(), category.symbolName(),
                                                            AppColors::category(category)));
        auto* text =
            new AppLabel(examples[size_t(category.sortIndex())],
                         AppTypography::withWeight(AppTypography::editorialBody(), QFont::Medium));
        text->setContentsMargins(0, 0, 0, 10);
        entriesLayout->addWidget(text);
    }
    layout->addWidget(entries);

    auto* rule = new EditorialRule;
    rule->setOpacity(0.7);
    layout->addWidget(rule);

    auto* empties = sideBySideOrStacked(
        [] {
            auto* waiting =
                new AppEmptyState(QStringLiteral("Your journal is waiting"),
                                  QStringLiteral("Finish a timer or log practice to begin."),
                                  QStringLiteral("book.closed"));
            waiting->setAction(
                new AppButton(QStringLiteral("Log Practice"), AppButtonRole::primary));
            auto* nothing = new AppEmptyState(QStringLiteral("No matching sessions"),
                                              QStringLiteral("Try another search."),
                                              QStringLiteral("magnifyingglass"), true);
            return QList<QWidget*>{waiting, nothing};
        },
        16);
    layout->addWidget(empties);

    return section(
        QStringLiteral("Headers and blocks"),
        QStringLiteral("Screen and section headers, editorial headings and rules, empty states"),
        surface);
}

QWidget* DesignGallery::buildSurfaceSection() {
    auto make = [] {
        QList<QWidget*> surfaces;
        const std::array roles{std::tuple{AppSurfaceRole::standard, QStringLiteral("Standard"),
                                          QStringLiteral("Cards and panels on the page."), 16},
                               std::tuple{AppSurfaceRole::secondary, QStringLiteral("Secondary"),
                                          QStringLiteral("Quieter wells inside a card."), 12},
                               std::tuple{AppSurfaceRole::hero, QStringLiteral("Hero"),
                                          QStringLiteral("The one panel a page is about."), 22}};
        for (const auto& [role, title, text, radius] : roles) {
            auto* surface = new AppSurface(role, radius);
            padded(surface,
                   column({new AppLabel(title, AppTypography::cardTitle()),
                           wrapping(new AppLabel(text, AppTypography::secondaryBody(),
                                                 AppColors::secondaryText()))},
                          6),
                   20);
            surface->setMinimumWidth(200);
            surfaces.append(surface);
        }
        return surfaces;
    };
    return section(QStringLiteral("Surfaces"),
                   QStringLiteral("Rounded, bordered and shadowed; the radius belongs to each use"),
                   sideBySideOrStacked(make, 24));
}

QWidget* DesignGallery::buildTypeSection() {
    auto* surface = new AppSurface(AppSurfaceRole::standard, 18);
    auto* grid = new QGridLayout(surface);
    grid->setContentsMargins(28, 24, 28, 24);
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(14);

    const QFont clock =
        AppTypography::withMonospacedDigits(AppTypography::system(76, QFont::Medium));
    const std::array<std::tuple<QString, QFont, QString, AppColor>, 13> samples{{
        {QStringLiteral("clock · 76"), clock, QStringLiteral("00:24:17"), AppColors::primaryText()},
        {QStringLiteral("editorialHero"), AppTypography::editorialHero(), QStringLiteral("12h 40m"),
         AppColors::accent()},
        {QStringLiteral("editorialTitle"), AppTypography::editorialTitle(),
         QStringLiteral("Your musical story"), AppColors::primaryText()},
        {QStringLiteral("screenTitle"), AppTypography::screenTitle(), QStringLiteral("Journal"),
         AppColors::primaryText()},
        {QStringLiteral("editorialBody"), AppTypography::editorialBody(),
         QStringLiteral("Start when the guitar is in your hands."), AppColors::primaryText()},
        {QStringLiteral("editorialSection"), AppTypography::editorialSection(),
         QStringLiteral("What are you working on?"), AppColors::primaryText()},
        {QStringLiteral("sectionTitle"), AppTypography::sectionTitle(),
         QStringLiteral("Your year in practice"), AppColors::primaryText()},
        {QStringLiteral("cardTitle"), AppTypography::cardTitle(),
         QStringLiteral("Blues in A, slow shuffle"), AppColors::primaryText()},
        {QStringLiteral("editorialMetadata"), AppTypography::editorialMetadata(),
         QStringLiteral("Started 7:42 PM"), AppColors::tertiaryText()},
        {QStringLiteral("screenSubtitle"), AppTypography::screenSubtitle(),
         QStringLiteral("Pages from your practice"), AppColors::secondaryText()},
        {QStringLiteral("secondaryBody"), AppTypography::secondaryBody(),
         QStringLiteral("Choose a session to revisit what you practised."),
         AppColors::secondaryText()},
        {QStringLiteral("body"), AppTypography::body(),
         QStringLiteral("A quiet page in your journal"), AppColors::primaryText()},
        {QStringLiteral("caption"), AppTypography::caption(), QStringLiteral("Tuesday · 45m"),
         AppColors::secondaryText()},
    }};
    int line = 0;
    for (const auto& [name, font, text, color] : samples) {
        auto* label = new AppLabel(name, AppTypography::caption(), AppColors::tertiaryText());
        grid->addWidget(label, line, 0, Qt::AlignRight | Qt::AlignVCenter);
        auto* sample = new AppLabel(text, font, color);
        sample->setWordWrap(true);
        grid->addWidget(sample, line, 1, Qt::AlignVCenter);
        ++line;
    }
    grid->addWidget(new AppLabel(QStringLiteral("eyebrow"), AppTypography::caption(),
                                 AppColors::tertiaryText()),
                    line, 0, Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(eyebrow(QStringLiteral("PRACTISING"), AppColors::accent()), line, 1);
    grid->setColumnStretch(1, 1);

    return section(
        QStringLiteral("Type"),
        QStringLiteral("Text styles follow the system font size; editorial sizes are fixed"),
        surface);
}

QWidget* DesignGallery::buildColourSection() {
    struct Named {
        QString name;
        QString kind;
        AppColor color;
    };
    const QList<Named> colours{
        {QStringLiteral("windowBackground"), QStringLiteral("adaptive"),
         AppColors::windowBackground()},
        {QStringLiteral("elevatedSurface"), QStringLiteral("adaptive"),
         AppColors::elevatedSurface()},
        {QStringLiteral("secondarySurface"), QStringLiteral("adaptive"),
         AppColors::secondarySurface()},
        {QStringLiteral("border"), QStringLiteral("adaptive"), AppColors::border()},
        {QStringLiteral("shadow"), QStringLiteral("adaptive"), AppColors::shadow()},
        {QStringLiteral("accent"), QStringLiteral("fixed"), AppColors::accent()},
        {QStringLiteral("sidebar"), QStringLiteral("fixed"), AppColors::sidebar()},
        {QStringLiteral("sidebarSurface"), QStringLiteral("fixed"), AppColors::sidebarSurface()},
        {QStringLiteral("primaryText"), QStringLiteral("label"), AppColors::primaryText()},
        {QStringLiteral("secondaryText"), QStringLiteral("label"), AppColors::secondaryText()},
        {QStringLiteral("tertiaryText"), QStringLiteral("label"), AppColors::tertiaryText()},
        {QStringLiteral("success"), QStringLiteral("system"), AppColors::success()},
        {QStringLiteral("warning"), QStringLiteral("system"), AppColors::warning()},
        {QStringLiteral("destructive"), QStringLiteral("system"), AppColors::destructive()},
        {PracticeCategory(PracticeCategory::haveFun).title(), QStringLiteral("category"),
         AppColors::category(PracticeCategory::haveFun)},
        {PracticeCategory(PracticeCategory::lookBack).title(), QStringLiteral("category"),
         AppColors::category(PracticeCategory::lookBack)},
        {PracticeCategory(PracticeCategory::lookForward).title(), QStringLiteral("category"),
         AppColors::category(PracticeCategory::lookForward)},
    };

    auto* fit = new FirstFitContainer;
    for (int columns : {4, 3, 2}) {
        auto* surface = new AppSurface(AppSurfaceRole::standard, 18);
        auto* grid = new QGridLayout(surface);
        grid->setContentsMargins(24, 22, 24, 22);
        grid->setHorizontalSpacing(18);
        grid->setVerticalSpacing(16);
        for (qsizetype i = 0; i < colours.size(); ++i) {
            auto* swatch = new Swatch(colours[i].name, colours[i].kind, colours[i].color);
            swatch->setMinimumWidth(170);
            grid->addWidget(swatch, int(i) / columns, int(i) % columns);
        }
        fit->addVariant(surface);
    }
    return section(
        QStringLiteral("Colour"),
        QStringLiteral("Resolved from the window’s appearance each time they are painted"), fit);
}

QWidget* DesignGallery::buildInputSection() {
    auto* surface = new AppSurface(AppSurfaceRole::standard, 18);
    auto* layout = new QVBoxLayout(surface);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(12);

    auto* title = new QLineEdit;
    title->setPlaceholderText(QStringLiteral("What did you practise?"));
    title->setFont(AppTypography::body());
    EditorialInput::apply(title);
    auto* minutes = new QLineEdit;
    minutes->setPlaceholderText(QStringLiteral("Minutes"));
    minutes->setText(QStringLiteral("25"));
    minutes->setFont(AppTypography::withMonospacedDigits(AppTypography::body()));
    minutes->setFixedWidth(76);
    EditorialInput::apply(minutes);
    auto* titleRow = new QHBoxLayout;
    titleRow->setSpacing(12);
    titleRow->addWidget(title, 1);
    titleRow->addWidget(minutes);
    layout->addLayout(titleRow);

    auto* note = new QPlainTextEdit;
    note->setPlaceholderText(QStringLiteral("Note (optional)"));
    note->setPlainText(
        QStringLiteral("Kept the metronome at 72 and the shuffle finally sat back."));
    note->setFont(AppTypography::body());
    note->setFixedHeight(84);
    EditorialInput::apply(note);
    layout->addWidget(note);

    return section(QStringLiteral("Editorial input"),
                   QStringLiteral("The in-place editor’s fields"), surface);
}

QWidget* DesignGallery::buildFitSection() {
    auto* surface = new AppSurface(AppSurfaceRole::secondary, 16);
    auto* layout = new QVBoxLayout(surface);
    layout->setContentsMargins(22, 20, 22, 22);
    layout->setSpacing(14);

    auto* actions = new FirstFitContainer;
    auto* wide = new QWidget;
    {
        auto* wideLayout = new QHBoxLayout(wide);
        wideLayout->setContentsMargins(0, 0, 0, 0);
        wideLayout->setSpacing(16);
        wideLayout->addWidget(new AppButton(QStringLiteral("Pause"), QStringLiteral("pause.fill"),
                                            AppButtonRole::secondary));
        wideLayout->addWidget(new AppButton(QStringLiteral("Discard"), QStringLiteral("trash"),
                                            AppButtonRole::toolbar));
        wideLayout->addSpacing(140);
        wideLayout->addStretch(1);
        wideLayout->addWidget(new AppButton(QStringLiteral("Finish Practice"),
                                            QStringLiteral("checkmark"), AppButtonRole::primary));
    }
    auto* narrow = column(
        {new AppButton(QStringLiteral("Finish Practice"), QStringLiteral("checkmark"),
                       AppButtonRole::primary),
         new AppButton(QStringLiteral("Pause"), QStringLiteral("pause.fill"),
                       AppButtonRole::secondary),
         new AppButton(QStringLiteral("Discard"), QStringLiteral("trash"), AppButtonRole::toolbar)},
        12, Qt::AlignLeft);
    actions->addVariant(wide);
    actions->addVariant(narrow);

    layout->addWidget(eyebrow(QStringLiteral("FIRST VARIANT THAT FITS")));
    layout->addWidget(actions);
    layout->addWidget(new FitStatus(actions));

    return section(QStringLiteral("Fit"),
                   QStringLiteral("Side by side while it fits, stacked when it does not"), surface);
}

QWidget* DesignGallery::buildIconSection() {
    const QStringList names = AppIcons::symbolNames();
    auto* fit = new FirstFitContainer;
    for (int columns : {5, 3, 2}) {
        auto* surface = new AppSurface(AppSurfaceRole::standard, 18);
        auto* grid = new QGridLayout(surface);
        grid->setContentsMargins(24, 22, 24, 22);
        grid->setHorizontalSpacing(16);
        grid->setVerticalSpacing(14);
        for (qsizetype i = 0; i < names.size(); ++i) {
            auto* cell = new QWidget;
            auto* cellLayout = new QHBoxLayout(cell);
            cellLayout->setContentsMargins(0, 0, 0, 0);
            cellLayout->setSpacing(10);
            auto* symbol = new AppSymbolView(names[i], 17, AppColors::accent());
            symbol->setFrameWidth(24);
            cellLayout->addWidget(symbol);
            cellLayout->addWidget(
                new AppLabel(names[i], AppTypography::caption(), AppColors::secondaryText()));
            cellLayout->addStretch(1);
            cell->setMinimumWidth(150);
            grid->addWidget(cell, int(i) / columns, int(i) % columns);
        }
        fit->addVariant(surface);
    }
    return section(
        QStringLiteral("Symbols"),
        QStringLiteral("Every symbol name the screens use, drawn from the embedded icon font"),
        fit);
}

void DesignGallery::toggleAppearance() {
    const bool dark = AppColors::appearance(QApplication::palette()) == AppColors::Appearance::dark;
    QApplication::setPalette(
        AppColors::palette(dark ? AppColors::Appearance::light : AppColors::Appearance::dark));
}

} // namespace brevanta
