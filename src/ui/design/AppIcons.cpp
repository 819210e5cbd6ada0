// SPDX-License-Identifier: MIT
#include "ui/design/AppIcons.h"

#include "ui/design/AppColors.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QResource>

#include <algorithm>
#include <array>
#include <cmath>

namespace brevanta {

namespace {

struct SymbolGlyph {
    QStringView symbolName;
    char16_t codepoint;
};

// Material Icons codepoints, chosen for the closest meaning and shape to each symbol.
constexpr std::array symbolTable{
    SymbolGlyph{u"sparkles", 0xe65f},                       // auto_awesome
    SymbolGlyph{u"sparkle", 0xf0ec},                        // star_rate
    SymbolGlyph{u"arrow.uturn.backward", 0xe166},           // undo
    SymbolGlyph{u"arrow.up.right", 0xf1e1},                 // north_east
    SymbolGlyph{u"play.fill", 0xe037},                      // play_arrow
    SymbolGlyph{u"pause.fill", 0xe034},                     // pause
    SymbolGlyph{u"stop.fill", 0xe047},                      // stop
    SymbolGlyph{u"plus", 0xe145},                           // add
    SymbolGlyph{u"checkmark", 0xe5ca},                      // check
    SymbolGlyph{u"checkmark.circle.fill", 0xe86c},          // check_circle
    SymbolGlyph{u"xmark", 0xe5cd},                          // close
    SymbolGlyph{u"trash", 0xe872},                          // delete
    SymbolGlyph{u"pencil", 0xe3c9},                         // edit
    SymbolGlyph{u"square.and.pencil", 0xe745},              // edit_note
    SymbolGlyph{u"square.and.arrow.down", 0xe171},          // save_alt
    SymbolGlyph{u"ellipsis.circle", 0xe5d3},                // more_horiz
    SymbolGlyph{u"chevron.left", 0xe5cb},                   // chevron_left
    SymbolGlyph{u"chevron.right", 0xe5cc},                  // chevron_right
    SymbolGlyph{u"chevron.up", 0xe5ce},                     // expand_less
    SymbolGlyph{u"chevron.down", 0xe5cf},                   // expand_more
    SymbolGlyph{u"house", 0xe88a},                          // home
    SymbolGlyph{u"book.closed", 0xe865},                    // book
    SymbolGlyph{u"chart.bar", 0xe26b},                      // bar_chart
    SymbolGlyph{u"sidebar.left", 0xf114},                   // view_sidebar
    SymbolGlyph{u"magnifyingglass", 0xe8b6},                // search
    SymbolGlyph{u"music.note.list", 0xe03d},                // queue_music
    SymbolGlyph{u"guitars", 0xe405},                        // music_note
    SymbolGlyph{u"waveform", 0xe1b8},                       // graphic_eq
    SymbolGlyph{u"calendar", 0xe935},                       // calendar_today
    SymbolGlyph{u"calendar.badge.exclamationmark", 0xe615}, // event_busy
    SymbolGlyph{u"exclamationmark.circle", 0xe001},         // error_outline
    SymbolGlyph{u"exclamationmark.triangle.fill", 0xe002},  // warning
};

// Material glyphs fill about 20 of their 24 units; this makes a symbol match its text.
constexpr qreal emPerTextSize = 1.2;

const SymbolGlyph* find(QStringView symbolName) {
    const auto it =
        std::find_if(symbolTable.begin(), symbolTable.end(),
                     [&](const SymbolGlyph& entry) { return entry.symbolName == symbolName; });
    return it == symbolTable.end() ? nullptr : &*it;
}

/// Draws the glyph on demand, resolving its colour against the application palette each time.
class SymbolIconEngine final : public QIconEngine {
public:
    SymbolIconEngine(QString symbolName, AppColor color)
        : m_symbolName(std::move(symbolName))
        , m_color(color) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        QColor color = m_color.resolve(QGuiApplication::palette());
        if (mode == QIcon::Disabled)
            color.setAlphaF(color.alphaF() * 0.4f);
        AppIcons::paint(*painter, rect, m_symbolName, color);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        QPixmap pixmap(size * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(), size), mode, state);
        return pixmap;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine* clone() const override { return new SymbolIconEngine(m_symbolName, m_color); }
    QString key() const override { return QStringLiteral("brevanta-symbol"); }
    QString iconName() override { return m_symbolName; }
    bool isNull() override { return !AppIcons::contains(m_symbolName); }

private:
    QString m_symbolName;
    AppColor m_color;
};

} // namespace

QStringList AppIcons::symbolNames() {
    QStringList names;
    names.reserve(qsizetype(symbolTable.size()));
    for (const auto& entry : symbolTable)
        names.append(entry.symbolName.toString());
    return names;
}

bool AppIcons::contains(QStringView symbolName) {
    return find(symbolName) != nullptr;
}

QString AppIcons::glyph(QStringView symbolName) {
    const SymbolGlyph* entry = find(symbolName);
    return entry ? QString(QChar(entry->codepoint)) : QString();
}

QString AppIcons::fontFamily() {
    // Registered once per process; the font travels inside the binary's resources. The desktop's
    // fonts are read first: a desktop copy of the same family read after ours would stand in for
    // it, and a web-font copy (WOFF2) costs tens of milliseconds to open.
    static const QString family = [] {
        QFontDatabase::families();
        // Read where the binary keeps it (stored uncompressed for this): registered by file name,
        // Qt would copy the resource's bytes into memory once to register the font and once more
        // to draw with it.
        const QResource resource(QStringLiteral(":/brevanta/fonts/MaterialIcons-Regular.ttf"));
        const QByteArray bytes =
            resource.compressionAlgorithm() == QResource::NoCompression
                ? QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()),
                                          qsizetype(resource.size()))
                : resource.uncompressedData();
        const int id = QFontDatabase::addApplicationFontFromData(bytes);
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        return families.isEmpty() ? QStringLiteral("Material Icons") : families.first();
    }();
    return family;
}

QFont AppIcons::font(int emPixels) {
    QFont font(fontFamily());
    font.setPixelSize(std::max(1, emPixels));
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

int AppIcons::emForTextSize(qreal textSize) {
    return std::max(1, int(std::lround(textSize * emPerTextSize)));
}

void AppIcons::paint(QPainter& painter, const QRectF& rect, QStringView symbolName,
                     const QColor& color) {
    const QString text = glyph(symbolName);
    if (text.isEmpty() || rect.isEmpty())
        return;
    const int em = std::max(1, int(std::floor(std::min(rect.width(), rect.height()))));
    // The glyph's em box is square with the baseline at its bottom edge.
    const QPointF baseline(rect.center().x() - em / 2.0, rect.center().y() + em / 2.0);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font(em));
    painter.setPen(color);
    painter.drawText(baseline, text);
    painter.restore();
}

QIcon AppIcons::icon(QStringView symbolName, const AppColor& color) {
    if (!contains(symbolName))
        return {};
    return QIcon(new SymbolIconEngine(symbolName.toString(), color));
}

} // namespace brevanta
