#include "session/standviewoptions.h"

#include "session/exercisekind.h"

#include <algorithm>

namespace kf {

int EffectiveFontSize(int optionSize)
{
    return optionSize < 8 || optionSize > 99 ? 24 : optionSize;
}

int LessonSideMargin(int displaySize, int clientWidth)
{
    const int d = std::max(0, (clientWidth - 100) / 2);
    switch (displaySize) {
    case 0:
        return d;
    case 1:
        return d * 3 / 4;
    case 2:
        return d / 2;
    case 3:
        return d / 4;
    default:
        return 10;
    }
}

StandViewSettings ResolveStandViewSettings(const StandViewOptions& options,
                                           const StandViewContext& context)
{
    StandViewSettings s;
    s.normalText = options.normalText;
    s.correctText = options.correctText;
    s.errorText = options.errorText;
    s.background = options.background;
    s.charSpacing = options.charSpacing;
    s.rowSpacing = options.rowSpacing;

    const bool lessonMode =
        context.deskMode == desk_mode::kLesson || context.deskMode == desk_mode::kSlideShow;
    const int size = EffectiveFontSize(lessonMode ? options.lessonFontSize : options.fontSize);
    const int scale = lessonMode && context.lessonFontScale > 0 ? context.lessonFontScale : 100;
    s.font.face =
        context.fontOverride.empty() ? options.fontName : std::u16string(context.fontOverride);
    s.font.weight = options.fontBold ? 700 : 400;
    s.font.pointSize = std::max(12, size * scale / 100);

    const bool freeTyping = context.kind == kind::kFreeTyping;
    const bool originalCopy =
        context.kind == kind::kOriginalCopyTest || context.kind == kind::kTest37;
    if (!freeTyping && !IsTestKind(context.kind)) {
        s.spaceLabel = options.spaceString;
        s.tabLabel = options.tabString;
    }
    s.caretStyle =
        freeTyping || originalCopy || !options.useBitCaret ? CaretStyle::Bar : CaretStyle::Pointer;

    if (lessonMode) {
        const int displaySize =
            context.lessonDisplaySize == 255 ? options.stdDisplaySize : context.lessonDisplaySize;
        s.marginLeft = s.marginRight = LessonSideMargin(displaySize, context.clientWidth);
        s.marginTop = s.marginBottom = 10;
        s.overlay = true;
        s.typedPartOnly = false;
        s.lessonText = true;
        return s;
    }
    s.marginLeft = s.marginTop = s.marginRight = s.marginBottom = 10;
    if (originalCopy) {
        s.overlay = true;
        s.typedPartOnly = true;
    } else {
        s.typedPartOnly = false;
        s.overlay = freeTyping || !options.doubleLineView;
    }
    s.caretAtEnd = freeTyping;
    return s;
}

} // namespace kf
