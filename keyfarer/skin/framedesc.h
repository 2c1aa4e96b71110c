#pragma once

// The description of a skinned window frame held by the look object: the frame bitmap's name
// and the measures of its corner pieces. The frame is drawn as nine pieces: the four corners
// as they are, the edges between them stretched, the middle filled with the dialog colour.

#include <string>

namespace kf {

struct CFrameDesc
{
    std::string bitmap; // name of the frame bitmap in the look
    int topHeight = 0;  // height of the two top corner pieces (caption band included)
    int topLeftWidth = 0;
    int topRightWidth = 0;
    int bottomLeftWidth = 0;
    int bottomRightWidth = 0;
    int captionHeight = 0; // the two further measures: not used by the shape
    int borderWidth = 0;
    int bottomHeight = 0; // height of the two bottom corner pieces
};

} // namespace kf
