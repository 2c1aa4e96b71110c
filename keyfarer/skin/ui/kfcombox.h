#pragma once

// The skinned combo box: a flat field with the look's drop-down arrow, and a pop-up list
// drawn like the skinned list box. Editable combo boxes (the login's account name) keep their
// edit field inside the same frame.

#include "skin/controlaspect.h"

#include <QComboBox>

namespace kf {

class CKFCombox : public QComboBox
{
    Q_OBJECT
public:
    explicit CKFCombox(const CControlAspect* look, QWidget* parent = nullptr);
    QSize sizeHint() const override;
    void showPopup() override;

signals:
    // The list opened (the program may play its menu sound).
    void popupShown();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    const CControlAspect* m_look;
    bool m_hot = false;
};

} // namespace kf
