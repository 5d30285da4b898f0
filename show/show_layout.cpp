#include "show/show_layout.h"

namespace {

TitleGeometry titleGeometry(bool on, std::int32_t fontSize, std::int32_t previousBevel,
                            std::int32_t b, std::int32_t top, std::int32_t screenWidth) {
    TitleGeometry g;
    if (!on) {
        return g; // hidden, with height, top and width 0
    }
    g.visible = true;
    g.bevelNone = (b == 0);
    g.bevelWidth = (b == 0) ? previousBevel : b;
    g.left = 0;
    g.top = top;
    g.width = screenWidth;
    // The size in points is added as pixels, as the title bars always had it.
    g.height = fontSize + 6 + 2 * g.bevelWidth;
    return g;
}

FrameGeometry frameGeometry(bool on, std::int32_t bottom, std::int32_t height, std::int32_t width,
                            std::int32_t b) {
    FrameGeometry f;
    f.visible = on && height != 0 && b != 0;
    if (on) {
        f.placed = true;
        f.top = bottom - (height + b);
        f.left = 0;
        f.height = 2 * b + height;
        f.width = width;
    }
    return f;
}

} // namespace

ShowLayout computeShowLayout(const LayoutInput& in) {
    const std::int32_t b = in.BorderWidth;
    const std::int32_t sw = in.ScreenWidth;
    ShowLayout out;

    out.Panel3 = titleGeometry(in.MainTitleOn, in.MainTitleFontSize, in.Panel3BevelWidth, b, b, sw);
    out.Panel4 = titleGeometry(in.SecondTitleOn, in.SecondTitleFontSize, in.Panel4BevelWidth, b,
                               out.Panel3.height + 2 * b, sw);
    if (!in.SecondTitleOn) {
        out.Panel4.bevelWidth = in.Panel4BevelWidth;
    }
    if (!in.MainTitleOn) {
        out.Panel3.bevelWidth = in.Panel3BevelWidth;
    }

    out.Box1ShownHeight = in.Box1On ? in.Box1Height : 0;
    out.Box2ShownHeight = in.Box2On ? in.Box2Height : 0;

    const std::int32_t t1 = out.Panel3.height;
    const std::int32_t t2 = out.Panel4.height;
    out.Box1Bottom = t1 + t2 + 5 * b + out.Box1ShownHeight;
    out.Box2Bottom = out.Box1Bottom + 2 * b + out.Box2ShownHeight;
    out.ClockTop = out.Box2Bottom + b;
    out.CrawlTop =
        in.ClockOn ? out.ClockTop + 2 * b + in.ClockFontSize + 10 : out.Box2Bottom + 2 * b;

    if (in.Box1On) {
        out.Box1DestRect = {b, out.Box1Bottom - 1, in.Box1Width - b, out.Box1Bottom};
        out.Box1ScrollRect = {0, out.Box1Bottom - out.Box1ShownHeight, in.Box1Width,
                              out.Box1Bottom};
    }
    out.Bevel3 = frameGeometry(in.Box1On, out.Box1Bottom, out.Box1ShownHeight, in.Box1Width, b);

    if (in.Box2On) {
        out.Box2DestRect = {b, out.Box2Bottom - 1, in.Box2Width - b, out.Box2Bottom};
        out.Box2ScrollRect = {0, out.Box2Bottom - out.Box2ShownHeight, in.Box2Width,
                              out.Box2Bottom};
    }
    out.Bevel4 = frameGeometry(in.Box2On, out.Box2Bottom, out.Box2ShownHeight, in.Box2Width, b);

    if (in.CrawlOn) {
        const std::int32_t h = in.CrawlLineHeight;
        out.CrawlDestRect = {sw - 1, out.CrawlTop, sw, out.CrawlTop + h};
        out.CrawlScrollRect = {0, out.CrawlTop, sw, out.CrawlTop + h};
    }
    return out;
}

void applyShowLayout(const ShowLayout& layout, const LayoutInput& in, ShowState& show) {
    show.Box1ShownHeight = layout.Box1ShownHeight;
    show.Box2ShownHeight = layout.Box2ShownHeight;
    show.MainTitleBarHeight = layout.Panel3.visible ? layout.Panel3.height : 0;
    show.SecondTitleBarHeight = layout.Panel4.visible ? layout.Panel4.height : 0;
    show.Box1Bottom = layout.Box1Bottom;
    show.Box2Bottom = layout.Box2Bottom;
    show.ClockTop = layout.ClockTop;
    show.CrawlTop = layout.CrawlTop;
    if (in.Box1On) {
        show.Box1DestRect = layout.Box1DestRect;
        show.Box1ScrollRect = layout.Box1ScrollRect;
        show.Box1ClipRect = layout.Box1ScrollRect;
    }
    if (in.Box2On) {
        show.Box2DestRect = layout.Box2DestRect;
        show.Box2ScrollRect = layout.Box2ScrollRect;
        show.Box2ClipRect = layout.Box2ScrollRect;
    }
    if (in.CrawlOn) {
        show.CrawlDestRect = layout.CrawlDestRect;
        show.CrawlScrollRect = layout.CrawlScrollRect;
        show.CrawlClipRect = layout.CrawlScrollRect;
    }
}

ImageArea computeImageArea(std::int32_t box1Width, std::int32_t box1Height,
                           std::int32_t borderWidth, std::int32_t screenWidth, std::int32_t t1,
                           std::int32_t t2) {
    ImageArea a;
    a.Left = box1Width + borderWidth;
    a.Top = t1 + t2 + 5 * borderWidth;
    a.Width = screenWidth - (box1Width + 2 * borderWidth);
    a.Height = box1Height;
    return a;
}
