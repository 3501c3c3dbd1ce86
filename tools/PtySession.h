#pragma once
// A command running on a pseudo-terminal of its own: what it writes is read
// without ever blocking, what the person types is written to it, and the
// terminal's size follows the window's. No thread: the host's loop asks
// for output when it is ready for it.

#include <sys/types.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class PtySession {
 public:
  struct Command {
    std::vector<std::string> arguments;  // empty: the user's shell
    std::string term;                    // the TERM the program sees
    char erase = 0x7F;                   // what the Backspace key sends: the terminal's erase character
    int rows = 24;
    int columns = 80;
  };

  // Null, with the reason in error, when no pseudo-terminal or process can be had.
  static std::unique_ptr<PtySession> Start(const Command& command, std::string& error);
  // A command still running is hung up on, as when a terminal closes.
  ~PtySession();
  PtySession(const PtySession&) = delete;
  PtySession& operator=(const PtySession&) = delete;

  // Everything the program wrote that is there now; empty when nothing is.
  std::string Drain();
  // Once the command has ended: what it wrote that is still on its way,
  // read until the terminal reports that nobody writes any more, or the time
  // has passed (a process the command left behind may keep writing).
  std::string DrainToEnd(int milliseconds);
  // What the pseudo-terminal does not take now is kept, in order, for the next Write or Drain.
  void Write(std::string_view bytes);
  // The program is told of the new size (and gets SIGWINCH).
  bool Resize(int rows, int columns);
  // The command's exit status once it has ended, 128 + the signal when one
  // ended it; nothing while it runs.
  std::optional<int> ExitStatus();
  // Returns when there is output, when the program ends, or after the time.
  void WaitForOutput(int milliseconds) const;

 private:
  PtySession(int master, pid_t child) : master_(master), child_(child) {}
  void Flush();
  void HangUp();

  int master_;
  pid_t child_;
  std::optional<int> status_;
  bool closed_ = false;  // the last writer is gone and everything it wrote was read
  std::string unwritten_;
};
