#include "content/locallayouts.h"

#include "content/contentpath.h"
#include "content/fingerassignment.h"
#include "content/keyboardlayout.h"
#include "platform/lasterror.h"
#include "platform/path.h"
#include "platform/utf.h"

#include <vector>

namespace kf {
namespace {

constexpr std::u16string_view kLayoutFolder = u"KBLayout";
constexpr std::u16string_view kExtension = u".kbl";
constexpr size_t kMaxLayoutFile = size_t{1} << 20;

bool HasLayoutExtension(std::u16string_view name)
{
    return name.size() > kExtension.size() &&
           EqualsNoCase(name.substr(name.size() - kExtension.size()), kExtension);
}

} // namespace

std::u16string LayoutListItem::DisplayName() const
{
    std::u16string name = FileName();
    name.resize(name.size() >= 4 ? name.size() - 4 : 0);
    return name;
}

bool LocalListKeyboardLayouts(std::u16string_view dataFolder, Bytes& reply)
{
    reply.clear();
    const std::u16string folder = DataPath(dataFolder, kLayoutFolder);
    if (!DirectoryExists(folder))
        return true;
    std::vector<DirEntry> entries;
    if (!ListDirectory(folder, entries))
        return false;
    for (const DirEntry& e : entries) {
        if (e.isDirectory || e.isHidden || e.isSystem || !HasLayoutExtension(e.name) ||
            e.name.size() >= LayoutListItem::kFileNameUnits)
            continue;
        Bytes head;
        if (!ReadFilePrefix(DataPath(folder, {}, e.name), CKeyboardLayout::kHeaderSize, head) ||
            head.size() < CKeyboardLayout::kHeaderSize)
            continue;
        KeyboardLayoutHeader header;
        header.Assign(head);
        if (!header.HasMagic())
            continue;
        LayoutListItem item;
        item.SetU32(LayoutListItem::kOffClass,
                    (uint32_t{header.FingerFamily()} << 16) | header.Hand());
        item.SetText(LayoutListItem::kOffFileName, LayoutListItem::kFileNameUnits, e.name);
        ByteWriter(reply).PutBytes(item.bytes());
    }
    SetLastError(err::Success);
    return true;
}

bool LocalLoadKeyboardLayout(std::u16string_view dataFolder, std::u16string_view name,
                             uint32_t whichHand, Bytes& reply)
{
    reply.clear();
    const std::u16string fileName = std::u16string(name) + std::u16string(kExtension);
    if (!IsSingleComponent(fileName)) {
        SetLastError(err::InvalidName);
        return false;
    }
    const std::u16string folder = DataPath(dataFolder, kLayoutFolder);
    Bytes image;
    if (!ReadWholeFile(DataPath(folder, {}, fileName), image, kMaxLayoutFile)) {
        if (GetLastError() == err::NotEnoughMemory)
            SetLastError(err::InvalidData);
        return false;
    }
    const uint8_t hand = static_cast<uint8_t>(whichHand);
    if (hand != 0) {
        // Too short to name its family: no finger file can fit it.
        if (image.size() <= KeyboardLayoutHeader::kOffFingerFamily) {
            SetLastError(err::InvalidData);
            return false;
        }
        const std::u16string fingerName =
            FingerAssignment::FileName(image[KeyboardLayoutHeader::kOffFingerFamily], hand);
        Bytes fingerBytes;
        FingerAssignment fingers;
        if (!fingerName.empty() && (!ReadFilePrefix(DataPath(folder, {}, fingerName),
                                                    FingerAssignment::kReadLimit, fingerBytes) ||
                                    !fingers.Parse(fingerBytes) || !fingers.ApplyToImage(image)))
            return false;
    }
    reply = std::move(image);
    SetLastError(err::Success);
    return true;
}

} // namespace kf
