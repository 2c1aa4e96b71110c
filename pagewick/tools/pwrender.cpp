// pwrender: renders one SVG picture of pagewick's skin into a PNG at build time.
//
//   pwrender IN.svg OUT.png [--scale N] [--key] [--swap FROM|TO]...
//
// --swap replaces a text of the SVG source before rendering (a colour, an opacity, a label), so
// that a button's highlight picture and its labelled variants come from one drawing.
// --key makes the picture opaque and paints every pixel the drawing leaves (mostly) transparent
// in magenta (255, 0, 255), the colour the window turns transparent; edges are cut hard so that
// no pinkish fringe is left around the window's shape.

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

int Fail(const char* what, const QString& detail)
{
    std::fprintf(stderr, "pwrender: %s %s\n", what, qPrintable(detail));
    return 1;
}

void ApplyColourKey(QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = line[x];
            const int a = qAlpha(p);
            if (a < 128) {
                line[x] = qRgb(255, 0, 255);
                continue;
            }
            // Straight colour from the premultiplied pixel, made opaque.
            line[x] = qRgb(qMin(255, qRed(p) * 255 / a), qMin(255, qGreen(p) * 255 / a),
                           qMin(255, qBlue(p) * 255 / a));
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return Fail("usage:", "pwrender IN.svg OUT.png [--scale N] [--key] [--swap FROM|TO]...");

    QFile in(args[1]);
    if (!in.open(QIODevice::ReadOnly))
        return Fail("cannot read", args[1]);
    QByteArray svg = in.readAll();

    qreal scale = 1;
    bool key = false;
    for (int i = 3; i < args.size(); ++i) {
        if (args[i] == "--key") {
            key = true;
        } else if (args[i] == "--scale" && i + 1 < args.size()) {
            scale = args[++i].toDouble();
        } else if (args[i] == "--swap" && i + 1 < args.size()) {
            const QString swap = args[++i];
            const int eq = swap.indexOf(QLatin1Char('|'));
            if (eq <= 0)
                return Fail("bad --swap", swap);
            const QByteArray from = swap.left(eq).toUtf8();
            if (!svg.contains(from))
                return Fail("--swap finds nothing to replace:", swap.left(eq) + " in " + args[1]);
            svg.replace(from, swap.mid(eq + 1).toUtf8());
        } else {
            return Fail("unknown argument", args[i]);
        }
    }

    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        return Fail("not a valid SVG:", args[1]);
    const QSize size = (QSizeF(renderer.defaultSize()) * scale).toSize();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    if (key) {
        ApplyColourKey(image);
        image = image.convertToFormat(QImage::Format_RGB32);
    }
    if (!image.save(args[2], "PNG"))
        return Fail("cannot write", args[2]);
    return 0;
}
