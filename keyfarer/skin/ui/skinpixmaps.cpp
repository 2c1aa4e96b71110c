#include "skin/ui/skinpixmaps.h"

#include "skin/fontmap.h"
#include "skin/greyscale.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QPainter>

#include <map>
#include <tuple>

namespace kf {

QColor ToQColor(ColorRef color)
{
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

QString ToQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

std::u16string FromQString(const QString& text)
{
    return text.toStdU16String();
}

QFont ToQFont(const FontDesc& font)
{
    static std::map<std::u16string, QString> chosen; // face → family, looked up once
    auto it = chosen.find(font.face);
    if (it == chosen.end()) {
        const QStringList families = QFontDatabase::families();
        QString family;
        for (const std::u16string& candidate : FontCandidates(font.face)) {
            const QString name = ToQString(candidate);
            if (families.contains(name, Qt::CaseInsensitive)) {
                family = name;
                break;
            }
        }
        it = chosen.emplace(font.face, family.isEmpty() ? ToQString(font.face) : family).first;
    }
    QFont f(it->second);
    f.setPointSize(std::max(1, font.pointSize));
    f.setWeight(font.weight >= 600 ? QFont::Bold : QFont::Normal);
    f.setItalic(font.italic);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QImage ToQImage(const CDib& dib)
{
    if (dib.IsNull())
        return {};
    if (!dib.HasColorTable()) {
        QImage image(dib.Width(), dib.Height(), QImage::Format_RGB32);
        for (int y = 0; y < dib.Height(); ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < dib.Width(); ++x) {
                const ColorRef c = dib.Pixels()[size_t(y) * size_t(dib.Width()) + size_t(x)];
                line[x] = qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
            }
        }
        return image;
    }
    QImage image(dib.Width(), dib.Height(), QImage::Format_Indexed8);
    QList<QRgb> table;
    table.reserve(qsizetype(dib.Palette().size()));
    for (size_t i = 0; i < dib.Palette().size(); ++i) {
        const ColorRef c = dib.Palette()[i];
        table.push_back(int(i) == dib.KeyIndex() ? qRgba(0, 0, 0, 0)
                                                 : qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
    }
    image.setColorTable(table);
    for (int y = 0; y < dib.Height(); ++y)
        std::copy_n(dib.Indices().data() + size_t(y) * size_t(dib.Width()), dib.Width(),
                    image.scanLine(y));
    return image;
}

namespace {

struct CachedPixmap
{
    unsigned generation;
    QPixmap pixmap;
};
using PixmapCache = std::map<std::pair<const CControlAspect*, std::string>, CachedPixmap>;
PixmapCache* g_cache = nullptr;

// Pixmaps must not outlive the application object: the cache goes with it.
void DropCache()
{
    delete g_cache;
    g_cache = nullptr;
}

} // namespace

QPixmap SkinPixmap(const CControlAspect& look, std::string_view name)
{
    if (!g_cache) {
        g_cache = new PixmapCache;
        qAddPostRoutine(DropCache);
    }
    const auto key = std::make_pair(&look, std::string(name));
    auto it = g_cache->find(key);
    if (it != g_cache->end() && it->second.generation == look.Generation())
        return it->second.pixmap;
    const CDib* dib = look.Bitmap(name);
    QPixmap pixmap = dib ? QPixmap::fromImage(ToQImage(*dib)) : QPixmap();
    (*g_cache)[key] = {look.Generation(), pixmap};
    return pixmap;
}

QRegion ToQRegion(const CSkinRegion& region)
{
    const SkinRect& b = region.Base();
    QRegion out(b.left, b.top, b.Width(), b.Height());
    for (const SkinRect& cut : region.Cuts())
        out -= QRegion(cut.left, cut.top, cut.Width(), cut.Height());
    return out;
}

QImage DimmedCopy(const QImage& image)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y)
        GreyByChannelMean(reinterpret_cast<uint32_t*>(out.scanLine(y)), size_t(out.width()));
    return out;
}

void DrawThreeSlice(QPainter& p, const QPixmap& pm, const QRect& s, const QRect& t, int edge)
{
    edge = std::min({edge, s.width() / 2, t.width() / 2});
    p.drawPixmap(QRect(t.left(), t.top(), edge, t.height()), pm,
                 QRect(s.left(), s.top(), edge, s.height()));
    p.drawPixmap(QRect(t.left() + edge, t.top(), t.width() - 2 * edge, t.height()), pm,
                 QRect(s.left() + edge, s.top(), s.width() - 2 * edge, s.height()));
    p.drawPixmap(QRect(t.right() + 1 - edge, t.top(), edge, t.height()), pm,
                 QRect(s.right() + 1 - edge, s.top(), edge, s.height()));
}

void DrawThreeSliceVertical(QPainter& p, const QPixmap& pm, const QRect& s, const QRect& t,
                            int edge)
{
    edge = std::min({edge, s.height() / 2, t.height() / 2});
    p.drawPixmap(QRect(t.left(), t.top(), t.width(), edge), pm,
                 QRect(s.left(), s.top(), s.width(), edge));
    p.drawPixmap(QRect(t.left(), t.top() + edge, t.width(), t.height() - 2 * edge), pm,
                 QRect(s.left(), s.top() + edge, s.width(), s.height() - 2 * edge));
    p.drawPixmap(QRect(t.left(), t.bottom() + 1 - edge, t.width(), edge), pm,
                 QRect(s.left(), s.bottom() + 1 - edge, s.width(), edge));
}

void DrawNineSlice(QPainter& p, const QPixmap& pm, const QRect& s, const QRect& t, int l, int tp,
                   int r, int b)
{
    const int sx[4] = {s.left(), s.left() + l, s.right() + 1 - r, s.right() + 1};
    const int sy[4] = {s.top(), s.top() + tp, s.bottom() + 1 - b, s.bottom() + 1};
    const int tx[4] = {t.left(), t.left() + l, t.right() + 1 - r, t.right() + 1};
    const int ty[4] = {t.top(), t.top() + tp, t.bottom() + 1 - b, t.bottom() + 1};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            const QRect target(tx[col], ty[row], tx[col + 1] - tx[col], ty[row + 1] - ty[row]);
            const QRect source(sx[col], sy[row], sx[col + 1] - sx[col], sy[row + 1] - sy[row]);
            if (target.width() > 0 && target.height() > 0 && source.width() > 0 &&
                source.height() > 0)
                p.drawPixmap(target, pm, source);
        }
}

} // namespace kf
