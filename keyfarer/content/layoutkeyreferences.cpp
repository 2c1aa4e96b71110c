#include "content/layoutkeyreferences.h"

namespace kf {

namespace {

KeyCaps CapsOf(const KeyRecord& k)
{
    KeyCaps caps;
    caps.base = k.Base();
    caps.shifted = k.Shifted();
    caps.kind = k.KindBits();
    return caps;
}

} // namespace

bool LayoutKeyReferences::MainKey(size_t index, KeyCaps& out) const
{
    if (index >= m_layout.MainKeyCount())
        return false;
    out = CapsOf(*m_layout.MainKey(index));
    return true;
}

bool LayoutKeyReferences::KeypadKey(size_t index, KeyCaps& out) const
{
    const KeyRecord* k = m_layout.KeypadKey(index);
    if (!k)
        return false;
    out = CapsOf(*k);
    return true;
}

} // namespace kf
