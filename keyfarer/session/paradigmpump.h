#pragma once

// CParadigmPump: the exercise text engine. It holds the sample the user must type, what has
// been typed so far, the position and the count of correct characters, the lengths of the
// practice phases, the loaded course and the practice dictionaries; it fills the sample from
// a lesson, a test text, chosen characters or nothing (free typing) and judges each
// keystroke against it. The application owns one engine; the typing desk drives it.
//
// Invariants: 0 <= Correct() <= Position() <= Length() <= 24000, and the typed text ends at
// the position. A loader replaces the sample as a whole (position and correct back to 0) or,
// when it fails, keeps the previous one; every loader first sets the eight phase lengths to 0.
//
// Files are reached only through the data supplier. Generators seed the program's random
// generator from the clock (ReseedFromClock), so a fixed seed makes their texts reproducible.

#include "content/codetable.h"
#include "content/data_extralesson.h"
#include "content/tutorialcourse.h"
#include "session/exercisekind.h"
#include "session/lessonsentences.h"
#include "session/practicetextgenerator.h"
#include "session/standparadigmdata.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kf {

class CKeyboardLayout;
class ExerciseDataSupplier;
class KeyRecord;

// Answers of JudgeKey.
enum class JudgeResult : int {
    Judged = 0,             // judged, refused or ignored; the exercise goes on
    Complete = 1,           // the last sample character was typed (or no room is left)
    BackspaceAtStart = 2,   // backspace with nothing typed
};

class CParadigmPump
{
public:
    static constexpr size_t kMaxLength = kMaxSampleLength; // 24000
    static constexpr size_t kPhases = 8;
    // The phase a review's text is counted in.
    static constexpr size_t kReviewPhase = 6;
    // Characters of a dictionary at most.
    static constexpr size_t kMaxDictionaryLength = 32768;
    // Characters of a lesson name handed out by NextLesson.
    static constexpr size_t kMaxLessonNameLength = 130;

    explicit CParadigmPump(ExerciseDataSupplier* supplier = nullptr);
    virtual ~CParadigmPump();
    CParadigmPump(const CParadigmPump&) = delete;
    CParadigmPump& operator=(const CParadigmPump&) = delete;

    void SetSupplier(ExerciseDataSupplier* supplier);

    // --- Keyboard and options -------------------------------------------------------------

    // The keys of the loaded layout: the main keys and the numeric keypad, indexed as the
    // lessons' key numbers count them.
    void SetKeyTables(std::vector<PracticeKey> mainKeys, std::vector<PracticeKey> keypadKeys);
    // The same from a keyboard layout: its 64 main and 17 keypad key records.
    void SetKeyTables(const CKeyboardLayout& layout);
    // A key record as the generators see it (the AltGr character is the third).
    static PracticeKey PracticeKeyOf(const KeyRecord& key);
    const std::vector<PracticeKey>& MainKeys() const { return m_mainKeys; }
    const std::vector<PracticeKey>& KeypadKeys() const { return m_keypadKeys; }

    // "AllowBackspace" and "AllowErrorKey", copied by the desk before each exercise.
    void SetAllowBackspace(bool on) { m_allowBackspace = on; }
    bool AllowBackspace() const { return m_allowBackspace; }
    void SetAllowErrorKey(bool on) { m_allowErrorKey = on; }
    bool AllowErrorKey() const { return m_allowErrorKey; }
    // "PracticeType" is 1 (any other value counts as 0).
    void SetPracticeTypeIs1(bool on) { m_practiceTypeIs1 = on; }
    bool PracticeTypeIs1() const { return m_practiceTypeIs1; }

    // --- The exercise ---------------------------------------------------------------------

    uint32_t Length() const { return m_length; }
    uint32_t Position() const { return m_position; }
    uint32_t Correct() const { return m_correct; }
    uint32_t Errors() const { return m_position - m_correct; }
    int Kind() const { return m_kind; }
    int32_t LessonIndex() const { return m_lessonIndex; }
    // The sample, empty in free typing and before the first text.
    std::u16string_view Sample() const;
    bool HasSample() const { return m_hasSample; }
    // The characters typed so far.
    std::u16string_view Typed() const { return std::u16string_view(m_typed.data(), m_position); }

    // Length of phase 0 to 7; for -1 the first phase that is not empty; 0 for other indexes.
    uint32_t PhaseLength(int phase) const;
    const std::array<uint32_t, kPhases>& PhaseLengths() const { return m_phaseLengths; }

    // The sample character at the position; false when there is no sample or all is typed.
    bool ExpectedCharacter(char16_t& ch) const;

    // Installs a text: the sample becomes text (cut to 24000 characters), position and
    // correct 0, the kind and phase lengths as given; lessonIndex -1 keeps the current index.
    void InstallText(std::u16string text, int kind, int32_t lessonIndex,
                     const std::array<uint32_t, kPhases>& phases = {});

    // Free typing: kind 99, no sample, room for min(requested, 24000) characters.
    void PrepareFreeTyping(uint32_t requested);

    // --- Sentences of a lesson body -------------------------------------------------------
    // A sentence ends at a line break (CR LF counts once) and after ". " or "; ".

    // 1 + the number of endings; a text ending with a line break has one empty sentence more.
    static size_t CountSentences(std::u16string_view text) { return kf::CountSentences(text); }
    // The position just after the n-th ending (0 for sentence 0); nullopt when the text has
    // fewer endings.
    static std::optional<size_t> FindSentence(std::u16string_view text, size_t n)
    {
        return kf::FindSentence(text, n);
    }

    // --- Judging --------------------------------------------------------------------------

    // Judges one typed character (8 = backspace) against the sample at the position.
    // expected receives the sample character the keystroke was judged against (0 in free
    // typing), newPosition the position after it, error whether the character was wrong
    // (with "AllowErrorKey" off a wrong character is refused and nothing else changes).
    // Backspace is ignored while "AllowBackspace" is off and takes a correct character back
    // off the count. Complete comes with the keystroke that types the last character, correct
    // or not, and for every further keystroke.
    JudgeResult JudgeKey(char16_t ch, char16_t& expected, uint32_t& newPosition, bool& error);

    // Counts a character a game committed: correct + 1 unless code is -1, position + 1.
    // Nothing changes when the position is at the end. Returns 0.
    int CountCommittedCharacter(int code);

    // --- Test texts -----------------------------------------------------------------------

    // Opens the test "category\title" with "TwoSpaceSentence" (CStandParadigmData).
    bool OpenTestDocument(std::u16string_view name, bool keepDoubleSpaces);
    const CStandParadigmData& TestDocument() const { return m_testDocument; }

    // Cuts count characters (at most 24000) from the test document by "Data_GenerateType":
    // 0 from the start, repeated; 1 from the start of a random word, then from the start
    // again; 2 random characters (a line break is followed by the character after it). An
    // original-copy test always uses 0. caption becomes the test's title (after the last
    // backslash of its name; left as it is when the name has none). Kind 36 for an
    // original-copy test, else 30. False when count is 0, no document is open or its text is
    // empty.
    bool LoadTestText(uint32_t count, int generationType, std::u16string& caption);

    // --- Courses and lessons ---------------------------------------------------------------

    // Loads "Tutorial\" + file (error key "IDS_ERR_LOADTUTORIALDATA"). A course with its own
    // characters and keyboard (course type 3) is not standard: no word practice, its keyboard
    // file in layoutFile, and its code table (when it has one) loaded as code tips. False
    // keeps the previous course.
    bool LoadCourse(std::u16string_view file, bool& standard, std::u16string& layoutFile);
    const TutorialCourse& Course() const { return m_course; }
    const std::u16string& CourseFile() const { return m_courseFile; }
    uint32_t LessonCount() const { return m_lessonCount; }
    bool WordPracticePossible() const { return m_wordPracticePossible; }
    bool CourseHasCodeTable() const { return m_courseHasCodeTable; }
    const std::u16string& CodeTablePath() const { return m_codeTablePath; }
    const std::u16string& CourseLayoutFile() const { return m_courseLayoutFile; }
    const CodeTable& CodeTips() const { return m_codeTips; }

    // The lesson of that name (ignoring case) and its index, or null and -1.
    const LessonRecord* FindLesson(std::u16string_view name, int32_t& index) const;
    // The first lesson after the current one that may follow as the next lesson ("FitMode"
    // bit 0; bit 1 when the practice type is 1), with its name (at most 130 characters);
    // -1 when there is none. Without a current lesson the search starts at the first.
    int32_t NextLesson(std::u16string& name) const;
    // The lesson's "PracticePhaseType" without the capitals phase when it has "AllowShift" 0;
    // 0 for an unknown lesson.
    int LessonPhases(std::u16string_view name) const;
    // The lesson's "Type" and "AllowNext"; -1 for an unknown lesson.
    int LessonType(std::u16string_view name) const;
    int LessonAllowNext(std::u16string_view name) const;
    // The current lesson's "PrenoticeMessage" for lesson texts and key drills; false for
    // other exercises.
    bool PrenoticeText(std::u16string& text) const;
    // The label of a review: the course's name for key drills, the extra label for a review
    // within a course; false for other exercises.
    bool ReviewLabel(std::u16string& text) const;
    const std::u16string& ExtraLabel() const { return m_extraLabel; }

    // --- Generators -------------------------------------------------------------------------
    // requestedSize is the size the caller asks for (LessonSizeFromOption of "GenerateSize",
    // 24000 for a game); a lesson's "ContentSize" 0 to 2 overrides it. Each installs its text
    // or fails (false, reason in the last-error value) and keeps the previous text.

    // The distinct practice characters of lesson i's keys (of all lessons up to i with the
    // same keypad flag and not hidden, when cumulative), at most 1024; includeShifted adds
    // the shifted and AltGr characters of main keys. keypad and enterAllowed from the lesson.
    std::u16string CollectLessonCharacters(int32_t lessonIndex, bool cumulative, bool& keypad,
                                           bool& enterAllowed, bool includeShifted) const;

    // The phases of a lesson: key groups (0), key groups with capitals (1), words (2), finger
    // groups over all keys so far (3), words with capitals (4), each of the lesson size.
    // Kind 10. Practice type 1 leaves out phases 0 and 1.
    bool MakePhaseText(int32_t lessonIndex, size_t requestedSize);
    // Lines of the lesson body ("ExtraFile") by its "RowIndex" list. Kind 10; the size is
    // counted in phases 5, 2 and 4 as the lesson has them.
    bool MakeSentenceText(int32_t lessonIndex, size_t requestedSize);
    // The drill of a course with its own characters ("TrainChars"). Kind 21.
    bool MakeKeyDrillText(int32_t lessonIndex, size_t requestedSize);
    // A review of the chosen characters (size by ReviewSizeFromOption). With a course file the
    // course is loaded and the text is random characters of the choice (kind 34; layoutFile
    // receives the course's keyboard); without, dictionary words of the characters or, when
    // none fits, random characters (kind 33). label becomes the extra label.
    bool MakeReviewText(std::u16string_view chosen, size_t size, std::u16string_view courseFile,
                        std::u16string& layoutFile, std::u16string_view label);
    // The slide show of a lesson of Type 1 or 2: its "ExtraFile" read through the supplier
    // and parsed (pictures too), installed as kind 35 with no characters to type (the desk
    // ignores keys while slides are shown; a Type 2 lesson makes its phase text after the
    // last slide). Key references in the slides' texts are left for the view to expand with
    // the keyboard it shows. Fails with 1812 when the file cannot be read and with
    // InvalidData when it is not a slide show; the previous text and slides stay.
    bool LoadExtraLessonText(int32_t lessonIndex);
    const CData_ExtraLesson& SlideShow() const { return m_slideShow; }

    // Why the last lesson body or slide show could not be read (FileNotFound or PathNotFound
    // for a missing file, so that the desk can tell a missing file from an unreadable one),
    // 0 after a successful read. The last-error value itself says 1812.
    uint32_t ExtraFileError() const { return m_extraFileError; }

    // --- Dictionaries and the typed text ----------------------------------------------------

    // Reads the word and the number dictionary through the supplier (error key
    // "IDS_ERR_LOADDICTIONARY"); false when either fails (the other is still loaded).
    bool LoadDictionaries(std::u16string_view words, std::u16string_view numbers);
    const std::u16string& WordDictionary() const { return m_dictionary; }
    const std::u16string& NumberDictionary() const { return m_numDictionary; }

    // Writes the typed characters to path as UTF-16 little-endian with a byte order mark,
    // every carriage return as CR LF. The file is replaced as a whole, so a crash leaves the
    // old file or the new one. False with the reason in the last-error value.
    bool SaveTypedText(std::u16string_view path) const;

private:
    bool FailWith(uint32_t error) const;
    const LessonRecord* LessonAt(int32_t lessonIndex) const;
    // The keys of lesson i (or of all lessons up to i), looked up in the keypad or main table.
    std::vector<PracticeKey> LessonKeys(int32_t lessonIndex, bool cumulative) const;
    bool EnsureDictionaries();
    // The text of lesson i's "ExtraFile"; false with 1812 (and ExtraFileError) when unreadable.
    bool ReadLessonBody(int32_t lessonIndex, std::u16string& body);
    void ClearPhases() { m_phaseLengths.fill(0); }

    ExerciseDataSupplier* m_supplier = nullptr;
    std::vector<PracticeKey> m_mainKeys;
    std::vector<PracticeKey> m_keypadKeys;
    bool m_allowBackspace = true;
    bool m_allowErrorKey = true;
    std::array<uint32_t, kPhases> m_phaseLengths{};
    uint32_t m_length = 0;
    uint32_t m_position = 0;
    uint32_t m_correct = 0;
    std::u16string m_sample; // kMaxLength + 1 characters at most, NUL after the text
    bool m_hasSample = false;
    std::u16string m_typed;  // kMaxLength + 1 characters, NUL from the position on
    bool m_wordPracticePossible = true;
    uint32_t m_lessonCount = 0;
    int32_t m_lessonIndex = -1;
    int m_kind = kind::kNothing;
    std::u16string m_codeTablePath;
    std::u16string m_courseFile;
    std::u16string m_dictionary;
    std::u16string m_numDictionary;
    bool m_courseHasCodeTable = false;
    std::u16string m_courseLayoutFile;
    std::u16string m_extraLabel;
    bool m_practiceTypeIs1 = false;
    CodeTable m_codeTips;
    CStandParadigmData m_testDocument;
    TutorialCourse m_course;
    CData_ExtraLesson m_slideShow;
    uint32_t m_extraFileError = 0;
};

} // namespace kf
