#pragma once

// PracticeTextGenerator: the algorithms that make practice texts from the keys a lesson
// teaches, the practice dictionaries, the sentences of a lesson body, the characters of a
// course with its own keyboard, and the characters chosen for a review. They work on plain
// inputs (keys, texts, numbers) and draw every random number from the generator they are
// given; the exercise engine seeds it from the clock before each text and installs the result.
//
// Every Make function writes exactly the requested number of characters into out (a last
// group or word may be cut) and returns false, out empty, when its inputs yield nothing to
// practise.

#include "platform/random.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kf {

// The most characters an exercise text holds.
constexpr size_t kMaxSampleLength = 24000;

// One key of the layout as the generators see it.
struct PracticeKey
{
    char16_t plain = 0;   // typed without modifiers
    char16_t shifted = 0; // with Shift
    char16_t third = 0;   // with AltGr
    uint32_t code = 0;    // bits 0-3 kind, 4-7 finger, 8-11 hand (1 left, 0 right)

    static constexpr int kOrdinaryKey = 0;
    static constexpr int kLetterKey = 1;
    // A modifier or lock key: what it stores as its character is a key code, never typed.
    static constexpr int kModifierKey = 2;

    int Kind() const { return static_cast<int>(code & 0xF); }
    int Finger() const { return static_cast<int>((code >> 4) & 0xF); }
    int Hand() const { return static_cast<int>((code >> 8) & 0xF); }
};

// How a lesson shapes its groups: "WordSize" (0 = 2 to 4 at random), "WordRepeat" (0 = at
// random) and "GenerateType" (0 sequential, 1 sequential from a random start, 2 random).
struct GroupShape
{
    int wordSize = 0;
    int wordRepeat = 0;
    int generateType = 0;
    // The shape with the stored values taken within their ranges: sizes and repeats above 6
    // count as 6, a generation type above 2 as 2.
    static GroupShape FromLesson(int wordSize, int wordRepeat, int generateType);
};

// Any character but 0, backspace and tab.
bool IsPracticeCharacter(char16_t c);
// ! " % & ' , . : ; < > ? [ ] { } — written right after the word before them.
bool IsGluedPunctuation(char16_t c);
// The upper-case form of a lower-case letter; any other character is returned as it is.
char16_t UpperCaseOf(char16_t c);

// The sample size of a lesson: its "ContentSize" 0, 1, 2 give 128, 512, 1024 characters; any
// other value gives the size the caller asks for (at most 24000).
size_t LessonSize(int contentSize, size_t requested);
// The size a lesson asks for by the user's "GenerateSize" of "Train": 0, 1, 2 give 128, 512,
// 1024; 3 to 63 give 64; larger values count as they are, at most 24000.
size_t LessonSizeFromOption(uint32_t generateSize);
// The review size by the user's "GenerateSize" of "Review": 0, 1, 2 give 128, 512, 1024;
// 3 to 19 give 20; larger values as they are, at most 24000.
size_t ReviewSizeFromOption(uint32_t generateSize);

class PracticeTextGenerator
{
public:
    explicit PracticeTextGenerator(Lcg15& random) : m_random(random) {}

    // Groups of the lesson's keys, separated by a space (a carriage return on the keypad).
    // Characters: each key's plain character (main keys as often as they are listed, keypad
    // keys once each; modifier keys give none); in capitals mode an ordinary key adds its
    // shifted character. Each group is repeated, and in capitals mode every third new group
    // from the second on gets a capital first letter, and the one after it all capitals.
    bool MakeKeyGroups(const std::vector<PracticeKey>& keys, size_t count, bool keypad,
                       bool capitals, const GroupShape& shape, std::u16string& out);

    // Words of one finger's characters, finger after finger: the keys are sorted into the
    // fingers of both hands (the finger alone on the keypad), the walk starts at a random
    // finger, and a finger with a single character gives words of 3 repeated once.
    bool MakeFingerGroups(const std::vector<PracticeKey>& keys, size_t count, bool keypad,
                          const GroupShape& shape, std::u16string& out);

    // Words of the dictionary (space- or line-separated) made only of the allowed characters,
    // drawn at random. With addSingles every allowed character that no kept word holds comes
    // in too, a punctuation mark alone and any other character 2 to 4 times. Capitals are
    // given by the word's place in the pool (first letter or whole word), and unless
    // practiceTypeIs1 at least two plain words stand between two capitalised ones. Glued
    // punctuation follows the previous word directly; with enterAllowed a third of the spaces
    // become line breaks; on the keypad the separator is a carriage return.
    bool MakeWordText(std::u16string_view dictionary, std::u16string_view allowed, size_t count,
                      bool addSingles, bool enterAllowed, bool capitals, bool keypad,
                      bool practiceTypeIs1, std::u16string& out);

    // Lines of a lesson body: from the start of each listed sentence to its line end. The
    // numbers at or above the body's sentence count are dropped; with none left a random
    // sentence is taken each pass. The text starts with the second number and takes the
    // first after the first pass; lists of more than 3 numbers are shuffled before each pass.
    // Fails (out empty) when the body has fewer than 2 sentences.
    bool MakeSentenceText(std::u16string_view body, const std::vector<int16_t>& rowIndexes,
                          size_t size, std::u16string& out);

    // The drill of a course with its own characters: size / 4 * 4 characters of the lesson's
    // characters in order, at random, and at random from the characters of all lessons so far
    // (the last size mod 4 characters are spaces). Practice type 1 takes the first half at
    // random and the second half at random from all lessons; otherwise half in order, a
    // quarter at random, a quarter at random from all lessons.
    bool MakeKeyDrillText(std::u16string_view trainChars, std::u16string_view cumulativeChars,
                          size_t size, bool practiceTypeIs1, std::u16string& out);

    // count characters drawn at random from chars.
    bool MakeRandomText(std::u16string_view chars, size_t count, std::u16string& out);

private:
    int Below(size_t n) { return m_random.Below(static_cast<int>(n)); }

    Lcg15& m_random;
};

} // namespace kf
