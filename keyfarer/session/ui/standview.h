#pragma once

// CStandView: the standard typing view, the text area of the typing desk. It shows the
// engine's sample page by page, each typed character in the colour of its state (correct,
// wrong, still to type), the caret at the next character, and turns to the next page with an
// animation when the user reaches the end of a page. All rules (lines, pages, what a page
// shows, where the caret stands, the options per mode) are CStandViewLayout's and
// ResolveStandViewSettings'; this widget measures its font for them, draws what they list
// into a page picture and turns pages.
//
// The desk's round:
//   view.ApplyOptions(options, context);           // entering a mode
//   view.SetText(sample + pageStart, length, typed + pageStart, length);
//   ...each keystroke, after the engine judged it:
//   view.SetCaretPosition(newPosition - pageStart); // turns the page at its end
// Keystrokes typed while a page turns must not be judged against a page not yet shown: route
// every keystroke through SubmitKeystroke, which hands it to the sink at once or, while a
// page turns, holds it and hands the held ones back in order when the turn is over.
//
// The view never changes the buffers it is given and never takes the keyboard focus.

#include "session/standviewlayout.h"
#include "session/standviewoptions.h"
#include "session/standviewpageturn.h"

#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QRawFont>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QTimer;

namespace kf {

class CTypingAspect;

class CStandView : public QWidget
{
    Q_OBJECT
public:
    explicit CStandView(const CTypingAspect* look = nullptr, QWidget* parent = nullptr);
    ~CStandView() override;

    // The look gives the pointer caret's picture; may be null.
    void SetLook(const CTypingAspect* look);

    // --- Text and caret ---------------------------------------------------------------------

    // Shows sampleLength characters of sample; typed[i] is what was typed for sample[i] (0 =
    // not yet; typed may be null). The buffers stay the caller's and must live while shown.
    // Page and caret go back to the start. A null sample clears the view.
    void SetText(const char16_t* sample, uint32_t sampleLength, const char16_t* typed,
                 uint32_t typedLength);
    void ClearText() { SetText(nullptr, 0, nullptr, 0); }
    // Free typing: the shown buffer grew (or shrank) to n characters; lines are laid out again
    // from the current page.
    void SetSampleLength(uint32_t n);
    // The next character to type (an offset into the text given). On another page the view
    // turns to that page; otherwise it redraws what changed.
    void SetCaretPosition(uint32_t offset);
    uint32_t CaretPosition() const { return m_caret; }
    // Redraws the page after the typed buffer changed without a caret move.
    void Refresh();

    // --- Pages ------------------------------------------------------------------------------

    // Turns to the page (clamped to the last); the caret goes to its start. Animated when the
    // page-turn animation is on and the view is shown.
    void TurnToPage(uint32_t page);
    uint32_t PageOf(uint32_t offset) const { return m_layout.PageOf(offset); }
    uint32_t CurrentPage() const { return m_page; }
    uint32_t PageCount() const { return m_layout.PageCount(); }
    uint32_t PageStart(uint32_t page) const { return m_layout.PageStart(page); }
    // Lays the lines out again from that page (the whole text for -1).
    void RelayoutFrom(int page);

    // --- Options ----------------------------------------------------------------------------

    // The user's options for an exercise (see ResolveStandViewSettings). A context without a
    // client width takes the view's; a later resize works the margins out again.
    void ApplyOptions(const StandViewOptions& options, const StandViewContext& context);
    void ApplySettings(const StandViewSettings& settings);
    void SetColours(StandColor normal, StandColor correct, StandColor error, StandColor back);
    void SetTextFont(const StandFont& font);
    void SetSpacing(int charSpacing, int rowSpacing);
    // A picture tiled behind the text (null: the background colour).
    void SetBackground(const QPixmap& picture);
    void SetCaretStyle(CaretStyle style);
    void SetLabels(std::u16string_view spaceLabel, std::u16string_view tabLabel);
    void SetMargins(int left, int top, int right, int bottom);
    void SetOverlay(bool on);
    void SetTypedPartOnly(bool on);
    void SetLessonText(bool on);
    void SetCentre(bool on);
    void SetCaretAtEnd(bool on);
    const StandViewSettings& Settings() const { return m_settings; }

    // --- Page turn and keystrokes -------------------------------------------------------------

    void SetPageTurnAnimation(bool on) { m_animate = on; }
    bool PageTurnAnimation() const { return m_animate; }
    // From TurnToPage until pageTurnFinished.
    bool IsTurningPage() const { return !m_oldPage.isNull(); }
    // Ends a running turn at once (held keystrokes are handed on).
    void FinishPageTurn();
    // Forces one effect instead of a random one (nullopt: random again).
    void SetPageTurnEffect(std::optional<PageTurnEffect> effect) { m_forcedEffect = effect; }
    PageTurnEffect LastPageTurnEffect() const { return m_turn.Effect(); }

    using KeystrokeSink = std::function<void(const TypedKeystroke&)>;
    void SetKeystrokeSink(KeystrokeSink sink);
    // Judges the keystroke now, or after the running page turn (and those it leads to).
    void SubmitKeystroke(const TypedKeystroke& key);
    size_t WaitingKeystrokes() const { return m_queue.Waiting(); }
    void ClearWaitingKeystrokes() { m_queue.Clear(); }

    // --- Timers -------------------------------------------------------------------------------

    // Pauses the caret's animation (the exercise is paused or the program inactive).
    void Pause(bool paused);
    // Stops every timer, forgets held keystrokes and ends a running turn without
    // pageTurnFinished (the exercise ended; a clock paused for the turn stays paused).
    void Stop();

    const CStandViewLayout& Layout() const { return m_layout; }
    // Where the caret is drawn, in widget coordinates (empty when hidden).
    QRect CaretRect() const;
    QFont TextFont() const { return m_font; }

    QSize sizeHint() const override { return QSize(476, 238); }

signals:
    void pageTurnStarted();
    void pageTurnFinished();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    class Metrics;
    class GlyphCache;
    // Brings the layout to the widget's size (a hidden widget gets its resize event only
    // when shown); true when the size changed.
    bool SyncSize();
    void Remeasure();
    void Relayout();
    void EnsureBuffer();
    void RenderPage(QImage& target, uint32_t page);
    void RenderLines(int firstLine, int lastLine);
    void PaintItems(class QPainter& p, const std::vector<StandDrawItem>& items);
    void PaintCaret(class QPainter& p);
    void OnTurnTick();
    void OnCaretTick();
    void RestartCaretTimer();
    QColor StateColor(StandCharState state) const;
    StandCaret CurrentCaret() const;

    const CTypingAspect* m_look = nullptr;
    CStandViewLayout m_layout;
    std::unique_ptr<Metrics> m_metrics;
    std::unique_ptr<GlyphCache> m_glyphs;
    std::u16string m_fontOverride; // the context's override, kept while the context points at it
    StandViewSettings m_settings;
    std::optional<StandViewOptions> m_options;
    StandViewContext m_context;
    bool m_contextHasWidth = false;
    QFont m_font;
    QFont m_labelFont;
    QRawFont m_rawFont;
    int m_ascent = 0;
    QPixmap m_background;

    uint32_t m_page = 0;
    uint32_t m_caret = 0;
    QImage m_buffer;
    bool m_bufferValid = false;

    bool m_animate = true;
    CStandPageTurn m_turn;
    QImage m_oldPage;
    std::optional<PageTurnEffect> m_forcedEffect;
    QTimer* m_turnTimer = nullptr;
    CStandKeystrokeQueue m_queue;

    QTimer* m_caretTimer = nullptr;
    int m_caretFrame = 0;
    bool m_caretOn = true;
    bool m_paused = false;
};

} // namespace kf
