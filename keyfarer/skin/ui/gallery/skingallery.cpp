// kf_skin_gallery INSTALL_DIR OUT_DIR [--hue H] [--saturation S] [--show]
//
// Builds every skinned control, sheet and message box on the look of the installation folder
// and writes a PNG of each into OUT_DIR (the toolkit's screenshots). With --show the sheet
// stays open on the screen (to see the shaped window under a real display).

#include "skin/skinpresets.h"
#include "skin/typingaspect.h"
#include "skin/colorconvert.h"
#include "skin/ui/anibutton.h"
#include "skin/ui/dlgviewmes.h"
#include "skin/ui/flatedit.h"
#include "skin/ui/flatlistbox.h"
#include "skin/ui/kfcheckbox.h"
#include "skin/ui/kfcombox.h"
#include "skin/ui/kfradiobutton.h"
#include "skin/ui/kfsliderctrl.h"
#include "skin/ui/linebutton.h"
#include "skin/ui/skinpixmaps.h"
#include "skin/ui/tavropropertypage.h"
#include "skin/ui/tavropropertysheet.h"
#include "skin/ui/tavrosimplegrid.h"
#include "skin/ui/urlstatic.h"
#include "platform/utf.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

#include <map>

using namespace kf;

namespace {

const std::map<std::u16string, std::u16string> kTexts = {
    {u"IDS_CT_OK", u"OK"},           {u"IDS_CT_CANCEL", u"Cancel"},
    {u"IDS_CT_YES", u"Yes"},         {u"IDS_CT_NO", u"No"},
    {u"IDS_CT_ABORT", u"Abort"},     {u"IDS_CT_RETRY", u"Retry"},
    {u"IDS_CT_IGNORE", u"Ignore"},   {u"IDS_WIZARD_PREV", u"< Back"},
    {u"IDS_WIZARD_NEXT", u"Next >"}, {u"IDS_WIZARD_FINISH", u"Finish"},
};

std::u16string Lookup(std::u16string_view key)
{
    auto it = kTexts.find(std::u16string(key));
    return it == kTexts.end() ? std::u16string() : it->second;
}

QLabel* Label(const CControlAspect& look, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, LookQColor(look, LookColor::DialogText));
    label->setPalette(pal);
    label->setFont(LookQFont(look, LookFont::Dialog));
    return label;
}

class ControlsPage : public CTavroPropertyPage
{
public:
    ControlsPage(const CControlAspect* look) : CTavroPropertyPage(look, Lookup, "Controls")
    {
        auto* grid = new QGridLayout(this);
        grid->setHorizontalSpacing(14);
        grid->setVerticalSpacing(10);
        int row = 0;
        grid->addWidget(Label(*look, "Account name:", this), row, 0);
        auto* edit = new CFlatEdit(look, this);
        edit->setText("Ada Lovelace");
        grid->addWidget(edit, row++, 1, 1, 2);
        grid->addWidget(Label(*look, "Password:", this), row, 0);
        auto* password = new CFlatEdit(look, this);
        password->SetStarMask(true);
        password->setText("secret");
        grid->addWidget(password, row++, 1, 1, 2);
        grid->addWidget(Label(*look, "Keyboard layout:", this), row, 0);
        auto* combo = new CKFCombox(look, this);
        combo->addItems({"US (QWERTY)", "United Kingdom", "German (QWERTZ)", "French (AZERTY)"});
        grid->addWidget(combo, row, 1);
        auto* editable = new CKFCombox(look, this);
        editable->setEditable(true);
        editable->addItems({"ada", "grace"});
        grid->addWidget(editable, row++, 2);
        grid->addWidget(Label(*look, "Hue:", this), row, 0);
        hue = new CKFSliderCtrl(this);
        hue->Attach(1201, look);
        hue->SetRange(-180, 180);
        hue->SetPos(-40);
        grid->addWidget(hue, row, 1);
        auto* hueValue = Label(*look, "-40", this);
        grid->addWidget(hueValue, row++, 2);
        connect(hue, &CKFSliderCtrl::positionChanged, hueValue,
                [hueValue](int, int pos) { hueValue->setText(QString::number(pos)); });
        grid->addWidget(Label(*look, "Saturation:", this), row, 0);
        auto* sat = new CKFSliderCtrl(this);
        sat->Attach(1202, look);
        sat->SetRange(-100, 100);
        sat->SetPos(30);
        sat->setEnabled(false);
        grid->addWidget(sat, row, 1);
        grid->addWidget(Label(*look, "30 (disabled)", this), row++, 2);
        auto* check = new CKFCheckBox(look, "Log me in directly next time", this);
        check->setChecked(true);
        grid->addWidget(check, row++, 1, 1, 2);
        auto* check2 = new CKFCheckBox(look, "Show the simple keyboard", this);
        grid->addWidget(check2, row, 1);
        auto* check3 = new CKFCheckBox(look, "Disabled option", this);
        check3->setEnabled(false);
        check3->setChecked(true);
        grid->addWidget(check3, row++, 2);
        auto* r1 = new CKFRadioButton(look, "Easy", this);
        auto* r2 = new CKFRadioButton(look, "Normal", this);
        auto* r3 = new CKFRadioButton(look, "Expert", this);
        r2->setChecked(true);
        auto* radios = new QHBoxLayout;
        radios->addWidget(r1);
        radios->addWidget(r2);
        radios->addWidget(r3);
        radios->addStretch(1);
        grid->addLayout(radios, row++, 1, 1, 2);
        auto* buttons = new QHBoxLayout;
        auto* normal = new CAniButton(look, "Start", this);
        auto* def = new CAniButton(look, "Default", this);
        def->SetDefault(true);
        auto* off = new CAniButton(look, "Disabled", this);
        off->setEnabled(false);
        buttons->addWidget(normal);
        buttons->addWidget(def);
        buttons->addWidget(off);
        buttons->addStretch(1);
        grid->addLayout(buttons, row++, 1, 1, 2);
        auto* links = new QHBoxLayout;
        links->addWidget(new CLineButton(look, "Options...", this));
        links->addWidget(
            new CURLStatic(look, "Visit the website", "https://example.org/keyfarer", this));
        links->addStretch(1);
        grid->addLayout(links, row++, 1, 1, 2);
        grid->setRowStretch(row, 1);
        grid->setColumnStretch(1, 1);
    }
    CKFSliderCtrl* hue;
};

class ListsPage : public CTavroPropertyPage
{
public:
    ListsPage(const CControlAspect* look) : CTavroPropertyPage(look, Lookup, "History")
    {
        auto* layout = new QHBoxLayout(this);
        layout->setSpacing(12);
        auto* list = new CFlatListbox(look, this);
        for (const char* name :
             {"Home row", "Upper row", "Lower row", "Capitals", "Digits", "Punctuation",
              "Sentences", "Numeric keypad", "Review", "Free typing", "Test 1", "Test 2"})
            list->addItem(name);
        list->setCurrentRow(2);
        list->setFixedWidth(170);
        layout->addWidget(list);
        auto* grid = new CTavroSimpleGrid(look, this);
        grid->Data().SetColumns({{u"Date", 140},
                                 {u"Exercise", 130},
                                 {u"Speed", 70, GridAlign::Right},
                                 {u"Accuracy", 80, GridAlign::Right},
                                 {u"Time", 70, GridAlign::Right}});
        for (int i = 0; i < 40; ++i)
            grid->Data().AddRow(
                {GridCell::DateTime({2026, 12, 1 + i % 28, 8 + i % 12, (i * 7) % 60}),
                 GridCell::Text(i % 3 ? u"Lesson: Home row" : u"Test: Aesop"),
                 GridCell::Integer(120 + i * 3), GridCell::Decimal(91.5 + i % 8, 1),
                 GridCell::Text(u"3 min")});
        grid->Refresh();
        grid->SetCurrentRow(3);
        layout->addWidget(grid, 1);
    }
};

void Save(QWidget* w, const QString& path)
{
    w->grab().save(path);
}

// The desk with its tool icons, labels and a hand picture, as the desk will assemble it.
QImage DeskMock(const CTypingAspect& look)
{
    QImage desk = SkinPixmap(look, skinbmp::kDesk).toImage().convertToFormat(QImage::Format_ARGB32);
    QPainter p(&desk);
    const QPixmap icons = SkinPixmap(look, skinbmp::kDeskIcons);
    const char* labels[] = {"Lesson",  "Test",    "Games", "Statistics", "Review",
                            "Options", "Website", "Help",  "Exit"};
    const DeskIcon rows[] = {DeskIcon::Train,      DeskIcon::Examine, DeskIcon::Game,
                             DeskIcon::Statistics, DeskIcon::Review,  DeskIcon::Config,
                             DeskIcon::HomePage,   DeskIcon::Help,    DeskIcon::Exit};
    p.setFont(LookQFont(look, LookFont::Small));
    for (int slot = 0; slot < look.ToolSlotCount(); ++slot) {
        const SkinRect r = look.ToolIconRect(slot);
        const int frame = slot == 1   ? kIconFrameAnimFirst + 2
                          : slot == 2 ? kIconFramePressed
                          : slot == 7 ? kIconFrameDisabled
                                      : 0;
        p.drawPixmap(r.left, r.top, icons, frame * kIconSize, int(rows[slot]) * kIconSize,
                     kIconSize, kIconSize);
        const SkinRect l = look.ToolLabelRect(slot);
        p.setPen(LookQColor(look, slot == 7 ? LookColor::DisabledText : LookColor::DeskText));
        p.drawText(QRect(l.left, l.top, l.Width(), l.Height()), Qt::AlignHCenter | Qt::AlignTop,
                   labels[slot]);
    }
    const SkinRect h = look.HandsRect();
    p.drawPixmap(h.left, h.top, SkinPixmap(look, skinbmp::kHands));
    const FingerSpot spot = look.HandFingerSpot(0, 1);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(LookQColor(look, LookColor::Accent), 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPoint(h.left + spot.x, h.top + spot.y), spot.radius + 3, spot.radius + 3);
    // a few keys from the key pictures
    const QPixmap keys = SkinPixmap(look, skinbmp::kKeys);
    const KeyboardGeometry& g = look.Keyboard();
    const char* row[] = {"A", "S", "D", "F", "G", "H", "J", "K", "L", ";"};
    const int fingers[] = {4, 3, 2, 1, 1, 1, 1, 2, 3, 4};
    p.setFont(LookQFont(look, LookFont::KeyLarge));
    for (int i = 0; i < 10; ++i) {
        const QRect key(look.KeyboardRect().left + 60 + i * (g.unitWidth + g.gapX), 322,
                        g.unitWidth, g.keyHeight);
        const int pic = KeyPictureForFinger(fingers[i]);
        DrawNineSlice(p, keys,
                      QRect(pic * 2 * kKeyPictureSize, 0, kKeyPictureSize, kKeyPictureSize), key, 8,
                      8, 8, 8);
        p.setPen(LookQColor(look, LookColor::KeyText));
        p.drawText(key, Qt::AlignCenter, row[i]);
    }
    p.setPen(LookQColor(look, LookColor::ClockText));
    p.setFont(LookQFont(look, LookFont::Clock));
    const SkinRect c = look.ClockRect();
    p.drawText(QRect(c.left, c.top, c.Width(), c.Height()), Qt::AlignCenter, "00:02:31");
    p.setPen(QColor(255, 255, 255));
    p.setFont(LookQFont(look, LookFont::Dialog));
    const SkinRect u = look.UserNameRect();
    p.drawText(QRect(u.left, u.top, u.Width(), u.Height()), Qt::AlignVCenter | Qt::AlignLeft,
               "Ada Lovelace");
    return desk;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName("Keyfarer");
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(
            stderr,
            "usage: kf_skin_gallery INSTALL_DIR OUT_DIR [--hue H] [--saturation S] [--show]\n");
        return 2;
    }
    int hue = 0, saturation = 0;
    if (int i = int(args.indexOf("--hue")); i > 0 && i + 1 < args.size())
        hue = args[i + 1].toInt();
    if (int i = int(args.indexOf("--saturation")); i > 0 && i + 1 < args.size())
        saturation = args[i + 1].toInt();
    const QString out = args[2];
    CTypingAspect look;
    look.SetSkinAdjust(hue, 0, saturation);
    if (!look.Init(FromQString(args[1] + "/")))
        for (const auto& e : look.LoadErrors())
            std::fprintf(stderr, "skin: %s\n", e.c_str());

    CTavroPropertySheet sheet(&look, Lookup, "Options");
    auto* controls = new ControlsPage(&look);
    sheet.AddPage(controls);
    sheet.AddPage(new ListsPage(&look));
    sheet.resize(700, 520);
    if (args.contains("--show")) {
        sheet.show();
        return app.exec();
    }
    sheet.show();
    app.processEvents();
    Save(&sheet, out + "/sheet_controls.png");
    sheet.SetActivePage(1);
    app.processEvents();
    Save(&sheet, out + "/sheet_lists.png");

    struct Box
    {
        const char* name;
        const char16_t* text;
        unsigned style;
    } boxes[] = {
        {"error",
         u"The keyboard layout \"USInternational\" could not be loaded. Check that the file exists "
         u"in the Data\\KBLayout folder.",
         0x10},
        {"question", u"Do you really want to quit Keyfarer?", 0x24},
        {"warning", u"The lesson is not finished yet. Save your result before you leave?", 0x33},
        {"information", u"Your password has been changed.", 0x40},
        {"retry", u"The result could not be saved: the user file is locked by another program.",
         0x12},
    };
    for (const Box& b : boxes) {
        CDlgViewMes box(&look, Lookup, b.text, b.style);
        box.show();
        app.processEvents();
        Save(&box, out + "/message_" + b.name + ".png");
    }

    CTavroPropertySheet wizard(&look, Lookup, "New user");
    wizard.SetWizardMode(true);
    auto* page = new CTavroPropertyPage(&look, Lookup, "Step 1: your account");
    auto* pl = new QVBoxLayout(page);
    pl->addWidget(Label(look, "Choose the name you log in with and your full name.", page));
    pl->addWidget(new CFlatEdit(&look, page));
    pl->addStretch(1);
    wizard.AddPage(page);
    wizard.AddPage(new CTavroPropertyPage(&look, Lookup, "Step 2"));
    wizard.resize(520, 340);
    wizard.show();
    app.processEvents();
    Save(&wizard, out + "/wizard.png");

    // Theme previews: the preview picture recoloured by every preset, as the skin page does.
    std::vector<std::u16string> names;
    std::vector<SkinPreset> table;
    LoadSkinPresets(FromQString(args[1] + "/"), names, table);
    const CDib* preview = look.PristineBitmap(skinbmp::kPreview);
    if (preview && !names.empty()) {
        const int cols = 4, w = preview->Width(), h = preview->Height() + 22;
        QImage sheetImage(cols * (w + 10) + 10,
                          int((names.size() + cols - 1) / cols) * (h + 10) + 10,
                          QImage::Format_RGB32);
        sheetImage.fill(QColor(60, 60, 60));
        QPainter p(&sheetImage);
        p.setPen(Qt::white);
        for (size_t i = 0; i < names.size(); ++i) {
            CDib copy = *preview;
            for (ColorRef& c : copy.Palette())
                c = CColorConvert::Recolor(c, table[i].hue, table[i].saturation, 0);
            const int x = 10 + int(i % cols) * (w + 10), y = 10 + int(i / cols) * (h + 10);
            p.drawImage(x, y, ToQImage(copy));
            p.drawText(QRect(x, y + preview->Height(), w, 22), Qt::AlignCenter,
                       ToQString(names[i]));
        }
        sheetImage.save(out + "/themes.png");
    }
    const QImage desk = DeskMock(look);
    desk.save(out + "/desk.png");
    DimmedCopy(desk).save(out + "/desk_dimmed.png");
    return 0;
}
