// Dialogs from resource templates: modal (DoModal runs the framework's own
// modal loop) or modeless (Create).
//
// The modal loop offers each message to PreTranslateMessage first (the target
// window's object, then its parents'), and a dialog's PreTranslateMessage runs
// the dialog manager's keyboard handling for it. The loop ends when EndDialog
// is called, or when the dialog's window has gone some other way (destroyed,
// or handed over with CloseDetached). A quit message ends it too: the loop
// posts the quit message again for the loop outside it, records its code as
// the application's exit code, and DoModal returns -1, so nested modal loops
// unwind one after the other.
#pragma once

#include "CDialogTemplate.h"
#include "CWnd.h"

#include <memory>
#include <vector>

class CDialog : public CWnd {
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Owner: the parent given to the constructor (its top-level window), else
    // the main window - unless the main-window pointer designates this very
    // dialog, which is then unowned. The owner is disabled while the loop runs.
    virtual INT_PTR DoModal();
    // The last DoModal could not create its window (no template, or
    // initialisation failed) and ran no loop.
    bool ModalCreationFailed() const { return m_bModalCreationFailed; }
    virtual BOOL Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    void EndDialog(int nResult);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Sends the template's stored control data (resource 240) to the controls.
    BOOL ExecuteDlgInit(LPCWSTR lpszResourceName);

protected:
    LPCWSTR m_lpszTemplateName = nullptr;
    UINT m_nIDHelp = 0;
    CWnd* m_pParentWnd = nullptr;

    // The template's ActiveX items, lifted out before the system creates the
    // dialog; the control container creates them during WM_INITDIALOG.
    std::vector<DialogTemplateItem> m_activeXItems;

    // Creates the ActiveX items (the control container does this once
    // control hosting is enabled); false stops the dialog's creation.
    virtual BOOL CreateControlContainerItems();

    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateFromTemplate(HWND owner);
    HWND FindModalOwner() const;
    int RunModalLoop();

    std::vector<BYTE> m_template;
    bool m_inModalLoop = false;
    bool m_continueModal = false;
    bool m_bModalCreationFailed = false;
    // For each item of the template in order: whether it is an ActiveX item.
    std::vector<bool> m_itemIsActiveX;
    int m_nModalResult = -1;
};

// The dialogs' procedure: the framework subclasses every dialog, so this only
// sees what default processing hands on, and leaves all of it to the system.
INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM);
