#include "brenmoor/windowing/Clipboard.h"

#include <map>
#include <utility>
#include <vector>

#include "brenmoor/core/Desktop.h"
#include "brenmoor/core/HandleTable.h"
#include "brenmoor/windowing/WindowSystem.h"

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
};

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

BOOL OpenClipboard(HWND owner) {
  Board& board = TheBoard();
  if (board.open || (owner != nullptr && !IsWindow(owner))) return false;
  board.open = true;
  board.opener = owner;
  return true;
}

BOOL CloseClipboard() { return std::exchange(TheBoard().open, false); }

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
  if (!board.open || (format != CF_TEXT && format != CF_BITMAP) || !takes) return nullptr;
  if (auto old = board.data.find(format); old != board.data.end() && old->second != data) Release(format, old->second);
  board.data[format] = data;
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
