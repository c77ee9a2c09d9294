// The site an HTML dialog gives its controls: a control site that also
// answers the browser's request for IDocHostUIHandler and forwards it to
// the dialog (host flags, context menu, window.external).
#pragma once

#include "COleControlSite.h"

#include <mshtmhst.h>

class CDHtmlDialog;

class CDHtmlControlSite : public COleControlSite {
public:
    CDHtmlControlSite(COleControlContainer* container, UINT id, CDHtmlDialog* dialog);
    // Also forgets the dialog: the browser may still hold the site.
    void Close() override;

protected:
    ~CDHtmlControlSite() override;
    HRESULT QueryExtraInterface(REFIID riid, void** ppv) override;

private:
    struct HostUIHandler;
    HostUIHandler* m_hostUI;
    CDHtmlDialog* m_pDialog;
};
