#include "QuillLib/resource/ResourcePath.h"

namespace quill {

char16_t ToLowerChar(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
}

char16_t ToUpperChar(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
}

WString ToLowerString(WStringView text) {
    WString result(text);
    for (char16_t& c : result) {
        c = ToLowerChar(c);
    }
    return result;
}

WString ToUpperString(WStringView text) {
    WString result(text);
    for (char16_t& c : result) {
        c = ToUpperChar(c);
    }
    return result;
}

WString GetFileName(WStringView path) {
    const size_t slash = path.rfind(u'\\');
    return WString(slash == WStringView::npos ? path : path.substr(slash + 1));
}

WString GetBaseName(WStringView path) {
    WString name = GetFileName(path);
    const size_t dot = name.rfind(u'.');
    if (dot != WString::npos) {
        name.resize(dot);
    }
    return name;
}

WString GetFileExtension(WStringView path) {
    const size_t dot = path.rfind(u'.');
    return WString(dot == WStringView::npos ? path : path.substr(dot + 1));
}

WString GetDirectory(WStringView path) {
    const size_t slash = path.rfind(u'\\');
    return slash == WStringView::npos ? WString(u".") : WString(path.substr(0, slash));
}

WString MakeRelativePath(WStringView base, WStringView path) {
    if (!path.starts_with(base)) {
        return WString(path);
    }
    const WStringView rest = path.substr(base.size());
    // A plain prefix test would take "E:\Games" as inside "E:\Game" and write ".s\..." into bodies.
    if (base.empty() || rest.empty() || rest.front() == u'\\') {
        return u"." + WString(rest);
    }
    if (base.back() == u'\\') {
        return u".\\" + WString(rest);
    }
    return WString(path);
}

void EnsurePackageExtension(WString& path) {
    if (path.find(u'.') == WString::npos) {
        path += u".tpk";
    }
}

}  // namespace quill
