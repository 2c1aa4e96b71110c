#pragma once

// Code-page conversion between 8-bit texts and UTF-16, on glibc's iconv. The "system's ANSI
// code page" of the original platform is a setting of the installation: 1252 unless the
// installation's "SysDat/Platform.ini" says otherwise (section "Platform", key
// "AnsiCodePage"), and the environment variable KEYFARER_ACP overrides both.

#include <cstdint>
#include <string>
#include <string_view>

namespace kf {

constexpr unsigned kCodePageUtf8 = 65001;

// The ANSI code page in effect (the value set last, else KEYFARER_ACP, else 1252).
unsigned AnsiCodePage();
void SetAnsiCodePage(unsigned codePage);

// Reads "AnsiCodePage" of section "Platform" in the given ini file, when present, and makes
// it the ANSI code page (unless KEYFARER_ACP is set). Returns the code page in effect.
unsigned LoadAnsiCodePageSetting(std::u16string_view iniPath);

// The iconv name of a Windows code page ("CP1252", "GBK" for 936, "UTF-8" for 65001); empty
// when the number is not known.
std::string CodePageName(unsigned codePage);

// Converts 8-bit text in the code page to UTF-16. Bytes that do not convert become U+FFFD
// and conversion goes on; an unknown code page is read as Windows-1252.
std::u16string MultiByteToWide(unsigned codePage, std::string_view bytes);

// Converts UTF-16 to the code page. Characters the code page lacks become "?".
std::string WideToMultiByte(unsigned codePage, std::u16string_view text);

} // namespace kf
