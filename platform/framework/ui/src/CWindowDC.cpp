#include "brenmoor/ui/CWindowDC.h"

#include <map>
#include <memory>

#include "brenmoor/ui/CWnd.h"

namespace {

std::map<HWND, std::unique_ptr<RecordingSurface>>& Drawings() {
  static std::map<HWND, std::unique_ptr<RecordingSurface>> drawings;
  return drawings;
}

}  // namespace

RecordingSurface& WindowDrawing(HWND window) {
  auto& drawings = Drawings();
  std::erase_if(drawings, [](const auto& entry) { return !IsWindow(entry.first); });
  auto& surface = drawings[window];
  if (surface == nullptr) surface = std::make_unique<RecordingSurface>();
  const CRect rect = GetWindowRect(window);
  surface->SetClipBox({0, 0, rect.Width(), rect.Height()});
  return *surface;
}

CWindowDC::CWindowDC(CWnd* window) : CDC(WindowDrawing(window != nullptr ? window->GetSafeHwnd() : nullptr)) {}
