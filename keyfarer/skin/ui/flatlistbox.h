#pragma once

// The skinned list box: a flat field with rows of the dialog font, the look's selection bar
// under the chosen row and the skinned scroll bar.

#include "skin/controlaspect.h"

#include <QListWidget>

namespace kf {

class CFlatListbox : public QListWidget
{
    Q_OBJECT
public:
    explicit CFlatListbox(const CControlAspect* look, QWidget* parent = nullptr);

protected:
    bool event(QEvent* event) override;

private:
    const CControlAspect* m_look;
};

} // namespace kf
