#pragma once

// Turns a decoded movie picture into an image of a given size, stretched by
// taking the nearest source pixel. Plain code with no window, safe on any
// thread, so that the work is done away from the main thread.

#include <QImage>
#include <QSize>
#include <QVideoFrame>
#include <QVideoFrameFormat>

namespace platform {

// True for the pixel formats scaledFrameImage() reads itself: the common
// planar, semi-planar and packed YUV layouts, grey, and 32-bit RGB.
bool canScaleFrame(QVideoFrameFormat::PixelFormat format);

// The frame stretched to `size`, in QImage::Format_RGB32. A null image when
// the frame cannot be read or its format is not one of canScaleFrame().
QImage scaledFrameImage(QVideoFrame frame, const QSize& size);

} // namespace platform
