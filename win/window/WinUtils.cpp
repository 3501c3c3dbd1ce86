#include "brenmoor/win/WinUtils.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cwctype>
#include <memory>
#include <thread>

#include "brenmoor/gdi/Bitmap.h"
#include "brenmoor/docview/CDocTemplate.h"
#include "brenmoor/win/CDocWithID.h"
#include "brenmoor/docview/CFrameWnd.h"
#include "brenmoor/ui/CListCtrl.h"
#include "brenmoor/win/CResourceString.h"
#include "brenmoor/docview/CView.h"
#include "brenmoor/ui/CWindowDC.h"
#include "brenmoor/windowing/WindowPainter.h"
#include "brenmoor/windowing/Clipboard.h"
#include "brenmoor/windowing/Screen.h"
#include "brenmoor/core/TextCut.h"
#include "TextEncoding.h"
#include "brenmoor/utils/Tokenizer.h"
#include "brenmoor/utils/Utils.h"
#include "brenmoor/windowing/WindowPlacement.h"

CSize WinUtils::CreateFontW(CFont* font, CString faceName, int height, bool bold, bool underline,
                            bool italic) {
  LOGFONT description;
  description.lfHeight = height;
  description.lfWeight = bold ? FW_BOLD : FW_DONTCARE;
  description.lfUnderline = underline ? 1 : 0;
  description.lfItalic = italic ? 1 : 0;
  const std::size_t length = UnitsThatFit(faceName.Str(), LF_FACESIZE - 1);
  std::copy_n(static_cast<const wchar_t*>(faceName), length, description.lfFaceName);
  font->CreateFontIndirect(&description);

  CScreenDC screen;
  CFont* previous = screen.SelectObject(font);
  const CSize extent = screen.GetTextExtent(CString(L'X', 100));
  screen.SelectObject(previous);
  return {extent.cx / 100, extent.cy};
}

namespace {

constexpr const wchar_t* kListColumnsEntry = L"ListColumns";
constexpr int kHeadingUnits = 64;
constexpr UINT kLayoutMessage = 697;
constexpr int kTitleUnits = 1024;

// A heading that the layout's format holds and gives back unchanged: a ";"
// would end it early, and the profile drops blanks around the value.
bool StorableHeading(const CString& heading) {
  const std::wstring& text = heading.Str();
  const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
  return text.find(L';') == std::wstring::npos && (text.empty() || (!blank(text.front()) && !blank(text.back())));
}

// Compares the record names of the stored layout with the default's, record by record.
bool FitsDefault(const CString& stored, const CString& defaultLayout) {
  StringTokenizerStream storedStream(stored);
  StringTokenizerStream defaultStream(defaultLayout);
  Tokenizer storedReader(&storedStream, true, 0);
  Tokenizer defaultReader(&defaultStream, true, 0);
  try {
    while (!defaultReader.Eof() || !storedReader.Eof()) {
      const CString defaultName = defaultReader.ReadUntil(L";");
      defaultReader.Match(L';');
      defaultReader.ReadInt();
      const CString storedName = storedReader.ReadUntil(L";");
      storedReader.Match(L';');
      storedReader.ReadInt();
      if (storedName != defaultName) return false;
      defaultReader.Match(L';');
      storedReader.Match(L';');
    }
  } catch (const TokenizerException&) {
    return false;
  }
  return true;
}

// Where a placement may put the window: its parent's client area for a child, else the screen.
CRect DesktopOf(HWND window) {
  const HWND parent = (::GetStyle(window) & WS_CHILD) != 0 ? ::GetParent(window) : nullptr;
  return parent != nullptr ? ::GetClientRect(parent) : ScreenRect();
}

// A stored rectangle, which a user may have edited, cut to the desktop's size
// and moved onto it: no arithmetic on it overflows, no picture of it is huge.
CRect LimitedTo(const CRect& desktop, const CRect& stored) {
  const auto span = [](LONG from, LONG to, LONG most) {
    return static_cast<LONG>(std::clamp<std::int64_t>(std::int64_t{to} - from, 0, std::max<LONG>(most, 0)));
  };
  const LONG width = span(stored.left, stored.right, desktop.Width());
  const LONG height = span(stored.top, stored.bottom, desktop.Height());
  const LONG left = std::clamp(stored.left, desktop.left, desktop.right - width);
  const LONG top = std::clamp(stored.top, desktop.top, desktop.bottom - height);
  return {left, top, left + width, top + height};
}

CDocument* FirstDocument(const CDocTemplate* docTemplate) {
  POSITION position = docTemplate->GetFirstDocPosition();
  return position != nullptr ? docTemplate->GetNextDoc(position) : nullptr;
}

CView* FirstView(const CDocument* document) {
  POSITION position = document->GetFirstViewPosition();
  return position != nullptr ? document->GetNextView(position) : nullptr;
}

template <typename Test>
CDocument* FindDocument(UINT id, Test test) {
  const CDocTemplate* docTemplate = WinUtils::FindDocTemplate(id);
  if (docTemplate == nullptr) return nullptr;
  for (POSITION position = docTemplate->GetFirstDocPosition(); position != nullptr;) {
    CDocument* document = docTemplate->GetNextDoc(position);
    if (test(document)) return document;
  }
  return nullptr;
}

}  // namespace

void WinUtils::SaveWindowPlacement(CString section, CString entry, CWnd* window) {
  WINDOWPLACEMENT placement;
  placement.length = sizeof placement;
  CWinApp* app = AfxGetApp();
  if (app == nullptr || window == nullptr || !::GetWindowPlacement(window->GetSafeHwnd(), &placement)) return;
  app->WriteProfileBinary(section, entry, reinterpret_cast<const BYTE*>(&placement), sizeof placement);
}

void WinUtils::RestoreWindowPlacement(CString section, CString entry, CWnd* window) {
  CWinApp* app = AfxGetApp();
  BYTE* data = nullptr;
  UINT bytes = 0;
  if (app == nullptr || window == nullptr || !app->GetProfileBinary(section, entry, &data, &bytes)) return;
  const std::unique_ptr<BYTE[]> owned(data);
  // Only a whole record: anything shorter or longer would be read past or cut.
  if (bytes != sizeof(WINDOWPLACEMENT)) return;
  WINDOWPLACEMENT placement;
  std::memcpy(&placement, data, sizeof placement);
  placement.length = sizeof placement;
  placement.rcNormalPosition = LimitedTo(DesktopOf(window->GetSafeHwnd()), placement.rcNormalPosition);
  ::SetWindowPlacement(window->GetSafeHwnd(), &placement);
}

void WinUtils::SaveListColumns(const CListCtrl& list, const CString& section) {
  CString layout;
  int count = 0;
  for (;; ++count) {
    wchar_t heading[kHeadingUnits] = {};
    LVCOLUMN column;
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.pszText = heading;
    column.cchTextMax = kHeadingUnits;
    if (!list.GetColumn(count, &column)) break;
    if (!StorableHeading(CString(heading))) return;
    layout += CString(heading) + CString(L";") + CString(std::to_wstring(column.cx)) + CString(L";");
  }
  CWinApp* app = AfxGetApp();
  if (count >= 2 && app != nullptr) app->WriteProfileString(section, kListColumnsEntry, layout);
}

void WinUtils::RestoreListColumns(CListCtrl& list, const CString& section, const CString& defaultLayout) {
  CWinApp* app = AfxGetApp();
  CString layout = app != nullptr ? app->GetProfileString(section, kListColumnsEntry, defaultLayout) : defaultLayout;
  if (layout != defaultLayout && !FitsDefault(layout, defaultLayout)) layout = defaultLayout;

  StringTokenizerStream stream(layout);
  Tokenizer reader(&stream, true, 0);
  try {
    for (int index = 0; !reader.Eof(); ++index) {
      const CString heading = reader.ReadUntil(L";");
      reader.Match(L';');
      const int width = reader.ReadInt();
      reader.Match(L';');
      list.InsertColumn(index, heading, LVCFMT_LEFT, width, -1);
    }
  } catch (const TokenizerException&) {
    AfxMessageBox(kLayoutMessage, MB_ICONERROR);
  }
}

bool WinUtils::CopyToClipboard(const CString& text) {
  if (!OpenClipboard(nullptr)) return false;
  const std::string ansi = Utils::ToANSI(text);
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, ansi.size() + 1);
  void* block = memory != nullptr ? GlobalLock(memory) : nullptr;
  if (block == nullptr) {
    GlobalFree(memory);
    CloseClipboard();
    return false;
  }
  std::memcpy(block, ansi.c_str(), ansi.size() + 1);
  GlobalUnlock(memory);
  EmptyClipboard();
  const bool taken = SetClipboardData(CF_TEXT, memory) != nullptr;
  if (!taken) GlobalFree(memory);
  CloseClipboard();
  return taken;
}

CString WinUtils::PasteFromClipboard() {
  if (!OpenClipboard(nullptr)) return {};
  const HGLOBAL memory = GetClipboardData(CF_TEXT);
  const auto* block = memory != nullptr ? static_cast<const char*>(GlobalLock(memory)) : nullptr;
  if (block == nullptr) {
    CloseClipboard();
    return {};
  }
  // The block's own size bounds the text, whether or not it holds its zero.
  const std::string ansi(block, strnlen(block, GlobalSize(memory)));
  GlobalUnlock(memory);
  CloseClipboard();
  return CString::FromUtf8(platform::encoding::Utf8FromAnsi(ansi));
}

void WinUtils::PutImageOnClipboard(CWnd* window) {
  if (window == nullptr) return;
  const CRect outer = ::GetWindowRect(window->GetSafeHwnd());
  CBitmap picture;
  if (!CreateBitmapOfClient(picture, window->GetSafeHwnd(), outer.Width(), outer.Height())) return;
  if (OpenClipboard(window->GetSafeHwnd())) {
    if (EmptyClipboard() && SetClipboardData(CF_BITMAP, picture.GetSafeHandle()) != nullptr) picture.Detach();
    CloseClipboard();
  }
}

// Without a device the size stays the screen's.
int WinUtils::ScaleFont(CDC* dc, int size) {
  if (dc == nullptr) return size;
  CScreenDC screen;
  return MulDiv(size, dc->GetDeviceCaps(LOGPIXELSY), screen.GetDeviceCaps(LOGPIXELSY));
}

void WinUtils::PaintBackground(CDC* dc, COLORREF colour) {
  if (dc == nullptr) return;
  CBrush brush(colour);
  CBrush* previous = dc->SelectObject(&brush);
  CRect box;
  dc->GetClipBox(&box);
  dc->PatBlt(box.left, box.top, box.Width(), box.Height(), PATCOPY);
  dc->SelectObject(previous);
}

void WinUtils::PaintDialogFrame(CView* view) {
  if (view == nullptr) return;
  CWindowDC dc(view);
  CRect client;
  view->GetClientRect(&client);
  constexpr COLORREF kGrey = RGB(192, 192, 192);
  CRect frame{0, 0, client.Width() + 4, client.Height() + 4};
  dc.Draw3dRect(frame, kGrey, kGrey);
  frame = {frame.left + 1, frame.top + 1, frame.right - 1, frame.bottom - 1};
  dc.Draw3dRect(frame, kGrey, kGrey);
}

void WinUtils::SetViewSize(CView* view, CSize& size) {
  CWnd* frame = view != nullptr ? view->GetParent() : nullptr;
  if (frame == nullptr) return;
  WINDOWPLACEMENT placement;
  placement.length = sizeof placement;
  if (!::GetWindowPlacement(frame->GetSafeHwnd(), &placement) || placement.showCmd == SW_SHOWMAXIMIZED) return;
  size.cx += 12;
  size.cy += 31;
  CRect rect;
  frame->GetWindowRect(&rect);
  // A child frame (an MDI child) is placed in its parent's client area, a top-level one on the screen.
  CWnd* parent = frame->GetParent();
  if ((frame->GetStyle() & WS_CHILD) != 0 && parent != nullptr) parent->ScreenToClient(&rect);
  frame->MoveWindow(CRect(rect.TopLeft(), size), true);
}

void WinUtils::BringToTop(CWnd* window) {
  if (window == nullptr) return;
  ::SetWindowPos(window->GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
}

HWND WinUtils::FindApplication(const CString& title) {
  struct Search {
    const CString* title;
    HWND found = nullptr;
  } search{&title};
  EnumWindows(
      [](HWND window, LPARAM lParam) -> BOOL {
        auto* wanted = reinterpret_cast<Search*>(lParam);
        std::wstring text(kTitleUnits + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            SendMessage(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
        const std::wstring& prefix = wanted->title->Str();
        if (text.size() < prefix.size()) return true;
        for (std::size_t i = 0; i < prefix.size(); ++i) {
          if (std::towlower(static_cast<wint_t>(text[i])) != std::towlower(static_cast<wint_t>(prefix[i]))) return true;
        }
        wanted->found = window;
        return false;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void WinUtils::SelectDlgEdit(CWnd* dialog, UINT id) {
  CWnd* edit = dialog != nullptr ? dialog->GetDlgItem(static_cast<int>(id)) : nullptr;
  if (edit == nullptr) return;
  edit->SetFocus();
  edit->SendMessage(EM_SETSEL, 0, -1);
  edit->SendMessage(EM_SCROLLCARET);
}

CDocTemplate* WinUtils::FindDocTemplate(UINT id) {
  const CResourceString strings(id);
  const std::wstring& all = strings.Str();
  const std::size_t start = all.find(L'\n');
  if (start == std::wstring::npos) return nullptr;
  const std::size_t end = all.find(L'\n', start + 1);
  const CString name(all.substr(start + 1, end == std::wstring::npos ? std::wstring::npos : end - start - 1));
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return nullptr;
  for (POSITION position = app->GetFirstDocTemplatePosition(); position != nullptr;) {
    CDocTemplate* docTemplate = app->GetNextDocTemplate(position);
    CString own;
    docTemplate->GetDocString(own, CDocTemplate::docName);
    if (own == name) return docTemplate;
  }
  return nullptr;
}

CView* WinUtils::FindView(UINT id) {
  const CDocTemplate* docTemplate = FindDocTemplate(id);
  const CDocument* document = docTemplate != nullptr ? FirstDocument(docTemplate) : nullptr;
  return document != nullptr ? FirstView(document) : nullptr;
}

CDocument* WinUtils::FindDoc(UINT id, const CString& title) {
  return FindDocument(id, [&title](const CDocument* document) { return document->GetTitle() == title; });
}

CDocument* WinUtils::FindDocWithID(UINT id, void* documentId) {
  return FindDocument(id, [documentId](const CDocument* document) {
    const auto* withId = dynamic_cast<const CDocWithID*>(document);
    return withId != nullptr && withId->GetID() == documentId;
  });
}

CView* WinUtils::CreateView(UINT id, bool visible) {
  CDocTemplate* docTemplate = FindDocTemplate(id);
  CDocument* document = docTemplate != nullptr ? docTemplate->OpenDocumentFile(nullptr, visible) : nullptr;
  CView* view = document != nullptr ? FirstView(document) : nullptr;
  if (view == nullptr) return nullptr;
  if (CFrameWnd* frame = view->GetParentFrame()) frame->ShowWindow(SW_SHOWMAXIMIZED);
  return view;
}

CView* WinUtils::CreateNewView(UINT id, CDocument* document) {
  CWaitCursor wait;
  CDocTemplate* docTemplate = document != nullptr ? FindDocTemplate(id) : nullptr;
  if (docTemplate == nullptr) return nullptr;
  std::this_thread::yield();
  CFrameWnd* frame = docTemplate->CreateNewFrame(document, nullptr);
  if (frame == nullptr) return nullptr;
  docTemplate->InitialUpdateFrame(frame, document, true);
  // A document sits in one template's list only: a second entry would be
  // closed twice, and one left in its former template would dangle.
  if (document->GetDocTemplate() != docTemplate) {
    if (CDocTemplate* former = document->GetDocTemplate()) former->RemoveDocument(document);
    docTemplate->AddDocument(document);
  }
  return frame->GetActiveView();
}

bool WinUtils::ActivateDoc(const CDocument* document) {
  const CView* view = document != nullptr ? FirstView(document) : nullptr;
  CFrameWnd* frame = view != nullptr ? view->GetParentFrame() : nullptr;
  if (frame == nullptr) return false;
  ::BringWindowToTop(frame->GetSafeHwnd());
  if (::IsIconic(frame->GetSafeHwnd())) frame->ShowWindow(SW_SHOWNORMAL);
  return true;
}

bool WinUtils::CloseAllDocuments() {
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return true;
  for (POSITION templates = app->GetFirstDocTemplatePosition(); templates != nullptr;) {
    const CDocTemplate* docTemplate = app->GetNextDocTemplate(templates);
    for (POSITION position = docTemplate->GetFirstDocPosition(); position != nullptr;) {
      CDocument* document = docTemplate->GetNextDoc(position);
      if (!document->SaveModified()) return false;
      document->OnCloseDocument();
    }
  }
  return true;
}

void WinUtils::AppendMenuHelper(const CMenu* source, HMENU target) {
  if (source == nullptr || !IsMenu(target)) return;
  if (GetMenuItemCount(target) > 0) AppendMenuW(target, MF_SEPARATOR, 0, nullptr);
  const auto count = static_cast<int>(source->GetMenuItemCount());
  for (int position = 0; position < count; ++position) {
    const auto index = static_cast<UINT>(position);
    CString text;
    source->GetMenuString(index, text, MF_BYPOSITION);
    if (const CMenu* popup = source->GetSubMenu(position)) {
      const HMENU copy = CreatePopupMenu();
      AppendMenuHelper(popup, copy);
      if (!AppendMenuW(target, MF_POPUP, reinterpret_cast<UINT_PTR>(copy), text)) DestroyMenu(copy);
    } else {
      AppendMenuW(target, source->GetMenuState(index, MF_BYPOSITION), source->GetMenuItemID(position), text);
    }
  }
}

void WinUtils::ImageListIconLoader(CImageList& list, UINT* ids, HINSTANCE module) {
  list.Create(16, 16, ILC_MASK, 0, 1);
  for (const UINT* id = ids; id != nullptr && *id != 0; ++id) {
    if (const HICON icon = LoadIcon(module, *id)) {
      list.Add(icon);
      DestroyIcon(icon);
    }
  }
}
