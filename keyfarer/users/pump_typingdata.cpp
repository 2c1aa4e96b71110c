#include "pump_typingdata.h"

#include "defaultprofile.h"
#include "userstatistics.h"

#include "content/contentpath.h"
#include "content/locallayouts.h"
#include "content/localtutorial.h"
#include "content/privileges.h"
#include "content/resstring.h"
#include "content/testlibrary.h"
#include "platform/lasterror.h"
#include "platform/path.h"
#include "platform/textfile.h"

namespace kf {

namespace {

constexpr size_t kBufferStep = 4096;
// Dictionaries and templates are small texts; anything far larger is not one of them.
constexpr size_t kMaxTextFile = size_t{16} << 20;

bool ReadDecodedText(std::u16string_view path, Bytes& reply)
{
    Bytes raw;
    if (!ReadWholeFile(path, raw, kMaxTextFile))
        return false;
    reply = Utf16ToBytes(DecodeText(raw));
    return true;
}

} // namespace

SupplierTexts SupplierTexts::FromStringTable()
{
    SupplierTexts t;
    t.fileInfo = GetResString(u"IDS_FORMAT_FILEINFO");
    t.folderInfo = GetResString(u"IDS_FORMAT_FOLDERINFO");
    t.freeTyping = GetResString(u"IDS_USEDATATYPE_FREETYPE");
    return t;
}

CPump_TypingData::CPump_TypingData() = default;
CPump_TypingData::~CPump_TypingData() = default;

void CPump_TypingData::SetDataFolder(std::u16string_view dataFolder)
{
    m_store.SetDataFolder(dataFolder);
}

const uint8_t* CPump_TypingData::GetResult(size_t* length) const
{
    if (length)
        *length = m_result.size();
    return m_result.data();
}

void CPump_TypingData::Begin()
{
    m_result.clear();
}

void CPump_TypingData::Answer(Bytes&& reply)
{
    const size_t steps = (reply.size() + kBufferStep - 1) / kBufferStep;
    if (reply.capacity() < steps * kBufferStep)
        reply.reserve(steps * kBufferStep);
    m_result = std::move(reply);
}

bool CPump_TypingData::Fail()
{
    const uint32_t code = GetLastError();
    m_result.clear();
    if (m_sink)
        m_sink->ShowSupplierError(m_errorKey, ErrorMessageText(code), code);
    SetLastError(code);
    return false;
}

bool CPump_TypingData::CheckResultSize(size_t size, bool exact)
{
    const size_t have = m_result.size();
    if (exact ? have == size : have >= size)
        return true;
    SetLastError(err::InvalidData);
    const uint32_t code = err::InvalidData;
    if (m_sink)
        m_sink->ShowSupplierError(u"IDS_ERR_INVALIDDATAPACKET", ErrorMessageText(code), code);
    return false;
}

// --- accounts and profiles

int CPump_TypingData::OpenUserFile(std::u16string_view path, std::u16string_view account,
                                   CUserProfile& profile, uint32_t& error)
{
    Begin();
    return m_store.OpenUserFile(path, account, profile, error);
}

bool CPump_TypingData::CreateUserFile(std::u16string_view account, const CUserProfile& profile)
{
    Begin();
    return m_store.CreateUserFile(account, profile) || Fail();
}

bool CPump_TypingData::ListAccounts()
{
    Begin();
    Bytes reply;
    if (!m_store.ListAccounts(reply))
        return Fail();
    Answer(std::move(reply));
    return true;
}

bool CPump_TypingData::LoadDefaultProfile(CUserProfile& profile)
{
    Begin();
    const std::u16string path = m_store.AccountFolder() + kDefConfigFileName;
    if (!FileExists(path)) {
        SetLastError(err::FileNotFound);
        return Fail();
    }
    return kf::LoadDefaultProfile(path, profile) || Fail();
}

bool CPump_TypingData::SaveProfile(const CUserProfile& profile)
{
    Begin();
    return m_store.SaveProfile(profile) || Fail();
}

bool CPump_TypingData::ChangePassword(std::u16string_view, std::u16string_view)
{
    Begin();
    SetLastError(err::Success);
    return true;
}

// --- results and statistics

bool CPump_TypingData::AppendResult(const CResultRecord& record, ByteSpan)
{
    Begin();
    return m_store.AppendResult(record) || Fail();
}

bool CPump_TypingData::LoadResultRecord(int32_t number, bool keepFreeTyping, uint32_t)
{
    Begin();
    CResultRecord r;
    if (!m_store.ReadResult(number, keepFreeTyping, r))
        return Fail();
    Answer(Bytes(r.data(), r.data() + r.size()));
    return true;
}

bool CPump_TypingData::ListHistoryItems(uint32_t types, uint32_t maximum)
{
    Begin();
    if (!m_store.HasOpenUserFile()) {
        SetLastError(err::InvalidHandle);
        return Fail();
    }
    Bytes reply;
    if (!kf::ListHistoryItems(m_store.UserFile(), types, maximum, m_texts.freeTyping, reply))
        return Fail();
    Answer(std::move(reply));
    return true;
}

bool CPump_TypingData::ListProgressPoints(uint32_t errorFactor, uint32_t type, uint32_t maximum)
{
    Begin();
    if (!m_store.HasOpenUserFile()) {
        SetLastError(err::InvalidHandle);
        return Fail();
    }
    Bytes reply;
    if (!kf::ListProgressPoints(m_store.UserFile(), errorFactor, type, maximum, reply))
        return Fail();
    Answer(std::move(reply));
    return true;
}

bool CPump_TypingData::ListRankEntries(uint32_t method, uint32_t type)
{
    Begin();
    Bytes reply;
    if (!kf::ListRankEntries(m_store.AccountFolder(), method, type, reply))
        return Fail();
    Answer(std::move(reply));
    return true;
}

// --- installation files

bool CPump_TypingData::LoadPrivileges()
{
    Begin();
    Bytes reply;
    if (!LoadPrivilegesFile(m_store.AccountFolder() + kPrivilegesFileName, reply))
        return Fail();
    Answer(std::move(reply));
    return true;
}

bool CPump_TypingData::LoadDictionary(std::u16string_view name)
{
    Begin();
    if (!IsContainedRelativePath(name)) {
        SetLastError(err::InvalidName);
        return Fail();
    }
    Bytes reply;
    if (!ReadDecodedText(DataPath(DataFolder(), u"Dict", name), reply))
        return Fail();
    Answer(std::move(reply));
    return true;
}

bool CPump_TypingData::LoadTemplateFile(std::u16string_view folder, std::u16string_view file,
                                        bool text)
{
    Begin();
    std::u16string relative(folder);
    if (!relative.empty() && relative.back() != u'\\' && relative.back() != u'/')
        relative += u'\\';
    relative += file;
    if (!IsContainedRelativePath(relative)) {
        SetLastError(err::InvalidName);
        return Fail();
    }
    const std::u16string path = DataFolder() + relative;
    Bytes reply;
    const bool ok = text ? ReadDecodedText(path, reply) : ReadWholeFile(path, reply, kMaxTextFile);
    if (!ok)
        return Fail();
    Answer(std::move(reply));
    return true;
}

// --- content requests

bool CPump_TypingData::ListCourses(int32_t layoutFilter, int32_t handFilter)
{
    Begin();
    Bytes reply;
    if (!kf::ListCourses(DataFolder(), layoutFilter, handFilter, reply))
        return Fail();
    Answer(std::move(reply));
    return true;
}

bool CPump_TypingData::ListLessons(std::u16string_view coursePath, uint32_t offerMask,
                                   bool includeHidden)
{
    Begin();
    Bytes reply;
    if (!kf::ListLessons(DataFolder(), coursePath, offerMask, includeHidden, reply))
        return Fail();
    Answer(std::move(reply));
    return true;
}

bool CPump_TypingData::ResolveCourseRef(int32_t kind, int32_t layoutFilter, int32_t handFilter,
                                        std::u16string_view course, uint32_t lessonIndex,
                                        std::u16string_view lessonName)
{
    Begin();
    Bytes reply;
    if (!kf::ResolveCourseRef(DataFolder(), kind, layoutFilter, handFilter, course, lessonIndex,
                              lessonName, reply))
        return Fail();
    Answer(std::move(reply));
    return true;
}

bool CPump_TypingData::ReadTutorialFile(std::u16string_view name)
{
    Begin();
    Bytes reply;
    if (!kf::ReadTutorialFile(DataFolder(), name, reply))
        return Fail();
    Answer(std::move(reply));
    return true;
}

bool CPump_TypingData::ReadTutorialText(std::u16string_view name, std::u16string* path)
{
    Begin();
    Bytes reply;
    if (!kf::ReadTutorialText(DataFolder(), name, reply, path))
        return Fail();
    Answer(std::move(reply));
    return true;
}

bool CPump_TypingData::ReadCourseHeader(std::u16string_view name)
{
    Begin();
    Bytes reply;
    if (!kf::ReadCourseHeader(DataFolder(), name, reply))
        return Fail();
    Answer(std::move(reply));
    return true;
}

bool CPump_TypingData::ListTestCategories()
{
    Begin();
    Bytes reply;
    if (!kf::ListTestCategories(DataFolder(), m_texts.folderInfo, reply))
        return Fail();
    Answer(std::move(reply));
    return true;
}

bool CPump_TypingData::CheckTestCategory(std::u16string_view category)
{
    Begin();
    Bytes reply;
    if (!kf::CheckTestCategory(DataFolder(), category, reply))
        return Fail();
    Answer(std::move(reply));
    return true;
}

bool CPump_TypingData::ListTestTexts(std::u16string_view category)
{
    Begin();
    Bytes reply;
    if (!kf::ListTestTexts(DataFolder(), category, m_texts.fileInfo, reply))
        return Fail();
    Answer(std::move(reply));
    return true;
}

bool CPump_TypingData::ReadTestText(std::u16string_view name, uint8_t& testType)
{
    Begin();
    Bytes reply;
    if (!kf::ReadTestText(DataFolder(), name, reply, testType))
        return Fail();
    Answer(std::move(reply));
    return true;
}

bool CPump_TypingData::ListKeyboardLayouts()
{
    Begin();
    Bytes reply;
    if (!LocalListKeyboardLayouts(DataFolder(), reply))
        return Fail();
    Answer(std::move(reply));
    return true;
}

bool CPump_TypingData::LoadKeyboardLayout(std::u16string_view name, uint32_t whichHand)
{
    Begin();
    Bytes reply;
    if (!LocalLoadKeyboardLayout(DataFolder(), name, whichHand, reply))
        return Fail();
    Answer(std::move(reply));
    return true;
}

} // namespace kf
