#pragma once

// CMainFrame: the program's top-level window. It holds the typing desk (800 × 572), centred
// on a tiled background, and carries the command set through the desk's tool icons.

#include <QWidget>

namespace kf {

class CMainFrame : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kDeskWidth = 800;
    static constexpr int kDeskHeight = 572;

    explicit CMainFrame(QWidget* parent = nullptr);

    // Hides any notice shown for a busy phase.
    void ClearNotice();

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace kf
