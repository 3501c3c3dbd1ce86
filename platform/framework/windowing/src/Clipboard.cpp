#include "brenmoor/windowing/Clipboard.h"

#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "brenmoor/core/Desktop.h"
#include "brenmoor/core/HandleTable.h"
#include "brenmoor/windowing/Screen.h"
#include "brenmoor/windowing/WindowSystem.h"
#include "ScreenBackend.h"
#include "TextEncoding.h"

namespace {

struct Block {
  std::vector<BYTE> bytes;
  int locks = 0;
};

struct Board {
  bool open = false;
  HWND opener = nullptr;
  HWND owner = nullptr;
  std::map<UINT, HANDLE> data;  // the clipboard's own from the moment they are placed
  bool textPlaced = false;       // since it opened
  std::string displayText;       // the display's text as last taken or given, UTF-8
};

bool IsText(UINT format) { return format == CF_TEXT || format == CF_UNICODETEXT; }

struct GlobalMemory : Desktop::Part {
  // What lies on the board is the clipboard's, whoever made it.
  void CountAlive(std::map<std::string, std::ptrdiff_t>& alive) const override {
    alive["memory block"] += static_cast<std::ptrdiff_t>(memory.Count());
    for (const auto& entry : board.data) --alive[entry.first == CF_BITMAP ? "bitmap" : "memory block"];
  }

  HandleTable<HGLOBAL, Block> memory{0x20000000};
  Board board;
};

HandleTable<HGLOBAL, Block>& Memory() { return Desktop::Current().Get<GlobalMemory>().memory; }
Board& TheBoard() { return Desktop::Current().Get<GlobalMemory>().board; }

Block* FindBlock(HGLOBAL memory) { return Memory().Find(memory); }

void Release(UINT format, HANDLE data) {
  if (format == CF_BITMAP) {
    DeleteBitmap(static_cast<HBITMAP>(data));
  } else {
    GlobalFree(data);
  }
}

}  // namespace

HGLOBAL GlobalAlloc(UINT, std::size_t bytes) {
  if (bytes == 0) return nullptr;
  return Memory().Add({std::vector<BYTE>(bytes), 0});
}

void* GlobalLock(HGLOBAL memory) {
  Block* block = FindBlock(memory);
  if (block == nullptr) return nullptr;
  ++block->locks;
  return block->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL memory) {
  Block* block = FindBlock(memory);
  if (block == nullptr || block->locks == 0) return false;
  return --block->locks > 0;
}

std::size_t GlobalSize(HGLOBAL memory) {
  const Block* block = FindBlock(memory);
  return block != nullptr ? block->bytes.size() : 0;
}

HGLOBAL GlobalFree(HGLOBAL memory) {
  return Memory().Remove(memory) || memory == nullptr ? nullptr : memory;
}

namespace {

HGLOBAL BlockOf(const void* bytes, std::size_t size) {
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(memory), bytes, size);
  GlobalUnlock(memory);
  return memory;
}

void Place(Board& board, UINT format, HGLOBAL memory) {
  if (auto old = board.data.find(format); old != board.data.end()) Release(format, old->second);
  board.data[format] = memory;
}

// Text another program copied replaces the text formats; the owner is nobody of ours.
void TakeDisplayText(Board& board) {
  const std::optional<std::string> text = screen_backend::ClipboardText();
  if (!text || *text == board.displayText) return;
  board.displayText = *text;
  const std::string ansi = platform::encoding::AnsiFromUtf8(*text);
  const std::u16string units = platform::encoding::Utf16FromUtf8(*text);
  Place(board, CF_TEXT, BlockOf(ansi.c_str(), ansi.size() + 1));
  Place(board, CF_UNICODETEXT, BlockOf(units.c_str(), (units.size() + 1) * sizeof(char16_t)));
  board.owner = nullptr;
}

// The text up to its zero, or up to the block's end.
std::string TextOf(UINT format, HGLOBAL memory) {
  const auto* bytes = static_cast<const char*>(GlobalLock(memory));
  const std::size_t size = GlobalSize(memory);
  std::string text;
  if (format == CF_UNICODETEXT) {
    std::u16string units(size / sizeof(char16_t), u'\0');
    std::memcpy(units.data(), bytes, units.size() * sizeof(char16_t));
    text = platform::encoding::Utf8FromUtf16(units.c_str());
  } else {
    text = platform::encoding::Utf8FromAnsi(std::string(bytes, strnlen(bytes, size)));
  }
  GlobalUnlock(memory);
  return text;
}

// UTF-16 says more than ANSI text, so the display gets it when both are there.
void GiveDisplayText(Board& board) {
  for (const UINT format : {CF_UNICODETEXT, CF_TEXT}) {
    if (auto found = board.data.find(format); found != board.data.end()) {
      board.displayText = TextOf(format, found->second);
      screen_backend::SetClipboardText(board.displayText);
      return;
    }
  }
}

}  // namespace

BOOL OpenClipboard(HWND owner) {
  Board& board = TheBoard();
  if (board.open || (owner != nullptr && !IsWindow(owner))) return false;
  board.open = true;
  board.opener = owner;
  board.textPlaced = false;
  if (IsOnScreen()) TakeDisplayText(board);
  return true;
}

BOOL CloseClipboard() {
  Board& board = TheBoard();
  if (board.open && board.textPlaced && IsOnScreen()) GiveDisplayText(board);
  return std::exchange(board.open, false);
}

BOOL EmptyClipboard() {
  Board& board = TheBoard();
  if (!board.open) return false;
  for (const auto& [format, data] : board.data) Release(format, data);
  board.data.clear();
  board.owner = board.opener;
  return true;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
  Board& board = TheBoard();
  const bool takes = format == CF_BITMAP ? IsBitmap(static_cast<HBITMAP>(data)) : FindBlock(data) != nullptr;
  if (!board.open || (!IsText(format) && format != CF_BITMAP) || !takes) return nullptr;
  if (auto old = board.data.find(format); old != board.data.end() && old->second != data) Release(format, old->second);
  board.data[format] = data;
  board.textPlaced = board.textPlaced || IsText(format);
  return data;
}

HANDLE GetClipboardData(UINT format) {
  const Board& board = TheBoard();
  if (!board.open) return nullptr;
  auto found = board.data.find(format);
  return found != board.data.end() ? found->second : nullptr;
}

BOOL IsClipboardFormatAvailable(UINT format) { return TheBoard().data.contains(format); }
HWND GetClipboardOwner() { return TheBoard().owner; }
