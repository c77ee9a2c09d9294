#include "CDialogTemplate.h"

#include <cstring>

namespace {

class Reader {
public:
    Reader(const BYTE* data, size_t size) : m_data(data), m_size(size) {}
    bool ok() const { return m_ok; }
    size_t pos() const { return m_pos; }

    template <typename T>
    T Get()
    {
        T value{};
        if (m_pos + sizeof(T) > m_size) { m_ok = false; return value; }
        std::memcpy(&value, m_data + m_pos, sizeof(T));
        m_pos += sizeof(T);
        return value;
    }
    std::wstring String()
    {
        std::wstring s;
        for (;;) {
            wchar_t c = Get<wchar_t>();
            if (!m_ok || c == 0) return s;
            s += c;
        }
    }
    TemplateName Name()
    {
        if (m_pos + 2 > m_size) { m_ok = false; return {}; }
        WORD first;
        std::memcpy(&first, m_data + m_pos, 2);
        if (first == 0xFFFF) {
            m_pos += 2;
            return TemplateName::Ordinal(Get<WORD>());
        }
        return TemplateName::Text(String());
    }
    void Bytes(std::vector<BYTE>& out, size_t n)
    {
        if (m_pos + n > m_size) { m_ok = false; return; }
        out.assign(m_data + m_pos, m_data + m_pos + n);
        m_pos += n;
    }
    void AlignDword() { m_pos = (m_pos + 3) & ~size_t(3); }

private:
    const BYTE* m_data;
    size_t m_size;
    size_t m_pos = 0;
    bool m_ok = true;
};

class Writer {
public:
    template <typename T>
    void Put(T value)
    {
        const BYTE* p = reinterpret_cast<const BYTE*>(&value);
        m_out.insert(m_out.end(), p, p + sizeof(T));
    }
    void String(const std::wstring& s)
    {
        for (wchar_t c : s) Put<wchar_t>(c);
        Put<wchar_t>(0);
    }
    void Name(const TemplateName& n)
    {
        if (n.isOrdinal) { Put<WORD>(0xFFFF); Put<WORD>(n.ordinal); }
        else String(n.text);
    }
    void AlignDword() { while (m_out.size() % 4) m_out.push_back(0); }
    std::vector<BYTE>& out() { return m_out; }

private:
    std::vector<BYTE> m_out;
};

bool HasFont(DWORD style)
{
    return (style & DS_SETFONT) != 0;
}

}  // namespace

bool DialogTemplateItem::IsActiveX() const
{
    return !windowClass.isOrdinal && windowClass.text.size() > 2 &&
           windowClass.text.front() == L'{' && windowClass.text.back() == L'}';
}

bool DialogTemplateItem::GetClsid(CLSID& clsid) const
{
    if (!IsActiveX()) return false;
    std::wstring text = windowClass.text;
    return SUCCEEDED(CLSIDFromString(&text[0], &clsid));
}

bool CDialogTemplate::IsExtended(const void* data, size_t size)
{
    if (!data || size < 4) return false;
    const WORD* w = static_cast<const WORD*>(data);
    return w[0] == 1 && w[1] == 0xFFFF;
}

bool CDialogTemplate::Parse(const void* data, size_t size)
{
    if (!IsExtended(data, size)) return false;
    Reader r(static_cast<const BYTE*>(data), size);
    version = r.Get<WORD>();
    r.Get<WORD>();                    // signature
    helpId = r.Get<DWORD>();
    exStyle = r.Get<DWORD>();
    style = r.Get<DWORD>();
    WORD count = r.Get<WORD>();
    x = r.Get<short>(); y = r.Get<short>(); cx = r.Get<short>(); cy = r.Get<short>();
    menu = r.Name();
    windowClass = r.Name();
    title = r.String();
    hasFont = HasFont(style);
    if (hasFont) {
        pointSize = r.Get<WORD>();
        weight = r.Get<WORD>();
        italic = r.Get<BYTE>();
        charset = r.Get<BYTE>();
        typeface = r.String();
    }
    items.clear();
    for (WORD i = 0; i < count && r.ok(); ++i) {
        r.AlignDword();
        DialogTemplateItem item;
        item.helpId = r.Get<DWORD>();
        item.exStyle = r.Get<DWORD>();
        item.style = r.Get<DWORD>();
        item.x = r.Get<short>(); item.y = r.Get<short>(); item.cx = r.Get<short>(); item.cy = r.Get<short>();
        item.id = r.Get<DWORD>();
        item.windowClass = r.Name();
        item.title = r.Name();
        WORD extra = r.Get<WORD>();
        r.Bytes(item.creationData, extra);
        items.push_back(std::move(item));
    }
    return r.ok();
}

std::vector<BYTE> CDialogTemplate::Build() const
{
    Writer w;
    w.Put<WORD>(version);
    w.Put<WORD>(0xFFFF);
    w.Put<DWORD>(helpId);
    w.Put<DWORD>(exStyle);
    w.Put<DWORD>(style);
    w.Put<WORD>(static_cast<WORD>(items.size()));
    w.Put<short>(x); w.Put<short>(y); w.Put<short>(cx); w.Put<short>(cy);
    w.Name(menu);
    w.Name(windowClass);
    w.String(title);
    if (HasFont(style)) {
        w.Put<WORD>(pointSize);
        w.Put<WORD>(weight);
        w.Put<BYTE>(italic);
        w.Put<BYTE>(charset);
        w.String(typeface);
    }
    for (const DialogTemplateItem& item : items) {
        w.AlignDword();
        w.Put<DWORD>(item.helpId);
        w.Put<DWORD>(item.exStyle);
        w.Put<DWORD>(item.style);
        w.Put<short>(item.x); w.Put<short>(item.y); w.Put<short>(item.cx); w.Put<short>(item.cy);
        w.Put<DWORD>(item.id);
        w.Name(item.windowClass);
        w.Name(item.title);
        w.Put<WORD>(static_cast<WORD>(item.creationData.size()));
        w.out().insert(w.out().end(), item.creationData.begin(), item.creationData.end());
    }
    w.AlignDword();
    return w.out();
}
