// SPDX-License-Identifier: MIT
#include "ui/insights/InsightsAccessibility.h"

#include "ui/design/AppAccessibleElement.h"
#include "ui/insights/CalendarHeatmapBandView.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>

namespace brevanta {

namespace {

const char* const roleProperty = "brevantaInsightsAccessibleRole";

/// A widget with a role of its own; name and description are the widget's.
class RoleAccessible final : public QAccessibleWidget {
public:
    RoleAccessible(QWidget* widget, QAccessible::Role role)
        : QAccessibleWidget(widget, role) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            if (const auto* label = qobject_cast<const QLabel*>(widget()))
                return label->text();
        }
        return QAccessibleWidget::text(kind);
    }
};

/// One day of a heatmap band. It holds the band and the day's place among the exposed days,
/// and reads everything else from the band when asked, so it never shows stale figures.
class HeatmapDayAccessible final : public AppAccessibleElement {
public:
    HeatmapDayAccessible(CalendarHeatmapBandView* band, int index)
        : m_band(band)
        , m_index(index) {}

    CalendarHeatmapBandView* band() const { return m_band; }
    int index() const { return m_index; }

    bool isValid() const override { return m_band && m_index < int(m_band->exposedCells().size()); }

    QString text(QAccessible::Text kind) const override {
        if (!isValid())
            return {};
        switch (kind) {
        case QAccessible::Name:
            return m_band->dayName(m_index);
        // The value doubles as the description, which is what reaches a screen reader on
        // every platform.
        case QAccessible::Value:
        case QAccessible::Description:
            return m_band->dayValue(m_index);
        default:
            return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        if (!isValid())
            return {};
        const QRect local =
            m_band->cellRect(m_band->exposedCells()[std::size_t(m_index)]).toAlignedRect();
        return QRect(m_band->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.focusable = m_band->focusPolicy() != Qt::NoFocus;
        state.focused = m_band->hasFocus() && m_band->focusedIndex() == m_index;
        state.invisible = !m_band->isVisible();
        state.readOnly = true;
        return state;
    }

protected:
    QWidget* host() const override { return m_band; }

private:
    QPointer<CalendarHeatmapBandView> m_band;
    int m_index;
};

class HeatmapBandAccessible final : public QAccessibleWidget {
public:
    explicit HeatmapBandAccessible(CalendarHeatmapBandView* band)
        : QAccessibleWidget(band, QAccessible::List) {}

    CalendarHeatmapBandView* band() const {
        return static_cast<CalendarHeatmapBandView*>(widget());
    }

    int childCount() const override { return int(band()->exposedCells().size()); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount())
            return nullptr;
        return QAccessible::accessibleInterface(band()->accessibleDayId(index));
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* day = dynamic_cast<const HeatmapDayAccessible*>(child);
        return day && day->band() == band() && day->isValid() ? day->index() : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const std::optional<int> index =
            band()->exposedIndexAt(band()->mapFromGlobal(QPoint(x, y)));
        return index ? child(*index) : nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        if (!band()->hasFocus() || !band()->focusedIndex())
            return nullptr;
        return child(*band()->focusedIndex());
    }
};

QAccessibleInterface* insightsFactory(const QString&, QObject* object) {
    if (auto* band = qobject_cast<CalendarHeatmapBandView*>(object))
        return new HeatmapBandAccessible(band);
    if (object && object->isWidgetType()) {
        const QVariant role = object->property(roleProperty);
        if (role.isValid())
            return new RoleAccessible(static_cast<QWidget*>(object),
                                      QAccessible::Role(role.toInt()));
    }
    return nullptr;
}

} // namespace

void InsightsAccessibility::install() {
    static const bool installed = [] {
        QAccessible::installFactory(insightsFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

QAccessibleInterface* InsightsAccessibility::makeHeatmapDay(CalendarHeatmapBandView* band,
                                                            int exposedIndex) {
    return new HeatmapDayAccessible(band, exposedIndex);
}

void InsightsAccessibility::setRole(QWidget* widget, QAccessible::Role role) {
    install();
    widget->setProperty(roleProperty, int(role));
    // Setting a widget's text or name already made and kept its plain interface; drop it, so
    // the next question gets the one with the role.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget);
        made && made->role() != role)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

} // namespace brevanta
