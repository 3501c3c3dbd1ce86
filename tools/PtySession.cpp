#include "PtySession.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <pwd.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// What the command may take to end after a hang-up before it is killed, and
// how often it is looked at meanwhile (and the terminal while it drains).
constexpr int kHangUpGraceMilliseconds = 1000;
constexpr int kPollMilliseconds = 10;
// Status of a command that could not be run, as the shells give it.
constexpr int kCannotRun = 127;

std::string UserShell() {
  if (const char* shell = std::getenv("SHELL"); shell != nullptr && *shell != '\0') return shell;
  const passwd* user = getpwuid(getuid());
  if (user != nullptr && user->pw_shell != nullptr && *user->pw_shell != '\0') return user->pw_shell;
  return "/bin/sh";
}

winsize SizeOf(int rows, int columns) {
  winsize size{};
  size.ws_row = static_cast<unsigned short>(rows);
  size.ws_col = static_cast<unsigned short>(columns);
  return size;
}

// A terminal started where signals were ignored or blocked (a background
// job ignores Ctrl+C) gives its command the defaults: Ctrl+C interrupts.
void DefaultSignals() {
  for (int signal = 1; signal < NSIG; ++signal) std::signal(signal, SIG_DFL);
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
}

// In the child, on its new terminal: never returns.
[[noreturn]] void RunCommand(const PtySession::Command& command) {
  DefaultSignals();
  termios modes{};
  if (tcgetattr(STDIN_FILENO, &modes) == 0) {
    modes.c_cc[VERASE] = static_cast<cc_t>(command.erase);
    tcsetattr(STDIN_FILENO, TCSANOW, &modes);
  }
  setenv("TERM", command.term.c_str(), 1);
  // The size comes from the terminal, which follows the window.
  unsetenv("LINES");
  unsetenv("COLUMNS");
  std::vector<std::string> arguments = command.arguments;
  if (arguments.empty()) arguments.push_back(UserShell());
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  execvp(argv[0], argv.data());
  std::fprintf(stderr, "terminal_host: cannot run %s: %s\n", argv[0], std::strerror(errno));
  _exit(kCannotRun);
}

int StatusOf(int waited) {
  if (WIFEXITED(waited)) return WEXITSTATUS(waited);
  if (WIFSIGNALED(waited)) return 128 + WTERMSIG(waited);
  return kCannotRun;
}

}  // namespace

std::unique_ptr<PtySession> PtySession::Start(const Command& command, std::string& error) {
  int master = -1;
  winsize size = SizeOf(command.rows, command.columns);
  const pid_t child = forkpty(&master, nullptr, nullptr, &size);
  if (child < 0) {
    error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
    return nullptr;
  }
  if (child == 0) RunCommand(command);
  const int flags = fcntl(master, F_GETFL);
  fcntl(master, F_SETFL, flags | O_NONBLOCK);
  fcntl(master, F_SETFD, FD_CLOEXEC);
  return std::unique_ptr<PtySession>(new PtySession(master, child));
}

PtySession::~PtySession() {
  if (!ExitStatus()) HangUp();
  close(master_);
}

void PtySession::HangUp() {
  kill(child_, SIGHUP);
  for (int waited = 0; waited < kHangUpGraceMilliseconds; waited += kPollMilliseconds) {
    if (ExitStatus()) return;
    poll(nullptr, 0, kPollMilliseconds);
  }
  kill(child_, SIGKILL);
  int result = 0;
  while (waitpid(child_, &result, 0) < 0 && errno == EINTR) {
  }
}

std::string PtySession::Drain() {
  Flush();
  std::string output;
  std::array<char, 65536> piece;
  for (;;) {
    const ssize_t got = read(master_, piece.data(), piece.size());
    if (got > 0) {
      output.append(piece.data(), static_cast<std::size_t>(got));
    } else if (got < 0 && errno == EINTR) {
      continue;
    } else {
      // Nothing more now (EAGAIN), or the terminal's last writer is gone (EIO).
      if (got == 0 || errno == EIO) closed_ = true;
      return output;
    }
  }
}

std::string PtySession::DrainToEnd(int milliseconds) {
  std::string output = Drain();
  for (int waited = 0; !closed_ && waited < milliseconds; waited += kPollMilliseconds) {
    WaitForOutput(kPollMilliseconds);
    output += Drain();
  }
  return output;
}

void PtySession::Write(std::string_view bytes) {
  unwritten_.append(bytes);
  Flush();
}

void PtySession::Flush() {
  while (!unwritten_.empty()) {
    const ssize_t put = write(master_, unwritten_.data(), unwritten_.size());
    if (put > 0) {
      unwritten_.erase(0, static_cast<std::size_t>(put));
    } else if (put < 0 && errno == EINTR) {
      continue;
    } else {
      if (put < 0 && errno != EAGAIN) unwritten_.clear();  // nobody reads any more
      return;
    }
  }
}

bool PtySession::Resize(int rows, int columns) {
  const winsize size = SizeOf(rows, columns);
  return ioctl(master_, TIOCSWINSZ, &size) == 0;
}

std::optional<int> PtySession::ExitStatus() {
  if (!status_) {
    int waited = 0;
    if (waitpid(child_, &waited, WNOHANG) == child_) status_ = StatusOf(waited);
  }
  return status_;
}

void PtySession::WaitForOutput(int milliseconds) const {
  pollfd watched{master_, POLLIN, 0};
  poll(&watched, 1, milliseconds);
}
