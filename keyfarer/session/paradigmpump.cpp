#include "session/paradigmpump.h"

#include "content/keyboardlayout.h"
#include "content/pump_tutorialdatabase.h"
#include "platform/lasterror.h"
#include "platform/path.h"
#include "platform/random.h"
#include "platform/utf.h"
#include "session/exercisedatasupplier.h"

#include <algorithm>
#include <bit>

namespace kf {
namespace {

// Key indexes gathered over the lessons of a course at most, and characters collected.
constexpr size_t kMaxCumulativeKeys = 512;
constexpr size_t kMaxCollectedCharacters = 1024;
constexpr size_t kMaxDictionaryBytes = 65536;
constexpr uint8_t kOwnKeyboardCourse = 3;
constexpr int kHiddenLessonType = 1;

// Phase bits of "PracticePhaseType".
constexpr int kPhaseKeys = 1 << 0;
constexpr int kPhaseCapitalKeys = 1 << 1;
constexpr int kPhaseWords = 1 << 2;
constexpr int kPhaseFingers = 1 << 3;
constexpr int kPhaseCapitalWords = 1 << 4;
constexpr int kPhaseSentences = 1 << 5;

} // namespace

CParadigmPump::CParadigmPump(ExerciseDataSupplier* supplier)
    : m_typed(kMaxLength + 1, u'\0')
{
    SetSupplier(supplier);
}

CParadigmPump::~CParadigmPump() = default;

void CParadigmPump::SetSupplier(ExerciseDataSupplier* supplier)
{
    m_supplier = supplier;
    m_course.SetSource(supplier ? &supplier->TutorialData() : nullptr);
}

void CParadigmPump::SetKeyTables(std::vector<PracticeKey> mainKeys, std::vector<PracticeKey> keypadKeys)
{
    m_mainKeys = std::move(mainKeys);
    m_keypadKeys = std::move(keypadKeys);
}

void CParadigmPump::SetKeyTables(const CKeyboardLayout& layout)
{
    std::vector<PracticeKey> mainKeys;
    std::vector<PracticeKey> keypadKeys;
    for (size_t i = 0; i < CKeyboardLayout::kMainKeys; ++i)
        mainKeys.push_back(PracticeKeyOf(*layout.MainKey(i)));
    for (size_t i = 0; i < CKeyboardLayout::kKeypadKeys; ++i)
        keypadKeys.push_back(PracticeKeyOf(*layout.KeypadKey(i)));
    SetKeyTables(std::move(mainKeys), std::move(keypadKeys));
}

PracticeKey CParadigmPump::PracticeKeyOf(const KeyRecord& key)
{
    return {key.Base(), key.Shifted(), key.AltGr(), key.Code()};
}

bool CParadigmPump::FailWith(uint32_t error) const
{
    SetLastError(error);
    return false;
}

std::u16string_view CParadigmPump::Sample() const
{
    if (!m_hasSample)
        return {};
    return std::u16string_view(m_sample).substr(0, m_length);
}

uint32_t CParadigmPump::PhaseLength(int phase) const
{
    if (phase == -1) {
        for (uint32_t n : m_phaseLengths)
            if (n != 0)
                return n;
        return 0;
    }
    if (phase < 0 || static_cast<size_t>(phase) >= kPhases)
        return 0;
    return m_phaseLengths[static_cast<size_t>(phase)];
}

bool CParadigmPump::ExpectedCharacter(char16_t& ch) const
{
    if (!m_hasSample || m_position >= m_length)
        return false;
    ch = m_sample[m_position];
    return true;
}

void CParadigmPump::InstallText(std::u16string text, int kind, int32_t lessonIndex,
                                const std::array<uint32_t, kPhases>& phases)
{
    if (text.size() > kMaxLength)
        text.resize(kMaxLength);
    m_length = static_cast<uint32_t>(text.size());
    m_sample = std::move(text);
    m_sample.push_back(u'\0');
    m_hasSample = true;
    std::fill(m_typed.begin(), m_typed.end(), u'\0');
    m_position = 0;
    m_correct = 0;
    if (lessonIndex >= 0)
        m_lessonIndex = lessonIndex;
    m_kind = kind;
    m_phaseLengths = phases;
}

void CParadigmPump::PrepareFreeTyping(uint32_t requested)
{
    ClearPhases();
    m_kind = kind::kFreeTyping;
    m_length = std::min<uint32_t>(requested, kMaxLength);
    m_sample.clear();
    m_hasSample = false;
    std::fill(m_typed.begin(), m_typed.end(), u'\0');
    m_position = 0;
    m_correct = 0;
}

JudgeResult CParadigmPump::JudgeKey(char16_t ch, char16_t& expected, uint32_t& newPosition, bool& error)
{
    error = false;
    newPosition = m_position;
    expected = 0;
    const bool backspace = ch == u'\b';
    if (backspace && !m_allowBackspace)
        return JudgeResult::Judged;

    if (m_kind == kind::kFreeTyping || !m_hasSample) {
        if (backspace) {
            if (m_position == 0)
                return JudgeResult::BackspaceAtStart;
            m_typed[--m_position] = 0;
        } else {
            if (m_position >= m_length)
                return JudgeResult::Complete;
            m_typed[m_position++] = ch;
        }
        // Free typing counts every character as correct; keep the counter in step.
        m_correct = m_position;
        newPosition = m_position;
        return JudgeResult::Judged;
    }

    if (backspace) {
        if (m_position == 0)
            return JudgeResult::BackspaceAtStart;
        --m_position;
        if (m_typed[m_position] == m_sample[m_position])
            --m_correct;
        m_typed[m_position] = 0;
        expected = m_sample[m_position];
        newPosition = m_position;
        return JudgeResult::Judged;
    }

    if (m_position >= m_length)
        return JudgeResult::Complete;
    expected = m_sample[m_position];
    if (!m_allowErrorKey && ch != expected) {
        error = true;
        return JudgeResult::Judged;
    }
    m_typed[m_position] = ch;
    if (ch == expected)
        ++m_correct;
    else
        error = true;
    ++m_position;
    m_typed[m_position] = 0;
    newPosition = m_position;
    return m_position == m_length ? JudgeResult::Complete : JudgeResult::Judged;
}

int CParadigmPump::CountCommittedCharacter(int code)
{
    if (m_position >= m_length)
        return 0;
    if (code != -1)
        ++m_correct;
    ++m_position;
    return 0;
}

bool CParadigmPump::OpenTestDocument(std::u16string_view name, bool keepDoubleSpaces)
{
    if (!m_supplier)
        return FailWith(err::InvalidFunction);
    return m_testDocument.OpenTestDocument(*m_supplier, name, keepDoubleSpaces);
}

bool CParadigmPump::LoadTestText(uint32_t count, int generationType, std::u16string& caption)
{
    ClearPhases();
    if (count == 0)
        return FailWith(err::InvalidParameter);
    if (!m_testDocument.Loaded())
        return FailWith(err::InvalidFunction);
    count = std::min<uint32_t>(count, kMaxLength);
    const std::u16string& name = m_testDocument.Name();
    const size_t slash = name.rfind(u'\\');
    if (slash != std::u16string::npos)
        caption = name.substr(slash + 1);

    const std::u16string& text = m_testDocument.Text();
    const size_t a = text.size();
    if (a == 0)
        return FailWith(err::NoMoreItems);
    if (m_testDocument.IsOriginalCopy())
        generationType = 0;
    generationType = std::clamp(generationType, 0, 2);

    std::u16string out;
    out.reserve(count + 1);
    const auto repeatFromStart = [&] {
        while (out.size() < count)
            out.append(std::u16string_view(text).substr(0, count - out.size()));
    };
    if (generationType == 0) {
        repeatFromStart();
    } else if (generationType == 1) {
        ReseedFromClock();
        size_t start = static_cast<size_t>(RandomBelow(static_cast<int>(a)));
        while (start > 0 && !IsBlank(text[start - 1]))
            --start;
        out.append(std::u16string_view(text).substr(start, count));
        repeatFromStart();
    } else {
        ReseedFromClock();
        while (out.size() < count) {
            const size_t i = static_cast<size_t>(RandomBelow(static_cast<int>(a)));
            out += text[i];
            if (text[i] == u'\r' && i + 1 < a && out.size() < count)
                out += text[i + 1];
        }
    }
    InstallText(std::move(out),
                m_testDocument.IsOriginalCopy() ? kind::kOriginalCopyTest : kind::kTest, -1);
    return true;
}

bool CParadigmPump::LoadCourse(std::u16string_view file, bool& standard, std::u16string& layoutFile)
{
    if (!m_supplier)
        return FailWith(err::InvalidFunction);
    m_supplier->SetErrorKey(u"IDS_ERR_LOADTUTORIALDATA");
    if (!m_course.LoadCourseFile(file))
        return false;
    m_courseFile = file;
    m_lessonCount = m_course.LessonCount();
    m_lessonIndex = -1;
    m_codeTablePath.clear();
    m_courseLayoutFile.clear();
    m_courseHasCodeTable = false;
    layoutFile.clear();
    if (m_course.Header().TrainType() != kOwnKeyboardCourse) {
        standard = true;
        m_wordPracticePossible = true;
        return true;
    }
    standard = false;
    m_wordPracticePossible = false;
    m_courseLayoutFile = m_course.CourseKeyboardPath();
    layoutFile = m_courseLayoutFile;
    m_codeTablePath = m_course.CodeTablePath();
    m_courseHasCodeTable = !m_codeTablePath.empty() && !m_course.UsesSystemInputMethod();
    if (m_courseHasCodeTable) {
        // The code tips only help with hints and games; a course whose table cannot be read
        // is still practised (the supplier has told the user).
        m_supplier->SetErrorKey(u"IDS_ERR_LOADIMECODE");
        m_codeTips.LoadCodeTable(m_supplier->TutorialData(), m_codeTablePath);
    }
    return true;
}

const LessonRecord* CParadigmPump::LessonAt(int32_t lessonIndex) const
{
    return m_course.Lesson(lessonIndex);
}

const LessonRecord* CParadigmPump::FindLesson(std::u16string_view name, int32_t& index) const
{
    index = -1;
    return m_course.FindLessonByName(name, &index);
}

int32_t CParadigmPump::NextLesson(std::u16string& name) const
{
    const int bit = m_practiceTypeIs1 ? 2 : 1;
    const auto& lessons = m_course.Lessons();
    for (size_t i = static_cast<size_t>(std::max(m_lessonIndex + 1, 0)); i < lessons.size(); ++i) {
        if (lessons[i].FitMode() & bit) {
            name = lessons[i].Name().substr(0, kMaxLessonNameLength);
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

int CParadigmPump::LessonPhases(std::u16string_view name) const
{
    int32_t index = -1;
    const LessonRecord* lesson = FindLesson(name, index);
    if (!lesson)
        return 0;
    int phases = lesson->PracticePhaseType();
    if (lesson->AllowShift() == 0)
        phases &= ~kPhaseCapitalKeys;
    return phases;
}

int CParadigmPump::LessonType(std::u16string_view name) const
{
    int32_t index = -1;
    const LessonRecord* lesson = FindLesson(name, index);
    return lesson ? lesson->Type() : -1;
}

int CParadigmPump::LessonAllowNext(std::u16string_view name) const
{
    int32_t index = -1;
    const LessonRecord* lesson = FindLesson(name, index);
    return lesson ? lesson->AllowNext() : -1;
}

bool CParadigmPump::PrenoticeText(std::u16string& text) const
{
    if (m_kind != kind::kLesson && m_kind != kind::kCodeLesson && m_kind != kind::kKeyDrill)
        return false;
    const LessonRecord* lesson = LessonAt(m_lessonIndex);
    if (!lesson)
        return false;
    text = lesson->PrenoticeMessage();
    return true;
}

bool CParadigmPump::ReviewLabel(std::u16string& text) const
{
    if (m_kind == kind::kCodeLesson || m_kind == kind::kKeyDrill) {
        text = m_course.Header().Name();
        return true;
    }
    if (m_kind == kind::kCourseReview) {
        text = m_extraLabel;
        return true;
    }
    return false;
}

std::vector<PracticeKey> CParadigmPump::LessonKeys(int32_t lessonIndex, bool cumulative) const
{
    std::vector<PracticeKey> keys;
    const LessonRecord* lesson = LessonAt(lessonIndex);
    if (!lesson)
        return keys;
    const bool keypad = lesson->IsNumpad() != 0;
    const auto& table = keypad ? m_keypadKeys : m_mainKeys;
    std::vector<uint8_t> indexes;
    const auto& lessons = m_course.Lessons();
    const size_t first = cumulative ? 0 : static_cast<size_t>(lessonIndex);
    for (size_t i = first; i <= static_cast<size_t>(lessonIndex); ++i) {
        const LessonRecord& l = lessons[i];
        // Only lessons that keep key numbers have keys; sentence lessons keep row numbers.
        if (m_course.KeyDataOf(l) != TutorialCourse::KeyData::KeyIndexes)
            continue;
        if (cumulative && ((l.IsNumpad() != 0) != keypad || l.Type() == kHiddenLessonType))
            continue;
        for (uint8_t k : l.KeyIndexes())
            if (indexes.size() < kMaxCumulativeKeys)
                indexes.push_back(k);
    }
    for (uint8_t k : indexes)
        if (k < table.size())
            keys.push_back(table[k]);
    return keys;
}

std::u16string CParadigmPump::CollectLessonCharacters(int32_t lessonIndex, bool cumulative, bool& keypad,
                                                      bool& enterAllowed, bool includeShifted) const
{
    std::u16string chars;
    const LessonRecord* lesson = LessonAt(lessonIndex);
    if (!lesson)
        return chars;
    keypad = lesson->IsNumpad() != 0;
    enterAllowed = lesson->NoEnterKey() == 0;
    const auto add = [&](char16_t c) {
        if (IsPracticeCharacter(c) && chars.size() < kMaxCollectedCharacters &&
            chars.find(c) == std::u16string::npos)
            chars += c;
    };
    for (const PracticeKey& key : LessonKeys(lessonIndex, cumulative)) {
        // A modifier or lock key stores a key code where other keys keep their character.
        if (key.Kind() == PracticeKey::kModifierKey)
            continue;
        add(key.plain);
        if (!keypad && includeShifted) {
            add(key.shifted);
            add(key.third);
        }
    }
    return chars;
}

bool CParadigmPump::MakePhaseText(int32_t lessonIndex, size_t requestedSize)
{
    ClearPhases();
    ReseedFromClock();
    const LessonRecord* lesson = LessonAt(lessonIndex);
    if (!lesson)
        return FailWith(err::InvalidParameter);
    int phases = lesson->PracticePhaseType();
    if (lesson->AllowShift() == 0)
        phases &= ~kPhaseCapitalKeys;
    if (m_practiceTypeIs1)
        phases &= ~(kPhaseKeys | kPhaseCapitalKeys);
    // Sentences have a generator of their own; phases above 4 are not made here.
    phases &= kPhaseKeys | kPhaseCapitalKeys | kPhaseWords | kPhaseFingers | kPhaseCapitalWords;
    const int phaseCount = std::popcount(static_cast<unsigned>(phases));
    if (phaseCount == 0)
        return FailWith(err::NoMoreItems);
    // The phases together must fit one sample.
    const size_t base = std::min(LessonSize(lesson->ContentSize(), requestedSize),
                                 kMaxLength / static_cast<size_t>(phaseCount));

    const GroupShape shape = GroupShape::FromLesson(lesson->WordSize(), lesson->WordRepeat(),
                                                    lesson->GenerateType());
    const bool keypad = lesson->IsNumpad() != 0;
    PracticeTextGenerator gen(Random());
    std::u16string text;
    std::array<uint32_t, kPhases> lengths{};
    for (int phase = 0; phase <= 4; ++phase) {
        if (!(phases & (1 << phase)))
            continue;
        std::u16string part;
        bool ok = false;
        switch (phase) {
        case 0:
        case 1:
            ok = gen.MakeKeyGroups(LessonKeys(lessonIndex, false), base, keypad, phase == 1, shape, part);
            break;
        case 2:
        case 4: {
            bool numpad = false;
            bool enter = false;
            const std::u16string allowed = CollectLessonCharacters(lessonIndex, true, numpad, enter, false);
            ok = EnsureDictionaries() &&
                 gen.MakeWordText(numpad ? m_numDictionary : m_dictionary, allowed, base, true, enter,
                                  phase == 4, numpad, m_practiceTypeIs1, part);
            break;
        }
        case 3:
            ok = gen.MakeFingerGroups(LessonKeys(lessonIndex, true), base, keypad, shape, part);
            break;
        }
        if (!ok)
            return FailWith(err::NoMoreItems);
        text += part;
        lengths[static_cast<size_t>(phase)] = static_cast<uint32_t>(base);
    }
    InstallText(std::move(text), kind::kLesson, lessonIndex, lengths);
    return true;
}

bool CParadigmPump::MakeSentenceText(int32_t lessonIndex, size_t requestedSize)
{
    ClearPhases();
    ReseedFromClock();
    const LessonRecord* lesson = LessonAt(lessonIndex);
    if (!lesson)
        return FailWith(err::InvalidParameter);
    const size_t size = LessonSize(lesson->ContentSize(), requestedSize);
    std::u16string body;
    if (!ReadLessonBody(lessonIndex, body))
        return false;
    PracticeTextGenerator gen(Random());
    std::u16string text;
    if (!gen.MakeSentenceText(body, lesson->RowIndexes(), size, text))
        return FailWith(err::NoMoreItems);
    std::array<uint32_t, kPhases> lengths{};
    const int phases = lesson->PracticePhaseType();
    for (int phase : {5, 2, 4})
        if (phases & (1 << phase))
            lengths[static_cast<size_t>(phase)] = static_cast<uint32_t>(text.size());
    InstallText(std::move(text), kind::kLesson, lessonIndex, lengths);
    return true;
}

bool CParadigmPump::MakeKeyDrillText(int32_t lessonIndex, size_t requestedSize)
{
    ClearPhases();
    ReseedFromClock();
    const LessonRecord* lesson = LessonAt(lessonIndex);
    if (!lesson)
        return FailWith(err::InvalidParameter);
    const size_t size = LessonSize(lesson->ContentSize(), requestedSize);
    std::u16string cumulative;
    const auto& lessons = m_course.Lessons();
    for (size_t i = 0; i <= static_cast<size_t>(lessonIndex); ++i)
        if (m_course.KeyDataOf(lessons[i]) == TutorialCourse::KeyData::TrainChars)
            cumulative += lessons[i].TrainChars();
    const std::u16string own = m_course.KeyDataOf(*lesson) == TutorialCourse::KeyData::TrainChars
                                   ? lesson->TrainChars()
                                   : std::u16string();
    PracticeTextGenerator gen(Random());
    std::u16string text;
    if (!gen.MakeKeyDrillText(own, cumulative, size, m_practiceTypeIs1, text))
        return FailWith(err::NoMoreItems);
    InstallText(std::move(text), kind::kKeyDrill, lessonIndex);
    return true;
}

bool CParadigmPump::MakeReviewText(std::u16string_view chosen, size_t size, std::u16string_view courseFile,
                                   std::u16string& layoutFile, std::u16string_view label)
{
    ClearPhases();
    ReseedFromClock();
    size = std::min(size, kMaxLength);
    if (chosen.empty() || size == 0)
        return FailWith(err::InvalidParameter);
    PracticeTextGenerator gen(Random());
    std::u16string text;
    int kind = kind::kReview;
    if (!courseFile.empty()) {
        bool standard = true;
        if (!LoadCourse(courseFile, standard, layoutFile))
            return false;
        gen.MakeRandomText(chosen, size, text);
        kind = kind::kCourseReview;
    } else {
        const bool words = EnsureDictionaries() &&
                           gen.MakeWordText(m_dictionary, chosen, size, true, false, false, false,
                                            m_practiceTypeIs1, text);
        if (!words)
            gen.MakeRandomText(chosen, size, text);
    }
    std::array<uint32_t, kPhases> lengths{};
    lengths[kReviewPhase] = static_cast<uint32_t>(size);
    InstallText(std::move(text), kind, -1, lengths);
    m_extraLabel = label;
    return true;
}

bool CParadigmPump::ReadLessonBody(int32_t lessonIndex, std::u16string& body)
{
    m_extraFileError = 0;
    SetLastError(0);
    if (!m_supplier || !m_course.ReadExtraFile(lessonIndex, body)) {
        m_extraFileError = GetLastError() != 0 ? GetLastError() : err::FileNotFound;
        return FailWith(err::ResourceDataNotFound);
    }
    return true;
}

bool CParadigmPump::LoadExtraLessonText(int32_t lessonIndex)
{
    ClearPhases();
    if (!LessonAt(lessonIndex))
        return FailWith(err::InvalidParameter);
    std::u16string text;
    if (!ReadLessonBody(lessonIndex, text))
        return false;
    CData_ExtraLesson slides;
    slides.SetSlideData(Utf16ToBytes(text));
    m_supplier->SetErrorKey(u"IDS_ERR_LOADTUTORIALDATA");
    if (!slides.ParseSlides(&m_supplier->TutorialData()))
        return FailWith(err::InvalidData);
    m_slideShow = std::move(slides);
    InstallText(std::u16string(), kind::kSlideShow, lessonIndex);
    return true;
}

bool CParadigmPump::EnsureDictionaries()
{
    if (!m_dictionary.empty() || !m_numDictionary.empty())
        return true;
    LoadDictionaries(u"dictionary.txt", u"numdictionary.txt");
    // Words are only one source of practice: a missing dictionary gives no words, not a
    // failed lesson, and the single characters stand in.
    return true;
}

bool CParadigmPump::LoadDictionaries(std::u16string_view words, std::u16string_view numbers)
{
    if (!m_supplier)
        return FailWith(err::InvalidFunction);
    bool ok = true;
    const auto load = [&](std::u16string_view name, std::u16string& into) {
        m_supplier->SetErrorKey(u"IDS_ERR_LOADDICTIONARY");
        Bytes reply;
        if (!m_supplier->LoadDictionary(name, reply) || reply.empty()) {
            if (reply.empty() && GetLastError() == 0)
                SetLastError(err::NoMoreItems);
            ok = false;
            return;
        }
        if (reply.size() > kMaxDictionaryBytes)
            reply.resize(kMaxDictionaryBytes);
        std::u16string text = BytesToUtf16(reply);
        into.assign(UpToNul(text));
        if (!into.empty() && into[0] == u'\xFEFF')
            into.erase(0, 1);
    };
    load(words, m_dictionary);
    load(numbers, m_numDictionary);
    return ok;
}

bool CParadigmPump::SaveTypedText(std::u16string_view path) const
{
    Bytes bytes{0xFF, 0xFE};
    bytes.reserve(2 + 4 * m_position);
    const auto put = [&](char16_t c) {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    };
    for (char16_t c : Typed()) {
        put(c);
        if (c == u'\r')
            put(u'\n');
    }
    return WriteFileAtomic(path, bytes);
}

} // namespace kf
