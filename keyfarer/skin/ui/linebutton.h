#pragma once

// A button drawn as a line of link-coloured text, underlined while the mouse is over it:
// for the quieter commands of a dialog ("Options...", "Show all").

#include "skin/controlaspect.h"

#include <QAbstractButton>

namespace kf {

class CLineButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit CLineButton(const CControlAspect* look, const QString& text = {}, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

    const CControlAspect* m_look;
    bool m_hot = false;
};

// Text that acts as a web link: clicking it emits linkActivated with its address, which the
// program opens through its desktop interface.
class CURLStatic : public CLineButton
{
    Q_OBJECT
public:
    CURLStatic(const CControlAspect* look, const QString& text, const QString& url, QWidget* parent = nullptr);
    const QString& Url() const { return m_url; }
    void SetUrl(const QString& url);

signals:
    void linkActivated(const QString& url);

private:
    QString m_url;
};

} // namespace kf
