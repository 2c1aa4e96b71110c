// The slide show that opens a lesson of Type 1 or 2. Until a slide view joins the view host,
// the desk goes on without the slides: a lesson of Type 2 starts its practice at once and a
// lesson of slides alone gives way to the next lesson of the course.
#include "session/ui/typingdeskwnd.h"

namespace kf {

bool CTypingDeskWnd::StartSlides(int32_t /*lessonIndex*/)
{
    return false;
}

} // namespace kf
