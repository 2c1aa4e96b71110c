#pragma once

// CDlg_ChooseTest: the test chooser. In its first step the user picks a category of the test
// text library, in the second a text of it; both lists begin with free typing, which is
// chosen instead of a test. In the text step the user may add a text file of his own to the
// category (copied in as "Custom - " + its name) and remove texts. Without the privilege to
// choose the category the dialog opens on the texts of the user's last category.

#include "content/ui/choosercontext.h"
#include "skin/ui/ownerdrawdialog.h"

#include <string>
#include <vector>

class QLabel;

namespace kf {

class CAniButton;
class CChooserList;

class CDlg_ChooseTest : public COwnerDrawDialog
{
    Q_OBJECT
public:
    struct Request
    {
        std::u16string category;    // the user's "Last_TestCategory"
        std::u16string text;        // the user's "Last_TestText" (a title)
        bool chooseCategory = true; // the privilege ChooseTestCategory
    };

    enum Step { CategoryStep = 0, TextStep = 1 };
    // The payload of the free-typing entry in both lists.
    static constexpr int kFreeTypingEntry = 0;

    CDlg_ChooseTest(ChooserContext context, Request request, QWidget* parent = nullptr);

    // After OK: free typing, or the test Category() + "\" + Title().
    bool FreeTyping() const { return m_freeTyping; }
    const std::u16string& Category() const { return m_category; }
    const std::u16string& Title() const { return m_title; }
    // The name the engine opens: category, a backslash and the title (the title alone for a
    // text directly in "TestTexts").
    std::u16string TestName() const;

    int CurrentStep() const { return m_step; }
    CChooserList* List() const { return m_list; }
    CAniButton* OkButton() const { return m_ok; }
    CAniButton* BackButton() const { return m_back; }
    CAniButton* AddButton() const { return m_add; }
    CAniButton* RemoveButton() const { return m_remove; }
    QString CurrentFolderLine() const;

    void OnOk();
    void OnBack();
    // Asks for a text file and copies it into the current category.
    void OnAdd();
    // Removes the selected text after asking.
    void OnRemove();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct CategoryEntry
    {
        std::u16string name, info;
    };
    struct TextEntry
    {
        std::u16string title, info;
    };

    void ShowCategoryStep();
    void ShowTextStep();
    bool LoadTexts(const std::u16string& category);
    void AddFreeTypingEntry();
    void UpdateButtons();

    ChooserContext m_ctx;
    Request m_req;
    int m_step = CategoryStep;
    std::vector<CategoryEntry> m_categories;
    std::vector<TextEntry> m_texts;
    std::u16string m_currentCategory;
    bool m_placed = false;

    bool m_freeTyping = false;
    std::u16string m_category, m_title;

    QLabel* m_folderLine = nullptr;
    CChooserList* m_list = nullptr;
    CAniButton* m_add = nullptr;
    CAniButton* m_remove = nullptr;
    CAniButton* m_back = nullptr;
    CAniButton* m_ok = nullptr;
    CAniButton* m_cancel = nullptr;
};

} // namespace kf
