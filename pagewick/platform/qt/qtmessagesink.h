#pragma once

#include "platform/messagesink.h"

#include <QPointer>
#include <QWidget>

namespace pw {

/// Shows the program's messages as modal message boxes over `owner`.
class QtMessageSink : public MessageSink
{
public:
    explicit QtMessageSink(QWidget* owner = nullptr) : m_owner(owner) {}
    void SetOwner(QWidget* owner) { m_owner = owner; }
    void Show(MessageIcon icon, const std::string& title, const std::string& text) override;

private:
    QPointer<QWidget> m_owner;
};

} // namespace pw
