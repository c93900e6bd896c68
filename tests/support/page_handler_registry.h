// Makes a test's own program the handler of .html pages in the test prefix, as a browser would be. Wine 8
// ignores such an override under HKEY_CURRENT_USER\Software\Classes, so it goes under HKEY_CLASSES_ROOT.
#pragma once

#include <windows.h>

#include <string>

namespace quillbay::testing {

inline bool setClassesDefault(const std::wstring& key, const std::wstring& value) {
    HKEY opened = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const LONG set = RegSetValueExW(opened, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(opened);
    return set == ERROR_SUCCESS;
}

// `program` is started with the page's path as its one argument.
inline bool registerPageHandler(const std::wstring& program) {
    return setClassesDefault(L".html", L"QuillbayTest.Page") &&
           setClassesDefault(L"QuillbayTest.Page\\shell\\open\\command", L"\"" + program + L"\" \"%1\"");
}

inline void unregisterPageHandler() {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L".html");
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"QuillbayTest.Page");
}

}  // namespace quillbay::testing
