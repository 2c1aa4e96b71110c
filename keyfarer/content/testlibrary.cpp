#include "testlibrary.h"

#include "content/contentpath.h"
#include "content/profilesettings.h"
#include "content/testcategoryitem.h"
#include "platform/clock.h"
#include "platform/lasterror.h"
#include "platform/path.h"
#include "platform/textfile.h"
#include "platform/textformat.h"
#include "platform/utf.h"

#include <algorithm>
#include <vector>

namespace kf {

namespace {

constexpr std::u16string_view kLibraryFolder = u"TestTexts";
constexpr std::u16string_view kTextExtension = u".txt";
constexpr std::u16string_view kSettingsFile = u"testcfg.ini";

bool HasTextExtension(std::u16string_view name)
{
    return name.size() >= kTextExtension.size() &&
           EqualsNoCase(name.substr(name.size() - kTextExtension.size()), kTextExtension);
}

bool IsListedText(const DirEntry& e)
{
    return !e.isDirectory && !e.isSystem && !e.isHidden && e.size > 0 && HasTextExtension(e.name);
}

bool IsCategoryFolder(const DirEntry& e)
{
    return e.isDirectory && !e.isHidden;
}

// An empty category stands for the library folder itself.
bool CheckCategory(std::u16string_view category)
{
    if (category.empty() || IsSingleComponent(category))
        return true;
    SetLastError(err::InvalidName);
    return false;
}

std::u16string CategoryFolder(std::u16string_view dataFolder, std::u16string_view category)
{
    return DataPath(dataFolder, kLibraryFolder, category);
}

std::u16string InfoLine(std::u16string_view pattern, uint64_t size, int64_t time)
{
    return FormatText(pattern, {KilobytesForListing(size), DateForListing(time)});
}

TestTextItem MakeTextItem(std::u16string_view fileName, std::u16string_view info)
{
    TestTextItem item;
    item.SetText(TestTextItem::kTitle, TestTextItem::kTextUnits,
                 fileName.substr(0, fileName.size() - kTextExtension.size()));
    item.SetText(TestTextItem::kInfo, TestTextItem::kTextUnits, info);
    return item;
}

} // namespace

uint32_t KilobytesForListing(uint64_t bytes)
{
    const uint64_t kb = (bytes + 512) / 1024;
    return kb == 0 ? 1 : static_cast<uint32_t>(std::min<uint64_t>(kb, UINT32_MAX));
}

std::u16string DateForListing(int64_t secondsSince1970)
{
    if (secondsSince1970 < 0)
        return u"NoDefine!";
    const LocalDateTime t = LocalFromSeconds(secondsSince1970);
    return FormatText(u"%d-%02d-%02d", {unsigned{t.year}, unsigned{t.month}, unsigned{t.day}});
}

uint8_t CategoryTestType(std::u16string_view dataFolder, std::u16string_view category)
{
    if (category.empty() || !IsSingleComponent(category))
        return 0;
    const std::u16string file = DataPath(CategoryFolder(dataFolder, category), kSettingsFile);
    if (!FileExists(file))
        return 0;
    LastErrorKeeper keep;
    return static_cast<uint8_t>(ReadProfileNumber(file, u"general", u"TestType", 0));
}

bool CountFolderItems(std::u16string_view dataFolder, std::u16string_view folder, uint32_t& texts,
                      uint32_t& subFolders)
{
    texts = 0;
    subFolders = 0;
    if (!folder.empty() && !IsContainedRelativePath(folder)) {
        SetLastError(err::InvalidName);
        return false;
    }
    std::vector<DirEntry> entries;
    if (!ListDirectory(DataPath(dataFolder, folder), entries))
        return false;
    for (const DirEntry& e : entries) {
        if (e.isDirectory)
            ++subFolders;
        else if (IsListedText(e))
            ++texts;
    }
    return true;
}

bool ListTestCategories(std::u16string_view dataFolder, std::u16string_view folderInfoPattern, Bytes& reply)
{
    reply.clear();
    std::vector<DirEntry> entries;
    if (!ListDirectory(CategoryFolder(dataFolder, {}), entries))
        return false;
    ByteWriter w(reply);
    int32_t index = 0;
    for (const DirEntry& e : entries) {
        if (!IsCategoryFolder(e))
            continue;
        uint32_t texts = 0, folders = 0;
        CountFolderItems(dataFolder, DataPath({}, kLibraryFolder, e.name), texts, folders);
        TestCategoryItem item;
        item.SetI32(TestCategoryItem::kIndex, index++);
        item.SetText(TestCategoryItem::kName, TestCategoryItem::kTextUnits, e.name);
        item.SetText(TestCategoryItem::kInfo, TestCategoryItem::kTextUnits,
                     FormatText(folderInfoPattern, {texts, folders}));
        item.SetU32(TestCategoryItem::kTextCount, texts);
        item.SetU8(TestCategoryItem::kTestType, CategoryTestType(dataFolder, e.name));
        w.PutBytes(item.bytes());
    }
    SetLastError(err::Success);
    return true;
}

bool CheckTestCategory(std::u16string_view dataFolder, std::u16string_view category, Bytes& reply)
{
    reply.clear();
    if (!CheckCategory(category))
        return false;
    TestCategoryItem item;
    if (!category.empty() && DirectoryExists(CategoryFolder(dataFolder, category))) {
        item.SetI32(TestCategoryItem::kIndex, 1);
        item.SetText(TestCategoryItem::kName, TestCategoryItem::kTextUnits, category);
        item.SetU8(TestCategoryItem::kTestType, CategoryTestType(dataFolder, category));
    }
    reply.assign(item.bytes().begin(), item.bytes().end());
    SetLastError(err::Success);
    return true;
}

bool ListTestTexts(std::u16string_view dataFolder, std::u16string_view category,
                   std::u16string_view fileInfoPattern, Bytes& reply)
{
    reply.clear();
    if (!CheckCategory(category))
        return false;
    std::vector<DirEntry> entries;
    if (!ListDirectory(CategoryFolder(dataFolder, category), entries))
        return false;
    ByteWriter w(reply);
    for (const DirEntry& e : entries) {
        if (!IsListedText(e))
            continue;
        // The listing gives no creation time here, so the last-write time stands in for it.
        w.PutBytes(MakeTextItem(e.name, InfoLine(fileInfoPattern, e.size, e.modified)).bytes());
    }
    SetLastError(err::Success);
    return true;
}

bool ReadTestText(std::u16string_view dataFolder, std::u16string_view name, Bytes& reply, uint8_t& testType)
{
    reply.clear();
    testType = 0;
    if (!IsContainedRelativePath(name)) {
        SetLastError(err::InvalidName);
        return false;
    }
    Bytes bytes;
    if (!ReadWholeFile(DataPath(dataFolder, kLibraryFolder, std::u16string(name) + u".txt"), bytes,
                       kMaxTestTextFile))
        return false;
    reply = Utf16ToBytes(DecodeText(bytes));
    const size_t slash = name.find(u'\\');
    if (slash != std::u16string_view::npos)
        testType = CategoryTestType(dataFolder, name.substr(0, slash));
    SetLastError(err::Success);
    return true;
}

AddTextResult AddCustomText(std::u16string_view dataFolder, std::u16string_view sourcePath,
                            std::u16string_view category, std::u16string_view customPrefix,
                            std::u16string_view fileInfoPattern, TestTextItem* entry)
{
    if (sourcePath.empty() || !FileExists(sourcePath))
        return AddTextResult::SourceMissing;
    const std::u16string_view sourceName = FileNamePart(sourcePath);
    if (!HasTextExtension(sourceName))
        return AddTextResult::NotTextFile;
    const std::u16string newName = std::u16string(customPrefix) + std::u16string(sourceName);
    if (!CheckCategory(category))
        return AddTextResult::CopyFailed;
    if (!IsSingleComponent(newName)) {
        SetLastError(err::InvalidName);
        return AddTextResult::CopyFailed;
    }
    const int64_t size = FileSize(sourcePath);
    if (size < 0)
        return AddTextResult::CopyFailed;
    if (static_cast<uint64_t>(size) > kMaxTestTextFile) {
        SetLastError(err::NotEnoughMemory);
        return AddTextResult::CopyFailed;
    }
    const std::u16string target = DataPath(CategoryFolder(dataFolder, category), newName);
    if (!CopyFileTo(sourcePath, target, false))
        return AddTextResult::CopyFailed;
    if (entry) {
        const int64_t copied = FileSize(target);
        *entry = MakeTextItem(newName, InfoLine(fileInfoPattern, copied < 0 ? 0 : static_cast<uint64_t>(copied),
                                                FileModified(target)));
    }
    SetLastError(err::Success);
    return AddTextResult::Added;
}

bool RemoveText(std::u16string_view dataFolder, std::u16string_view category, std::u16string_view title)
{
    if (!CheckCategory(category))
        return false;
    const std::u16string fileName = std::u16string(title) + u".txt";
    if (title.empty() || !IsSingleComponent(fileName)) {
        SetLastError(err::InvalidName);
        return false;
    }
    return RemoveFile(DataPath(CategoryFolder(dataFolder, category), fileName));
}

} // namespace kf
