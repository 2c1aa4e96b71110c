#pragma once

// What the login and wizard tests share: an installation tree of their own (the staged tree
// without its programs), a login host over it that records the messages and answers them
// from a list, and a driver for the modal dialogs the code under test opens.

#include "content/privileges.h"
#include "content/resstring.h"
#include "platform/textformat.h"
#include "skin/textlookup.h"
#include "skin/typingaspect.h"
#include "testsupport/tempdir.h"
#include "users/pump_typingdata.h"
#include "skin/ui/anibutton.h"
#include "skin/ui/flatedit.h"
#include "skin/ui/flatlistbox.h"
#include "skin/ui/kfcheckbox.h"
#include "skin/ui/kfcombox.h"
#include "skin/ui/kfsliderctrl.h"
#include "users/ui/dlg_newuserwizard_1.h"
#include "users/ui/dlg_newuserwizard_2.h"
#include "users/ui/dlg_newuserwizard_3.h"
#include "users/ui/dlg_newuserwizard_4.h"
#include "users/ui/dlg_newuserwizard_5.h"
#include "users/ui/dlg_wizard.h"
#include "users/ui/loginhost.h"
#include "users/userprofile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kf::test {

// The staged tree without the programs, so the tests may write into it.
inline bool CopyTreeWithoutPrograms(const std::filesystem::path& stage,
                                    const std::filesystem::path& dir)
{
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(stage, ec)) {
        if (entry.is_regular_file() &&
            (entry.path().filename() == "keyfarer" || entry.path().filename() == "kftool"))
            continue;
        std::filesystem::copy(entry.path(), dir / entry.path().filename(),
                              std::filesystem::copy_options::recursive, ec);
        if (ec)
            return false;
    }
    return !ec;
}

class TestLoginHost : public LoginHost, private SupplierMessageSink
{
public:
    struct Message
    {
        std::u16string key;
        std::u16string text;
        unsigned style;
    };

    explicit TestLoginHost(const std::u16string& installFolder) : m_install(installFolder)
    {
        m_strings.LoadStringFile(installFolder + u"SysDat/StringRes.txt");
        SetStringTable(&m_strings);
        m_texts = StringTableTexts();
        m_look.Init(installFolder);
        m_supplier.SetDataFolder(installFolder + u"Data\\");
        m_supplier.SetMessageSink(this);
        m_privileges = CPrivileges::GrantAll();
    }
    ~TestLoginHost() override { SetStringTable(nullptr); }

    const CControlAspect& Look() const override { return m_look; }
    const TextLookup& Texts() const override { return m_texts; }
    std::u16string InstallFolder() const override { return m_install; }
    int ShowMessage(std::u16string_view key, QWidget*, unsigned style,
                    const std::vector<FormatArg>& args = {}) override
    {
        m_messages.push_back(
            {std::u16string(key), FormatText(m_strings.Get(key, key), args), style});
        if (m_answers.empty())
            return 1;
        const int a = m_answers.front();
        m_answers.pop_front();
        return a;
    }
    int ShowErrorWithSystemText(uint32_t code, std::u16string_view key, QWidget* owner) override
    {
        return ShowMessage(key.empty() ? u"(system)" : key, owner, 0x10, {FormatArg(code)});
    }
    void BeginBusy(std::u16string_view) override { ++busy; }
    void EndBusy() override {}
    CPump_TypingData& Supplier() override { return m_supplier; }
    const CPrivileges& Privileges() const override { return m_privileges; }
    CUserProfile& UserOptions() override { return m_options; }
    std::u16string StraightLoginId() const override { return m_straight; }
    std::u16string LastUserId() const override { return m_last; }
    void SetStraightLoginId(std::u16string_view id) override { m_straight = id; }
    void SetLastUserId(std::u16string_view id) override { m_last = id; }

    CPrivileges& MutablePrivileges() { return m_privileges; }
    std::deque<int>& Answers() { return m_answers; }
    std::vector<Message>& Messages() { return m_messages; }
    std::vector<std::u16string> MessageKeys() const
    {
        std::vector<std::u16string> keys;
        for (const Message& m : m_messages)
            keys.push_back(m.key);
        return keys;
    }
    CTypingAspect& MutableLook() { return m_look; }
    int busy = 0;

private:
    void ShowSupplierError(std::u16string_view key, std::u16string_view detail, uint32_t) override
    {
        ShowMessage(key, nullptr, 0x10, {FormatArg(detail)});
    }

    std::u16string m_install;
    CResString m_strings;
    TextLookup m_texts;
    CTypingAspect m_look;
    CPump_TypingData m_supplier;
    CPrivileges m_privileges;
    CUserProfile m_options;
    std::u16string m_straight;
    std::u16string m_last;
    std::deque<int> m_answers;
    std::vector<Message> m_messages;
};

// Runs act on the first modal dialog of type T that opens after this call (polled from the
// event loop, so it works inside exec()). Gives up after a few seconds, so a dialog that
// never opens fails the test instead of hanging it. The returned timer may be deleted to
// stop waiting; it is gone by itself once it acted or gave up.
template <typename T>
QPointer<QTimer> WhenModalOpens(std::function<void(T*)> act, bool* ran = nullptr)
{
    auto* timer = new QTimer;
    QElapsedTimer clock;
    clock.start();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, act, ran] {
        T* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog) {
            if (clock.elapsed() > 5000) {
                timer->stop();
                timer->deleteLater();
            }
            return;
        }
        timer->stop();
        timer->deleteLater();
        if (ran)
            *ran = true;
        act(dialog);
    });
    timer->start(10);
    return timer;
}

// Fills the wizard's pages as a new user would and finishes it.
struct WizardChoices
{
    QString account = QStringLiteral("grace");
    QString fullName; // empty: the page copies the user name
    int target = 0;   // list row on page 2
    QString ownSpeed;
    int unit = 0;
    QString layout = QStringLiteral("US");
    bool advanced = false;
    int displaySize = 2, contentSize = 1, practiceType = 1;
    bool twoSpace = false;
    int screenSize = 0, hue = -40, saturation = 20;
};

inline void DriveWizard(CDlg_Wizard* w, const WizardChoices& c)
{
    auto* p1 = static_cast<CDlg_NewUserWizard_1*>(w->Page(0));
    p1->AccountEdit()->clear();
    QTest::keyClicks(p1->AccountEdit(), c.account);
    if (!c.fullName.isEmpty()) {
        p1->FullNameEdit()->clear();
        QTest::keyClicks(p1->FullNameEdit(), c.fullName);
    }
    QTest::mouseClick(w->Button(CTavroPropertySheet::kIdWizardNext), Qt::LeftButton);
    ASSERT_EQ(w->ActiveIndex(), 1);
    auto* p2 = static_cast<CDlg_NewUserWizard_2*>(w->Page(1));
    p2->UnitList()->setCurrentIndex(c.unit);
    p2->TargetList()->setCurrentRow(c.target);
    if (!c.ownSpeed.isEmpty()) {
        p2->SpeedEdit()->clear();
        QTest::keyClicks(p2->SpeedEdit(), c.ownSpeed);
    }
    QTest::mouseClick(w->Button(CTavroPropertySheet::kIdWizardNext), Qt::LeftButton);
    ASSERT_EQ(w->ActiveIndex(), 2);
    auto* p3 = static_cast<CDlg_NewUserWizard_3*>(w->Page(2));
    const auto found = p3->LayoutList()->findItems(c.layout, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << c.layout.toStdString();
    p3->LayoutList()->setCurrentItem(found[0]);
    p3->AdvancedViewBox()->setChecked(c.advanced);
    w->WizardNext();
    auto* p4 = static_cast<CDlg_NewUserWizard_4*>(w->Page(3));
    p4->DisplaySizeList()->setCurrentIndex(c.displaySize);
    p4->ContentSizeList()->setCurrentIndex(c.contentSize);
    p4->PracticeTypeList()->setCurrentIndex(c.practiceType);
    p4->TwoSpaceBox()->setChecked(c.twoSpace);
    w->WizardNext();
    auto* p5 = static_cast<CDlg_NewUserWizard_5*>(w->Page(4));
    p5->ScreenSizeList()->setCurrentIndex(c.screenSize);
    p5->HueSlider()->setFocus();
    p5->HueSlider()->SetPos(c.hue + 1);
    QTest::keyClick(p5->HueSlider(), Qt::Key_Left); // a user's move, so the page hears it
    p5->SaturationSlider()->SetPos(c.saturation - 1);
    QTest::keyClick(p5->SaturationSlider(), Qt::Key_Right);
    w->WizardNext();
    ASSERT_EQ(w->ActiveIndex(), 5);
    QTest::mouseClick(w->Button(CTavroPropertySheet::kIdWizardNext), Qt::LeftButton); // Finish
}

// The number of distinct colours of an image: a blank picture has one or two.
inline int DistinctColours(const QImage& image, int limit = 64)
{
    std::vector<QRgb> seen;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) {
            const QRgb c = image.pixel(x, y);
            if (std::find(seen.begin(), seen.end(), c) == seen.end()) {
                seen.push_back(c);
                if (int(seen.size()) >= limit)
                    return limit;
            }
        }
    return int(seen.size());
}

} // namespace kf::test
