#include "core/conversionqueue.h"

namespace pw {

std::string FormatOf(const std::string& path)
{
    // Walk back over three UTF-8 characters (continuation bytes are 10xxxxxx).
    std::size_t start = path.size();
    for (int chars = 0; chars < 3 && start > 0; ++chars) {
        --start;
        while (start > 0 && (static_cast<unsigned char>(path[start]) & 0xC0) == 0x80)
            --start;
    }
    std::string format = path.substr(start);
    for (char& c : format)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return format;
}

bool ConversionQueue::Append(const std::string& path)
{
    if (Count() >= kMaxEntries)
        return false;
    if (m_listener)
        m_listener->QueueAboutToInsert(Count());
    m_entries.push_back({path, FormatOf(path)});
    if (m_listener)
        m_listener->QueueInserted();
    return true;
}

void ConversionQueue::RemoveAt(int position)
{
    if (position < 0 || position >= Count())
        return;
    if (m_listener)
        m_listener->QueueAboutToRemove(position);
    m_entries.erase(m_entries.begin() + position);
    if (m_listener)
        m_listener->QueueRemoved();
}

void ConversionQueue::Clear()
{
    if (m_listener)
        m_listener->QueueAboutToClear();
    m_entries.clear();
    if (m_listener)
        m_listener->QueueCleared();
}

} // namespace pw
