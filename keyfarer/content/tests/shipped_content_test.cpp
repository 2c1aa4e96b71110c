// The courses, slide shows and keyboard layouts of the staged installation tree, read through
// the program's own readers: every course loads in its shipped form and again from its
// compiled image, names keys that exist on the layouts it is offered for, teaches only
// characters those layouts can type, names files that exist, and is offered in the catalogue
// to the users of at least one shipped layout.
#include "content/courseheader.h"
#include "content/data_extralesson.h"
#include "content/keyboardlayout.h"
#include "content/layoutkeyreferences.h"
#include "content/localtutorial.h"
#include "content/localtutorialdata.h"
#include "content/catalogueentry.h"
#include "content/tutorialcourse.h"
#include "platform/utf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace kf {
namespace {

namespace fs = std::filesystem;

const fs::path kData = fs::path(KF_STAGE_DIR) / "Data";

std::string U8(std::u16string_view s)
{
    return ToUtf8(s);
}

Bytes ReadAll(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), {});
}

struct ShippedLayout
{
    std::string file;
    CKeyboardLayout layout;
};

const std::vector<ShippedLayout>& Layouts()
{
    static const std::vector<ShippedLayout> layouts = [] {
        std::vector<ShippedLayout> out;
        for (const auto& e : fs::directory_iterator(kData / "KBLayout")) {
            if (e.path().extension() != ".kbl")
                continue;
            ShippedLayout l;
            l.file = e.path().filename().string();
            EXPECT_TRUE(l.layout.LoadLayoutImage(ReadAll(e.path()), true)) << l.file;
            out.push_back(std::move(l));
        }
        std::sort(out.begin(), out.end(), [](auto& a, auto& b) { return a.file < b.file; });
        return out;
    }();
    return layouts;
}

// The shipped layouts a course of this type runs on.
std::vector<const ShippedLayout*> LayoutsFor(uint8_t courseType)
{
    std::vector<const ShippedLayout*> out;
    for (const ShippedLayout& l : Layouts()) {
        if (CourseHeader::FitsLayout(courseType, l.layout.LayoutType()))
            out.push_back(&l);
    }
    return out;
}

// Course paths relative to Tutorial, with backslashes, as the catalogue names them.
std::vector<std::u16string> CoursePaths()
{
    std::vector<std::u16string> out;
    for (const auto& cat : fs::directory_iterator(kData / "Tutorial")) {
        if (!cat.is_directory())
            continue;
        for (const auto& e : fs::directory_iterator(cat.path())) {
            if (e.path().extension() == ".btf")
                out.push_back(
                    FromUtf8(cat.path().filename().string() + "\\" + e.path().filename().string()));
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

bool Printable(char16_t c)
{
    return c >= 0x20 && c != 0x7F && !(c >= 0x80 && c < 0xA0);
}

// Every "#n" of the text as the lesson chooser expands it on this layout: each must become
// one printable character.
void CheckReferences(const std::u16string& text, uint8_t courseType, const CKeyboardLayout& layout,
                     const std::string& where)
{
    const LayoutKeyReferences model(layout);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'#' || i + 1 >= text.size() || text[i + 1] < u'0' || text[i + 1] > u'9')
            continue;
        size_t j = i + 1;
        while (j < text.size() && text[j] >= u'0' && text[j] <= u'9')
            ++j;
        const std::u16string ref = text.substr(i, j - i);
        const std::u16string shown = ExpandKeyReferences(ref, courseType, model);
        EXPECT_TRUE(shown.size() == 1 && Printable(shown[0]))
            << where << ": " << U8(ref) << " shows \"" << U8(shown) << "\"";
    }
}

// A character the learner types: on the layout's main keys, or on the keypad in a keypad
// lesson; Enter ends lines.
bool Reachable(const CKeyboardLayout& layout, char16_t c, bool keypad)
{
    if (c == u'\r' || c == u'\n')
        return true;
    return layout.FindKeyForChar(c, false, false) ||
           (keypad && layout.FindKeyForChar(c, true, false));
}

void CheckKeyIndexes(const LessonRecord& r, const CKeyboardLayout& layout, const std::string& where)
{
    const bool keypad = r.IsNumpad() != 0;
    const std::vector<uint8_t> keys = r.KeyIndexes();
    EXPECT_FALSE(keys.empty()) << where << ": no KeyIndex";
    for (uint8_t k : keys) {
        const KeyRecord* key = keypad ? layout.KeypadKey(k)
                                      : (k < layout.MainKeyCount() ? layout.MainKey(k) : nullptr);
        if (!key) {
            ADD_FAILURE() << where << ": KeyIndex " << int(k) << " is no "
                          << (keypad ? "keypad" : "main") << " key of " << U8(layout.Name());
            continue;
        }
        // Modifiers, Tab, Enter, Backspace and Space carry key codes, not characters.
        const char16_t base = key->Base();
        EXPECT_FALSE(key->IsModifier() || base == vk::Backspace || base == vk::Tab ||
                     base == vk::Enter || base == vk::Space)
            << where << ": KeyIndex " << int(k) << " is a key without a character on "
            << U8(layout.Name());
        if (key->IsModifier())
            continue;
        for (char16_t c : {key->Base(), key->Shifted(), key->AltGr(), key->ShiftAltGr()}) {
            if (c != 0 && base != vk::Space && base != vk::Enter && base != vk::Tab &&
                base != vk::Backspace) {
                EXPECT_TRUE(Printable(c))
                    << where << ": key " << int(k) << " types a control character";
            }
        }
    }
}

void CheckSlides(LocalTutorialData& data, const LessonRecord& r, uint8_t courseType,
                 const std::vector<const ShippedLayout*>& layouts, const std::string& where)
{
    ASSERT_TRUE(data.ReadTutorialText(r.ExtraFile(), nullptr))
        << where << ": " << U8(r.ExtraFile());
    CData_ExtraLesson slides;
    slides.SetSlideData(data.Result());
    ASSERT_TRUE(slides.ParseSlides(&data))
        << where << ": " << U8(r.ExtraFile()) << " is no slide show";
    EXPECT_GT(slides.FrameCount(), 0) << where;
    for (const SlidePart& p : slides.Parts()) {
        if (p.type == SlidePart::kPicture) {
            EXPECT_TRUE(p.picture)
                << where << ": picture " << U8(p.imageFile) << " missing or unreadable";
        } else if (p.type == SlidePart::kText) {
            for (const ShippedLayout* l : layouts)
                CheckReferences(p.text, courseType, l->layout, where + " slide text");
        }
    }
}

TEST(ShippedContent, LayoutsLoadAndCoverEveryCourseType)
{
    ASSERT_GE(Layouts().size(), 6u);
    for (const ShippedLayout& l : Layouts())
        EXPECT_TRUE(l.layout.IsLoaded()) << l.file;
    ASSERT_GE(CoursePaths().size(), 3u);
}

TEST(ShippedContent, EveryCourseLoadsInBothFormsAndFitsItsLayouts)
{
    LocalTutorialData data(FromUtf8(kData.string()));
    for (const std::u16string& path : CoursePaths()) {
        const std::string where = U8(path);
        TutorialCourse course(&data);
        ASSERT_TRUE(course.LoadCourseFile(path)) << where << ": error " << course.ErrorNumber();

        // The compiled form of the same course loads to the same records.
        TutorialCourse compiled;
        ASSERT_TRUE(compiled.LoadCourseData(course.CompiledImage(), path)) << where;
        EXPECT_EQ(compiled.CompiledImage(), course.CompiledImage()) << where;
        ASSERT_EQ(compiled.LessonCount(), course.LessonCount()) << where;
        EXPECT_TRUE(
            std::equal(course.Lessons().begin(), course.Lessons().end(), compiled.Lessons().begin(),
                       [](const LessonRecord& a, const LessonRecord& b) {
                           return std::equal(a.bytes().begin(), a.bytes().end(), b.bytes().begin());
                       }))
            << where;

        const CourseHeader& h = course.Header();
        EXPECT_FALSE(h.Name().empty()) << where;
        const std::vector<const ShippedLayout*> layouts = LayoutsFor(h.LayoutType());
        ASSERT_FALSE(layouts.empty())
            << where << ": no shipped layout runs a course of type " << int(h.LayoutType());
        if (!h.CodeFile().empty() && !course.UsesSystemInputMethod()) {
            EXPECT_TRUE(data.ReadTutorialText(course.CodeTablePath(), nullptr))
                << where << ": code table";
        }
        if (!h.KeyboardFile().empty()) {
            EXPECT_TRUE(data.ReadTutorialText(course.CourseKeyboardPath(), nullptr))
                << where << ": keyboard";
        }

        std::map<std::u16string, uint32_t> names;
        for (uint32_t i = 0; i < course.LessonCount(); ++i) {
            const LessonRecord& r = course.Lessons()[i];
            const std::string lw =
                where + " lesson " + std::to_string(i) + " \"" + U8(r.Name()) + "\"";
            EXPECT_FALSE(r.Name().empty()) << lw << ": no name";
            // The user's last lesson and the game chooser find lessons by name, ignoring case.
            int32_t found = -1;
            course.FindLessonByName(r.Name(), &found);
            EXPECT_EQ(found, static_cast<int32_t>(i))
                << lw << ": the name repeats lesson " << found;

            // A keypad lesson in a course of another type than 5 would show main keys for its
            // references.
            const bool keypadRefsWrong =
                r.IsNumpad() && h.LayoutType() != CourseHeader::kKeypadLayoutType;
            for (const std::u16string& text : {r.Name(), r.Description(), r.KeysDescription()}) {
                if (keypadRefsWrong) {
                    EXPECT_EQ(text.find(u'#'), std::u16string::npos)
                        << lw << ": key reference in a keypad lesson";
                    continue;
                }
                for (const ShippedLayout* l : layouts)
                    CheckReferences(text, h.LayoutType(), l->layout, lw + " on " + l->file);
            }

            switch (course.KeyDataOf(r)) {
            case TutorialCourse::KeyData::KeyIndexes:
                if (r.Type() != 1) {
                    for (const ShippedLayout* l : layouts)
                        CheckKeyIndexes(r, l->layout, lw);
                }
                break;
            case TutorialCourse::KeyData::RowIndexes: {
                std::u16string body;
                ASSERT_TRUE(course.ReadExtraFile(i, body)) << lw << ": body " << U8(r.ExtraFile());
                EXPECT_FALSE(body.empty()) << lw;
                for (const ShippedLayout* l : layouts) {
                    std::set<char16_t> missing;
                    for (char16_t c : body) {
                        if (!Reachable(l->layout, c, r.IsNumpad() != 0))
                            missing.insert(c);
                    }
                    EXPECT_TRUE(missing.empty())
                        << lw << ": " << U8(std::u16string(missing.begin(), missing.end()))
                        << " cannot be typed on " << l->file;
                }
                break;
            }
            case TutorialCourse::KeyData::TrainChars:
                for (const ShippedLayout* l : layouts) {
                    for (char16_t c : r.TrainChars()) {
                        EXPECT_TRUE(Reachable(l->layout, c, false)) << lw << " on " << l->file;
                    }
                }
                break;
            }
            if (r.Type() == 1 || r.Type() == 2) {
                CheckSlides(data, r, h.LayoutType(), layouts, lw);
            } else if (!r.ExtraFile().empty()) {
                EXPECT_TRUE(data.ReadTutorialText(r.ExtraFile(), nullptr))
                    << lw << ": " << U8(r.ExtraFile());
            }
        }
    }
}

// The lesson chooser asks the catalogue for the loaded layout's type and the user's
// WhichHand: each shipped layout must be offered the courses written for it, and the keypad
// course on every one of them.
TEST(ShippedContent, CatalogueOffersEveryCourseOnItsLayouts)
{
    const std::u16string folder = FromUtf8(kData.string());
    std::set<std::u16string> offeredSomewhere;
    for (const ShippedLayout& l : Layouts()) {
        Bytes reply;
        ASSERT_TRUE(ListCourses(folder, l.layout.LayoutType(), 0, reply)) << l.file;
        ASSERT_EQ(reply.size() % CatalogueEntry::kSize, 0u);
        std::set<std::u16string> offered;
        for (size_t off = 0; off < reply.size(); off += CatalogueEntry::kSize) {
            CatalogueEntry e;
            e.Assign(ByteSpan(reply).subspan(off, CatalogueEntry::kSize));
            offered.insert(e.Path());
            offeredSomewhere.insert(e.Path());
        }
        EXPECT_TRUE(offered.count(u"Keypad\\NumericKeypad.btf"))
            << l.file << " is not offered the keypad course";
        EXPECT_FALSE(offered.empty()) << l.file;
    }
    for (const std::u16string& path : CoursePaths())
        EXPECT_TRUE(offeredSomewhere.count(path)) << U8(path) << " is offered on no shipped layout";
}

} // namespace
} // namespace kf
