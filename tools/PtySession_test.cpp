#include "PtySession.h"

#include <gtest/gtest.h>

#include <pthread.h>

#include <chrono>
#include <csignal>
#include <string>
#include <vector>

#include "TempFolder.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kLongestRun = std::chrono::seconds(20);

std::unique_ptr<PtySession> Start(std::vector<std::string> arguments) {
  std::string error;
  auto session = PtySession::Start({std::move(arguments), "vt102", 0x08}, error);
  EXPECT_NE(session, nullptr) << error;
  return session;
}

// All the command wrote until it ended, then its status; nothing when it
// outlives the bound (and is hung up on as the session goes).
struct Ended {
  std::string output;
  std::optional<int> status;
};

Ended RunToEnd(PtySession& session) {
  Ended run;
  for (const auto end = Clock::now() + kLongestRun; Clock::now() < end;) {
    const std::optional<int> status = session.ExitStatus();
    run.output += status ? session.DrainToEnd(5000) : session.Drain();
    if (status) {
      run.status = status;
      break;
    }
    session.WaitForOutput(50);
  }
  return run;
}

// Reads until the text has come, within the bound; what came.
std::string ReadUntil(PtySession& session, const std::string& text) {
  std::string output;
  for (const auto end = Clock::now() + kLongestRun; Clock::now() < end && output.find(text) == std::string::npos;) {
    output += session.Drain();
    session.WaitForOutput(50);
  }
  return output;
}

TEST(PtySession, CommandsWriteToTheTerminalAndEnd) {
  struct Case {
    std::vector<std::string> command;
    std::string output;
    int status;
  };
  const Case cases[] = {
      {{"printf", "hello\\n"}, "hello\r\n", 0},
      {{"sh", "-c", "exit 3"}, "", 3},
      {{"sh", "-c", "kill -9 $$"}, "", 137},
      {{"sh", "-c", "printf %s \"$TERM\""}, "vt102", 0},
      {{"stty", "size"}, "24 80\r\n", 0},
      {{"sh", "-c", "stty -a | grep -o 'erase = ^H'"}, "erase = ^H\r\n", 0},
      {{"sh", "-c", "printf %s \"${LINES-none} ${COLUMNS-none}\""}, "none none", 0},
      {{"/nonexistent/program"},
       "terminal_host: cannot run /nonexistent/program: No such file or directory\r\n", 127},
  };
  for (const Case& c : cases) {
    auto session = Start(c.command);
    ASSERT_NE(session, nullptr);
    const Ended run = RunToEnd(*session);
    EXPECT_EQ(run.output, c.output) << c.command.back();
    EXPECT_EQ(run.status, c.status) << c.command.back();
  }
}

// A command that ends as soon as it has written a lot: nothing of it is lost.
TEST(PtySession, AllOfTheLastOutputArrives) {
  auto session = Start({"sh", "-c", "head -c 300000 /dev/zero | tr '\\0' x"});
  ASSERT_NE(session, nullptr);
  const Ended run = RunToEnd(*session);
  EXPECT_EQ(run.output, std::string(300000, 'x'));
  EXPECT_EQ(run.status, 0);
}

TEST(PtySession, TypedBytesReachTheCommand) {
  auto session = Start({"sh", "-c", "read line; echo \"got $line\""});
  ASSERT_NE(session, nullptr);
  session->Write("abc\r");
  const Ended run = RunToEnd(*session);
  EXPECT_EQ(run.output, "abc\r\ngot abc\r\n");
  EXPECT_EQ(run.status, 0);
}

// Started from a background job, which ignores Ctrl+C and SIGQUIT, and with
// SIGINT blocked: the command is still interrupted, by a kill or by Ctrl+C.
TEST(PtySession, CtrlCInterruptsWhereTheTerminalIgnoresIt) {
  struct Case {
    std::vector<std::string> command;
    std::string typed;
  };
  const Case cases[] = {
      {{"sh", "-c", "kill -INT $$; exit 0"}, ""},
      {{"sh", "-c", "printf ready; sleep 10"}, "\x03"},
  };
  for (const Case& c : cases) {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction interrupt {}, quit {};
    sigaction(SIGINT, &ignore, &interrupt);
    sigaction(SIGQUIT, &ignore, &quit);
    sigset_t blocked, before;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGINT);
    pthread_sigmask(SIG_BLOCK, &blocked, &before);
    auto session = Start(c.command);
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    sigaction(SIGINT, &interrupt, nullptr);
    sigaction(SIGQUIT, &quit, nullptr);
    ASSERT_NE(session, nullptr);
    if (!c.typed.empty()) {
      ASSERT_NE(ReadUntil(*session, "ready").find("ready"), std::string::npos);
      session->Write(c.typed);
    }
    EXPECT_EQ(RunToEnd(*session).status, 130) << c.command.back();
  }
}

TEST(PtySession, ResizingTellsTheCommand) {
  auto session = Start({"sh", "-c", "printf ready; read x; stty size"});
  ASSERT_NE(session, nullptr);
  ASSERT_NE(ReadUntil(*session, "ready").find("ready"), std::string::npos);
  ASSERT_TRUE(session->Resize(30, 100));
  session->Write("\r");
  const Ended run = RunToEnd(*session);
  EXPECT_NE(run.output.find("30 100\r\n"), std::string::npos) << run.output;
}

TEST(PtySession, ACommandStillRunningIsHungUpOn) {
  testsupport::TempFolder folder;
  const auto mark = folder.Path() / "hung-up";
  {
    auto session = Start({"sh", "-c",
                          "trap 'echo hung up > \"$0\"; exit 0' HUP; printf ready; while :; do sleep 0.05; done",
                          mark.string()});
    ASSERT_NE(session, nullptr);
    ASSERT_NE(ReadUntil(*session, "ready").find("ready"), std::string::npos);
  }
  EXPECT_EQ(testsupport::ReadFile(mark), "hung up\n");
}

}  // namespace
