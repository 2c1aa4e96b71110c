// The lesson and test choosers on a copy of the staged installation: the shipped course, its
// lessons with key references shown as the keyboard's characters, the test categories, and
// adding and removing custom texts.
#include "content/ui/chooserlist.h"
#include "content/ui/dlg_chooselesson.h"
#include "content/ui/dlg_choosetest.h"
#include "content/ui/supplierchooserdata.h"

#include "content/catalogueentry.h"
#include "content/keyboardlayout.h"
#include "content/resstring.h"
#include "skin/typingaspect.h"
#include "skin/ui/anibutton.h"
#include "skin/ui/kfcombox.h"
#include "skin/ui/skinpixmaps.h"
#include "testsupport/tempdir.h"
#include "users/pump_typingdata.h"

#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace kf {
namespace {

// The built-in US layout as the key-reference expansion sees it.
class UsKeys : public KeyReferenceModel
{
public:
    bool MainKey(size_t index, KeyCaps& out) const override
    {
        return index < m_layout.MainKeyCount() && Caps(m_layout.MainKey(index), out);
    }
    bool KeypadKey(size_t index, KeyCaps& out) const override
    {
        return Caps(m_layout.KeypadKey(index), out);
    }

private:
    static bool Caps(const KeyRecord* key, KeyCaps& out)
    {
        if (!key)
            return false;
        out.base = key->Base();
        out.shifted = key->Shifted();
        out.kind = key->IsModifier() ? KeyCaps::kModifier
                   : key->IsLetter() ? KeyCaps::kLetter
                                     : KeyCaps::kOrdinary;
        return true;
    }
    CKeyboardLayout m_layout;
};

struct Shown
{
    std::u16string key;
    std::u16string text;
};

class ChooserTest : public ::testing::Test, public SupplierMessageSink
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::CopyStagedTree(KF_STAGE_DIR, m_dir.path()));
        const std::u16string install = m_dir.Folder();
        ASSERT_TRUE(m_strings.LoadStringFile(install + u"SysDat/StringRes.txt"));
        m_look.Init(install);
        m_supplier.SetDataFolder(install + u"Data/");
        m_supplier.SetMessageSink(this);
        SupplierTexts texts;
        texts.fileInfo = m_strings.Get(u"IDS_FORMAT_FILEINFO");
        texts.folderInfo = m_strings.Get(u"IDS_FORMAT_FOLDERINFO");
        m_supplier.SetTexts(texts);
        m_ctx.look = &m_look;
        m_ctx.texts = [this](std::u16string_view key) { return m_strings.Get(key); };
        m_ctx.data = &m_data;
        m_ctx.message = [this](std::u16string_view key, const std::vector<FormatArg>& args,
                               unsigned, QWidget*) {
            m_shown.push_back({std::u16string(key), FormatText(m_strings.Get(key), args)});
            return m_answer;
        };
        m_ctx.playSound = [this](int i) { m_sounds.push_back(i); };
    }

    void ShowSupplierError(std::u16string_view key, std::u16string_view, uint32_t) override
    {
        m_shown.push_back({std::u16string(key), {}});
    }

    // The name of the first shipped course for the US layout.
    std::u16string FirstCourseName()
    {
        EXPECT_TRUE(m_supplier.ListCourses(0, 0));
        CatalogueEntry e;
        EXPECT_TRUE(e.Assign(m_supplier.Result().first(CatalogueEntry::kSize)));
        return e.Name();
    }

    static std::vector<QString> Names(const CChooserList* list)
    {
        std::vector<QString> names;
        for (int i = 0; i < list->count(); ++i)
            if (!list->item(i)->data(CChooserList::kSeparatorRole).toBool())
                names.push_back(list->item(i)->text());
        return names;
    }

    test::TempDir m_dir;
    CResString m_strings;
    CTypingAspect m_look;
    CPump_TypingData m_supplier;
    SupplierChooserData m_data{m_supplier};
    ChooserContext m_ctx;
    UsKeys m_keys;
    std::vector<Shown> m_shown;
    std::vector<int> m_sounds;
    int m_answer = 6;
};

TEST_F(ChooserTest, CourseThenLessonWithExpandedKeyReferences)
{
    CDlg_ChooseLesson::Request req;
    req.course = u"no such course";
    req.lesson = u"#32 and #37: middle fingers";
    req.keys = &m_keys;
    req.layoutType = 0;
    req.whichHand = 0;
    req.views = {{0, "Standard view"}, {3, "Balloons"}};
    req.viewId = 3;
    CDlg_ChooseLesson dlg(m_ctx, req);
    EXPECT_EQ(m_sounds, std::vector<int>{4});
    ASSERT_EQ(dlg.CurrentStep(), CDlg_ChooseLesson::CourseStep);
    EXPECT_EQ(dlg.windowTitle(), QString::fromStdU16String(m_strings.Get(u"IDS_WT_SELECTCOURSE")));
    // An unknown proposal selects the first course.
    const std::u16string first = FirstCourseName();
    ASSERT_FALSE(dlg.List()->selectedItems().isEmpty());
    EXPECT_EQ(dlg.List()->selectedItems().front()->text(), QString::fromStdU16String(first));
    EXPECT_TRUE(dlg.BackButton()->isHidden());

    dlg.OnOk();
    ASSERT_EQ(dlg.CurrentStep(), CDlg_ChooseLesson::LessonStep);
    EXPECT_TRUE(dlg.CurrentCourseLine().contains(QString::fromStdU16String(first)));
    EXPECT_FALSE(dlg.BackButton()->isHidden());
    // Key references show the US keys: "#32 and #37" is "D and K".
    const std::vector<QString> names = Names(dlg.List());
    ASSERT_GT(names.size(), 10u);
    for (const QString& n : names)
        EXPECT_FALSE(n.contains(QRegularExpression("#[0-9]"))) << n.toStdString();
    ASSERT_FALSE(dlg.List()->selectedItems().isEmpty());
    EXPECT_EQ(dlg.List()->selectedItems().front()->text(), "D and K: middle fingers");
    // Lessons of a new group are set apart by a separator line.
    bool separator = false;
    for (int i = 0; i < dlg.List()->count(); ++i)
        separator |= dlg.List()->item(i)->data(CChooserList::kSeparatorRole).toBool();
    EXPECT_TRUE(separator);
    EXPECT_EQ(dlg.ViewList()->currentData().toInt(), 3);

    dlg.OnOk();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.CourseName(), first);
    EXPECT_EQ(dlg.LessonName(), u"#32 and #37: middle fingers");
    EXPECT_EQ(dlg.LessonDisplayText(), u"D and K: middle fingers");
    EXPECT_EQ(dlg.ViewId(), 3);
    EXPECT_TRUE(m_shown.empty());
}

TEST_F(ChooserTest, EnterInTheListGoesOneStep)
{
    CDlg_ChooseLesson::Request req;
    req.course = FirstCourseName();
    req.keys = &m_keys;
    req.layoutType = 0;
    req.whichHand = 0;
    CDlg_ChooseLesson dlg(m_ctx, req);
    QTest::keyClick(dlg.List(), Qt::Key_Return);
    EXPECT_EQ(dlg.CurrentStep(), CDlg_ChooseLesson::LessonStep);
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    QTest::keyClick(dlg.List(), Qt::Key_Return);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(dlg.LessonName().empty());
}

TEST_F(ChooserTest, BackReturnsToTheCourses)
{
    CDlg_ChooseLesson::Request req;
    req.course = FirstCourseName();
    req.keys = &m_keys;
    req.layoutType = 0;
    req.whichHand = 0;
    CDlg_ChooseLesson dlg(m_ctx, req);
    dlg.OnOk();
    ASSERT_EQ(dlg.CurrentStep(), CDlg_ChooseLesson::LessonStep);
    dlg.OnBack();
    EXPECT_EQ(dlg.CurrentStep(), CDlg_ChooseLesson::CourseStep);
    ASSERT_FALSE(dlg.List()->selectedItems().isEmpty());
    EXPECT_EQ(dlg.List()->selectedItems().front()->text(), QString::fromStdU16String(req.course));
}

TEST_F(ChooserTest, WithoutChooseCourseAnUnknownLastCourseLeavesNothingToChoose)
{
    CDlg_ChooseLesson::Request req;
    req.course = u"Forgotten Course";
    req.chooseCourse = false;
    req.layoutType = 0;
    req.whichHand = 0;
    CDlg_ChooseLesson dlg(m_ctx, req);
    EXPECT_EQ(dlg.CurrentStep(), CDlg_ChooseLesson::LessonStep);
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0].key, u"IDS_ERR_NOLASTCOURSE");
    EXPECT_NE(m_shown[0].text.find(u"Forgotten Course"), std::u16string::npos);
    EXPECT_EQ(dlg.List()->EntryCount(), 0);
    EXPECT_FALSE(dlg.OkButton()->isEnabled());
    EXPECT_TRUE(dlg.BackButton()->isHidden());
}

TEST_F(ChooserTest, WithoutChooseCourseTheLastCourseOpensOnItsLessons)
{
    CDlg_ChooseLesson::Request req;
    req.course = FirstCourseName();
    req.chooseCourse = false;
    req.showViewList = false;
    req.fitMask = 2;
    req.includeHidden = false;
    req.layoutType = 0;
    req.whichHand = 0;
    CDlg_ChooseLesson dlg(m_ctx, req);
    EXPECT_EQ(dlg.CurrentStep(), CDlg_ChooseLesson::LessonStep);
    EXPECT_GT(dlg.List()->EntryCount(), 0);
    EXPECT_TRUE(dlg.ViewList()->isHidden());
    // Hidden (slide-only) lessons are left out.
    for (const QString& n : Names(dlg.List()))
        EXPECT_NE(n, "Welcome to touch typing");
    EXPECT_TRUE(m_shown.empty());
}

TEST_F(ChooserTest, TestChooserOffersFreeTypingFirstInBothSteps)
{
    CDlg_ChooseTest::Request req;
    req.category = u"Everyday Prose";
    req.text = u"The Corner Bakery";
    CDlg_ChooseTest dlg(m_ctx, req);
    ASSERT_EQ(dlg.CurrentStep(), CDlg_ChooseTest::CategoryStep);
    std::vector<QString> names = Names(dlg.List());
    ASSERT_GE(names.size(), 5u);
    EXPECT_EQ(names[0], QString::fromStdU16String(m_strings.Get(u"IDS_LIST_TRAINFREETYPING")));
    EXPECT_EQ(dlg.List()->selectedItems().front()->text(), "Everyday Prose");
    EXPECT_TRUE(dlg.AddButton()->isHidden());

    dlg.OnOk();
    ASSERT_EQ(dlg.CurrentStep(), CDlg_ChooseTest::TextStep);
    EXPECT_TRUE(dlg.CurrentFolderLine().contains("Everyday Prose"));
    names = Names(dlg.List());
    EXPECT_EQ(names[0], QString::fromStdU16String(m_strings.Get(u"IDS_LIST_TRAINFREETYPING")));
    EXPECT_EQ(names.size(), 6u);
    EXPECT_EQ(dlg.List()->selectedItems().front()->text(), "The Corner Bakery");
    dlg.OnOk();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(dlg.FreeTyping());
    EXPECT_EQ(dlg.TestName(), u"Everyday Prose\\The Corner Bakery");
}

TEST_F(ChooserTest, FreeTypingEntryChoosesFreeTyping)
{
    CDlg_ChooseTest::Request req;
    CDlg_ChooseTest dlg(m_ctx, req);
    dlg.List()->SelectPayload(CDlg_ChooseTest::kFreeTypingEntry);
    dlg.OnOk();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(dlg.FreeTyping());
}

TEST_F(ChooserTest, WithoutTheCategoryStepAMissingCategoryIsCleared)
{
    CDlg_ChooseTest::Request req;
    req.category = u"Gone";
    req.chooseCategory = false;
    CDlg_ChooseTest dlg(m_ctx, req);
    EXPECT_EQ(dlg.CurrentStep(), CDlg_ChooseTest::TextStep);
    EXPECT_TRUE(dlg.BackButton()->isHidden());
    // The texts directly in TestTexts: none are shipped, only free typing is offered.
    EXPECT_EQ(dlg.List()->EntryCount(), 1);
    EXPECT_EQ(dlg.CurrentFolderLine(),
              QString::fromStdU16String(
                  FormatText(m_strings.Get(u"IDS_FORMAT_CURFOLDER"), {FormatArg(u"")})));
}

TEST_F(ChooserTest, AddingAndRemovingCustomTexts)
{
    m_dir.Write("mine/Story.TXT", "A story of my own, typed for practice.");
    m_dir.Write("mine/Story.doc", "not a text");
    CDlg_ChooseTest::Request req;
    req.category = u"Everyday Prose";
    req.chooseCategory = false;
    std::u16string picked;
    m_ctx.pickFile = [&](const std::u16string& display, const std::u16string& pattern, QWidget*) {
        EXPECT_EQ(display, u"Text files (*.txt)");
        EXPECT_EQ(pattern, u"*.txt");
        return picked;
    };
    CDlg_ChooseTest dlg(m_ctx, req);
    const int before = dlg.List()->EntryCount();

    picked = m_dir.File("mine/Story.doc");
    dlg.OnAdd();
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0].key, u"IDS_ERR_FILENOTTXTEXT");
    EXPECT_EQ(dlg.List()->EntryCount(), before);

    // The extension in capitals is accepted; adding twice lists a second entry of that title.
    picked = m_dir.File("mine/Story.TXT");
    dlg.OnAdd();
    dlg.OnAdd();
    EXPECT_EQ(dlg.List()->EntryCount(), before + 2);
    const QString custom =
        QString::fromStdU16String(m_strings.Get(u"IDS_TESTTEXT_CUSTOM")) + "Story";
    EXPECT_EQ(dlg.List()->selectedItems().front()->text(), custom);
    const std::filesystem::path copy =
        m_dir.path() / "Data/TestTexts/Everyday Prose" / (custom.toStdString() + ".TXT");
    EXPECT_TRUE(std::filesystem::exists(copy));

    // Removing asks first; "no" keeps the text.
    m_answer = 7;
    dlg.OnRemove();
    EXPECT_TRUE(std::filesystem::exists(copy));
    m_answer = 6;
    m_shown.clear();
    dlg.OnRemove();
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0].key, u"IDS_Q_REMOVETESTTEXT");
    EXPECT_EQ(dlg.List()->EntryCount(), before + 1);
    EXPECT_FALSE(std::filesystem::exists(copy));
}

TEST_F(ChooserTest, FreeTypingCannotBeRemoved)
{
    CDlg_ChooseTest::Request req;
    req.category = u"Everyday Prose";
    req.chooseCategory = false;
    CDlg_ChooseTest dlg(m_ctx, req);
    dlg.List()->SelectPayload(CDlg_ChooseTest::kFreeTypingEntry);
    EXPECT_FALSE(dlg.RemoveButton()->isEnabled());
    dlg.OnRemove();
    EXPECT_TRUE(m_shown.empty());
    EXPECT_EQ(dlg.List()->RowOfPayload(CDlg_ChooseTest::kFreeTypingEntry), 0);
}

} // namespace
} // namespace kf
