#include "CDialog.h"

#include "AppState.h"
#include "CDataExchange.h"
#include "CDialogInitData.h"
#include "COleControlContainer.h"
#include "COleControlSite.h"
#include "CWinApp.h"
#include "FrameworkClasses.h"

#include <cstring>

namespace {

// Style and position of a template, classic or extended.
struct TemplateHeader {
    DWORD style = 0;
    short x = 0, y = 0;
};

bool ReadHeader(const std::vector<BYTE>& t, TemplateHeader& h)
{
    if (CDialogTemplate::IsExtended(t.data(), t.size())) {
        if (t.size() < 26) return false;
        std::memcpy(&h.style, t.data() + 12, 4);
        std::memcpy(&h.x, t.data() + 18, 2);
        std::memcpy(&h.y, t.data() + 20, 2);
        return true;
    }
    if (t.size() < 18) return false;
    std::memcpy(&h.style, t.data(), 4);
    std::memcpy(&h.x, t.data() + 10, 2);
    std::memcpy(&h.y, t.data() + 12, 2);
    return true;
}

}  // namespace

INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate)), m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog() = default;

BOOL CDialog::CreateFromTemplate(HWND owner)
{
    AfxRegisterFrameworkClasses();
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC found = FindResourceW(module, m_lpszTemplateName, RT_DIALOG);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const BYTE* bytes = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    if (!bytes)
        return FALSE;
    m_template.assign(bytes, bytes + SizeofResource(module, found));

    // The dialog manager cannot create an item whose class is a CLSID: lift
    // such items out and leave them to the control container.
    m_activeXItems.clear();
    m_itemIsActiveX.clear();
    std::wstring dialogClass = L"#32770";
    CDialogTemplate parsed;
    if (parsed.Parse(m_template.data(), m_template.size())) {
        std::vector<DialogTemplateItem> kept;
        for (DialogTemplateItem& item : parsed.items) {
            m_itemIsActiveX.push_back(item.IsActiveX());
            (item.IsActiveX() ? m_activeXItems : kept).push_back(item);
        }
        if (!m_activeXItems.empty()) {
            parsed.items = std::move(kept);
            m_template = parsed.Build();
        }
        if (!parsed.windowClass.isOrdinal && !parsed.windowClass.text.empty())
            dialogClass = parsed.windowClass.text;
    }

    HWND hwnd;
    {
        CreationScope bind(this, dialogClass.c_str());
        hwnd = CreateDialogIndirectParamW(AfxGetInstanceHandle(),
                                          reinterpret_cast<LPCDLGTEMPLATEW>(m_template.data()), owner,
                                          AfxDlgProc, 0);
    }
    if (!hwnd && m_hWnd)
        Detach();
    return hwnd != nullptr;
}

HWND CDialog::FindModalOwner() const
{
    HWND owner = nullptr;
    if (m_pParentWnd) {
        owner = m_pParentWnd->m_hWnd;
    } else if (CWnd* main = AfxGetMainWnd()) {
        // A dialog that is itself the main window has no owner.
        if (main != this)
            owner = main->m_hWnd;
    }
    return owner ? GetAncestor(owner, GA_ROOT) : nullptr;
}

INT_PTR CDialog::DoModal()
{
    if (m_hWnd)
        return -1;
    HWND owner = FindModalOwner();
    bool disabledOwner = false;
    if (owner && IsWindowEnabled(owner)) {
        ::EnableWindow(owner, FALSE);
        disabledOwner = true;
    }

    m_nModalResult = -1;
    m_continueModal = true;
    m_inModalLoop = true;
    m_bModalCreationFailed = false;
    if (!CreateFromTemplate(owner) || !m_hWnd)
        m_bModalCreationFailed = true;
    else if (m_continueModal)
        RunModalLoop();
    m_inModalLoop = false;

    // The owner is enabled before this dialog goes, so that it, not some
    // other program, becomes active.
    if (disabledOwner)
        ::EnableWindow(owner, TRUE);
    if (owner && m_hWnd && GetActiveWindow() == m_hWnd)
        SetActiveWindow(owner);
    if (m_hWnd)
        DestroyWindow();
    return m_nModalResult;
}

int CDialog::RunModalLoop()
{
    // As the dialog manager does for DialogBox: a dialog that initialisation
    // left hidden is shown once its queue first runs dry. One that was shown
    // already is never shown again by the loop: a window the program hid
    // later (a game hidden to the notification area) stays hidden.
    bool showWhenIdle = m_hWnd && !IsWindowVisible();
    MSG msg;
    // A window that went without EndDialog (destroyed, or handed over) ends
    // the loop too: nothing would ever end it otherwise.
    while (m_continueModal && m_hWnd) {
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (showWhenIdle && m_hWnd && !IsWindowVisible()) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
            }
            showWhenIdle = false;
            WaitMessage();
            continue;
        }
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // Hand the quit on to the loop outside this one.
            PostQuitMessage(static_cast<int>(msg.wParam));
            if (CWinApp* app = AfxGetApp())
                app->m_nExitCode = static_cast<int>(msg.wParam);
            m_nModalResult = -1;
            break;
        }
        if (got == -1)
            break;
        if (!WalkPreTranslateTree(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return m_nModalResult;
}

BOOL CDialog::Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd)
{
    if (m_hWnd)
        return FALSE;
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && !m_nIDHelp)
        m_nIDHelp = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    return CreateFromTemplate(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEW(nIDTemplate), pParentWnd);
}

void CDialog::EndDialog(int nResult)
{
    if (!m_hWnd)
        return;
    if (m_inModalLoop) {
        m_nModalResult = nResult;
        m_continueModal = false;
    }
    // Hides the dialog and wakes the loop.
    ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CUserException&) {
        return FALSE;
    }
    return TRUE;
}

BOOL CDialog::CreateControlContainerItems()
{
    if (m_activeXItems.empty())
        return TRUE;
    COleControlContainer* container = GetControlContainer();
    if (!container) {
        OutputDebugStringA("Selvane: ActiveX items in a dialog without control hosting are left out\n");
        return TRUE;
    }
    // The dialog manager made the other items, in template order; the
    // controls go between them where the template has them, so that the tab
    // order is the template's.
    std::vector<HWND> order;
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        order.push_back(child);
    std::vector<HWND> created;

    CDialogInitData init;
    init.Load(AfxGetResourceHandle(), m_lpszTemplateName);
    for (const DialogTemplateItem& item : m_activeXItems) {
        CLSID clsid;
        if (!item.GetClsid(clsid))
            continue;
        RECT rect = {item.x, item.y, item.x + item.cx, item.y + item.cy};
        MapDialogRect(m_hWnd, &rect);
        const DialogInitEntry* state = init.Find(static_cast<WORD>(item.id), WM_OCC_LOADFROMSTREAM);
        COleControlSite* site = container->CreateControl(clsid, rect, item.id, item.style,
                                                         state ? state->data.data() : nullptr,
                                                         state ? state->data.size() : 0);
        if (!site)
            OutputDebugStringA("Selvane: an ActiveX control of the template could not be created\n");
        created.push_back(site ? site->m_hWnd : nullptr);
    }

    HWND previous = HWND_TOP;
    size_t kept = 0, control = 0;
    for (bool activeX : m_itemIsActiveX) {
        HWND hwnd = activeX ? (control < created.size() ? created[control++] : nullptr)
                            : (kept < order.size() ? order[kept++] : nullptr);
        if (!hwnd)
            continue;
        ::SetWindowPos(hwnd, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        previous = hwnd;
    }
    return TRUE;
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    RECT before;
    GetWindowRect(&before);

    CreateControlContainerItems();
    BOOL result = OnInitDialog();

    // Centre an unowned dialog that initialisation neither showed nor moved,
    // unless its template places it (a position, or one of the centring and
    // absolute-position styles).
    TemplateHeader header;
    if (m_hWnd && ReadHeader(m_template, header)) {
        RECT after;
        GetWindowRect(&after);
        bool templatePlaces = header.x != 0 || header.y != 0 ||
                              (header.style & (DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN)) != 0;
        if (!::GetWindow(m_hWnd, GW_OWNER) && !(GetStyle() & WS_CHILD) && !IsWindowVisible() &&
            EqualRect(&before, &after) && !templatePlaces)
            CenterWindow();
    }
    return result;
}

BOOL CDialog::OnInitDialog()
{
    ExecuteDlgInit(m_lpszTemplateName);
    UpdateData(FALSE);
    return TRUE;
}

BOOL CDialog::ExecuteDlgInit(LPCWSTR lpszResourceName)
{
    CDialogInitData init;
    if (!init.Load(AfxGetResourceHandle(), lpszResourceName))
        return TRUE;   // a template without control data
    for (const DialogInitEntry& e : init.entries) {
        // ActiveX state was used when the control container created them.
        if (e.message == WM_OCC_LOADFROMSTREAM)
            continue;
        SendDlgItemMessageW(m_hWnd, e.controlId, e.message, e.data.size(),
                            reinterpret_cast<LPARAM>(e.data.data()));
    }
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    // A control with the keyboard sees its keys first (Tab and the
    // clipboard keys inside a page), then the dialog manager.
    if (m_pCtrlCont && m_pCtrlCont->PreTranslateMessage(pMsg))
        return TRUE;
    // The dialog manager's keyboard handling: Tab, arrows, mnemonics, and
    // Enter and Esc as the OK and cancel commands.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hWnd)
        return ::IsDialogMessageW(m_hWnd, pMsg);
    return FALSE;
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()
