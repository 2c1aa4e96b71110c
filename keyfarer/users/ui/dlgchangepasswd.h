#pragma once

// CDlgChangePasswd: changes the password stored in the current user record. Three masked
// fields of at most 15 characters: the current password (left out, the other rows moving up,
// when it is not asked), the new one and its repetition. OK with two different new passwords
// shows "IDS_ERR_PASSNOTMATCH" and puts the focus on the new password; otherwise the new
// password is written into the profile (with the current password asked, the data supplier
// is told first, error key "IDS_ERR_CHANGEPASSWD") and the dialog closes. Showing
// "IDS_MES_CHANGEPASSWDOK" and saving the profile are the caller's.

#include "skin/ui/ownerdrawdialog.h"

namespace kf {

class CAniButton;
class CFlatEdit;
class LoginHost;

class CDlgChangePasswd : public COwnerDrawDialog
{
    Q_OBJECT
public:
    static constexpr int kMaxPasswordLength = 15;

    CDlgChangePasswd(LoginHost& host, bool askOldPassword, QWidget* parent = nullptr);

    CFlatEdit* OldPasswordEdit() const { return m_old; }
    CFlatEdit* NewPasswordEdit() const { return m_new; }
    CFlatEdit* ConfirmEdit() const { return m_confirm; }
    CAniButton* OkButton() const { return m_ok; }
    CAniButton* CancelButton() const { return m_cancel; }

public slots:
    void accept() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    LoginHost& m_host;
    bool m_askOld;
    CFlatEdit* m_old;
    CFlatEdit* m_new;
    CFlatEdit* m_confirm;
    CAniButton* m_ok;
    CAniButton* m_cancel;
};

} // namespace kf
