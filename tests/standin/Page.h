// A fetched page reduced to what the stand-in shows: text runs, the element tree they sit in,
// the title and a meta refresh.
#pragma once
#include <windows.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

struct PageNode {
    std::wstring tag;       // upper case, as the browser reports tag names
    std::vector<std::pair<std::wstring, std::wstring>> attributes;  // names in lower case
    PageNode* parent = nullptr;

    const std::wstring* Attribute(const std::wstring& name) const;
    // The innermost link this node is part of (itself included), or null.
    const PageNode* EnclosingLink() const;
};

struct PageRun {
    std::wstring text;
    PageNode* node = nullptr;   // innermost element holding the text
    bool bNewLine = false;      // starts on a new line
};

struct Page {
    std::wstring url;           // after redirects
    std::wstring title;
    std::wstring refreshUrl;    // from <meta http-equiv="refresh">, already absolute
    int refreshSeconds = -1;    // -1: no refresh
    bool bFailed = false;
    std::vector<std::unique_ptr<PageNode>> nodes;   // nodes[0] is the HTML root
    std::vector<PageRun> runs;

    PageNode* Root() const { return nodes.empty() ? nullptr : nodes[0].get(); }
    PageNode* FindFirst(const wchar_t* tag) const;
};

// Parses markup into a page; relative addresses are resolved against baseUrl.
std::unique_ptr<Page> ParsePage(const std::wstring& html, const std::wstring& baseUrl);
// Loads an address (http through WinINet, about: pages locally); a failure gives a short error page.
std::unique_ptr<Page> LoadPage(const std::wstring& url);
std::wstring ResolveUrl(const std::wstring& baseUrl, const std::wstring& relative);
