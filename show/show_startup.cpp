#include "show/show_startup.h"

#include "platform/fonts.h"
#include "platform/screens.h"
#include "platform/system_info.h"
#include "show/crawl_engine.h"
#include "show/logging.h"
#include "show/movie_engine.h"
#include "show/play_screen.h"
#include "show/safe_bounds.h"
#include "show/show_host.h"
#include "show/show_rules.h"
#include "show/text_box_engine.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScopeGuard>

namespace {

void placeTitle(TitlePanel* panel, const TitleGeometry& g, const QString& caption,
                const QString& face, int size, Colour color, qreal ratio) {
    panel->hide();
    panel->setBevelWidth(g.bevelWidth);
    if (!g.visible) {
        panel->place(QRect(panel->placed().x(), 0, 0, 0), ratio);
        return;
    }
    panel->setBevelOuter(g.bevelNone ? TitlePanel::Bevel::None : TitlePanel::Bevel::Lowered);
    panel->setCaption(safeLineText(caption));
    panel->setFont(platform::boardFont(face, size, true));
    panel->setTextColor(color);
    panel->place(QRect(g.left, g.top, g.width, g.height), ratio);
    panel->show();
}

void placeFrame(BevelFrame* frame, const FrameGeometry& g, qreal ratio) {
    if (g.placed) {
        frame->place(QRect(g.left, g.top, g.width, g.height), ratio);
    }
    frame->setVisible(g.visible);
    if (g.visible) {
        frame->raise();
    }
}

} // namespace

LayoutInput layoutInputFor(const BoardState& board, const ShowState& show,
                           const TPlayScreen& screen, int screenWidth, int screenHeight) {
    // The board's numbers as the show uses them: within the safe bounds,
    // while the board itself keeps what it holds.
    LayoutInput in;
    in.BorderWidth = safeBorderWidth(board.BorderWidth, screenWidth, screenHeight);
    in.ScreenWidth = screenWidth;
    in.ScreenHeight = screenHeight;
    in.MainTitleOn = show.MainTitleOn;
    in.SecondTitleOn = show.SecondTitleOn;
    in.MainTitleFontSize = safeFontPoints(board.MainTitleFontSize);
    in.SecondTitleFontSize = safeFontPoints(board.SecondTitleFontSize);
    in.Panel3BevelWidth = screen.Panel3->bevelWidth();
    in.Panel4BevelWidth = screen.Panel4->bevelWidth();
    in.Box1On = show.Box1On;
    in.Box2On = show.Box2On;
    in.Box1Width = safeLength(board.Box1Width, screenWidth);
    in.Box1Height = safeLength(board.Box1Height, screenHeight);
    in.Box2Width = safeLength(board.Box2Width, screenWidth);
    in.Box2Height = safeLength(board.Box2Height, screenHeight);
    in.ClockOn = board.ClockOn;
    in.ClockFontSize = safeFontPoints(board.ClockFontSize);
    in.CrawlOn = show.CrawlOn;
    if (show.CrawlOn) {
        in.CrawlLineHeight = QFontMetrics(platform::boardFont(board.CrawlFontName,
                                                              safeFontPoints(board.CrawlFontSize)))
                                 .height();
    }
    return in;
}

void StartTheShow(ShowContext& ctx, TPlayScreen& screen) {
    ctx.show.Texts = ctx.host.showTexts();
    RestartTheShow(ctx, screen);
}

void RestartTheShow(ShowContext& ctx, TPlayScreen& screen) {
    Q_ASSERT(&ctx.surface == &screen.surface());
    BoardState& board = ctx.board;
    ShowState& show = ctx.show;
    // The start hands events on while the play screen comes up; a change
    // that arrives then waits for the show to run.
    show.Starting = true;
    const auto started = qScopeGuard([&show] { show.Starting = false; });
    // The show is laid out for the screen it plays on, in that screen's
    // own pixels.
    const platform::PlayScreenTarget target = platform::playScreenTarget();
    screen.playOn(target.screen);
    screen.setFellBack(target.fellBack);
    emit screen.playScreenNoted(
        target.fellBack
            ? QStringLiteral("Play screen \"%1\" is not connected: the show plays on the "
                             "primary screen.")
                  .arg(platform::chosenPlayScreen())
            : QString());
    const qreal ratio = screen.pixelRatio();
    const platform::SystemInfo& sys = platform::systemInfo();
    const int sw = sys.playScreenWidth();
    const int sh = sys.playScreenHeight();
    const ShowTexts& texts = show.Texts;
    show.PlayedBoard = board;
    show.PendingText1Lines.reset();
    show.PendingText2Lines.reset();
    show.CrawlGeneration += 1;
    ctx.surface.PendingCrawl.reset();
    show.Text1Lines = texts.Text1Lines;
    show.Text2Lines = texts.Text2Lines;
    show.ImageEntries = texts.ImageList;
    show.ImageCount = static_cast<std::int32_t>(texts.ImageList.size());
    show.PlayTime = texts.PlayTime;

    show.Box1TextX = 0;
    show.Box2TextX = 0;

    const LayoutInput in = layoutInputFor(board, show, screen, sw, sh);
    const ShowLayout layout = computeShowLayout(in);

    placeTitle(screen.Panel3, layout.Panel3, texts.MainTitle, board.MainTitleFontName,
               in.MainTitleFontSize, board.MainTitleColor, ratio);
    placeTitle(screen.Panel4, layout.Panel4, texts.SecondTitle, board.SecondTitleFontName,
               in.SecondTitleFontSize, board.SecondTitleColor, ratio);

    show.Box1PageRows = 0;
    show.Box1Line = 0;
    show.Box2Line = 0;
    show.Box2Row = 0;
    show.CrawlColumn = 0;

    emit screen.boxWidthsChosen(in.Box1Width, in.Box2Width);

    // Marker mode is decided afresh for every show, so a board played after
    // one with markers still gets its slideshow.
    show.MarkerMode = markerModeFor(texts, show.Box1On);

    applyShowLayout(layout, in, show);
    show.Box1LineCount = static_cast<std::int32_t>(texts.Text1Lines.size());
    show.Box2LineCount = static_cast<std::int32_t>(texts.Text2Lines.size());
    show.ShowRunning = true;

    if (show.Box1On) {
        show.Box1LineHeight =
            prepareLineBitmap(ctx.surface.Image1, board.Text1FontName, board.Text1FontSize,
                              board.Text1Color, board.Text1BackColor, in.Box1Width);
    }
    placeFrame(screen.Bevel3, layout.Bevel3, ratio);
    if (show.Box2On) {
        show.Box2LineHeight =
            prepareLineBitmap(ctx.surface.Image2, board.Text2FontName, board.Text2FontSize,
                              board.Text2Color, board.Text2BackColor, in.Box2Width);
    }
    placeFrame(screen.Bevel4, layout.Bevel4, ratio);
    if (show.CrawlOn) {
        renderCrawlBitmap(ctx.surface.Image3, texts.CrawlLine, board.CrawlFontName,
                          board.CrawlFontSize, board.CrawlColor, board.CrawlBackColor);
    }

    qCDebug(lcShow) << "show starts on" << (target.screen ? target.screen->name() : QString()) << sw
                    << "x" << sh << "box 1" << show.Box1On << "box 2" << show.Box2On << "crawl"
                    << show.CrawlOn << "slides" << show.ImageCount << "markers" << show.MarkerMode;
    // Hand-over: the editor leaves, the play screen covers the whole screen.
    emit screen.showStarting();
    ctx.surface.resize(sw, sh);
    screen.setVisible(true);
    ctx.surface.EraseAllowed = true;
    screen.setGeometry(screen.windowGeometryFor(QSize(sw, sh)));
    ctx.surface.requestErase();
    screen.showFullScreen();
    screen.setupplayscreen();
    QApplication::processEvents();
    ctx.surface.EraseAllowed = false;
    screen.takeKeyboard();
    screen.holdScreenOn();

    // The engines, in this order; their first steps run once the main thread
    // next processes events.
    if (show.Box1On) {
        Box1ThreadHandle.start(std::make_unique<TScrollBox1>(ctx));
    }
    if (show.Box2On) {
        Box2ThreadHandle.start(std::make_unique<TScrollBox2>(ctx));
    }
    if (show.CrawlOn) {
        CrawlThreadHandle.start(std::make_unique<TCrawler>(ctx));
    }
    // With markers, pictures come only with the lines of text box 1.
    if (!show.ImageEntries.isEmpty() && !show.MarkerMode) {
        MovieThreadHandle.start(std::make_unique<TMovieBox>(ctx));
    }
}
