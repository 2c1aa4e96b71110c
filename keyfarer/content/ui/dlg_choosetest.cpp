#include "content/ui/dlg_choosetest.h"

#include "content/testcategoryitem.h"
#include "content/testlibrary.h"
#include "content/testtextitem.h"
#include "content/ui/chooserlist.h"
#include "skin/ui/anibutton.h"
#include "skin/ui/skinpixmaps.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace kf {
namespace {

bool SameName(std::u16string_view a, std::u16string_view b)
{
    return QString::compare(ToQString(a), ToQString(b), Qt::CaseInsensitive) == 0;
}

constexpr unsigned kErrorBox = 0x10;
constexpr unsigned kQuestionYesNo = 0x24;
constexpr int kYes = 6;

} // namespace

CDlg_ChooseTest::CDlg_ChooseTest(ChooserContext context, Request request, QWidget* parent)
    : COwnerDrawDialog(context.look, context.texts, parent), m_ctx(std::move(context)),
      m_req(std::move(request))
{
    auto* column = new QVBoxLayout(this);
    column->setSpacing(8);
    m_folderLine = new QLabel(this);
    column->addWidget(m_folderLine);
    m_list = new CChooserList(Look(), this);
    m_list->setMinimumSize(420, 330);
    column->addWidget(m_list, 1);

    auto* edit = new QHBoxLayout();
    m_add = new CAniButton(Look(), Text(u"IDS_CT_ADDTEST"), this);
    m_remove = new CAniButton(Look(), Text(u"IDS_CT_REMOVETEST"), this);
    m_add->setToolTip(Text(u"IDS_TIP_ADDTESTTEXT"));
    m_remove->setToolTip(Text(u"IDS_TIP_REMOVETESTTEXT"));
    edit->addWidget(m_add);
    edit->addWidget(m_remove);
    edit->addStretch(1);
    column->addLayout(edit);

    auto* buttons = new QHBoxLayout();
    m_back = new CAniButton(Look(), Text(u"IDS_CT_BACK"), this);
    m_ok = new CAniButton(Look(), Text(u"IDS_CT_NEXT"), this);
    m_cancel = new CAniButton(Look(), Text(u"IDS_CT_CANCEL"), this);
    m_ok->SetDefault(true);
    buttons->addWidget(m_back);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    column->addLayout(buttons);

    if (Look()) {
        QPalette pal = m_folderLine->palette();
        pal.setColor(QPalette::WindowText, LookQColor(*Look(), LookColor::DialogText));
        m_folderLine->setPalette(pal);
        m_folderLine->setFont(LookQFont(*Look(), LookFont::Dialog));
    }

    connect(m_ok, &QAbstractButton::clicked, this, &CDlg_ChooseTest::OnOk);
    connect(m_back, &QAbstractButton::clicked, this, &CDlg_ChooseTest::OnBack);
    connect(m_cancel, &QAbstractButton::clicked, this, &QDialog::reject);
    connect(m_add, &QAbstractButton::clicked, this, &CDlg_ChooseTest::OnAdd);
    connect(m_remove, &QAbstractButton::clicked, this, &CDlg_ChooseTest::OnRemove);
    // A double click on an entry chooses it, as the OK button and Enter do.
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem*) { OnOk(); });
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CDlg_ChooseTest::UpdateButtons);

    m_ctx.Sound(4);
    if (m_req.chooseCategory) {
        if (m_ctx.data) {
            Bytes reply;
            m_ctx.data->SetErrorKey(u"IDS_ERR_LISTTESTCATEGORY");
            if (m_ctx.data->ListTestCategories(reply)) {
                for (size_t at = 0; at + TestCategoryItem::kSize <= reply.size();
                     at += TestCategoryItem::kSize) {
                    TestCategoryItem item;
                    item.Assign(ByteSpan(reply.data() + at, TestCategoryItem::kSize));
                    m_categories.push_back({item.Name(), item.Info()});
                }
            }
        }
        ShowCategoryStep();
        return;
    }
    // Without the category step: the texts of the last category, when it can be had.
    m_currentCategory = m_req.category;
    if (m_ctx.data && !m_currentCategory.empty()) {
        Bytes reply;
        m_ctx.data->SetErrorKey(u"IDS_ERR_TESTCATEGORYINFO");
        TestCategoryItem item;
        if (!m_ctx.data->CheckTestCategory(m_currentCategory, reply) ||
            !item.Assign(ByteSpan(reply.data(), std::min(reply.size(), TestCategoryItem::kSize))) ||
            item.Index() != 1)
            m_currentCategory.clear();
    }
    LoadTexts(m_currentCategory);
    ShowTextStep();
}

std::u16string CDlg_ChooseTest::TestName() const
{
    if (m_category.empty())
        return m_title;
    return m_category + u"\\" + m_title;
}

void CDlg_ChooseTest::AddFreeTypingEntry()
{
    m_list->AddEntry(Text(u"IDS_LIST_TRAINFREETYPING"), Text(u"IDS_LIST_TIPS_TRAINFREETYPING"),
                     CChooserList::FreeTyping, kFreeTypingEntry);
    m_list->AddSeparator();
}

void CDlg_ChooseTest::ShowCategoryStep()
{
    m_step = CategoryStep;
    setWindowTitle(Text(u"IDS_WT_SELECTTESTCATEGORY"));
    m_list->ClearEntries();
    AddFreeTypingEntry();
    int chosen = -1;
    const std::u16string& proposed = m_currentCategory.empty() ? m_req.category : m_currentCategory;
    for (size_t i = 0; i < m_categories.size(); ++i) {
        m_list->AddEntry(ToQString(m_categories[i].name), ToQString(m_categories[i].info),
                         CChooserList::Folder, int(i) + 1);
        if (chosen < 0 && SameName(m_categories[i].name, proposed))
            chosen = int(i) + 1;
    }
    if (chosen < 0 || !m_list->SelectPayload(chosen))
        m_list->SelectFirst();
    m_folderLine->hide();
    m_add->hide();
    m_remove->hide();
    m_back->hide();
    m_ok->setText(Text(u"IDS_CT_NEXT"));
    UpdateButtons();
}

bool CDlg_ChooseTest::LoadTexts(const std::u16string& category)
{
    m_texts.clear();
    if (!m_ctx.data)
        return false;
    Bytes reply;
    m_ctx.data->SetErrorKey(u"IDS_ERR_LISTTESTITEMS");
    if (!m_ctx.data->ListTestTexts(category, reply))
        return false;
    for (size_t at = 0; at + TestTextItem::kSize <= reply.size(); at += TestTextItem::kSize) {
        TestTextItem item;
        item.Assign(ByteSpan(reply.data() + at, TestTextItem::kSize));
        m_texts.push_back({item.Title(), item.Info()});
    }
    return true;
}

void CDlg_ChooseTest::ShowTextStep()
{
    m_step = TextStep;
    setWindowTitle(Text(u"IDS_WT_SELECTTESTTEXT"));
    m_list->ClearEntries();
    AddFreeTypingEntry();
    int chosen = -1;
    for (size_t i = 0; i < m_texts.size(); ++i) {
        m_list->AddEntry(ToQString(m_texts[i].title), ToQString(m_texts[i].info),
                         CChooserList::Text, int(i) + 1);
        if (chosen < 0 && SameName(m_texts[i].title, m_req.text))
            chosen = int(i) + 1;
    }
    if (chosen < 0 || !m_list->SelectPayload(chosen))
        m_list->SelectFirst();
    m_folderLine->setText(ToQString(FormatText(LookupText(m_ctx.texts, u"IDS_FORMAT_CURFOLDER"),
                                               {FormatArg(m_currentCategory)})));
    m_folderLine->show();
    m_add->show();
    m_remove->show();
    m_back->setVisible(m_req.chooseCategory);
    m_ok->setText(Text(u"IDS_CT_OK"));
    UpdateButtons();
}

QString CDlg_ChooseTest::CurrentFolderLine() const
{
    return m_folderLine->isVisibleTo(this) ? m_folderLine->text() : QString();
}

void CDlg_ChooseTest::UpdateButtons()
{
    m_ok->setEnabled(m_list->CurrentPayload() >= 0);
    m_remove->setEnabled(m_step == TextStep && m_list->CurrentPayload() > kFreeTypingEntry);
}

void CDlg_ChooseTest::OnOk()
{
    const int chosen = m_list->CurrentPayload();
    if (chosen < 0)
        return;
    if (chosen == kFreeTypingEntry) {
        m_freeTyping = true;
        m_category.clear();
        m_title.clear();
        accept();
        return;
    }
    if (m_step == CategoryStep) {
        if (size_t(chosen) > m_categories.size())
            return;
        const std::u16string name = m_categories[size_t(chosen) - 1].name;
        if (!LoadTexts(name))
            return; // the supplier has shown why; the categories stay on the list
        m_currentCategory = name;
        ShowTextStep();
        return;
    }
    if (size_t(chosen) > m_texts.size())
        return;
    m_freeTyping = false;
    m_category = m_currentCategory;
    m_title = m_texts[size_t(chosen) - 1].title;
    accept();
}

void CDlg_ChooseTest::OnBack()
{
    if (m_step == TextStep && m_req.chooseCategory)
        ShowCategoryStep();
}

void CDlg_ChooseTest::OnAdd()
{
    if (m_step != TextStep || !m_ctx.data)
        return;
    // "Text files (*.txt)\0*.txt": the display part and the pattern part.
    const std::u16string filter = LookupText(m_ctx.texts, u"IDS_FILTER_FORTXT");
    const size_t cut = filter.find(u"\\0");
    const std::u16string display = cut == std::u16string::npos ? filter : filter.substr(0, cut);
    const std::u16string pattern = cut == std::u16string::npos ? u"*.txt" : filter.substr(cut + 2);
    std::u16string source;
    if (m_ctx.pickFile) {
        source = m_ctx.pickFile(display, pattern, this);
    } else {
        CTavroBaseDialog::ModalScope scope;
        QString qtFilter = ToQString(display);
        if (!qtFilter.contains(QLatin1Char('(')))
            qtFilter += QStringLiteral(" (") + ToQString(pattern) + QLatin1Char(')');
        source = FromQString(QFileDialog::getOpenFileName(this, QString(), QString(), qtFilter));
    }
    if (source.empty())
        return;
    TestTextItem entry;
    const AddTextResult result =
        AddCustomText(m_ctx.data->DataFolder(), source, m_currentCategory,
                      LookupText(m_ctx.texts, u"IDS_TESTTEXT_CUSTOM"),
                      LookupText(m_ctx.texts, u"IDS_FORMAT_FILEINFO"), &entry);
    switch (result) {
    case AddTextResult::SourceMissing:
        return;
    case AddTextResult::NotTextFile:
        m_ctx.Message(u"IDS_ERR_FILENOTTXTEXT", {}, kErrorBox, this);
        return;
    case AddTextResult::CopyFailed:
        m_ctx.Message(u"IDS_ERR_FAILEDADDTESTTEXT", {}, kErrorBox, this);
        return;
    case AddTextResult::Added:
        break;
    }
    m_texts.push_back({entry.Title(), entry.Info()});
    const int payload = int(m_texts.size());
    m_list->AddEntry(ToQString(entry.Title()), ToQString(entry.Info()), CChooserList::Text,
                     payload);
    m_list->SelectPayload(payload);
    UpdateButtons();
}

void CDlg_ChooseTest::OnRemove()
{
    const int chosen = m_list->CurrentPayload();
    if (m_step != TextStep || chosen <= kFreeTypingEntry || size_t(chosen) > m_texts.size() ||
        !m_ctx.data)
        return;
    const std::u16string title = m_texts[size_t(chosen) - 1].title;
    if (m_ctx.Message(u"IDS_Q_REMOVETESTTEXT", {FormatArg(title)}, kQuestionYesNo, this) != kYes)
        return;
    if (!RemoveText(m_ctx.data->DataFolder(), m_currentCategory, title)) {
        m_ctx.Message(u"IDS_ERR_FAILEDDELETEFILE", {FormatArg(title)}, kErrorBox, this);
        return;
    }
    m_list->RemovePayload(chosen);
    UpdateButtons();
}

void CDlg_ChooseTest::showEvent(QShowEvent* event)
{
    COwnerDrawDialog::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    adjustSize();
    if (QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

} // namespace kf

namespace kf {

void CDlg_ChooseTest::keyPressEvent(QKeyEvent* event)
{
    // The skinned buttons are no push buttons, so the dialog's default button needs this.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_ok->isEnabled()) {
        OnOk();
        return;
    }
    COwnerDrawDialog::keyPressEvent(event);
}

} // namespace kf
