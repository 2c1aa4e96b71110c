#pragma once

// The text file reader shared by the string file, courses, slides, code tables, test texts
// and dictionaries: one whole file in, 16-bit text out.
//
// Encoding rules, in order: a UTF-8 byte order mark (EF BB BF) means UTF-8; FF FE means
// UTF-16 little-endian; without a mark, content that passes the UTF-16 test below is UTF-16
// little-endian; content that is valid UTF-8 and holds at least one multi-byte sequence is
// UTF-8 (the common plain text of this platform, pagewick's output among it); anything else
// is 8-bit text in the ANSI code page (codepage.h). UTF-16 big-endian is not recognised.

#include "bytes.h"

#include <string>
#include <string_view>

namespace kf {

enum class TextEncoding { Ansi, Utf8, Utf8Bom, Utf16Le, Utf16LeBom };

// The statistical test for UTF-16 little-endian text without a byte order mark. Text of an
// even length passes when the zero bytes in it stand predominantly at odd offsets (the high
// bytes of Latin text), or when it has no zero bytes and every code unit reads as a CJK
// ideograph, kana, CJK punctuation or a full-width form (Hangul is left out: double-byte
// Chinese text read as code units lands there). 8-bit text practically never holds
// zero bytes, and an odd length cannot be UTF-16.
bool IsTextUnicode(ByteSpan bytes);

// True when bytes are well-formed UTF-8 and hold at least one multi-byte sequence.
bool LooksLikeUtf8(ByteSpan bytes);

// Decodes a whole file's bytes by the rules above; the byte order mark is not part of the
// result. The detected encoding is stored when asked for. Without guessUtf16 only a byte
// order mark makes text UTF-16 (settings files, whose encoding must not change because a
// line was added).
std::u16string DecodeText(ByteSpan bytes, TextEncoding* encoding = nullptr, bool guessUtf16 = true);

// Reads and decodes a file. False when it cannot be opened or read (last error set).
bool ReadTextFile(std::u16string_view path, std::u16string& out, TextEncoding* encoding = nullptr);

// Reads a file as 8-bit text in the ANSI code page (UTF-16 and UTF-8 content converted to it).
bool ReadTextFileAnsi(std::u16string_view path, std::string& out);

} // namespace kf
