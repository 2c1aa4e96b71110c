// The login dialog, the new-user wizard and the password dialog, driven offscreen on a copy
// of the staged installation tree; every account made here is read back from its file.
#include "users/ui/tests/logintestkit.h"

#include "skin/ui/anibutton.h"
#include "skin/ui/flatedit.h"
#include "skin/ui/flatlistbox.h"
#include "skin/ui/kfcheckbox.h"
#include "skin/ui/kfcombox.h"
#include "skin/ui/kfsliderctrl.h"
#include "skin/ui/skinpreviewctrl.h"
#include "users/accountfiles.h"
#include "users/ui/dlg_newuserwizard_1.h"
#include "users/ui/dlg_newuserwizard_2.h"
#include "users/ui/dlg_newuserwizard_3.h"
#include "users/ui/dlg_newuserwizard_4.h"
#include "users/ui/dlg_newuserwizard_5.h"
#include "users/ui/dlg_newuserwizard_6.h"
#include "users/ui/dlg_wizard.h"
#include "users/ui/dlgchangepasswd.h"
#include "users/ui/dlglogin.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <ctime>
#include <fstream>

namespace kf {
namespace {

using test::DriveWizard;
using test::TempDir;
using test::TestLoginHost;
using test::WhenModalOpens;
using test::WizardChoices;

class LoginTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::CopyTreeWithoutPrograms(KF_STAGE_DIR, tree.path()));
        host = std::make_unique<TestLoginHost>(tree.Folder());
    }

    std::u16string UserFile(std::u16string_view account)
    {
        return host->Supplier().Store().UserFilePath(account);
    }
    // An account made as the wizard would make it, from the default settings.
    void MakeAccount(std::u16string_view account, std::u16string_view fullName = {})
    {
        CUserProfile p;
        ASSERT_TRUE(host->Supplier().LoadDefaultProfile(p));
        p.SetAccountName(account);
        p.SetFullName(fullName.empty() ? account : fullName);
        ASSERT_TRUE(host->Supplier().CreateUserFile(account, p));
        host->Supplier().Store().CloseUserFile();
    }
    CUserProfile ReadBack(std::u16string_view account)
    {
        CUserProfile p;
        EXPECT_TRUE(ReadAccountFile(UserFile(account), &p)) << "no user file for the account";
        return p;
    }

    TempDir tree;
    std::unique_ptr<TestLoginHost> host;
};

TEST_F(LoginTest, LoginAccountChecksTheNameAndLogsInTheTrimmedAccount)
{
    MakeAccount(u"ada", u"Ada Lovelace");
    struct Case
    {
        std::u16string typed;
        std::u16string message; // empty: logged in
    };
    const Case cases[] = {
        {u"", u"IDS_ERR_NOUSERNAME"},
        {u"   ", u"IDS_ERR_NOUSERNAME"},
        {u"a:b", u"IDS_ERR_INVALIDUSERNAME"},
        {u"who?", u"IDS_ERR_INVALIDUSERNAME"},
        {u"  ada  ", u""},
    };
    for (const Case& c : cases) {
        host->Messages().clear();
        CDlgLogin dlg(*host, false);
        dlg.SetOfferWizardWhenEmpty(false);
        const bool ok = dlg.LoginAccount(c.typed, true);
        EXPECT_EQ(ok, c.message.empty());
        if (c.message.empty()) {
            EXPECT_TRUE(host->Messages().empty());
            EXPECT_EQ(dlg.result(), QDialog::Accepted);
            EXPECT_EQ(dlg.Account(), u"ada");
            EXPECT_EQ(host->UserOptions().FullName(), u"Ada Lovelace");
            EXPECT_EQ(host->UserOptions().LoginCount(), 1u);
            EXPECT_EQ(host->StraightLoginId(), u"ada");
            EXPECT_EQ(host->LastUserId(), u"ada");
        } else {
            ASSERT_EQ(host->MessageKeys(), std::vector<std::u16string>{c.message});
            EXPECT_EQ(host->Messages()[0].style, 0x10u);
        }
    }
    // The login was written back: the file counts it.
    host->Supplier().Store().CloseUserFile();
    EXPECT_EQ(ReadBack(u"ada").LoginCount(), 1u);
}

TEST_F(LoginTest, LoggingInWithoutTheDirectBoxForgetsTheRememberedAccount)
{
    MakeAccount(u"ada");
    host->SetStraightLoginId(u"ada");
    host->SetLastUserId(u"ada");
    CDlgLogin dlg(*host, false);
    dlg.SetOfferWizardWhenEmpty(false);
    EXPECT_TRUE(dlg.StraightBox()->isChecked());
    EXPECT_EQ(dlg.NameBox()->currentText(), QStringLiteral("ada"));
    dlg.StraightBox()->setChecked(false);
    dlg.show();
    QTest::mouseClick(dlg.EnterButton(), Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(host->StraightLoginId(), u"");
    EXPECT_EQ(host->LastUserId(), u"");
    // The next start preselects nobody and leaves the box clear.
    CDlgLogin next(*host, false);
    EXPECT_FALSE(next.StraightBox()->isChecked());
    EXPECT_TRUE(next.NameBox()->currentText().isEmpty());
}

TEST_F(LoginTest, UnknownNameOffersTheWizardOnlyWhenNewUsersAreAllowed)
{
    CDlgLogin dlg(*host, false);
    dlg.SetOfferWizardWhenEmpty(false);
    host->Answers() = {7}; // "no" to creating the account
    EXPECT_FALSE(dlg.LoginAccount(u"nobody", false));
    ASSERT_EQ(host->MessageKeys(), std::vector<std::u16string>{u"IDS_QUERY_CREATENEWUSER"});
    EXPECT_NE(host->Messages()[0].text.find(u"\"nobody\""), std::u16string::npos);
    EXPECT_EQ(host->Messages()[0].style, 0x24u);
    EXPECT_FALSE(tree.Exists("Data/Account/nobody.dat"));
    EXPECT_NE(dlg.result(), QDialog::Accepted);

    host->Messages().clear();
    host->MutablePrivileges().Set(*CPrivileges::FindBit("AllowNewUsers"), false);
    CDlgLogin closed(*host, false);
    EXPECT_FALSE(closed.NewUserButton()->isEnabled());
    EXPECT_FALSE(closed.LoginAccount(u"nobody", false));
    EXPECT_TRUE(host->Messages().empty());
}

TEST_F(LoginTest, DamagedAndForeignUserFilesAreReportedAndNeverReplaced)
{
    MakeAccount(u"old");
    // A file of a later version: magic right, version 0x301.
    std::string bytes = tree.Read("Data/Account/old.dat");
    bytes[16] = 0x01;
    bytes[17] = 0x03;
    tree.Write("Data/Account/old.dat", bytes);
    tree.Write("Data/Account/junk.dat", std::string(7000, 'x'));
    const std::string junk = tree.Read("Data/Account/junk.dat");

    struct Case
    {
        std::u16string account;
        std::u16string message;
        std::string file;
        std::string bytes;
    };
    const Case cases[] = {{u"old", u"IDS_ERR_FILEVERSION", "Data/Account/old.dat", bytes},
                          {u"junk", u"IDS_ERR_FILEFORMAT", "Data/Account/junk.dat", junk}};
    for (const Case& c : cases) {
        host->Messages().clear();
        host->Answers() = {6}; // would say yes to any offer to create the account
        CDlgLogin dlg(*host, false);
        dlg.SetOfferWizardWhenEmpty(false);
        EXPECT_FALSE(dlg.LoginAccount(c.account, true));
        EXPECT_EQ(host->MessageKeys(), std::vector<std::u16string>{c.message});
        EXPECT_EQ(tree.Read(c.file), c.bytes);
        EXPECT_EQ(host->StraightLoginId(), u"");
    }
}

TEST_F(LoginTest, TypingANewNameLeadsThroughTheWizardToALoggedInAccount)
{
    CDlgLogin dlg(*host, false);
    dlg.SetOfferWizardWhenEmpty(false);
    dlg.show();
    bool ran = false;
    WizardChoices c;
    c.account = QString(); // keep the proposed name
    c.target = 3;
    c.ownSpeed = QStringLiteral("40");
    c.layout = QStringLiteral("German");
    c.advanced = true;
    c.twoSpace = true;
    WhenModalOpens<CDlg_Wizard>(
        [&](CDlg_Wizard* w) {
            auto* p1 = static_cast<CDlg_NewUserWizard_1*>(w->Page(0));
            EXPECT_EQ(p1->AccountEdit()->text(), QStringLiteral("Ada K"));
            EXPECT_EQ(p1->FullNameEdit()->text(), QStringLiteral("Ada K"));
            EXPECT_EQ(w->windowTitle(), QStringLiteral("New account"));
            EXPECT_EQ(w->Page(0)->Title(), QStringLiteral("Step 1 of 6: Account"));
            p1->FullNameEdit()->setText(QStringLiteral("Ada King"));
            WizardChoices keep = c;
            keep.account = p1->AccountEdit()->text();
            keep.fullName = QStringLiteral("Ada King");
            DriveWizard(w, keep);
        },
        &ran);
    dlg.NameBox()->setEditText(QStringLiteral("  Ada K "));
    host->Answers() = {6};
    QTest::keyClick(dlg.NameBox()->lineEdit(), Qt::Key_Return);
    ASSERT_TRUE(ran);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.Account(), u"Ada K");
    EXPECT_EQ(host->MessageKeys(), std::vector<std::u16string>{u"IDS_QUERY_CREATENEWUSER"});

    host->Supplier().Store().CloseUserFile();
    const CUserProfile p = ReadBack(u"Ada K");
    EXPECT_EQ(p.AccountName(), u"Ada K");
    EXPECT_EQ(p.FullName(), u"Ada King");
    EXPECT_EQ(p.Password(), u"");
    EXPECT_EQ(p.SingleFullmark(), 200u);
    EXPECT_EQ(p.SinglePass(), 120u);
    EXPECT_EQ(p.SpeedUnitWpm(), 1);
    EXPECT_EQ(p.KeyboardLayoutFile(), u"German");
    EXPECT_EQ(p.KeyboardAdvanceView(), 1);
    EXPECT_EQ(p.WhichHand(), 0);
    EXPECT_EQ(p.StdDisplaySize(), 2u);
    EXPECT_EQ(p.TrainGenerateSize(), 1u);
    EXPECT_EQ(p.PracticeType(), 1);
    EXPECT_EQ(p.TwoSpaceSentence(), 1);
    EXPECT_EQ(p.ScreenSize(), 0);
    EXPECT_EQ(p.SkinHue(), -40);
    EXPECT_EQ(p.SkinSaturation(), 20);
    EXPECT_EQ(p.LoginCount(), 1u); // the wizard's file, then the login
    EXPECT_LE(std::abs(int64_t(p.AccountCreated()) - int64_t(std::time(nullptr))), 60);
    // Options the wizard does not show come from the default settings.
    EXPECT_EQ(p.AllowAbort(), 1);
    EXPECT_EQ(p.ErrorFactor(), 5);
    EXPECT_EQ(p.FontName(), u"Tahoma");
}

TEST_F(LoginTest, NewUserButtonCreatesAndLogsInWithTheDirectBoxAsItIs)
{
    CDlgLogin dlg(*host, false);
    dlg.SetOfferWizardWhenEmpty(false);
    dlg.show();
    dlg.StraightBox()->setChecked(true);
    bool ran = false;
    WhenModalOpens<CDlg_Wizard>([](CDlg_Wizard* w) { DriveWizard(w, WizardChoices{}); }, &ran);
    QTest::mouseClick(dlg.NewUserButton(), Qt::LeftButton);
    ASSERT_TRUE(ran);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(host->Messages().empty());
    EXPECT_EQ(host->StraightLoginId(), u"grace");
    host->Supplier().Store().CloseUserFile();
    const CUserProfile p = ReadBack(u"grace");
    EXPECT_EQ(p.SingleFullmark(), 150u); // the beginner's 30 words per minute
    EXPECT_EQ(p.SinglePass(), 90u);
    EXPECT_EQ(p.KeyboardLayoutFile(), u"US");
}

TEST_F(LoginTest, AFirstStartWithoutAccountsOpensTheWizardByItself)
{
    CDlgLogin dlg(*host, false);
    bool ran = false;
    WhenModalOpens<CDlg_Wizard>([](CDlg_Wizard* w) { DriveWizard(w, WizardChoices{}); }, &ran);
    dlg.exec();
    EXPECT_TRUE(ran);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.Account(), u"grace");
}

TEST_F(LoginTest, CancellingTheWizardLeavesNoAccountAndTheDialogOpen)
{
    CDlgLogin dlg(*host, false);
    dlg.SetOfferWizardWhenEmpty(false);
    dlg.show();
    WhenModalOpens<CDlg_Wizard>([](CDlg_Wizard* w) {
        auto* p1 = static_cast<CDlg_NewUserWizard_1*>(w->Page(0));
        QTest::keyClicks(p1->AccountEdit(), QStringLiteral("quitter"));
        w->WizardNext();
        w->reject();
    });
    QTest::mouseClick(dlg.NewUserButton(), Qt::LeftButton);
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_FALSE(tree.Exists("Data/Account/quitter.dat"));
}

TEST_F(LoginTest, AccountPageChecksBeforeItLetsTheUserOn)
{
    MakeAccount(u"taken");
    CUserProfile defaults;
    ASSERT_TRUE(host->Supplier().LoadDefaultProfile(defaults));
    CDlg_Wizard w(*host, defaults, {});
    w.show();
    auto* p1 = static_cast<CDlg_NewUserWizard_1*>(w.Page(0));
    struct Case
    {
        QString account, fullName;
        std::vector<std::u16string> messages;
    };
    const Case cases[] = {
        {"", "Somebody", {}},
        {"bob", " ", {u"IDS_ERR_NOFULLUSERNAME"}},
        {"b|b", "Bob", {u"IDS_ERR_INVALIDUSERNAME"}},
        {"TAKEN", "Bob", {u"IDS_ERR_USENAMEEXIST"}}, // names are compared as files are
    };
    for (const Case& c : cases) {
        host->Messages().clear();
        p1->AccountEdit()->setText(c.account);
        p1->FullNameEdit()->setText(c.fullName);
        EXPECT_FALSE(w.WizardNext()) << c.account.toStdString();
        EXPECT_EQ(w.ActiveIndex(), 0);
        EXPECT_EQ(host->MessageKeys(), c.messages);
    }
    EXPECT_NE(host->Messages().back().text.find(u"TAKEN"), std::u16string::npos);
    p1->AccountEdit()->setText(QStringLiteral(" bob "));
    p1->FullNameEdit()->setText(QStringLiteral("Bob Ross"));
    EXPECT_TRUE(w.WizardNext());
    EXPECT_EQ(w.Profile().AccountName(), u"bob");
    EXPECT_EQ(w.Profile().FullName(), u"Bob Ross");
}

TEST_F(LoginTest, TargetSpeedPageConvertsUnitsAndChecksTheOwnValue)
{
    CUserProfile defaults;
    ASSERT_TRUE(host->Supplier().LoadDefaultProfile(defaults));
    defaults.SetAccountName(u"x");
    defaults.SetFullName(u"x");
    CDlg_Wizard w(*host, defaults, {});
    w.show();
    ASSERT_TRUE(w.WizardNext());
    auto* p2 = static_cast<CDlg_NewUserWizard_2*>(w.Page(1));
    // The default full mark of 180 characters is 36 words: an own value, shown in characters.
    EXPECT_EQ(p2->TargetList()->currentRow(), 3);
    EXPECT_EQ(p2->UnitList()->currentIndex(), CDlg_NewUserWizard_2::kUnitCpm);
    EXPECT_EQ(p2->SpeedEdit()->text(), QStringLiteral("180"));
    EXPECT_TRUE(p2->SpeedEdit()->isEnabled());
    p2->UnitList()->setCurrentIndex(CDlg_NewUserWizard_2::kUnitWpm);
    EXPECT_EQ(p2->SpeedEdit()->text(), QStringLiteral("36"));
    p2->TargetList()->setCurrentRow(1);
    EXPECT_FALSE(p2->SpeedEdit()->isEnabled());
    EXPECT_EQ(p2->SpeedEdit()->text(), QStringLiteral("45"));
    p2->UnitList()->setCurrentIndex(CDlg_NewUserWizard_2::kUnitCpm);
    EXPECT_EQ(p2->SpeedEdit()->text(), QStringLiteral("225"));

    struct Case
    {
        int unit;
        QString typed;
        bool accepted;
        uint32_t fullmark, pass;
    };
    const Case cases[] = {
        {CDlg_NewUserWizard_2::kUnitWpm, "5", false, 0, 0},
        {CDlg_NewUserWizard_2::kUnitWpm, "300", false, 0, 0},
        {CDlg_NewUserWizard_2::kUnitWpm, "", false, 0, 0},
        {CDlg_NewUserWizard_2::kUnitCpm, "25", false, 0, 0}, // 5 words per minute
        {CDlg_NewUserWizard_2::kUnitWpm, "6", true, 30, 18},
        {CDlg_NewUserWizard_2::kUnitCpm, "200", true, 200, 120},
        {CDlg_NewUserWizard_2::kUnitWpm, "40", true, 200, 120},
        {CDlg_NewUserWizard_2::kUnitWpm, "299", true, 1495, 897},
    };
    for (const Case& c : cases) {
        if (w.ActiveIndex() != 1)
            w.WizardBack();
        host->Messages().clear();
        p2->TargetList()->setCurrentRow(3);
        p2->UnitList()->setCurrentIndex(c.unit);
        p2->SpeedEdit()->setText(c.typed);
        EXPECT_EQ(w.WizardNext(), c.accepted) << c.typed.toStdString();
        if (!c.accepted) {
            EXPECT_EQ(host->MessageKeys(), std::vector<std::u16string>{u"IDS_ERR_WPMVALUE"});
            continue;
        }
        EXPECT_EQ(w.Profile().SingleFullmark(), c.fullmark);
        EXPECT_EQ(w.Profile().SinglePass(), c.pass);
        EXPECT_EQ(w.Profile().SpeedUnitWpm(), c.unit == CDlg_NewUserWizard_2::kUnitWpm ? 1 : 0);
    }
}

TEST_F(LoginTest, AppearancePageRecoloursThePreviewAndFollowsTheThemes)
{
    CUserProfile defaults;
    ASSERT_TRUE(host->Supplier().LoadDefaultProfile(defaults));
    defaults.SetAccountName(u"x");
    defaults.SetFullName(u"x");
    CDlg_Wizard w(*host, defaults, {});
    w.show();
    auto* p5 = static_cast<CDlg_NewUserWizard_5*>(w.Page(4));
    ASSERT_TRUE(w.SetActivePage(4));
    ASSERT_GE(p5->ThemeList()->count(), 2) << "the shipped themes are listed";
    const int custom = p5->ThemeList()->count() - 1;
    EXPECT_EQ(p5->ThemeList()->itemText(custom), QStringLiteral("Custom colors"));
    EXPECT_EQ(p5->HueSlider()->Minimum(), -180);
    EXPECT_EQ(p5->HueSlider()->Maximum(), 180);
    EXPECT_EQ(p5->SaturationSlider()->Minimum(), -100);
    const QImage original = p5->Preview()->Picture();
    ASSERT_FALSE(original.isNull());

    // A user's move on the hue slider recolours the preview; moving back restores it exactly.
    p5->HueSlider()->setFocus();
    p5->HueSlider()->SetPos(99);
    QTest::keyClick(p5->HueSlider(), Qt::Key_Right);
    EXPECT_EQ(p5->HueShift(), p5->HueSlider()->GetPos());
    EXPECT_NE(p5->Preview()->Picture(), original);
    p5->HueSlider()->SetPos(1);
    QTest::keyClick(p5->HueSlider(), Qt::Key_Left);
    EXPECT_EQ(p5->HueShift(), 0);
    EXPECT_EQ(p5->Preview()->Picture(), original);

    // Choosing a theme moves both sliders to it; a slider position off every theme shows the
    // custom entry.
    std::vector<std::u16string> names;
    std::vector<SkinPreset> presets;
    LoadSkinPresets(tree.Folder(), names, presets);
    ASSERT_FALSE(presets.empty());
    const int pick = int(presets.size()) - 1;
    p5->ThemeList()->setCurrentIndex(pick);
    emit p5->ThemeList()->activated(pick);
    EXPECT_EQ(p5->HueSlider()->GetPos(), presets[size_t(pick)].hue);
    EXPECT_EQ(p5->SaturationChange(), presets[size_t(pick)].saturation);
    p5->SaturationSlider()->setFocus();
    p5->SaturationSlider()->SetPos(presets[size_t(pick)].saturation == 100 ? 98 : 99);
    QTest::keyClick(p5->SaturationSlider(), Qt::Key_Right);
    const int match = FindSkinPreset(presets, p5->HueShift(), p5->SaturationChange(), 0);
    EXPECT_EQ(p5->ThemeList()->currentIndex(), match >= 0 ? match : custom);
    w.WizardNext();
    EXPECT_EQ(w.Profile().SkinHue(), p5->HueShift());
    EXPECT_EQ(w.Profile().SkinSaturation(), p5->SaturationChange());
}

TEST_F(LoginTest, AccountListEntryListsTheAccountsAndPreselectsTheLastUser)
{
    MakeAccount(u"ada");
    MakeAccount(u"bob");
    MakeAccount(u"cyd");
    host->SetLastUserId(u"BOB");
    CDlgLogin dlg(*host, false);
    ASSERT_EQ(dlg.NameBox()->count(), 1);
    EXPECT_EQ(dlg.NameBox()->itemText(0), QStringLiteral("(Show all accounts)"));
    dlg.NameBox()->setCurrentIndex(0);
    emit dlg.NameBox()->activated(0);
    ASSERT_EQ(dlg.NameBox()->count(), 4);
    EXPECT_EQ(dlg.NameBox()->itemText(1), QStringLiteral("ada"));
    EXPECT_EQ(dlg.NameBox()->currentText(), QStringLiteral("bob"));
    EXPECT_GT(host->busy, 0);

    host->SetLastUserId(u"");
    emit dlg.NameBox()->activated(0);
    EXPECT_EQ(dlg.NameBox()->currentText(), QStringLiteral("ada"));

    host->MutablePrivileges().Set(*CPrivileges::FindBit("ShowAccountList"), false);
    CDlgLogin typed(*host, false);
    EXPECT_EQ(typed.NameBox()->count(), 0);
}

TEST_F(LoginTest, SwitchingUserNamesTheDialogAndItsCancelButton)
{
    CDlgLogin start(*host, false);
    CDlgLogin change(*host, true);
    EXPECT_EQ(start.windowTitle(), QStringLiteral("Login"));
    EXPECT_EQ(start.QuitButton()->text(), QStringLiteral("Quit"));
    EXPECT_EQ(change.windowTitle(), QStringLiteral("Switch user"));
    EXPECT_EQ(change.QuitButton()->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(change.ReportedVersion(), -1);
}

TEST_F(LoginTest, PasswordDialogChecksTheRepetitionAndStoresFifteenCharacters)
{
    MakeAccount(u"ada");
    uint32_t error = 0;
    ASSERT_EQ(host->Supplier().OpenUserFile(UserFile(u"ada"), u"ada", host->UserOptions(), error),
              CPump_TypingData::kOpenOk);
    {
        CDlgChangePasswd dlg(*host, true);
        dlg.show();
        EXPECT_TRUE(dlg.OldPasswordEdit()->isVisible());
        EXPECT_EQ(dlg.NewPasswordEdit()->echoMode(), QLineEdit::Password);
        QTest::keyClicks(dlg.NewPasswordEdit(), QStringLiteral("secret"));
        QTest::keyClicks(dlg.ConfirmEdit(), QStringLiteral("secrte"));
        QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
        EXPECT_EQ(host->MessageKeys(), std::vector<std::u16string>{u"IDS_ERR_PASSNOTMATCH"});
        EXPECT_EQ(dlg.focusWidget(), dlg.NewPasswordEdit());
        EXPECT_NE(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(host->UserOptions().Password(), u"");
        dlg.ConfirmEdit()->setText(QStringLiteral("secret"));
        QTest::keyClick(dlg.ConfirmEdit(), Qt::Key_Return);
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(host->UserOptions().Password(), u"secret");
    }
    {
        CDlgChangePasswd forced(*host, false);
        forced.show();
        EXPECT_FALSE(forced.OldPasswordEdit()->isVisible());
        QTest::keyClicks(forced.NewPasswordEdit(), QStringLiteral("0123456789abcdefXYZ"));
        EXPECT_EQ(forced.NewPasswordEdit()->text(), QStringLiteral("0123456789abcde"));
        QTest::keyClicks(forced.ConfirmEdit(), QStringLiteral("0123456789abcde"));
        forced.accept();
        EXPECT_EQ(host->UserOptions().Password(), u"0123456789abcde");
    }
}

TEST_F(LoginTest, ScreenshotsOfTheLoginDialogAndAWizardPageAreShapedAndDrawn)
{
    MakeAccount(u"ada");
    host->SetLastUserId(u"ada");
    CDlgLogin dlg(*host, false);
    dlg.SetOfferWizardWhenEmpty(false);
    dlg.show();
    QApplication::processEvents();
    CUserProfile defaults;
    ASSERT_TRUE(host->Supplier().LoadDefaultProfile(defaults));
    defaults.SetAccountName(u"grace");
    defaults.SetFullName(u"Grace Hopper");
    Bytes layouts;
    ASSERT_TRUE(host->Supplier().ListKeyboardLayouts());
    std::vector<LayoutListItem> items;
    for (size_t at = 0; at + 528 <= host->Supplier().GetResultLength(); at += 528) {
        LayoutListItem item;
        item.Assign(host->Supplier().Result().subspan(at, 528));
        items.push_back(item);
    }
    CDlg_Wizard w(*host, defaults, items);
    w.show();
    ASSERT_TRUE(w.SetActivePage(4));
    QApplication::processEvents();

    const char* out = std::getenv("KF_SCREENSHOT_DIR");
    for (auto [widget, name] :
         {std::pair<COwnerDrawDialog*, const char*>{&dlg, "login"}, {&w, "wizard_page5"}}) {
        const QImage shot = widget->grab().toImage();
        EXPECT_GE(test::DistinctColours(shot), 24) << name << " looks blank";
        // Shaped: the frame's rounded corners are cut out of the window.
        const QRegion shape = widget->WindowShape();
        ASSERT_FALSE(shape.isEmpty()) << name;
        EXPECT_FALSE(shape.contains(QPoint(0, 0))) << name;
        EXPECT_FALSE(shape.contains(QPoint(widget->width() - 1, widget->height() - 1))) << name;
        EXPECT_TRUE(shape.contains(QPoint(widget->width() / 2, widget->height() / 2))) << name;
        if (out)
            shot.save(QString::fromUtf8(out) + "/" + name + ".png");
    }
    if (out) {
        for (int page : {0, 1, 2, 3, 5}) {
            w.SetActivePage(page);
            QApplication::processEvents();
            w.grab().save(QString::fromUtf8(out) +
                          QStringLiteral("/wizard_page%1.png").arg(page + 1));
        }
    }
}

} // namespace
} // namespace kf
