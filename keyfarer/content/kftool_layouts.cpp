// kftool subcommands on keyboard layouts and finger assignment files: making them from their
// readable sources (layoutsource.h, fingersource.h), dumping them, and listing and loading
// layouts as the data supplier does, and dumping input-method keyboards.
//
// Exit codes: 0 done, 1 the input is invalid or a file cannot be read or written, 64 usage.
#include "kftool/jsonwriter.h"
#include "kftool/toolcommand.h"

#include "content/fingerassignment.h"
#include "content/fingersource.h"
#include "content/inputmethodkeyboard.h"
#include "content/keyboardlayout.h"
#include "content/layoutsource.h"
#include "content/locallayouts.h"
#include "platform/lasterror.h"
#include "platform/path.h"
#include "platform/textfile.h"
#include "platform/utf.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace kf {
namespace {

constexpr size_t kMaxInput = size_t{1} << 20;

int Failure(const std::string& what)
{
    std::fprintf(stderr, "kftool: %s\n", what.c_str());
    return 1;
}

std::string SystemReason()
{
    return ToUtf8(ErrorMessageText(GetLastError()));
}

bool ReadInput(const std::string& file, Bytes& out, std::string& error)
{
    if (!ReadWholeFile(FromUtf8(file), out, kMaxInput)) {
        error = "cannot read " + file + ": " + SystemReason();
        return false;
    }
    return true;
}

std::string LayoutErrorText(uint32_t code)
{
    switch (code) {
    case CKeyboardLayout::kErrTooShort:
        return "error 5, shorter than its declared size or the 23,120 bytes of a layout";
    case CKeyboardLayout::kErrBadMagic:
        return "error 6, no KYKEYLAYOUT magic";
    case CKeyboardLayout::kErrTooManyKeys:
        return "error 7, 82 or more key slots or more than 64 keys in its rows";
    case CKeyboardLayout::kErrBadVersion:
        return "error 8, version is not 0x0102";
    default:
        return "error " + std::to_string(code);
    }
}

bool LoadLayoutFile(const std::string& file, CKeyboardLayout& layout, std::string& error)
{
    Bytes image;
    if (!ReadInput(file, image, error))
        return false;
    if (!layout.LoadLayoutImage(image, true)) {
        error = file + " is not a valid layout (" + LayoutErrorText(layout.ErrorCode()) + ")";
        return false;
    }
    return true;
}

bool WriteOutput(const std::string& file, ByteSpan bytes, std::string& error)
{
    if (!WriteFileAtomic(FromUtf8(file), bytes)) {
        error = "cannot write " + file + ": " + SystemReason();
        return false;
    }
    return true;
}

void PrintText(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
}

// kftool kbl make SOURCE.txt OUT.kbl
int RunKblMake(tool::Args& args)
{
    if (!args.CheckNoUnknownOptions() || args.Count() != 2)
        return tool::UsageError("usage: kftool kbl make SOURCE.txt OUT.kbl");
    Bytes source;
    Bytes image;
    std::string error;
    if (!ReadInput(args[0], source, error))
        return Failure(error);
    if (!CompileLayoutSource(
            std::string_view(reinterpret_cast<const char*>(source.data()), source.size()), image,
            error))
        return Failure(args[0] + ": " + error);
    CKeyboardLayout check;
    if (!check.LoadLayoutImage(image, true))
        return Failure(args[0] + ": the layout made is invalid (" +
                       LayoutErrorText(check.ErrorCode()) + ")");
    return WriteOutput(args[1], image, error) ? 0 : Failure(error);
}

void JsonKey(tool::JsonWriter& j, const KeyRecord& k, size_t index, int row)
{
    j.BeginObject();
    j.Key("index");
    j.Number(static_cast<int64_t>(index));
    if (row > 0) {
        j.Key("row");
        j.Number(row);
    }
    j.Key("kind");
    j.Number(k.KindBits());
    j.Key("kindName");
    j.String(KindWord(k.KindBits()));
    const std::string vkName = VirtualKeyName(k.Base());
    if (!vkName.empty() && (k.IsModifier() || k.Base() == vk::Backspace || k.Base() == vk::Tab ||
                            k.Base() == vk::Enter || k.Base() == vk::Space)) {
        j.Key("vk");
        j.String(vkName);
    }
    static constexpr const char* kLevelNames[] = {"base", "shifted", "altGr", "shiftAltGr"};
    for (int level = 0; level < KeyRecord::kLevels; ++level) {
        j.Key(kLevelNames[level]);
        j.Number(k.Char(level));
    }
    // The characters as texts, "" where a level is empty or holds a virtual-key code.
    j.Key("chars");
    j.BeginArray();
    for (int level = 0; level < KeyRecord::kLevels; ++level) {
        const char16_t c = k.Char(level);
        const bool isCode = level == 0 && k.IsModifier();
        j.String(c == 0 || isCode ? std::u16string() : std::u16string(1, c));
    }
    j.EndArray();
    j.Key("finger");
    j.Number(k.Finger());
    j.Key("fingerName");
    j.String(FingerWord(k.Finger()));
    j.Key("hand");
    j.String(k.IsLeftHand() ? "left" : "right");
    j.Key("width");
    j.Number(k.Width());
    j.EndObject();
}

void PrintLayoutJson(const CKeyboardLayout& layout)
{
    const KeyboardLayoutHeader& h = layout.Header();
    tool::JsonWriter j(stdout);
    j.BeginObject();
    j.Key("name");
    j.String(h.Name());
    j.Key("version");
    j.Number(h.Version());
    j.Key("codePage");
    j.Number(h.CodePage());
    j.Key("keySlots");
    j.Number(h.KeySlots());
    j.Key("declaredSize");
    j.Number(h.DeclaredFileSize());
    j.Key("fingerFamily");
    j.Number(h.FingerFamily());
    j.Key("hand");
    j.Number(h.Hand());
    j.Key("layoutType");
    j.Number(h.LayoutType());
    j.Key("rowCounts");
    j.BeginArray();
    for (size_t row = 1; row <= KeyboardLayoutHeader::kRows; ++row)
        j.Number(h.RowCount(row));
    j.EndArray();
    j.Key("mainKeyCount");
    j.Number(static_cast<int64_t>(layout.MainKeyCount()));
    j.Key("hasAltGr");
    j.Bool(layout.HasAltGrChars());
    j.Key("hasShiftAltGr");
    j.Bool(layout.HasShiftAltGrChars());
    j.Key("captions");
    j.BeginArray();
    for (size_t c = 0; c < KeyboardLayoutHeader::kCaptions; ++c)
        j.String(h.Caption(static_cast<KeyCaption>(c)));
    j.EndArray();
    j.Key("mainKeys");
    j.BeginArray();
    for (size_t i = 0; i < layout.MainKeyCount(); ++i)
        JsonKey(j, *layout.MainKey(i), i, layout.RowOfMainKey(i));
    j.EndArray();
    j.Key("keypadKeys");
    j.BeginArray();
    for (size_t i = 0; i < CKeyboardLayout::kKeypadKeys; ++i)
        JsonKey(j, *layout.KeypadKey(i), i, 0);
    j.EndArray();
    j.EndObject();
    j.Finish();
}

// kftool kbl dump FILE [--json]: the layout as its source text, or as JSON.
int RunKblDump(tool::Args& args)
{
    const bool json = args.TakeFlag("json");
    if (!args.CheckNoUnknownOptions() || args.Count() != 1)
        return tool::UsageError("usage: kftool kbl dump FILE [--json]");
    CKeyboardLayout layout;
    std::string error;
    if (!LoadLayoutFile(args[0], layout, error))
        return Failure(error);
    if (json)
        PrintLayoutJson(layout);
    else
        PrintText(LayoutSourceText(layout));
    return 0;
}

// kftool kbl list DATA_FOLDER: the layouts ListKeyboardLayouts offers, one per line:
// file name, finger family, hand.
int RunKblList(tool::Args& args)
{
    if (!args.CheckNoUnknownOptions() || args.Count() != 1)
        return tool::UsageError("usage: kftool kbl list DATA_FOLDER");
    Bytes reply;
    if (!LocalListKeyboardLayouts(WithTrailingSeparator(FromUtf8(args[0])), reply))
        return Failure("cannot list the layouts of " + args[0] + ": " + SystemReason());
    for (size_t at = 0; at + LayoutListItem::kSize <= reply.size(); at += LayoutListItem::kSize) {
        LayoutListItem item;
        item.Assign(ByteSpan(reply).subspan(at, LayoutListItem::kSize));
        std::printf("%s\t%u\t%u\n", ToUtf8(item.FileName()).c_str(), unsigned{item.FingerFamily()},
                    unsigned{item.Hand()});
    }
    return 0;
}

// kftool kbl load DATA_FOLDER NAME WHICHHAND [--json]: the layout LoadKeyboardLayout answers,
// finger assignment applied, dumped like kbl dump.
int RunKblLoad(tool::Args& args)
{
    const bool json = args.TakeFlag("json");
    if (!args.CheckNoUnknownOptions() || args.Count() != 3)
        return tool::UsageError("usage: kftool kbl load DATA_FOLDER NAME WHICHHAND [--json]");
    char* end = nullptr;
    const unsigned long hand = std::strtoul(args[2].c_str(), &end, 10);
    if (args[2].empty() || *end != 0)
        return tool::UsageError("WHICHHAND must be a number");
    Bytes reply;
    if (!LocalLoadKeyboardLayout(WithTrailingSeparator(FromUtf8(args[0])), FromUtf8(args[1]),
                                 static_cast<uint32_t>(hand), reply))
        return Failure("cannot load " + args[1] + ": " + SystemReason());
    CKeyboardLayout layout;
    if (!layout.LoadLayoutImage(reply, true))
        return Failure(args[1] + " is not a valid layout (" + LayoutErrorText(layout.ErrorCode()) +
                       ")");
    if (json)
        PrintLayoutJson(layout);
    else
        PrintText(LayoutSourceText(layout));
    return 0;
}

// kftool finger make SOURCE.txt OUT.dat [--layout LAYOUT.kbl]...
int RunFingerMake(tool::Args& args)
{
    const std::vector<std::string> layouts = args.TakeOptions("layout");
    if (!args.Error().empty())
        return tool::UsageError(args.Error());
    if (!args.CheckNoUnknownOptions() || args.Count() != 2)
        return tool::UsageError(
            "usage: kftool finger make SOURCE.txt OUT.dat [--layout LAYOUT.kbl]...");
    Bytes text;
    std::string error;
    if (!ReadInput(args[0], text, error))
        return Failure(error);
    FingerSource source;
    if (!CompileFingerSource(
            std::string_view(reinterpret_cast<const char*>(text.data()), text.size()), source,
            error))
        return Failure(args[0] + ": " + error);
    size_t checked = 0;
    for (const std::string& file : layouts) {
        CKeyboardLayout layout;
        if (!LoadLayoutFile(file, layout, error))
            return Failure(error);
        if (source.family && *source.family != layout.FingerFamily())
            continue;
        if (!FingerSourceFitsLayout(source, layout, error))
            return Failure(args[0] + " does not fit " + file + ": " + error);
        ++checked;
    }
    if (!layouts.empty() && checked == 0)
        return Failure(args[0] + ": none of the layouts given is of its family");
    return WriteOutput(args[1], source.assignment.FileImage(), error) ? 0 : Failure(error);
}

// kftool finger dump FILE [--layout LAYOUT.kbl]: the assignment as its source text, in the
// layout's rows when one is given.
int RunFingerDump(tool::Args& args)
{
    const std::optional<std::string> layoutFile = args.TakeOption("layout");
    if (!args.Error().empty())
        return tool::UsageError(args.Error());
    if (!args.CheckNoUnknownOptions() || args.Count() != 1)
        return tool::UsageError("usage: kftool finger dump FILE [--layout LAYOUT.kbl]");
    Bytes bytes;
    std::string error;
    if (!ReadInput(args[0], bytes, error))
        return Failure(error);
    FingerAssignment fingers;
    if (!fingers.Parse(bytes))
        return Failure(args[0] +
                       " is not a finger assignment file (no KYFINGE magic, or fewer pairs "
                       "than its key slots)");
    CKeyboardLayout layout;
    if (layoutFile && !LoadLayoutFile(*layoutFile, layout, error))
        return Failure(error);
    PrintText(FingerSourceText(fingers, layoutFile ? &layout : nullptr));
    return 0;
}

// kftool ikbl dump FILE [--layout LAYOUT.kbl] [--json]: an input-method keyboard's settings
// and the keyboard it makes: the reduced key set, or the labels on the standard layout (the
// given one, else the built-in default), key by key in row order.
int RunIkblDump(tool::Args& args)
{
    const bool json = args.TakeFlag("json");
    const std::optional<std::string> layoutFile = args.TakeOption("layout");
    if (!args.Error().empty())
        return tool::UsageError(args.Error());
    if (!args.CheckNoUnknownOptions() || args.Count() != 1)
        return tool::UsageError("usage: kftool ikbl dump FILE [--layout LAYOUT.kbl] [--json]");
    Bytes bytes;
    std::string error;
    if (!ReadInput(args[0], bytes, error))
        return Failure(error);
    // As the program reads it: through the text file reader, whatever the encoding.
    InputMethodKeyboard ime;
    if (!ime.ParseText(DecodeText(bytes)))
        return Failure(args[0] + " is not an input-method keyboard (Tag of [General] is not " +
                       "IMEKEYBOARDLAYOUT)");
    CKeyboardLayout layout;
    if (layoutFile && !LoadLayoutFile(*layoutFile, layout, error))
        return Failure(error);
    if (!layout.ApplyInputMethodKeyboard(ime))
        return Failure(args[0] + ": the keyboard cannot be built");

    if (json) {
        tool::JsonWriter j(stdout);
        j.BeginObject();
        j.Key("FontName");
        j.String(ime.FontName());
        j.Key("Stress_CapitalChar");
        j.Bool(ime.StressCapitalChar());
        j.Key("ContainNumericKey");
        j.Bool(ime.ContainNumericKey());
        j.Key("Standard_layout");
        j.Bool(ime.StandardLayout());
        j.Key("SmallFont_Size");
        j.Number(ime.SmallFontSize());
        j.Key("SmallFont_Bold");
        j.Number(ime.SmallFontBold());
        j.Key("keys");
        j.BeginArray();
        for (size_t i = 0; i < layout.MainKeyCount(); ++i) {
            const KeyRecord& k = *layout.MainKey(i);
            if (k.IsModifier())
                continue;
            j.BeginObject();
            j.Key("index");
            j.Number(static_cast<int64_t>(i));
            j.Key("row");
            j.Number(layout.RowOfMainKey(i));
            j.Key("key");
            j.String(InputMethodKeyboard::KeyNameFor(k.Base()));
            j.Key("label");
            j.String(layout.KeyLabel(i));
            j.EndObject();
        }
        j.EndArray();
        j.EndObject();
        j.Finish();
        return 0;
    }
    std::string out = "[General]\nTag=IMEKEYBOARDLAYOUT\nFontName=" + ToUtf8(ime.FontName()) +
                      "\nStress_CapitalChar=" + std::to_string(ime.StressCapitalChar() ? 1 : 0) +
                      "\nContainNumericKey=" + std::to_string(ime.ContainNumericKey() ? 1 : 0) +
                      "\nStandard_layout=" + std::to_string(ime.StandardLayout() ? 1 : 0) +
                      "\nSmallFont_Size=" + std::to_string(ime.SmallFontSize()) +
                      "\nSmallFont_Bold=" + std::to_string(ime.SmallFontBold()) + "\n\n";
    out += ime.StandardLayout() ? "; labels on " + ToUtf8(layout.Name()) + ", row by row\n"
                                : "; reduced keyboard of " + std::to_string(layout.MainKeyCount()) +
                                      " keys, row by row\n";
    out += "[KeyChars]\n";
    int row = 0;
    for (size_t i = 0; i < layout.MainKeyCount(); ++i) {
        const KeyRecord& k = *layout.MainKey(i);
        if (k.IsModifier() || layout.KeyLabel(i).empty())
            continue;
        if (layout.RowOfMainKey(i) != row) {
            row = layout.RowOfMainKey(i);
            out += "; row " + std::to_string(row) + "\n";
        }
        out += ToUtf8(InputMethodKeyboard::KeyNameFor(k.Base())) + "=" +
               ToUtf8(layout.KeyLabel(i)) + "\n";
    }
    PrintText(out);
    return 0;
}

KF_TOOL_COMMAND("kbl make", "SOURCE.txt OUT.kbl", RunKblMake);
KF_TOOL_COMMAND("kbl dump", "FILE [--json]", RunKblDump);
KF_TOOL_COMMAND("kbl list", "DATA_FOLDER", RunKblList);
KF_TOOL_COMMAND("kbl load", "DATA_FOLDER NAME WHICHHAND [--json]", RunKblLoad);
KF_TOOL_COMMAND("finger make",
                "SOURCE.txt OUT.dat [--layout LAYOUT.kbl]...  (source: \"row N:\" and \"keypad:\" "
                "lines of codes L0-L4/R0-R4, thumb to little; every layout given of the source's "
                "family must have its rows)",
                RunFingerMake);
KF_TOOL_COMMAND("finger dump", "FILE [--layout LAYOUT.kbl]", RunFingerDump);
KF_TOOL_COMMAND("ikbl dump", "FILE [--layout LAYOUT.kbl] [--json]", RunIkblDump);

} // namespace
} // namespace kf
