// SPDX-License-Identifier: MIT
#include "ui/design/AppLabel.h"

#include <QApplication>
#include <QEvent>

namespace brevanta {

AppLabel::AppLabel(const QString& text, const QFont& font, const AppColor& color, QWidget* parent)
    : QLabel(text, parent)
    , m_color(color) {
    setFont(font);
    setTextFormat(Qt::PlainText);
    applyColor();
}

void AppLabel::setColor(const AppColor& color) {
    m_color = color;
    applyColor();
}

int AppLabel::heightForWidth(int width) const {
    TextSetting setting = textSetting();
    if (!(setting == m_measuredSetting)) {
        m_measuredSetting = std::move(setting);
        forgetHeights();
    }
    for (const HeightAtWidth& known : m_heights) {
        if (known.width == width)
            return known.height;
    }
    const int height = QLabel::heightForWidth(width);
    m_heights[m_nextHeight] = {width, height};
    m_nextHeight = (m_nextHeight + 1) % m_heights.size();
    return height;
}

AppLabel::TextSetting AppLabel::textSetting() const {
    return {text(),   font(),      contentsMargins(), margin(),
            indent(), alignment(), textFormat(),      wordWrap()};
}

void AppLabel::forgetHeights() const {
    m_heights.fill({});
}

bool AppLabel::event(QEvent* event) {
    const bool handled = QLabel::event(event);
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::StyleChange:
    case QEvent::ScreenChangeInternal:
        // The same font may measure differently on another screen or in another style.
        forgetHeights();
        break;
    case QEvent::PaletteChange:
    case QEvent::ApplicationPaletteChange:
    case QEvent::ParentChange:
        applyColor();
        break;
    default:
        break;
    }
    return handled;
}

void AppLabel::applyColor() {
    // Resolve against what the label inherits, never against its own overridden text colour,
    // or the secondary colours would fade again on every change.
    if (m_applying)
        return;
    const QPalette inherited = parentWidget() ? parentWidget()->palette() : QApplication::palette();
    const QColor color = m_color.resolve(inherited);
    if (palette().color(QPalette::WindowText) == color && palette().color(QPalette::Text) == color)
        return;
    // Only the text roles are set, so every other role keeps following the parent.
    QColor disabled = color;
    disabled.setAlphaF(color.alphaF() * 0.5f);
    QPalette own;
    for (const auto role : {QPalette::WindowText, QPalette::Text}) {
        own.setColor(role, color);
        own.setColor(QPalette::Disabled, role, disabled);
    }
    m_applying = true;
    setPalette(own);
    m_applying = false;
}

} // namespace brevanta
