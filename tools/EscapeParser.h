#pragma once
// Decodes a terminal byte stream for a ScreenBuffer: printable bytes
// (0x80-0xFF as Windows-1252), C0 controls, escape sequences, control
// sequences with parameters and the private marker '?', and character set
// designations. Whatever the bytes, it never fails; what it does not know it
// skips. Requests for the terminal's status and identity are answered, as a
// VT102 answers them, through the setup's reply.

#include <array>
#include <functional>
#include <string_view>

class ScreenBuffer;

class EscapeParser {
 public:
  // Parameters beyond these are dropped; larger values are cut to the bound.
  static constexpr int kMaxParameters = 16;
  static constexpr int kLargestParameter = 9999;
  // The window size sequence asks for no more rows than this (columns are the screen's own limit).
  static constexpr int kLargestWindowRows = 255;

  // How the terminal was set up: where its answers go (nowhere when
  // empty), and whether auto-wrap is on at power-on and after a reset.
  struct Setup {
    std::function<void(std::string_view)> reply;
    bool autoWrap = false;
  };

  // The screen must outlive the parser. Without a setup nothing is answered
  // and auto-wrap is off.
  explicit EscapeParser(ScreenBuffer& screen);
  EscapeParser(ScreenBuffer& screen, Setup setup);

  // Sequences may be split across calls at any byte.
  void Feed(std::string_view bytes);
  void Feed(unsigned char byte);

 private:
  enum class State { Ground, Escape, EscapeIntermediate, Designate, Csi };

  // Hands the printable bytes from at on to the screen as characters, in
  // few calls; gives where they end.
  const char* PutText(const char* at, const char* end);
  // Takes the digits and separators from at on as parameters; gives where they end.
  const char* Parameters(const char* at, const char* end);
  void Ground(unsigned char byte);
  void Control(unsigned char byte);
  void Escape(unsigned char byte);
  void Designate(unsigned char byte);
  void Csi(unsigned char byte);
  void StartSequence(State state);
  void DispatchCsi(unsigned char final);
  void DispatchPrivate(unsigned char final);
  void SelectGraphicRendition();
  void SetModes(bool on);
  void LeavePendingWrap();
  void MoveBackward(int n);
  void TabForward(int n);
  void Reset();
  // DECALN: the screen filled with E, for adjusting the picture.
  void AlignmentPattern();
  void Reply(std::string_view bytes) const;
  void ReportStatus();
  void ReportParameters();
  // The parameter at index; absent or 0 gives the fallback.
  int Param(int index, int fallback) const;

  ScreenBuffer& screen_;
  Setup setup_;
  // Every byte as the character it stands for.
  const std::array<wchar_t, 256>& characters_;
  State state_ = State::Ground;
  unsigned char escapeIntermediate_ = 0;  // the first intermediate of an ESC sequence
  std::array<int, kMaxParameters> params_{};
  int count_ = 0;             // parameters begun
  bool private_ = false;      // '?' came first
  bool intermediate_ = false; // a byte 0x20-0x2F came before the final one
  unsigned char firstIntermediate_ = 0;
  bool malformed_ = false;    // the final byte is to be ignored
  int designatedSet_ = 0;     // G0 to G3, for the byte after ESC ( ) * +
};
