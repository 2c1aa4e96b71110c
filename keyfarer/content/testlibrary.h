#pragma once

// The test text library: the categories (sub-folders of "TestTexts" in the data folder),
// their texts ("*.txt" files), the category settings "testcfg.ini" (section "general", key
// "TestType", default 0; 2 marks original-copy tests) and the file operations behind the
// test chooser's add and remove buttons.
//
// Every function takes the data folder (a stored path with trailing separator, the folder
// holding "TestTexts"). The listing functions empty the reply buffer and fill it with
// TestCategoryItem (testcategoryitem.h) or TestTextItem (testtextitem.h) records; failures
// return false with the last-error value set. Category names are single folder names (an
// empty category is "TestTexts" itself); a name with a separator or "..", which would reach
// outside the library, fails with InvalidName.
//
// Entries are hidden when their name starts with "." and count as system entries when they
// are neither regular files nor folders; neither kind is listed or counted.

#include "content/testtextitem.h"
#include "platform/bytes.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kf {

// Test texts larger than this are neither read nor added (NotEnoughMemory): a test uses at
// most 32,767 characters of its text.
constexpr size_t kMaxTestTextFile = size_t{16} << 20;

// The size shown for a file: bytes / 1024 rounded to the nearest whole number, at least 1.
uint32_t KilobytesForListing(uint64_t bytes);
// The date shown for a file: "%d-%02d-%02d" of its local time, "NoDefine!" for a negative
// (unknown) time.
std::u16string DateForListing(int64_t secondsSince1970);

// The TestType of the category's "testcfg.ini"; 0 when the file is missing (no file is
// created). When the file exists and lacks the key, the key is written with 0.
uint8_t CategoryTestType(std::u16string_view dataFolder, std::u16string_view category);

// For the folder dataFolder + folder: the number of texts (non-empty "*.txt" files that are
// neither hidden nor system files: the files the text listing shows) and the number of
// sub-folders. False when the folder cannot be listed.
bool CountFolderItems(std::u16string_view dataFolder, std::u16string_view folder, uint32_t& texts,
                      uint32_t& subFolders);

// One TestCategoryItem per category folder (not hidden), in directory order; the
// information line is folderInfoPattern ("IDS_FORMAT_FOLDERINFO") filled with the number of
// texts and of sub-folders. False when "TestTexts" cannot be listed.
bool ListTestCategories(std::u16string_view dataFolder, std::u16string_view folderInfoPattern, Bytes& reply);

// One TestCategoryItem for the category: index 1, its name, no information line, 0 texts and
// its TestType when the folder exists; an all-zero item when it does not (both succeed).
bool CheckTestCategory(std::u16string_view dataFolder, std::u16string_view category, Bytes& reply);

// One TestTextItem per text of the category (empty: "TestTexts" itself), in directory order,
// the information line made from fileInfoPattern ("IDS_FORMAT_FILEINFO"). Empty files are
// left out. False when the folder cannot be listed.
bool ListTestTexts(std::u16string_view dataFolder, std::u16string_view category,
                   std::u16string_view fileInfoPattern, Bytes& reply);

// The text of "TestTexts\" + name + ".txt" (name = category, backslash, title; or a title in
// "TestTexts" itself) decoded by the text file reader, as UTF-16 bytes without a byte order
// mark, and the TestType of the category (the part of name before its first backslash).
bool ReadTestText(std::u16string_view dataFolder, std::u16string_view name, Bytes& reply, uint8_t& testType);

enum class AddTextResult {
    Added,        // copied; the entry is filled
    SourceMissing, // the chosen file does not exist: the dialog stops silently
    NotTextFile,  // its extension is not ".txt": "IDS_ERR_FILENOTTXTEXT"
    CopyFailed,   // the copy failed (last error set): "IDS_ERR_FAILEDADDTESTTEXT"
};

// Copies the file sourcePath (a stored path) into the category as customPrefix
// ("IDS_TESTTEXT_CUSTOM") + its file name, replacing a text of that name. The copy is
// written beside the target and renamed over it, so a crash leaves the old text or the new
// one. On success *entry (when given) holds the new text's item, its information line made
// from fileInfoPattern with the copy's size and last-write time.
AddTextResult AddCustomText(std::u16string_view dataFolder, std::u16string_view sourcePath,
                            std::u16string_view category, std::u16string_view customPrefix,
                            std::u16string_view fileInfoPattern, TestTextItem* entry);

// Deletes "TestTexts\" + category + "\" + title + ".txt" (the dialog has asked first).
// False with the last error set when it cannot ("IDS_ERR_FAILEDDELETEFILE").
bool RemoveText(std::u16string_view dataFolder, std::u16string_view category, std::u16string_view title);

} // namespace kf
