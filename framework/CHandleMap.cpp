#include "CHandleMap.h"

#include "CWnd.h"

#include <map>
#include <memory>

namespace {

std::map<HWND, CWnd*>& Permanent()
{
    static std::map<HWND, CWnd*> map;
    return map;
}

std::map<HWND, std::unique_ptr<CWnd>>& Temporary()
{
    static std::map<HWND, std::unique_ptr<CWnd>> map;
    return map;
}

std::map<HWND, CWnd*>& Retired()
{
    static std::map<HWND, CWnd*> map;
    return map;
}

// Temporaries are cheap but must not pile up: drop the ones whose windows
// have gone whenever the map has grown.
const size_t kSweepAt = 32;

}  // namespace

CWnd* CHandleMap::LookupPermanent(HWND hwnd)
{
    auto& map = Permanent();
    auto it = map.find(hwnd);
    return it == map.end() ? nullptr : it->second;
}

void CHandleMap::SetPermanent(HWND hwnd, CWnd* wnd)
{
    Permanent()[hwnd] = wnd;
    // A handle can be reused by a new window; a stale temporary must not
    // shadow the new permanent object.
    Temporary().erase(hwnd);
}

void CHandleMap::RemovePermanent(HWND hwnd)
{
    Permanent().erase(hwnd);
}

size_t CHandleMap::PermanentCount()
{
    return Permanent().size();
}

CWnd* CHandleMap::LookupTemporary(HWND hwnd)
{
    auto& temps = Temporary();
    auto it = temps.find(hwnd);
    if (it != temps.end())
        return it->second.get();
    if (temps.size() >= kSweepAt) {
        for (auto t = temps.begin(); t != temps.end();) {
            if (!IsWindow(t->first)) {
                t->second->m_hWnd = nullptr;
                t = temps.erase(t);
            } else {
                ++t;
            }
        }
    }
    auto wnd = std::make_unique<CWnd>();
    wnd->m_hWnd = hwnd;
    CWnd* raw = wnd.get();
    temps.emplace(hwnd, std::move(wnd));
    return raw;
}

void CHandleMap::DeleteTemporaries()
{
    for (auto& t : Temporary())
        t.second->m_hWnd = nullptr;
    Temporary().clear();
}

void CHandleMap::SetRetired(HWND hwnd, CWnd* wnd)
{
    Retired()[hwnd] = wnd;
}

CWnd* CHandleMap::TakeRetired(HWND hwnd)
{
    auto& map = Retired();
    auto it = map.find(hwnd);
    if (it == map.end())
        return nullptr;
    CWnd* wnd = it->second;
    map.erase(it);
    return wnd;
}

void CHandleMap::ForgetRetired(CWnd* wnd)
{
    auto& map = Retired();
    for (auto it = map.begin(); it != map.end();)
        it = it->second == wnd ? map.erase(it) : std::next(it);
}
