#pragma once
// The host's side of the terminal: libwin draws the screen, the host decodes
// what its connection sends. This decoder knows what the link monitor's
// sessions use (C0 controls, ESC and CSI sequences with their numeric
// parameters, character set designations) and skips anything else.

#include <string_view>
#include <vector>

class ScreenBuffer;

class SessionDecoder {
 public:
  explicit SessionDecoder(ScreenBuffer& screen) : screen_(screen) {}

  // Sequences may be split across calls.
  void Feed(std::string_view bytes);

 private:
  enum class State { Text, Escape, Designate, Csi };

  void Text(unsigned char byte);
  void Escape(unsigned char byte);
  void Designate(unsigned char byte);
  void Csi(unsigned char byte);
  void DispatchCsi(unsigned char final);
  void SelectGraphicRendition();
  // The parameter at index; absent or 0 gives the fallback.
  int Param(std::size_t index, int fallback) const;

  ScreenBuffer& screen_;
  State state_ = State::Text;
  std::vector<int> params_;
  bool private_ = false;
  int designated_ = 0;
};
