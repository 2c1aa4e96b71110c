#pragma once

// Text that acts as a web link: clicking it emits linkActivated with its address, which the
// program opens through its desktop interface.

#include "skin/ui/linebutton.h"

namespace kf {

class CURLStatic : public CLineButton
{
    Q_OBJECT
public:
    CURLStatic(const CControlAspect* look, const QString& text, const QString& url,
               QWidget* parent = nullptr);
    const QString& Url() const { return m_url; }
    void SetUrl(const QString& url);

signals:
    void linkActivated(const QString& url);

private:
    QString m_url;
};

} // namespace kf
