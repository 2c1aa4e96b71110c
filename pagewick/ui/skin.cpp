#include "ui/skin.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>

namespace pw {

Skin::Skin(const QString& folder) : m_folder(folder)
{
}

QString Skin::StyleSheet()
{
    return QStringLiteral(
        "QWidget { font-family: 'DejaVu Sans'; font-size: 12px; color: #23384d; }"
        "QTreeView { background: #ffffff; border: none; selection-background-color: #d6efeb;"
        "  selection-color: #153a36; alternate-background-color: #f7fafc; outline: 0; }"
        "QTreeView::item { padding: 3px 4px; }"
        "QHeaderView::section { background: #eef3f7; color: #44617e; border: none;"
        "  border-bottom: 1px solid #d3dce6; border-right: 1px solid #e1e8ef; padding: 4px 6px;"
        "  font-weight: bold; font-size: 11px; }"
        "QLineEdit, QPlainTextEdit { background: #ffffff; border: 1px solid #c3cfdb;"
        "  border-radius: 5px; padding: 3px 6px; selection-background-color: #1f9e8f; }"
        "QLineEdit:focus, QPlainTextEdit:focus { border: 1px solid #1f9e8f; }"
        "QComboBox { background: #ffffff; border: 1px solid #c3cfdb; border-radius: 5px;"
        "  padding: 2px 8px; }"
        "QComboBox:focus { border: 1px solid #1f9e8f; }"
        "QComboBox::drop-down { border: none; width: 18px; }"
        "QComboBox QAbstractItemView { background: #ffffff; selection-background-color: #d6efeb;"
        "  selection-color: #153a36; border: 1px solid #c3cfdb; }"
        "QLabel#lblText { color: #7d93a8; font-size: 14px; }"
        "QLabel#lblPB { color: #44617e; }"
        "QLabel#lblSending { color: #1f6f66; font-weight: bold; }"
        "QToolTip { background: #23384d; color: #ffffff; border: none; padding: 4px; }"
        "QMenu { background: #ffffff; border: 1px solid #c3cfdb; padding: 4px; }"
        "QMenu::item { padding: 5px 24px 5px 14px; border-radius: 4px; }"
        "QMenu::item:selected { background: #d6efeb; color: #153a36; }"
        "QMenu::item:disabled { color: #9aabbb; }"
        "QMenu::separator { height: 1px; background: #e1e8ef; margin: 4px 6px; }"
        "QMessageBox { background: #f4f7fa; border: 1px solid #c3cfdb; }"
        "QMessageBox QLabel { color: #23384d; font-size: 12px; padding: 4px 10px; }"
        "QMessageBox QPushButton { background: #1f9e8f; color: #ffffff; border: none;"
        "  border-radius: 6px; padding: 6px 22px; font-weight: bold; min-width: 60px; }"
        "QMessageBox QPushButton:hover { background: #27b5a4; }"
        "QLabel#lblFeed { color: #1f6f9e; }"
        "QLabel#lblFeed:disabled { color: #9aabbb; }");
}

QPixmap Skin::Picture(const QString& name) const
{
    const auto cached = m_pictures.constFind(name);
    if (cached != m_pictures.constEnd())
        return *cached;
    QPixmap picture;
    const QString sharp = m_folder + "/" + name + "@2x.png";
    if (qApp && qApp->devicePixelRatio() > 1.0 && QFileInfo::exists(sharp) && picture.load(sharp)) {
        picture.setDevicePixelRatio(2.0);
    } else {
        picture.load(m_folder + "/" + name + ".png");
    }
    m_pictures.insert(name, picture);
    return picture;
}

QRegion Skin::ShapeOf(const QString& name) const
{
    const QImage image = QImage(m_folder + "/" + name + ".png").convertToFormat(QImage::Format_RGB32);
    if (image.isNull())
        return QRegion();
    // One rectangle per run of pixels that are not the key colour, row by row.
    QList<QRect> runs;
    bool keyed = false;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int x = 0;
        while (x < image.width()) {
            while (x < image.width() && line[x] == kColourKey) {
                keyed = true;
                ++x;
            }
            const int start = x;
            while (x < image.width() && line[x] != kColourKey)
                ++x;
            if (x > start)
                runs << QRect(start, y, x - start, 1);
        }
    }
    if (!keyed)
        return QRegion();
    QRegion shape;
    shape.setRects(runs.constData(), int(runs.size()));
    return shape;
}

} // namespace pw
