#pragma once
// The names of the built-in window classes, as dialog templates and
// CreateWindowExW give them.

inline constexpr const wchar_t* kDialogClass = L"#32770";
inline constexpr const wchar_t* kGenericWindowClass = L"AfxWnd";
inline constexpr const wchar_t* kButtonClass = L"Button";
inline constexpr const wchar_t* kEditClass = L"Edit";
inline constexpr const wchar_t* kComboBoxClass = L"ComboBox";
inline constexpr const wchar_t* kComboListClass = L"ComboLBox";
inline constexpr const wchar_t* kStaticClass = L"Static";
inline constexpr const wchar_t* kListViewClass = L"SysListView32";
inline constexpr const wchar_t* kHeaderClass = L"SysHeader32";
inline constexpr const wchar_t* kStatusBarClass = L"msctls_statusbar32";
inline constexpr const wchar_t* kTabControlClass = L"SysTabControl32";
inline constexpr const wchar_t* kMDIClientClass = L"MDIClient";
