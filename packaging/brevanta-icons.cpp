// SPDX-License-Identifier: MIT
// Build-time tool: paints the brand mark into the freedesktop icon theme layout, as PNG at every
// launcher size and as SVG, with the same painting code the app draws its mark with.
//   brevanta-icons OUTPUT-FOLDER ICON-NAME
#include "ui/design/BrevantaBrandMark.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLinearGradient>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int svgSide = 64;

QByteArray number(qreal value) {
    return QByteArray::number(value, 'g', 6);
}

QByteArray colour(const QColor& color) {
    return color.name(QColor::HexRgb).toLatin1();
}

/// Writes what a QPainter draws as SVG elements: paths and polylines, with solid or linear
/// gradient fills and plain strokes. That is all the brand mark uses; anything else is refused
/// so an icon can never silently lose a shape.
class SvgPaintEngine final : public QPaintEngine {
public:
    SvgPaintEngine()
        : QPaintEngine(AllFeatures) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }
    void updateState(const QPaintEngineState& state) override {
        m_pen = state.pen();
        m_brush = state.brush();
        m_transform = state.transform();
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { m_unsupported = true; }
    void drawPath(const QPainterPath& path) override { emitShape(path, true); }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        QPainterPath path(points[0]);
        for (int index = 1; index < count; ++index)
            path.lineTo(points[index]);
        if (mode != PolylineMode)
            path.closeSubpath();
        emitShape(path, mode != PolylineMode);
    }

    QByteArray document(int side) const {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
               QByteArray::number(side) + "\" height=\"" + QByteArray::number(side) +
               "\" viewBox=\"0 0 " + QByteArray::number(side) + ' ' + QByteArray::number(side) +
               "\">\n<defs>\n" + m_definitions + "</defs>\n" + m_body + "</svg>\n";
    }
    bool usedUnsupported() const { return m_unsupported; }

private:
    QByteArray fill() {
        switch (m_brush.style()) {
        case Qt::NoBrush:
            return "fill=\"none\"";
        case Qt::SolidPattern:
            return "fill=\"" + colour(m_brush.color()) + "\" fill-opacity=\"" +
                   number(m_brush.color().alphaF()) + '"';
        case Qt::LinearGradientPattern: {
            const auto* gradient = static_cast<const QLinearGradient*>(m_brush.gradient());
            const QByteArray id = "fill" + QByteArray::number(++m_gradients);
            m_definitions +=
                "<linearGradient id=\"" + id + "\" gradientUnits=\"userSpaceOnUse\" x1=\"" +
                number(gradient->start().x()) + "\" y1=\"" + number(gradient->start().y()) +
                "\" x2=\"" + number(gradient->finalStop().x()) + "\" y2=\"" +
                number(gradient->finalStop().y()) + "\">\n";
            for (const QGradientStop& stop : gradient->stops()) {
                m_definitions += "  <stop offset=\"" + number(stop.first) + "\" stop-color=\"" +
                                 colour(stop.second) + "\" stop-opacity=\"" +
                                 number(stop.second.alphaF()) + "\"/>\n";
            }
            m_definitions += "</linearGradient>\n";
            return "fill=\"url(#" + id + ")\"";
        }
        default:
            m_unsupported = true;
            return "fill=\"none\"";
        }
    }

    QByteArray stroke() {
        if (m_pen.style() == Qt::NoPen || m_pen.brush().style() != Qt::SolidPattern)
            return m_pen.style() == Qt::NoPen ? "stroke=\"none\"" : (m_unsupported = true, "");
        const QByteArray cap = m_pen.capStyle() == Qt::RoundCap    ? "round"
                               : m_pen.capStyle() == Qt::SquareCap ? "square"
                                                                   : "butt";
        const QByteArray join = m_pen.joinStyle() == Qt::RoundJoin   ? "round"
                                : m_pen.joinStyle() == Qt::MiterJoin ? "miter"
                                                                     : "bevel";
        return "stroke=\"" + colour(m_pen.color()) + "\" stroke-opacity=\"" +
               number(m_pen.color().alphaF()) + "\" stroke-width=\"" + number(m_pen.widthF()) +
               "\" stroke-linecap=\"" + cap + "\" stroke-linejoin=\"" + join + '"';
    }

    void emitShape(const QPainterPath& path, bool filled) {
        QByteArray data;
        QPointF subpathStart;
        QPointF last;
        // A subpath that ends where it began was closed: say so, so strokes join there.
        const auto closeIfBack = [&] {
            if (!data.isEmpty() && last == subpathStart)
                data += "Z ";
        };
        for (int index = 0; index < path.elementCount(); ++index) {
            const QPainterPath::Element element = path.elementAt(index);
            switch (element.type) {
            case QPainterPath::MoveToElement:
                closeIfBack();
                subpathStart = element;
                data += 'M';
                break;
            case QPainterPath::LineToElement:
                data += 'L';
                break;
            case QPainterPath::CurveToElement:
                data += 'C';
                break;
            case QPainterPath::CurveToDataElement:
                break;
            }
            last = element;
            data += number(element.x) + ' ' + number(element.y) + ' ';
        }
        closeIfBack();
        const QTransform& t = m_transform;
        m_body += "<path d=\"" + data.trimmed() + "\" transform=\"matrix(" + number(t.m11()) + ' ' +
                  number(t.m12()) + ' ' + number(t.m21()) + ' ' + number(t.m22()) + ' ' +
                  number(t.dx()) + ' ' + number(t.dy()) + ")\" fill-rule=\"" +
                  (path.fillRule() == Qt::WindingFill ? "nonzero" : "evenodd") + "\" " +
                  (filled ? fill() : QByteArray("fill=\"none\"")) + ' ' + stroke() + "/>\n";
    }

    QPen m_pen;
    QBrush m_brush;
    QTransform m_transform;
    QByteArray m_definitions;
    QByteArray m_body;
    int m_gradients = 0;
    bool m_unsupported = false;
};

class SvgDevice final : public QPaintDevice {
public:
    explicit SvgDevice(int side)
        : m_side(side) {}
    QPaintEngine* paintEngine() const override { return &m_engine; }
    SvgPaintEngine& engine() { return m_engine; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
        case PdmHeight:
            return m_side;
        case PdmWidthMM:
        case PdmHeightMM:
            return m_side * 254 / 960;
        case PdmNumColors:
            return 0x7fffffff;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    int m_side;
    mutable SvgPaintEngine m_engine;
};

bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fputs("usage: brevanta-icons OUTPUT-FOLDER ICON-NAME\n", stderr);
        return EXIT_FAILURE;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    const QString name = QString::fromLocal8Bit(argv[2]);

    for (const int size : {16, 24, 32, 48, 64, 128, 256, 512}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            brevanta::BrevantaBrandMark::paint(painter, QRectF(0, 0, size, size));
        }
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        QDir().mkpath(output.filePath(folder));
        if (!image.save(
                output.filePath(folder + QLatin1Char('/') + name + QStringLiteral(".png")))) {
            std::fputs("brevanta-icons: could not write a PNG icon\n", stderr);
            return EXIT_FAILURE;
        }
    }

    SvgDevice svg(svgSide);
    {
        QPainter painter(&svg);
        brevanta::BrevantaBrandMark::paint(painter, QRectF(0, 0, svgSide, svgSide));
    }
    if (svg.engine().usedUnsupported()) {
        std::fputs("brevanta-icons: the mark uses drawing the SVG writer does not know\n", stderr);
        return EXIT_FAILURE;
    }
    if (!writeFile(
            output.filePath(QStringLiteral("scalable/apps/") + name + QStringLiteral(".svg")),
            svg.engine().document(svgSide))) {
        std::fputs("brevanta-icons: could not write the SVG icon\n", stderr);
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
