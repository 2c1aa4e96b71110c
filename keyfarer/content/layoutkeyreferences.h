#pragma once

// LayoutKeyReferences: a keyboard layout model as the key-reference expansion sees it, so
// that lesson lists, kftool and the content checks show "#n" with the loaded layout's keys.

#include "content/keyboardlayout.h"
#include "content/keyreferencemodel.h"

namespace kf {

class LayoutKeyReferences : public KeyReferenceModel
{
public:
    // The layout must outlive this object.
    explicit LayoutKeyReferences(const CKeyboardLayout& layout) : m_layout(layout) {}

    // Main key records in use (below the sum of the row counts), and the 17 keypad records.
    bool MainKey(size_t index, KeyCaps& out) const override;
    bool KeypadKey(size_t index, KeyCaps& out) const override;

private:
    const CKeyboardLayout& m_layout;
};

} // namespace kf
