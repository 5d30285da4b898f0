#include "show/text_box_engine.h"

#include "platform/colors.h"
#include "platform/system_info.h"
#include "platform/win_ver.h"
#include "show/marker.h"
#include "show/picture_display.h"
#include "show/safe_bounds.h"
#include "show/show_rules.h"
#include "show/show_surface.h"
#include "show/surface_ops.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QThread>

std::atomic<int> TScrollBox1::pagePauseMs{3000};

namespace {

// What differs between the two boxes.
struct BoxFields {
    std::int32_t& Line;
    std::int32_t LineCount;
    std::int32_t& Row;
    std::int32_t LineHeight;
    std::int32_t& TextX;
    Rect& SourceRect;
    const Rect& DestRect;
    const Rect& ScrollRect;
    const Rect& ClipRect;
    Rect& UpdateRect;
    bool Center;
    PictureHolder& Holder;
    const QStringList& Lines;
};

BoxFields box1(ShowContext& ctx) {
    ShowState& s = ctx.show;
    return BoxFields{s.Box1Line,       s.Box1LineCount,       s.Box1Row,
                     s.Box1LineHeight, s.Box1TextX,           s.Box1SourceRect,
                     s.Box1DestRect,   s.Box1ScrollRect,      s.Box1ClipRect,
                     s.Box1UpdateRect, ctx.board.CenterText1, ctx.surface.Image1,
                     s.Text1Lines};
}

BoxFields box2(ShowContext& ctx) {
    ShowState& s = ctx.show;
    return BoxFields{s.Box2Line,       s.Box2LineCount,       s.Box2Row,
                     s.Box2LineHeight, s.Box2TextX,           s.Box2SourceRect,
                     s.Box2DestRect,   s.Box2ScrollRect,      s.Box2ClipRect,
                     s.Box2UpdateRect, ctx.board.CenterText2, ctx.surface.Image2,
                     s.Text2Lines};
}

// The line with this index; one past the last line reads as empty. A line
// longer than any box can show is cut, so that no step lays out megabytes.
QString lineAt(const QStringList& lines, std::int32_t index) {
    return (index >= 0 && index < lines.size()) ? safeLineText(lines.at(index)) : QString();
}

// The box is as wide as its line bitmap: the board's width as the show uses
// it, within the safe bounds.
std::int32_t boxWidth(const BoxFields& f) {
    return f.Holder.bitmap.width();
}

void renderLine(BoxFields& f, const QString& text) {
    QImage& bitmap = f.Holder.bitmap;
    if (bitmap.isNull()) {
        return;
    }
    bitmap.fill(platform::toQColor(f.Holder.brush));
    if (text.isEmpty()) {
        return;
    }
    QPainter p(&bitmap);
    p.setFont(f.Holder.font);
    p.setPen(platform::toQColor(f.Holder.color));
    p.drawText(f.TextX, QFontMetrics(f.Holder.font).ascent(), text);
}

void centre(BoxFields& f, const QString& measured) {
    if (f.Center) {
        f.TextX = boxWidth(f) / 2 - QFontMetrics(f.Holder.font).horizontalAdvance(measured) / 2;
    }
}

// Copies the next row into the strip at the bottom of the box and moves the
// box up by one pixel; `lastRow` is the row at which the line is finished.
void advance(ShowContext& ctx, BoxFields& f, std::int32_t lastRow) {
    if (f.Row >= lastRow) {
        f.Row = 0;
        f.Line += 1;
        if (f.Line > f.LineCount) {
            f.Line = 0;
        }
        return;
    }
    f.SourceRect = Rect{0, f.Row, boxWidth(f), f.Row + 1};
    f.UpdateRect =
        ctx.surface.scrollUpStep(f.Holder.bitmap, f.Row, f.DestRect, f.ScrollRect, f.ClipRect);
    f.Row += 1;
}

// New lines given while the show runs come in with the next line: the box
// then scrolls them from their first line.
void takePendingLines(std::optional<QStringList>& pending, QStringList& lines,
                      std::int32_t& lineCount, std::int32_t& line, std::int32_t row) {
    if (!pending || row != 0) {
        return;
    }
    lines = std::move(*pending);
    pending.reset();
    lineCount = static_cast<std::int32_t>(lines.size());
    line = 0;
}

} // namespace

bool textBox1Step(ShowContext& ctx) {
    Q_ASSERT(QThread::currentThread() == QCoreApplication::instance()->thread());
    ShowState& s = ctx.show;
    takePendingLines(s.PendingText1Lines, s.Text1Lines, s.Box1LineCount, s.Box1Line, s.Box1Row);
    BoxFields f = box1(ctx);
    if (f.Row == 0) {
        const QString line = lineAt(f.Lines, f.Line);
        centre(f, line);
        QString text = line;
        if (ctx.show.MarkerMode && lineHasMarker(line)) {
            const qsizetype a = line.indexOf(QStringLiteral("//"));
            const qsizetype b = line.indexOf(QStringLiteral("\\\\"));
            // Backslashes before the first "//" are no marker: drawn as stored.
            if (b > a) {
                const MarkerResult marker =
                    ParseMarker(line.left(255), static_cast<int>(ctx.show.ImageEntries.size()));
                if (marker.picture >= 0) {
                    // The entry is a path: kept whole, however long.
                    PlayBitMap(ctx, ctx.show.ImageEntries.at(marker.picture));
                }
                text = marker.text;
            }
        }
        renderLine(f, text);
        f.Row = 1;
    }
    advance(ctx, f, f.LineHeight - 1);
    return ctx.show.ShowRunning;
}

bool textBox2Step(ShowContext& ctx) {
    Q_ASSERT(QThread::currentThread() == QCoreApplication::instance()->thread());
    ShowState& s = ctx.show;
    takePendingLines(s.PendingText2Lines, s.Text2Lines, s.Box2LineCount, s.Box2Line, s.Box2Row);
    BoxFields f = box2(ctx);
    if (f.Row == 0) {
        const QString line = lineAt(f.Lines, f.Line);
        centre(f, line);
        renderLine(f, line);
        f.Row = 1;
    }
    advance(ctx, f, f.LineHeight);
    return ctx.show.ShowRunning;
}

bool pagePauseDue(SharedValue<std::int32_t>& pageRows, std::int32_t pageHeight) {
    if (pageRows.load() < pageHeight) {
        pageRows.fetchAdd(1);
        return false;
    }
    pageRows = 0;
    return true;
}

EngineThread::Priority enginePriority() {
    return isNtFamily(platform::systemInfo()) ? EngineThread::Priority::Highest
                                              : EngineThread::Priority::Normal;
}

// Each box starts from the first row of its line. The reset is done here, on
// the main thread, because the main thread owns the row between steps.
TScrollBox1::TScrollBox1(ShowContext ctx) : EngineThread(&ctx.surface), ctx_(ctx) {
    ctx_.show.Box1Row = 0;
}

void TScrollBox1::ScrollStep() {
    endStep(textBox1Step(ctx_), 100);
}

void TScrollBox1::Execute() {
    setPriority(enginePriority());
    runSteps([this] { ScrollStep(); },
             [this] {
                 if (ctx_.board.PagePause1 &&
                     pagePauseDue(ctx_.show.Box1PageRows, ctx_.board.Box1PageHeight)) {
                     pause(pagePauseMs.load());
                 }
                 pause(safeDelayMs(ctx_.board.Box1Delay));
             });
}

TScrollBox2::TScrollBox2(ShowContext ctx) : EngineThread(&ctx.surface), ctx_(ctx) {
    ctx_.show.Box2Row = 0;
}

void TScrollBox2::ScrollStep() {
    endStep(textBox2Step(ctx_), 10);
}

void TScrollBox2::Execute() {
    setPriority(enginePriority());
    // Text box 2 never pauses between pages.
    runSteps([this] { ScrollStep(); }, [this] { pause(safeDelayMs(ctx_.board.Box2Delay)); });
}
