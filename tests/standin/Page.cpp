#include "Page.h"
#include <shlwapi.h>
#include <wininet.h>
#include <algorithm>
#include <cwctype>

namespace {

bool IsOneOf(const std::wstring& tag, std::initializer_list<const wchar_t*> names) {
    for (const wchar_t* n : names)
        if (tag == n) return true;
    return false;
}

bool IsVoidTag(const std::wstring& tag) {
    return IsOneOf(tag, { L"BR", L"IMG", L"INPUT", L"META", L"LINK", L"HR", L"BASE", L"AREA", L"COL", L"WBR" });
}

bool IsBlockTag(const std::wstring& tag) {
    return IsOneOf(tag, { L"BR", L"P", L"DIV", L"LI", L"TR", L"H1", L"H2", L"H3", L"H4", L"H5", L"H6",
                          L"TABLE", L"FORM", L"HR", L"UL", L"OL", L"BODY", L"TITLE", L"CENTER" });
}

std::wstring Upper(std::wstring s) {
    for (auto& c : s) c = static_cast<wchar_t>(std::towupper(c));
    return s;
}

std::wstring Lower(std::wstring s) {
    for (auto& c : s) c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

std::wstring DecodeEntities(const std::wstring& s) {
    std::wstring out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != L'&') { out += s[i]; continue; }
        size_t semi = s.find(L';', i);
        if (semi == std::wstring::npos || semi - i > 10) { out += s[i]; continue; }
        std::wstring name = s.substr(i + 1, semi - i - 1);
        wchar_t ch = 0;
        if (name == L"amp") ch = L'&';
        else if (name == L"lt") ch = L'<';
        else if (name == L"gt") ch = L'>';
        else if (name == L"quot") ch = L'"';
        else if (name == L"apos") ch = L'\'';
        else if (name == L"nbsp") ch = L' ';
        else if (name.size() > 1 && name[0] == L'#')
            ch = static_cast<wchar_t>(name[1] == L'x' || name[1] == L'X' ? wcstol(name.c_str() + 2, nullptr, 16)
                                                                         : wcstol(name.c_str() + 1, nullptr, 10));
        if (!ch) { out += s[i]; continue; }
        out += ch;
        i = semi;
    }
    return out;
}

// Reads the attributes of a start tag: name="value", name='value', name=value, name.
void ParseAttributes(const std::wstring& s, PageNode& node) {
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (std::iswspace(s[i]) || s[i] == L'/')) ++i;
        size_t start = i;
        while (i < s.size() && !std::iswspace(s[i]) && s[i] != L'=' && s[i] != L'/') ++i;
        if (start == i) break;
        std::wstring name = Lower(s.substr(start, i - start)), value;
        while (i < s.size() && std::iswspace(s[i])) ++i;
        if (i < s.size() && s[i] == L'=') {
            ++i;
            while (i < s.size() && std::iswspace(s[i])) ++i;
            if (i < s.size() && (s[i] == L'"' || s[i] == L'\'')) {
                wchar_t quote = s[i++];
                size_t end = s.find(quote, i);
                if (end == std::wstring::npos) end = s.size();
                value = s.substr(i, end - i);
                i = end + 1;
            } else {
                start = i;
                while (i < s.size() && !std::iswspace(s[i])) ++i;
                value = s.substr(start, i - start);
            }
        }
        node.attributes.emplace_back(name, DecodeEntities(value));
    }
}

void ReadMetaRefresh(const PageNode& meta, Page& page, const std::wstring& baseUrl) {
    const std::wstring* equiv = meta.Attribute(L"http-equiv");
    const std::wstring* content = meta.Attribute(L"content");
    if (!equiv || !content || Lower(*equiv) != L"refresh") return;
    page.refreshSeconds = static_cast<int>(wcstol(content->c_str(), nullptr, 10));
    std::wstring target = baseUrl;
    size_t at = Lower(*content).find(L"url=");
    if (at != std::wstring::npos) {
        target = content->substr(at + 4);
        target.erase(std::remove(target.begin(), target.end(), L'\''), target.end());
        target.erase(std::remove(target.begin(), target.end(), L'"'), target.end());
        target = ResolveUrl(baseUrl, target);
    }
    page.refreshUrl = target;
}

std::wstring Decode(const std::string& bytes, const std::wstring& contentType) {
    if (bytes.empty()) return std::wstring();
    UINT codePage = CP_UTF8;
    std::wstring type = Lower(contentType);
    std::string head = bytes.substr(0, 1024);
    std::transform(head.begin(), head.end(), head.begin(), ::tolower);
    if (type.find(L"gb") != std::wstring::npos || head.find("charset=gb") != std::string::npos) codePage = 936;
    DWORD flags = codePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
    int n = MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (n <= 0) {
        codePage = 936;
        flags = 0;
        n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    }
    std::wstring text(n, L'\0');
    MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), &text[0], n);
    return text;
}

std::unique_ptr<Page> ErrorPage(const std::wstring& url, const std::wstring& why) {
    auto page = ParsePage(L"<title>Navigation failed</title><p>Navigation to " + url + L" failed: " + why,
                          url);
    page->url = url;
    page->bFailed = true;
    return page;
}

}  // namespace

const std::wstring* PageNode::Attribute(const std::wstring& name) const {
    for (const auto& a : attributes)
        if (a.first == name) return &a.second;
    return nullptr;
}

const PageNode* PageNode::EnclosingLink() const {
    for (const PageNode* n = this; n; n = n->parent)
        if (n->tag == L"A") return n;
    return nullptr;
}

PageNode* Page::FindFirst(const wchar_t* tag) const {
    for (const auto& n : nodes)
        if (n->tag == tag) return n.get();
    return nullptr;
}

std::wstring ResolveUrl(const std::wstring& baseUrl, const std::wstring& relative) {
    std::wstring rel = relative;
    while (!rel.empty() && std::iswspace(rel.front())) rel.erase(rel.begin());
    while (!rel.empty() && std::iswspace(rel.back())) rel.pop_back();
    wchar_t out[INTERNET_MAX_URL_LENGTH];
    DWORD n = INTERNET_MAX_URL_LENGTH;
    if (SUCCEEDED(UrlCombineW(baseUrl.c_str(), rel.c_str(), out, &n, 0))) return out;
    return rel;
}

std::unique_ptr<Page> ParsePage(const std::wstring& html, const std::wstring& baseUrl) {
    auto page = std::make_unique<Page>();
    page->url = baseUrl;
    auto add = [&](const std::wstring& tag, PageNode* parent) {
        page->nodes.push_back(std::make_unique<PageNode>());
        PageNode* n = page->nodes.back().get();
        n->tag = tag;
        n->parent = parent;
        return n;
    };
    PageNode* root = add(L"HTML", nullptr);
    std::vector<PageNode*> open = { add(L"BODY", root) };
    bool newLine = false, inTitle = false;

    size_t i = 0;
    while (i < html.size()) {
        if (html[i] == L'<') {
            if (html.compare(i, 4, L"<!--") == 0) {
                size_t end = html.find(L"-->", i + 4);
                i = end == std::wstring::npos ? html.size() : end + 3;
                continue;
            }
            size_t end = html.find(L'>', i);
            if (end == std::wstring::npos) break;
            std::wstring inside = html.substr(i + 1, end - i - 1);
            i = end + 1;
            if (inside.empty() || inside[0] == L'!' || inside[0] == L'?') continue;
            bool closing = inside[0] == L'/';
            if (closing) inside.erase(0, 1);
            size_t nameEnd = 0;
            while (nameEnd < inside.size() && !std::iswspace(inside[nameEnd]) && inside[nameEnd] != L'/') ++nameEnd;
            std::wstring tag = Upper(inside.substr(0, nameEnd));
            if (tag.empty()) continue;
            if (IsBlockTag(tag)) newLine = true;
            if (closing) {
                if (tag == L"TITLE") inTitle = false;
                for (size_t k = open.size(); k-- > 1;) {
                    if (open[k]->tag == tag) { open.resize(k); break; }
                }
                continue;
            }
            if (tag == L"HTML" || tag == L"BODY" || tag == L"HEAD") continue;
            if (tag == L"SCRIPT" || tag == L"STYLE") {
                size_t close = Upper(html.substr(i)).find(L"</" + tag);
                i = close == std::wstring::npos ? html.size() : i + close;
                continue;
            }
            PageNode* node = add(tag, open.back());
            ParseAttributes(inside.substr(nameEnd), *node);
            if (tag == L"META") ReadMetaRefresh(*node, *page, baseUrl);
            if (tag == L"TITLE") inTitle = true;
            if (!IsVoidTag(tag) && inside.back() != L'/') open.push_back(node);
            continue;
        }
        size_t next = html.find(L'<', i);
        if (next == std::wstring::npos) next = html.size();
        std::wstring raw = DecodeEntities(html.substr(i, next - i)), text;
        i = next;
        for (wchar_t c : raw) {
            if (std::iswspace(c)) {
                if (!text.empty() && text.back() != L' ') text += L' ';
            } else {
                text += c;
            }
        }
        if (inTitle) { page->title += text; continue; }
        if (text.empty() || text == L" ") continue;
        page->runs.push_back(PageRun{ text, open.back(), newLine });
        newLine = false;
    }
    return page;
}

std::unique_ptr<Page> LoadPage(const std::wstring& url) {
    if (url.compare(0, 6, L"about:") == 0) return ParsePage(std::wstring(), url);
    HINTERNET hNet = InternetOpenW(L"StandInBrowser", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    if (!hNet) return ErrorPage(url, L"no internet session");
    HINTERNET hUrl = InternetOpenUrlW(hNet, url.c_str(), nullptr, 0,
                                      INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI, 0);
    if (!hUrl) {
        InternetCloseHandle(hNet);
        return ErrorPage(url, L"cannot connect");
    }
    std::string bytes;
    char buf[8192];
    DWORD got = 0;
    while (InternetReadFile(hUrl, buf, sizeof(buf), &got) && got) bytes.append(buf, got);

    wchar_t finalUrl[INTERNET_MAX_URL_LENGTH] = L"";
    DWORD size = sizeof(finalUrl);
    if (!InternetQueryOptionW(hUrl, INTERNET_OPTION_URL, finalUrl, &size)) lstrcpynW(finalUrl, url.c_str(), INTERNET_MAX_URL_LENGTH);
    wchar_t type[256] = L"";
    size = sizeof(type);
    HttpQueryInfoW(hUrl, HTTP_QUERY_CONTENT_TYPE, type, &size, nullptr);
    DWORD status = 200;
    size = sizeof(status);
    HttpQueryInfoW(hUrl, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr);
    InternetCloseHandle(hUrl);
    InternetCloseHandle(hNet);

    auto page = ParsePage(Decode(bytes, type), finalUrl);
    page->bFailed = status >= 400;
    return page;
}
