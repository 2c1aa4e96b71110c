#include "tutorialcourse.h"

#include "content/pump_tutorialdatabase.h"
#include "content/sectiontext.h"
#include "platform/lasterror.h"
#include "platform/path.h"
#include "platform/utf.h"

#include <algorithm>
#include <cstring>

namespace kf {

namespace {

constexpr std::u16string_view kHeaderSection = u"Header";
constexpr size_t kTextCapacity = CourseHeader::kTextUnits; // 259 characters and NUL
constexpr size_t kListCapacity = 8192;                   // KeyIndex and RowIndex values
constexpr size_t kTrainCharsCapacity = 512;              // 511 characters read

// Compiled data may lack this much of the last lesson record; the rest is zero.
constexpr uint64_t kCompiledSlack = 32;

uint8_t Flag(int32_t v)
{
    return v != 0 ? 1 : 0;
}

std::u16string DecimalText(uint32_t n)
{
    std::u16string s;
    do {
        s.insert(s.begin(), static_cast<char16_t>(u'0' + n % 10));
        n /= 10;
    } while (n != 0);
    return s;
}

// KeyIndex: items split at every single space (two adjacent spaces give an empty item,
// read as 0); a trailing space ends the list.
std::vector<uint8_t> ParseKeyIndexes(std::u16string_view v)
{
    std::vector<uint8_t> keys;
    size_t p = 0;
    while (p < v.size() && keys.size() < LessonRecord::kMaxKeyIndexes) {
        const size_t q = v.find(u' ', p);
        const std::u16string_view item = v.substr(p, q == std::u16string_view::npos ? v.npos : q - p);
        keys.push_back(static_cast<uint8_t>(ParseDecimal(item)));
        if (q == std::u16string_view::npos)
            break;
        p = q + 1;
    }
    return keys;
}

// RowIndex: items split at runs of spaces; empty items are skipped.
std::vector<int16_t> ParseRowIndexes(std::u16string_view v)
{
    std::vector<int16_t> rows;
    size_t p = 0;
    while (p < v.size() && rows.size() < LessonRecord::kMaxRowIndexes) {
        while (p < v.size() && v[p] == u' ')
            ++p;
        if (p >= v.size())
            break;
        size_t q = p;
        while (q < v.size() && v[q] != u' ')
            ++q;
        rows.push_back(static_cast<int16_t>(ParseDecimal(v.substr(p, q - p))));
        p = q;
    }
    return rows;
}

} // namespace

TutorialCourse::TutorialCourse(CPump_TutorialDataBase* source) : m_source(source) {}

void TutorialCourse::Clear()
{
    m_header.Clear();
    m_lessons.clear();
    m_path.clear();
    m_error = 0;
}

bool TutorialCourse::Fail(uint32_t number)
{
    m_error = number;
    switch (number) {
    case kErrShortData:
    case kErrNoTag:
        SetLastError(err::InvalidData);
        break;
    case kErrNoLessons:
        SetLastError(err::NoMoreItems);
        break;
    case kErrNoMemory:
        SetLastError(err::NotEnoughMemory);
        break;
    default:
        SetLastError(number);
        break;
    }
    return false;
}

bool TutorialCourse::LoadCourseFile(std::u16string_view path)
{
    if (!m_source)
        return Fail(err::InvalidFunction);
    if (!m_source->ReadTutorialFile(path)) {
        m_error = GetLastError();
        return false;
    }
    return LoadCourseData(m_source->Result(), path);
}

bool TutorialCourse::LoadCourseData(ByteSpan data, std::u16string_view path)
{
    CourseHeader header;
    std::vector<LessonRecord> lessons;
    const bool compiled = data.size() >= CourseHeader::kSize && CourseHeader::StartsWithTag(data);
    if (!(compiled ? LoadCompiled(data, header, lessons) : LoadText(data, header, lessons)))
        return false;
    m_header = header;
    m_lessons = std::move(lessons);
    m_path.assign(path);
    m_error = 0;
    SetLastError(err::Success);
    return true;
}

bool TutorialCourse::LoadCompiled(ByteSpan data, CourseHeader& header, std::vector<LessonRecord>& lessons)
{
    const uint32_t count = LoadLe<uint32_t>(data.data() + CourseHeader::kLessonCount);
    const uint64_t needed = CourseHeader::kSize + uint64_t{count} * LessonRecord::kSize - kCompiledSlack;
    if (data.size() < needed)
        return Fail(kErrShortData);
    if (count == 0)
        return Fail(kErrNoLessons);
    if (count > kMaxLessons)
        return Fail(kErrNoMemory);
    header.Assign(data.first(CourseHeader::kSize));
    lessons.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        const size_t off = CourseHeader::kSize + size_t{i} * LessonRecord::kSize;
        const size_t n = std::min(LessonRecord::kSize, data.size() - off);
        std::memcpy(lessons[i].data(), data.data() + off, n);
    }
    return true;
}

bool TutorialCourse::LoadText(ByteSpan data, CourseHeader& header, std::vector<LessonRecord>& lessons)
{
    SectionText st;
    st.Attach(data);
    if (st.Text(kHeaderSection, u"Tag", u"", 64) != u"KBTRAIN")
        return Fail(kErrNoTag);

    header.SetTag();
    header.SetName(st.Text(kHeaderSection, u"Name", u"", kTextCapacity));
    const int32_t count = st.ReadNumber(kHeaderSection, u"LessonCount", 0);
    header.SetVersion(static_cast<uint16_t>(st.ReadNumber(kHeaderSection, u"Version", 0)));
    header.SetTrainType(static_cast<uint8_t>(st.ReadNumber(kHeaderSection, u"TrainType", 0)));
    const int32_t layout = st.ReadNumber(kHeaderSection, u"KeyboardLayoutType", 0);
    header.SetLayoutType((layout >= 0 && layout <= 5) || layout == CourseHeader::kAny ? static_cast<uint8_t>(layout) : 0);
    header.SetForHand(static_cast<uint8_t>(st.ReadNumber(kHeaderSection, u"ForHand", 0)));
    header.SetCodeFile(st.Text(kHeaderSection, u"Code_File", u"", kTextCapacity));
    header.SetDescription(st.Text(kHeaderSection, u"Description", u"", kTextCapacity));
    header.SetKeyboardFile(st.Text(kHeaderSection, u"KeyboardLayout_File", u"", kTextCapacity));
    header.SetFontName(st.Text(kHeaderSection, u"Special_FontName", u"", CourseHeader::kFontNameUnits - 1));
    header.SetForbidWordTips(Flag(st.ReadNumber(kHeaderSection, u"ForbidWordTips", 0)));
    if (count == 0)
        return Fail(kErrNoLessons);
    if (count < 0 || static_cast<uint32_t>(count) > kMaxLessons)
        return Fail(kErrNoMemory);
    header.SetLessonCount(static_cast<uint32_t>(count));

    const bool ownCharacters = header.TrainType() == CourseHeader::kOwnCharactersType;
    lessons.resize(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        LessonRecord& r = lessons[static_cast<size_t>(i)];
        r.SetU8(LessonRecord::kIndex, static_cast<uint8_t>(i & 0xFF));
        const std::u16string section = u"Lesson_" + DecimalText(static_cast<uint32_t>(i));
        // A section whose name occurs nowhere in the text cannot exist: every key takes its
        // default without searching the text once per key.
        const bool present = FindNoCase(st.Text(), section) != std::u16string::npos;
        auto number = [&](std::u16string_view key, int32_t def) {
            return present ? st.ReadNumber(section, key, def) : def;
        };
        auto text = [&](std::u16string_view key, size_t capacity) {
            return present ? st.Text(section, key, u"", capacity) : std::u16string();
        };

        r.SetName(text(u"Name", LessonRecord::kNameUnits));
        r.SetDescription(text(u"Description", kTextCapacity));
        r.SetKeysDescription(text(u"KeysDescription", kTextCapacity));
        r.SetExtraFile(text(u"ExtraFile", kTextCapacity));
        r.SetPrenoticeMessage(text(u"PrenoticeMessage", kTextCapacity));
        r.SetU8(LessonRecord::kLevel, static_cast<uint8_t>(number(u"Level", 0)));
        const int32_t wordSize = number(u"WordSize", 4);
        r.SetU8(LessonRecord::kWordSize, wordSize >= 0 && wordSize <= 6 ? static_cast<uint8_t>(wordSize) : 4);
        r.SetU8(LessonRecord::kWordRepeat, static_cast<uint8_t>(number(u"WordRepeat", 0)));
        r.SetU8(LessonRecord::kPracticePhaseType, static_cast<uint8_t>(number(u"PracticePhaseType", 31)));
        r.SetU8(LessonRecord::kGenerateType, static_cast<uint8_t>(number(u"GenerateType", 1)));
        const int32_t type = number(u"Type", 0);
        r.SetU8(LessonRecord::kType, type >= 0 && type <= 3 ? static_cast<uint8_t>(type) : 0);
        r.SetU8(LessonRecord::kFitMode, static_cast<uint8_t>(number(u"FitMode", 3)));
        r.SetU8(LessonRecord::kNewGroup, Flag(number(u"NewGroup", 0)));
        r.SetU8(LessonRecord::kNoEnterKey, Flag(number(u"NoEnterKey", 1)));
        r.SetU8(LessonRecord::kIsNumpad, Flag(number(u"IsNumpad", 0)));
        r.SetU8(LessonRecord::kAllowNext, Flag(number(u"AllowNext", 1)));
        r.SetU8(LessonRecord::kAllowShift, Flag(number(u"AllowShift", 1)));
        r.SetU8(LessonRecord::kShowScreenKb, Flag(number(u"ShowScreenKb", 1)));
        r.SetU8(LessonRecord::kContentSize, static_cast<uint8_t>(number(u"ContentSize", 1)));

        if (r.Type() == LessonRecord::kRowIndexType) {
            r.SetU8(LessonRecord::kStdDisplaySize, static_cast<uint8_t>(number(u"StdDisplaySize", -1)));
            r.SetU8(LessonRecord::kStdFontSize, static_cast<uint8_t>(number(u"StdFontSize", 100)));
            r.SetRowIndexes(ParseRowIndexes(text(u"RowIndex", kListCapacity)));
            continue;
        }
        r.SetU8(LessonRecord::kStdDisplaySize, 255);
        r.SetU8(LessonRecord::kStdFontSize, 100);
        if (ownCharacters) {
            const std::u16string chars = text(u"TrainChars", kTrainCharsCapacity);
            const std::u16string_view trimmed = TrimBlanks(chars);
            if (!trimmed.empty())
                r.SetTrainChars(trimmed);
        } else {
            r.SetKeyIndexes(ParseKeyIndexes(text(u"KeyIndex", kListCapacity)));
        }
    }
    return true;
}

void TutorialCourse::SetCatalogueOrder(uint32_t ordinal, uint8_t separatorLine)
{
    m_header.SetOrdinal(ordinal);
    m_header.SetSeparatorLine(separatorLine);
}

const LessonRecord* TutorialCourse::Lesson(int64_t i) const
{
    if (i < 0 || static_cast<uint64_t>(i) >= m_lessons.size())
        return nullptr;
    return &m_lessons[static_cast<size_t>(i)];
}

const LessonRecord* TutorialCourse::FindLessonByName(std::u16string_view name, int32_t* index) const
{
    for (size_t i = 0; i < m_lessons.size(); ++i) {
        if (EqualsNoCase(m_lessons[i].Name(), name)) {
            if (index)
                *index = static_cast<int32_t>(i);
            return &m_lessons[i];
        }
    }
    if (index)
        *index = -1;
    return nullptr;
}

int TutorialCourse::LessonType(int64_t i) const
{
    const LessonRecord* r = Lesson(i);
    return r ? r->Type() : -1;
}

int TutorialCourse::LessonFitMode(int64_t i) const
{
    const LessonRecord* r = Lesson(i);
    return r ? r->FitMode() : -1;
}

int TutorialCourse::LessonAllowNext(int64_t i) const
{
    const LessonRecord* r = Lesson(i);
    return r ? r->AllowNext() : -1;
}

int TutorialCourse::LessonAllowShift(int64_t i) const
{
    const LessonRecord* r = Lesson(i);
    return r ? r->AllowShift() : -1;
}

int TutorialCourse::LessonPracticePhaseType(int64_t i) const
{
    const LessonRecord* r = Lesson(i);
    return r ? r->PracticePhaseType() : -1;
}

int TutorialCourse::LessonIsNumpad(int64_t i) const
{
    const LessonRecord* r = Lesson(i);
    return r ? r->IsNumpad() : -1;
}

TutorialCourse::KeyData TutorialCourse::KeyDataOf(const LessonRecord& lesson) const
{
    if (lesson.Type() == LessonRecord::kRowIndexType)
        return KeyData::RowIndexes;
    if (m_header.TrainType() == CourseHeader::kOwnCharactersType)
        return KeyData::TrainChars;
    return KeyData::KeyIndexes;
}

bool TutorialCourse::ReadExtraFile(int64_t i, std::u16string& text) const
{
    const LessonRecord* r = Lesson(i);
    if (!r) {
        SetLastError(err::InvalidParameter);
        return false;
    }
    const std::u16string file = r->ExtraFile();
    if (file.empty()) {
        SetLastError(err::FileNotFound);
        return false;
    }
    if (!m_source) {
        SetLastError(err::InvalidFunction);
        return false;
    }
    if (!m_source->ReadTutorialText(file, nullptr))
        return false;
    text = BytesToUtf16(m_source->Result());
    return true;
}

std::u16string TutorialCourse::CodeTablePath() const
{
    const std::u16string value = m_header.CodeFile();
    if (value.empty())
        return {};
    return std::u16string(FolderPart(m_path)) + value;
}

std::u16string TutorialCourse::CourseKeyboardPath() const
{
    const std::u16string value = m_header.KeyboardFile();
    if (value.empty())
        return {};
    return std::u16string(FolderPart(m_path)) + value;
}

bool TutorialCourse::UsesSystemInputMethod() const
{
    const std::u16string value = m_header.CodeFile();
    return EqualsNoCase(TrimBlanks(value), u"$system$");
}

Bytes TutorialCourse::CompiledImage() const
{
    Bytes out;
    out.reserve(CourseHeader::kSize + m_lessons.size() * LessonRecord::kSize);
    ByteWriter w(out);
    w.PutBytes(m_header.bytes());
    for (const LessonRecord& r : m_lessons)
        w.PutBytes(r.bytes());
    return out;
}

} // namespace kf
