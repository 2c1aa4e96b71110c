#pragma once

#include <string>
#include <vector>

namespace pw {

/// The "Format" text of a queued path: its last three characters with the ASCII letters
/// upper-cased ("PDF" for a PDF
/// file; the whole path when it is shorter). Characters are counted in UTF-8.
std::string FormatOf(const std::string& path);

/// One queued file: the path as added (the queue proper) and its "Format" column (what the
/// file list shows beside the path).
struct QueueEntry
{
    std::string path;
    std::string format;
};

/// Told before and after every change of the queue, so that a view can follow it row by row.
class QueueListener
{
public:
    virtual ~QueueListener() = default;
    virtual void QueueAboutToInsert(int position) = 0;
    virtual void QueueInserted() = 0;
    virtual void QueueAboutToRemove(int position) = 0;
    virtual void QueueRemoved() = 0;
    virtual void QueueAboutToClear() = 0;
    virtual void QueueCleared() = 0;
};

/// The files waiting for conversion, in order; the first entry is the next to convert. The
/// path list and the visible list are one list of entries here, so every addition and removal
/// acts on both at the same position. Duplicates are allowed. The count is a signed 16-bit
/// value, as stored lists have always counted it, so the queue holds at most 32,767 entries.
class ConversionQueue
{
public:
    static constexpr int kMaxEntries = 32767;

    /// Appends `path` at the end; returns false (and adds nothing) when the queue is full.
    bool Append(const std::string& path);
    /// Removes the entry at `position`; does nothing when there is none.
    void RemoveAt(int position);
    void Clear();

    int Count() const { return int(m_entries.size()); }
    bool Empty() const { return m_entries.empty(); }
    /// The entry at `position`, which must be below `Count()`.
    const QueueEntry& At(int position) const { return m_entries[std::size_t(position)]; }

    /// The listener told of every change; may be null. Not owned.
    void SetListener(QueueListener* listener) { m_listener = listener; }

private:
    std::vector<QueueEntry> m_entries;
    QueueListener* m_listener = nullptr;
};

} // namespace pw
