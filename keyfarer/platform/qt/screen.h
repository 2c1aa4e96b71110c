#pragma once

// What the program needs to know of the display: colour depth and size in pixels.

namespace kf {

struct ScreenDescription
{
    int depth = 24;   // bits per pixel
    int width = 1024; // pixels
    int height = 768;
};

// The primary screen as Qt reports it.
ScreenDescription ReadPrimaryScreen();

} // namespace kf
