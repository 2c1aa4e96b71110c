// kf_skinrender: renders the skin's SVG sources into the 8-bit palette bitmaps the look
// loads, following the manifest (skin.txt):
//
//   bitmap NAME W H opaque|keyed [matte=#RRGGBB] src=FILE.svg
//       the SVG drawn at W × H; "keyed" pictures get the key colour at palette index 0 for
//       pixels less than half covered, the others are blended over the matte colour.
//   iconstrip NAME CELL keyed matte=#RRGGBB tiles=FILE.svg tints=#..,#.. icons=DIR ids=a,b,...
//       one row per id, one column per tile of the tiles picture (a row of square cells);
//       each cell is the tile with the icon DIR/ID.svg drawn over it in that column's tint.
//
// kf_skinrender MANIFEST SOURCE_DIR OUT_DIR [PNG_DIR]
// PNG_DIR, when given, receives a PNG of every bitmap as the palette shows it, for review.

#include "skin/bmpcodec.h"
#include "skin/palettequantizer.h"

#include <QColor>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

#include <cstdio>
#include <map>

namespace {

struct Job
{
    QString kind, name;
    int width = 0, height = 0, cell = 0;
    bool keyed = false;
    QColor matte = Qt::white;
    std::map<QString, QString> options;
};

bool Fail(const QString& message)
{
    std::fprintf(stderr, "kf_skinrender: %s\n", qPrintable(message));
    return false;
}

QImage Render(const QString& file, int w, int h, bool* ok)
{
    QSvgRenderer svg(file);
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    *ok = svg.isValid();
    if (!*ok)
        return image;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    svg.render(&p, QRectF(0, 0, w, h));
    return image;
}

kf::RgbaImage ToRgba(const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    kf::RgbaImage out;
    out.width = argb.width();
    out.height = argb.height();
    out.pixels.reserve(size_t(out.width) * size_t(out.height));
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        out.pixels.insert(out.pixels.end(), line, line + argb.width());
    }
    return out;
}

bool Save(const Job& job, const QImage& image, const QString& outDir, const QString& pngDir)
{
    kf::QuantizeOptions options;
    options.matte = kf::MakeRgb(job.matte.red(), job.matte.green(), job.matte.blue());
    if (!job.keyed)
        options.alphaThreshold = 0; // every pixel counts, blended over the matte
    options.alwaysKey = job.keyed;
    const kf::CDib dib = kf::QuantizeToPalette(ToRgba(image), options);
    const std::vector<uint8_t> bytes = kf::WriteBmp8(dib);
    if (bytes.empty())
        return Fail(job.name + ": could not encode");
    QFile file(outDir + "/" + job.name + ".bmp");
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) !=
            qint64(bytes.size()))
        return Fail(file.fileName() + ": " + file.errorString());
    if (!pngDir.isEmpty()) {
        QImage preview(dib.Width(), dib.Height(), QImage::Format_ARGB32);
        for (int y = 0; y < dib.Height(); ++y)
            for (int x = 0; x < dib.Width(); ++x) {
                const uint8_t index = dib.Indices()[size_t(y * dib.Width() + x)];
                const kf::ColorRef c = dib.Palette()[index];
                preview.setPixel(x, y,
                                 dib.KeyIndex() == int(index)
                                     ? qRgba(0, 0, 0, 0)
                                     : qRgb(kf::GetRValue(c), kf::GetGValue(c), kf::GetBValue(c)));
            }
        preview.save(pngDir + "/" + job.name + ".png");
    }
    return true;
}

bool RunBitmap(const Job& job, const QString& srcDir, QImage& out)
{
    bool ok = false;
    out = Render(srcDir + "/" + job.options.at("src"), job.width, job.height, &ok);
    return ok || Fail(job.name + ": cannot read " + job.options.at("src"));
}

bool RunIconStrip(const Job& job, const QString& srcDir, QImage& out)
{
    const QStringList ids = job.options.at("ids").split(',');
    const QStringList tints = job.options.at("tints").split(',');
    const int cell = job.cell;
    bool ok = false;
    const QImage tiles =
        Render(srcDir + "/" + job.options.at("tiles"), cell * int(tints.size()), cell, &ok);
    if (!ok)
        return Fail(job.name + ": cannot read " + job.options.at("tiles"));
    const int inset = cell / 5;
    out = QImage(cell * int(tints.size()), cell * int(ids.size()), QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    QPainter p(&out);
    for (int row = 0; row < ids.size(); ++row) {
        const QString file = srcDir + "/" + job.options.at("icons") + "/" + ids[row] + ".svg";
        QSvgRenderer svg(file);
        if (!svg.isValid())
            return Fail(job.name + ": cannot read " + file);
        for (int col = 0; col < tints.size(); ++col) {
            const QRect target(col * cell, row * cell, cell, cell);
            p.drawImage(target.topLeft(), tiles.copy(col * cell, 0, cell, cell));
            // The glyph is drawn in the column's tint: its shapes give the coverage.
            QImage glyph(cell - 2 * inset, cell - 2 * inset, QImage::Format_ARGB32_Premultiplied);
            glyph.fill(Qt::transparent);
            {
                QPainter g(&glyph);
                g.setRenderHint(QPainter::Antialiasing);
                svg.render(&g, QRectF(0, 0, glyph.width(), glyph.height()));
                g.setCompositionMode(QPainter::CompositionMode_SourceIn);
                g.fillRect(glyph.rect(), QColor(tints[col]));
            }
            const int shift =
                job.options.count("pressed") && job.options.at("pressed").toInt() == col ? 1 : 0;
            p.drawImage(target.left() + inset, target.top() + inset + shift, glyph);
        }
    }
    return true;
}

bool ParseLine(const QString& line, Job& job)
{
    const QStringList words = line.split(' ', Qt::SkipEmptyParts);
    if (words.size() < 4)
        return Fail("manifest line too short: " + line);
    job.kind = words[0];
    job.name = words[1];
    int next = 2;
    if (job.kind == "bitmap") {
        if (words.size() < 6)
            return Fail("bitmap needs NAME W H MODE: " + line);
        job.width = words[2].toInt();
        job.height = words[3].toInt();
        job.keyed = words[4] == "keyed";
        next = 5;
    } else if (job.kind == "iconstrip") {
        job.cell = words[2].toInt();
        job.keyed = words[3] == "keyed";
        next = 4;
    } else {
        return Fail("unknown manifest entry: " + line);
    }
    for (int i = next; i < words.size(); ++i) {
        const int eq = words[i].indexOf('=');
        if (eq <= 0)
            return Fail("option without a value: " + words[i]);
        job.options[words[i].left(eq)] = words[i].mid(eq + 1);
    }
    if (job.options.count("matte"))
        job.matte = QColor(job.options["matte"]);
    const char* needed = job.kind == "bitmap" ? "src" : "ids";
    if (!job.options.count(needed))
        return Fail(job.name + ": missing " + needed);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 4)
        return Fail("usage: kf_skinrender MANIFEST SOURCE_DIR OUT_DIR [PNG_DIR]"), 2;
    const QString srcDir = QString::fromLocal8Bit(argv[2]);
    const QString outDir = QString::fromLocal8Bit(argv[3]);
    const QString pngDir = argc > 4 ? QString::fromLocal8Bit(argv[4]) : QString();
    QFile manifest(QString::fromLocal8Bit(argv[1]));
    if (!manifest.open(QIODevice::ReadOnly | QIODevice::Text))
        return Fail("cannot read the manifest"), 1;
    QTextStream in(&manifest);
    int failures = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        Job job;
        QImage image;
        const bool ok = ParseLine(line, job) &&
                        (job.kind == "bitmap" ? RunBitmap(job, srcDir, image)
                                              : RunIconStrip(job, srcDir, image)) &&
                        Save(job, image, outDir, pngDir);
        failures += ok ? 0 : 1;
    }
    return failures == 0 ? 0 : 1;
}
