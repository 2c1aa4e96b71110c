#pragma once

// CDlgKeyDelayChart: the bar chart of the key-delay page. It draws the current page of a
// KeyDelayPage into an off-screen picture the size of the widget and copies it to the
// screen: two rows of up to twelve bars, the bands "slow", "pass" and "good" marked by dotted
// lines and named in the left margin, each bar's character in the label line under it (tab
// and space shown by the user's "Tab_String" and "Space_String" in a small red frame, a line
// break by a return arrow).

#include "users/keydelaypage.h"
#include "skin/controlaspect.h"

#include <QImage>
#include <QWidget>

#include <string>

namespace kf {

class CDlgKeyDelayChart : public QWidget
{
    Q_OBJECT
public:
    explicit CDlgKeyDelayChart(const CControlAspect* look, QWidget* parent = nullptr);

    // The page to show (not owned; it must outlive the chart) and the texts it needs.
    void SetPage(const KeyDelayPage* page);
    void SetBandLabels(const QString& bad, const QString& pass, const QString& good);
    void SetViewStrings(std::u16string_view tab, std::u16string_view space);

    // The chart as it is drawn now (tests and screenshots look at it).
    QImage Render() const;

    static constexpr QRgb kBarColor = 0xFF800000;  // RGB 128, 0, 0
    static constexpr QRgb kMarkColor = 0xFFFF0000; // the framed tab and space labels
    static constexpr QRgb kBandLineColor = 0xFFC0C0C0;

    QSize sizeHint() const override { return {560, 300}; }
    QSize minimumSizeHint() const override { return {300, 160}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Draw(QPainter& p, const QSize& size) const;
    void DrawLabel(QPainter& p, const KeyDelayBar& bar) const;

    const CControlAspect* m_look;
    const KeyDelayPage* m_page = nullptr;
    QString m_bad, m_pass, m_good;
    QString m_tab = QStringLiteral("Tab");
    QString m_space = QStringLiteral("Space");
};

} // namespace kf
