#pragma once

// CodeTable: the input-method code table of a code course (its "Code_File"), from which
// the engine shows the code to type for each character.
//
// The file is UTF-16 text (read with the text file reader) of more than 10 and fewer than
// 65,537 bytes. After optional leading white space it starts with "[TUTORIALCOD]" (exact
// case), optionally followed by "[" + a table name of at most 19 characters + "]". The rest
// is the body: entries of one character immediately followed by its input code (ASCII
// letters), separated by spaces, tabs or line breaks:
//
//     [TUTORIALCOD][Wubi]
//     工a 了b 以c
//
// The caller sets the supplier's error key "IDS_ERR_LOADIMECODE" before LoadCodeTable.

#include <cstddef>
#include <string>
#include <string_view>

namespace kf {

class CPump_TutorialDataBase;

class CodeTable
{
public:
    static constexpr size_t kMinBytes = 11;
    static constexpr size_t kMaxBytes = 65536;
    static constexpr size_t kMaxNameLength = 19;
    static constexpr size_t kMaxCodeLength = 15;

    // Reads the table "Tutorial\" + path through the source's ReadTutorialText and replaces
    // the previous table. False (previous table kept) when the read fails or the text is
    // not a code table (InvalidData).
    bool LoadCodeTable(CPump_TutorialDataBase& source, std::u16string_view path);

    // The same for text already decoded.
    bool LoadCodeTableText(std::u16string_view text);

    // The code of ch: the characters after its first occurrence in the body up to the next
    // space, tab, CR, LF or the end, at most 15, each taken as an 8-bit character. False
    // when ch does not occur in the body.
    bool CodeOf(char16_t ch, std::string& code) const;

    const std::u16string& Name() const { return m_name; }
    const std::u16string& Body() const { return m_body; }
    bool Loaded() const { return m_loaded; }

private:
    std::u16string m_name;
    std::u16string m_body;
    bool m_loaded = false;
};

} // namespace kf
