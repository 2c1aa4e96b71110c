#pragma once

// FingerAssignment: a finger assignment file, which gives every key of a layout family a
// hand and a finger for one-handed practice. The files lie beside the layouts in "KBLayout"
// and are named by the layout's finger family and the user's WhichHand value n (decimal):
// family 0 "USFinger_n.dat", 1 "IntnalFinger_n.dat", 2 "EuroFinger_n.dat".
//
// Binary, little-endian; only the first 520 bytes are ever read.
//
// | Offset | Size          | Type   | Meaning                                                |
// |--------|---------------|--------|--------------------------------------------------------|
// | 0      | 7             | ASCII  | magic "KYFINGE"                                        |
// | 7      | 1             |        | ends the magic; any value                              |
// | 8      | 4             |        | reserved, not read (written zero)                      |
// | 12     | 2             | uint16 | key slots; must equal the layout's (81)                |
// | 14     | 2             |        | reserved, not read (written zero)                      |
// | 16     | 2 × key slots | uint8² | per key slot (64 main records, then 17 keypad): hand   |
// |        |               |        | (low 4 bits: 0 right, 1 left), finger (low 4 bits: 0   |
// |        |               |        | thumb, 1 index, 2 middle, 3 ring, 4 little)            |
//
// A file whose pairs do not all lie within the bytes read is invalid: applying only some
// keys would leave a layout half one-handed.

#include "platform/bytes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kf {

class FingerAssignment
{
public:
    static constexpr size_t kReadLimit = 520;
    static constexpr size_t kOffMagic = 0;
    static constexpr size_t kMagicLength = 7;
    static constexpr size_t kOffKeySlots = 12;
    static constexpr size_t kOffPairs = 16;
    static constexpr size_t kMaxPairs = (kReadLimit - kOffPairs) / 2;
    static constexpr char kMagic[] = "KYFINGE";

    struct Pair
    {
        uint8_t hand = 0;
        uint8_t finger = 0;
        friend bool operator==(const Pair&, const Pair&) = default;
    };

    FingerAssignment() = default;

    // Reads a file's bytes (only the first 520 count). False with the last error InvalidData
    // when the magic is wrong or the pairs the count announces are not all present.
    bool Parse(ByteSpan bytes);

    uint16_t KeySlots() const { return static_cast<uint16_t>(m_pairs.size()); }
    const std::vector<Pair>& Pairs() const { return m_pairs; }
    void SetPairs(std::vector<Pair> pairs) { m_pairs = std::move(pairs); }

    // The file image: magic, NUL, zeros, key slots, zeros, the pairs.
    Bytes FileImage() const;

    // Applies the assignment to a raw ".kbl" image: replaces hand and finger bits of the code
    // of every key slot below the layout's key slots, within the 81 records the format has.
    // Kind and characters stay. False with InvalidData (image untouched) when the key slots
    // differ from the layout's or the image is too short to hold the records.
    bool ApplyToImage(MutableByteSpan image) const;

    // "USFinger_", "IntnalFinger_" or "EuroFinger_" + n + ".dat" for family 0, 1, 2; empty
    // for any other family.
    static std::u16string FileName(uint8_t family, uint8_t whichHand);

private:
    std::vector<Pair> m_pairs;
};

} // namespace kf
