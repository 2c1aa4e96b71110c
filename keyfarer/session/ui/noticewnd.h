#pragma once

// CNoticeWnd: the notice panel that takes the place of the text view before a phase or a
// test starts. It shows a title, a description and a footer that says which key goes on.

#include <QString>
#include <QWidget>

namespace kf {

class CTypingAspect;

class CNoticeWnd : public QWidget
{
    Q_OBJECT
public:
    explicit CNoticeWnd(const CTypingAspect* look, QWidget* parent = nullptr);

    void SetTexts(const QString& title, const QString& description, const QString& footer);
    const QString& Title() const { return m_title; }
    const QString& Description() const { return m_description; }
    const QString& Footer() const { return m_footer; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const CTypingAspect* m_look;
    QString m_title;
    QString m_description;
    QString m_footer;
};

} // namespace kf
