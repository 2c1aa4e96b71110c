#pragma once

// CChooserList: the list of a chooser dialog. Each entry shows a name and, on a second line in
// the small font, its description; entries carry a small mark of their style (0 a lesson of
// the main keys, 1 of the keypad, 2 a slide show, 3 a folder, 4 free typing) and the index of
// the record they stand for. Separator lines between groups cannot be selected.

#include "skin/controlaspect.h"
#include "skin/ui/flatlistbox.h"

namespace kf {

class CChooserList : public CFlatListbox
{
    Q_OBJECT
public:
    enum EntryStyle { MainKeys = 0, Keypad = 1, Slides = 2, Folder = 3, FreeTyping = 4, Text = 5 };

    explicit CChooserList(const CControlAspect* look, QWidget* parent = nullptr);

    // Adds an entry; payload is the caller's index of the record it stands for.
    void AddEntry(const QString& name, const QString& description, int style, int payload);
    void AddSeparator();
    // Removes every entry and separator.
    void ClearEntries();

    // Entries without the separators.
    int EntryCount() const;
    // The payload of the selected entry; -1 when none is selected.
    int CurrentPayload() const;
    // Selects the entry with that payload (scrolled into view); false when none has it.
    bool SelectPayload(int payload);
    // Selects the first entry; false when there is none.
    bool SelectFirst();
    // The row of the entry with that payload, -1 when none.
    int RowOfPayload(int payload) const;
    // Removes the entry with that payload (and a separator left without entries after it).
    void RemovePayload(int payload);

    static constexpr int kDescriptionRole = Qt::UserRole + 1;
    static constexpr int kStyleRole = Qt::UserRole + 2;
    static constexpr int kPayloadRole = Qt::UserRole + 3;
    static constexpr int kSeparatorRole = Qt::UserRole + 4;

protected:
    // A click beside the entries keeps the chosen one (the dialog's OK needs a choice).
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace kf
