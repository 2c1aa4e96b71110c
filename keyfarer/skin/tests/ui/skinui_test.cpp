#include "skin/fontmap.h"
#include "skin/typingaspect.h"
#include "skin/ui/anibutton.h"
#include "skin/ui/dlgviewmes.h"
#include "skin/ui/kfsliderctrl.h"
#include "skin/ui/ownerdrawdialog.h"
#include "skin/ui/skinpixmaps.h"
#include "skin/ui/skinpreviewctrl.h"
#include "skin/ui/tavropropertypage.h"
#include "skin/ui/tavropropertysheet.h"
#include "skin/ui/tavrosimplegrid.h"
#include "platform/utf.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QLabel>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <map>

using namespace kf;

namespace {

// The application object comes from the widget tests' main().
QApplication& App()
{
    return *qApp;
}

// The look of the staged installation tree, the real skin pictures.
const CTypingAspect& SkinLook()
{
    static CTypingAspect look;
    static bool loaded = [] {
        App();
        const bool ok = look.Init(FromUtf8(std::string(KF_STAGE_DIR) + "/"));
        for (const auto& e : look.LoadErrors())
            ADD_FAILURE() << e;
        return ok;
    }();
    EXPECT_TRUE(loaded);
    return look;
}

std::u16string Texts(std::u16string_view key)
{
    static const std::map<std::u16string, std::u16string> texts = {
        {u"IDS_CT_OK", u"OK"},
        {u"IDS_CT_CANCEL", u"Cancel"},
        {u"IDS_CT_ABORT", u"Abort"},
        {u"IDS_CT_RETRY", u"Retry"},
        {u"IDS_CT_IGNORE", u"Ignore"},
        {u"IDS_CT_YES", u"Yes"},
        {u"IDS_CT_NO", u"No"},
        {u"IDS_WIZARD_NEXT", u"Next"},
        {u"IDS_WIZARD_FINISH", u"Finish"},
        {u"IDS_WIZARD_PREV", u"Back"}};
    auto it = texts.find(std::u16string(key));
    return it == texts.end() ? std::u16string() : it->second;
}

template <class Pred> bool WaitFor(Pred pred, int ms = 2000)
{
    QElapsedTimer t;
    t.start();
    while (!pred() && t.elapsed() < ms)
        QTest::qWait(10);
    return pred();
}

struct Slider
{
    bool ready = (SkinLook(), true); // the application exists before the widget
    CKFSliderCtrl widget;
    QSignalSpy spy{&widget, &CKFSliderCtrl::positionChanged};
    Slider()
    {
        widget.resize(361, 24);
        widget.Attach(1201, &SkinLook());
        widget.SetRange(-180, 180);
        widget.SetPos(0);
        widget.show();
    }
    // The positions notified since the last call.
    std::vector<int> Take()
    {
        std::vector<int> out;
        for (const auto& args : spy) {
            EXPECT_EQ(args.at(0).toInt(), 1201);
            out.push_back(args.at(1).toInt());
        }
        spy.clear();
        return out;
    }
};

} // namespace

TEST(SliderCtrl, MousePositionsAndNotifications)
{
    Slider s;
    // The strip of the skin has 16-pixel cells: the values of a 361-pixel hue slider.
    ASSERT_EQ(SkinLook().Bitmap(skinbmp::kSlider)->Width(), 128);
    QTest::mousePress(&s.widget, Qt::LeftButton, {}, QPoint(8, 12));
    EXPECT_EQ(s.Take(), std::vector<int>{-180});
    QTest::mouseMove(&s.widget, QPoint(180, 12));
    EXPECT_EQ(s.Take(), std::vector<int>{-1});
    QTest::mouseMove(&s.widget, QPoint(353, 12));
    QTest::mouseMove(&s.widget, QPoint(400, 12)); // past the end: no second notification
    QTest::mouseMove(&s.widget, QPoint(600, 12));
    EXPECT_EQ(s.Take(), std::vector<int>{180});
    QTest::mouseRelease(&s.widget, Qt::LeftButton, {}, QPoint(600, 12));
    QTest::mouseMove(&s.widget, QPoint(100, 12)); // released: moving changes nothing
    EXPECT_TRUE(s.Take().empty());
    EXPECT_EQ(s.widget.GetPos(), 180);
    // A press where the slider already is says nothing.
    QTest::mouseClick(&s.widget, Qt::LeftButton, {}, QPoint(355, 12));
    EXPECT_TRUE(s.Take().empty());
}

TEST(SliderCtrl, SetPosAndRangeClampWithoutNotifying)
{
    Slider s;
    s.widget.SetPos(500);
    EXPECT_EQ(s.widget.GetPos(), 180);
    s.widget.SetRange(-100, 100);
    EXPECT_EQ(s.widget.GetPos(), 100);
    s.widget.SetRange(50, 20);
    EXPECT_EQ(s.widget.Minimum(), 20);
    EXPECT_EQ(s.widget.GetPos(), 20);
    EXPECT_TRUE(s.Take().empty());
}

TEST(SliderCtrl, KeyboardMovesAndNotifiesDisabledDoesNothing)
{
    Slider s;
    s.widget.setFocus();
    QTest::keyClick(&s.widget, Qt::Key_Right);
    QTest::keyClick(&s.widget, Qt::Key_End);
    QTest::keyClick(&s.widget, Qt::Key_End);
    EXPECT_EQ(s.Take(), (std::vector<int>{1, 180}));
    s.widget.setEnabled(false);
    QTest::mouseClick(&s.widget, Qt::LeftButton, {}, QPoint(8, 12));
    EXPECT_TRUE(s.Take().empty());
    EXPECT_EQ(s.widget.GetPos(), 180);
}

// The thumb on the screen is cell 3 of the strip, or cell 7 when disabled, over the
// look's background colour.
TEST(SliderCtrl, PaintsTheThumbFromTheRightCell)
{
    Slider s;
    s.widget.setFocusPolicy(Qt::NoFocus); // no focus ring over the thumb
    s.widget.clearFocus();
    s.widget.SetPos(-180); // thumb at x = 0
    const QPixmap strip = SkinPixmap(SkinLook(), skinbmp::kSlider);
    const int y = (s.widget.height() - strip.height()) / 2;
    for (bool enabled : {true, false}) {
        s.widget.setEnabled(enabled);
        const QImage shot = s.widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QImage expected(16, strip.height(), QImage::Format_RGB32);
        expected.fill(LookQColor(SkinLook(), LookColor::DialogBack));
        QPainter(&expected).drawPixmap(0, 0, strip, (enabled ? 3 : 7) * 16, 0, 16, strip.height());
        // Column 15 is a transparent edge of the thumb over the track's left end.
        EXPECT_EQ(shot.copy(0, y, 15, strip.height()), expected.copy(0, 0, 15, strip.height()))
            << (enabled ? "enabled" : "disabled");
    }
}

TEST(MessageBox, ButtonsCaptionsAndResultsByStyle)
{
    SkinLook();
    struct Case
    {
        unsigned style;
        std::vector<std::pair<QString, int>> buttons;
    } cases[] = {
        {0x00, {{"OK", 1}}},
        {0x01, {{"OK", 1}, {"Cancel", 2}}},
        {0x12, {{"Abort", 3}, {"Retry", 4}, {"Ignore", 5}}},
        {0x23, {{"Yes", 6}, {"No", 7}, {"Cancel", 2}}},
        {0x34, {{"Yes", 6}, {"No", 7}}},
        {0x45, {{"Retry", 4}, {"Cancel", 2}}},
    };
    for (const Case& c : cases) {
        for (size_t clicked = 0; clicked < c.buttons.size(); ++clicked) {
            CDlgViewMes box(&SkinLook(), Texts, u"Some text", c.style);
            box.show();
            ASSERT_EQ(box.ButtonWidgets().size(), c.buttons.size()) << c.style;
            for (size_t i = 0; i < c.buttons.size(); ++i) {
                EXPECT_EQ(box.ButtonWidgets()[i].first->text(), c.buttons[i].first) << c.style;
                EXPECT_EQ(box.ButtonWidgets()[i].second, c.buttons[i].second) << c.style;
            }
            // Centred below the text, 20 pixels apart.
            if (c.buttons.size() > 1) {
                const QRect a = box.ButtonWidgets()[0].first->geometry();
                const QRect b = box.ButtonWidgets()[1].first->geometry();
                EXPECT_EQ(b.left() - a.right() - 1, 20);
            }
            const QRect first = box.ButtonWidgets().front().first->geometry();
            const QRect last = box.ButtonWidgets().back().first->geometry();
            EXPECT_NEAR(first.left() + last.right(), box.width(), 3) << "centred";
            QTest::mouseClick(box.ButtonWidgets()[clicked].first, Qt::LeftButton);
            EXPECT_EQ(box.result(), c.buttons[clicked].second) << c.style << " button " << clicked;
        }
    }
}

TEST(MessageBox, EscapeIconAndText)
{
    SkinLook();
    CDlgViewMes yesNo(&SkinLook(), Texts, u"<b>not bold</b>", 0x34);
    yesNo.show();
    QTest::keyClick(&yesNo, Qt::Key_Escape);
    EXPECT_EQ(yesNo.result(), 7);
    auto* text = yesNo.findChild<QLabel*>("text");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->text(), "<b>not bold</b>");
    EXPECT_EQ(text->textFormat(), Qt::PlainText);
    // Warning is the third quarter of the strip.
    auto* icon = yesNo.findChild<QLabel*>("icon");
    ASSERT_TRUE(icon);
    const QPixmap strip = SkinPixmap(SkinLook(), skinbmp::kMessageIcons);
    EXPECT_EQ(icon->pixmap().toImage(),
              strip.copy(2 * strip.width() / 4, 0, strip.width() / 4, strip.height()).toImage());

    CDlgViewMes plain(&SkinLook(), Texts, std::u16string(3000, u'x'), 0x00);
    EXPECT_FALSE(plain.findChild<QLabel*>("icon"));
    EXPECT_EQ(plain.findChild<QLabel*>("text")->text().size(), 1024);
    plain.show();
    QTest::keyClick(plain.ButtonWidgets()[0].first, Qt::Key_Return);
    EXPECT_EQ(plain.result(), 1);
}

TEST(MessageBox, ModalObserverSeesTheBoxOpenAndClose)
{
    SkinLook();
    std::vector<bool> seen;
    CTavroBaseDialog::SetModalObserver([&](bool open) { seen.push_back(open); });
    CDlgViewMes box(&SkinLook(), Texts, u"Quit?", 0x24);
    QTimer::singleShot(0, &box, [&] {
        EXPECT_EQ(CTavroBaseDialog::OpenModalCount(), 1);
        QTest::mouseClick(box.ButtonWidgets()[0].first, Qt::LeftButton);
    });
    EXPECT_EQ(box.exec(), 6);
    CTavroBaseDialog::SetModalObserver(nullptr);
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

// The window shape of a skinned dialog is cut from the real frame bitmap's key pixels.
TEST(OwnerDrawDialog, WindowShapeFollowsTheFrameBitmap)
{
    const CDib* frame = SkinLook().PristineBitmap(skinbmp::kFrame);
    ASSERT_TRUE(frame);
    const CFrameDesc& f = SkinLook().DialogFrame();
    const kf::ColorRef key = frame->PixelAt(0, 0);
    for (QSize size : {QSize(300, 200), QSize(480, 360)}) {
        COwnerDrawDialog dialog(&SkinLook(), Texts);
        dialog.resize(size);
        dialog.show();
        const QRegion& shape = dialog.WindowShape();
        ASSERT_FALSE(shape.isEmpty());
        int cut = 0;
        for (int y = 0; y < f.topHeight; ++y)
            for (int x = 0; x < f.topLeftWidth; ++x) {
                const bool transparent = frame->PixelAt(x, y) == key;
                cut += transparent;
                EXPECT_EQ(shape.contains(QPoint(x, y)), !transparent) << x << "," << y;
                const int rx = frame->Width() - f.topRightWidth + x;
                EXPECT_EQ(shape.contains(QPoint(size.width() - f.topRightWidth + x, y)),
                          frame->PixelAt(rx, y) != key);
            }
        for (int y = 0; y < f.bottomHeight; ++y)
            for (int x = 0; x < f.bottomLeftWidth; ++x)
                EXPECT_EQ(shape.contains(QPoint(x, size.height() - f.bottomHeight + y)),
                          frame->PixelAt(x, frame->Height() - f.bottomHeight + y) != key);
        EXPECT_GT(cut, 10) << "the skin's frame has rounded corners";
        EXPECT_TRUE(shape.contains(QPoint(size.width() / 2, 0)));
        EXPECT_TRUE(shape.contains(QPoint(size.width() / 2, size.height() / 2)));
    }
}

namespace {

class Page : public CTavroPropertyPage
{
public:
    Page(const QString& title, bool* allowLeave = nullptr)
        : CTavroPropertyPage(&SkinLook(), Texts, title), m_allow(allowLeave)
    {}
    bool OnKillActive() override { return !m_allow || *m_allow; }
    void OnSetActive() override { ++activations; }
    void OnOK() override { ++oks; }
    int activations = 0, oks = 0;

private:
    bool* m_allow;
};

} // namespace

TEST(PropertySheet, PagesRefuseToBeLeftAndOkStoresTheShownPages)
{
    SkinLook();
    bool allow = false;
    CTavroPropertySheet sheet(&SkinLook(), Texts, "Options");
    auto* first = new Page("General", &allow);
    auto* second = new Page("Skin");
    auto* third = new Page("Sound");
    sheet.AddPage(first);
    sheet.AddPage(second);
    sheet.AddPage(third);
    sheet.show();
    EXPECT_EQ(first->activations, 1);
    EXPECT_FALSE(sheet.SetActivePage(1));
    EXPECT_EQ(sheet.ActiveIndex(), 0);
    allow = true;
    EXPECT_TRUE(sheet.SetActivePage(1));
    EXPECT_EQ(second->activations, 1);
    QTest::mouseClick(sheet.Button(kIdOk), Qt::LeftButton);
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(first->oks, 1);
    EXPECT_EQ(second->oks, 1);
    EXPECT_EQ(third->oks, 0); // never shown, nothing to store
}

TEST(PropertySheet, WizardGoesForwardThroughChecksAndFinishes)
{
    SkinLook();
    bool allow = true;
    CTavroPropertySheet wizard(&SkinLook(), Texts, "New user");
    wizard.SetWizardMode(true);
    auto* one = new Page("Step 1", &allow);
    auto* two = new Page("Step 2");
    wizard.AddPage(one);
    wizard.AddPage(two);
    wizard.show();
    CAniButton* next = wizard.Button(CTavroPropertySheet::kIdWizardNext);
    CAniButton* back = wizard.Button(CTavroPropertySheet::kIdWizardBack);
    ASSERT_TRUE(next && back);
    EXPECT_FALSE(back->isEnabled());
    EXPECT_EQ(next->text(), "Next");
    allow = false;
    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_EQ(wizard.ActiveIndex(), 0);
    allow = true;
    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_EQ(wizard.ActiveIndex(), 1);
    EXPECT_EQ(next->text(), "Finish");
    EXPECT_TRUE(back->isEnabled());
    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_EQ(wizard.ActiveIndex(), 0);
    QTest::mouseClick(next, Qt::LeftButton);
    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_EQ(wizard.result(), QDialog::Accepted);
    EXPECT_EQ(one->oks + two->oks, 2);
}

TEST(SimpleGrid, KeyboardWheelAndClickMoveTheCurrentRow)
{
    SkinLook();
    CTavroSimpleGrid grid(&SkinLook());
    grid.Data().SetColumns({{u"Date", 140}, {u"Speed", 60, GridAlign::Right}});
    for (int i = 0; i < 50; ++i)
        grid.Data().AddRow({GridCell::DateTime({2026, 1, 2, 3, i}), GridCell::Integer(i)});
    grid.resize(260, 200);
    grid.show();
    grid.Refresh();
    QSignalSpy spy(&grid, &CTavroSimpleGrid::currentRowChanged);
    EXPECT_EQ(grid.CurrentRow(), 0);
    EXPECT_EQ(grid.Data().CellText(5, 0), u"2026-01-02 03:05");
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(grid.CurrentRow(), 1);
    QTest::keyClick(&grid, Qt::Key_End);
    EXPECT_EQ(grid.CurrentRow(), 49);
    EXPECT_EQ(grid.FirstVisibleRow() + grid.VisibleRows() - 1, 49) << "scrolled into view";
    QTest::keyClick(&grid, Qt::Key_PageUp);
    EXPECT_EQ(grid.CurrentRow(), 49 - grid.VisibleRows());
    QTest::keyClick(&grid, Qt::Key_Home);
    EXPECT_EQ(grid.CurrentRow(), 0);
    EXPECT_EQ(grid.FirstVisibleRow(), 0);
    EXPECT_EQ(spy.count(), 4);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, QPoint(20, grid.RowHeight() * 2 + 3));
    EXPECT_EQ(grid.CurrentRow(), 2);
}

TEST(AniButton, HoverPlaysTheFramesForwardAndBack)
{
    SkinLook();
    CAniButton button(&SkinLook(), "Start");
    button.setFocusPolicy(Qt::NoFocus); // a focused button rests on the default frame
    button.show();
    EXPECT_EQ(button.CurrentFrame(), 0);
    QSignalSpy hovered(&button, &CAniButton::hovered);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&button, &enter);
    EXPECT_EQ(hovered.count(), 1);
    std::vector<int> frames;
    EXPECT_TRUE(WaitFor([&] {
        if (frames.empty() || frames.back() != button.CurrentFrame())
            frames.push_back(button.CurrentFrame());
        return button.CurrentFrame() == kButtonHoverFirst + kButtonHoverCount - 1;
    }));
    EXPECT_EQ(frames.front(), 0);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
    EXPECT_TRUE(WaitFor([&] { return button.CurrentFrame() == 0; }));
    button.setEnabled(false);
    EXPECT_EQ(button.CurrentFrame(), kButtonDisabled);
}

TEST(SkinPixmaps, RecolouredTableKeyTransparencyAndDimming)
{
    CDib dib(2, 1, {kSkinKeyColor, MakeRgb(200, 40, 10)});
    dib.SetKeyIndex(0);
    dib.Indices() = {0, 1};
    const QImage image = ToQImage(dib);
    EXPECT_EQ(image.format(), QImage::Format_Indexed8);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(image.pixel(1, 0), qRgb(200, 40, 10));
    QImage color(1, 1, QImage::Format_RGB32);
    color.setPixel(0, 0, qRgb(30, 60, 90));
    EXPECT_EQ(DimmedCopy(color).pixel(0, 0), qRgb(60, 60, 60));
}

TEST(SkinPixmaps, WindowsFontFacesBecomeInstalledFamilies)
{
    App();
    for (const char16_t* face : {u"Tahoma", u"Courier New", u"Times New Roman"}) {
        const QFont font = ToQFont({face, 12, 700});
        const QString family = QFontInfo(font).family();
        bool known = false;
        for (const auto& candidate : FontCandidates(face))
            known = known || family.compare(ToQString(candidate), Qt::CaseInsensitive) == 0;
        EXPECT_TRUE(known) << ToUtf8(face) << " became " << family.toStdString();
        EXPECT_TRUE(QFontInfo(font).bold());
    }
}

TEST(SkinPreview, SliderBackAndForthEndsOnTheColoursOfThatPosition)
{
    App();
    CSkinPreviewCtrl direct(&SkinLook());
    direct.RecolorPreview(-90, -20);
    CSkinPreviewCtrl moved(&SkinLook());
    for (int hue : {-30, 90, -180, 180, 12, -90})
        moved.RecolorPreview(hue, -20);
    ASSERT_FALSE(direct.Picture().isNull());
    EXPECT_EQ(moved.Picture(), direct.Picture());
    // and the picture really changed: the desk's blue became green
    CSkinPreviewCtrl plain(&SkinLook());
    EXPECT_NE(plain.Picture(), direct.Picture());
    const QColor bar = direct.Picture().pixelColor(120, 3);
    EXPECT_GT(bar.green(), bar.blue()) << bar.name().toStdString();
}
