#include "WebServerConfiguration.h"

#include <gtest/gtest.h>

#include "fake/RecordingSystem.h"

namespace configurator {
namespace {

using platform::RegistryRoot;

constexpr const char* kApacheKey = "SOFTWARE\\Apache Group\\Apache\\2.0.54";
constexpr const char* kConf = "C:\\Apache2\\conf\\httpd.conf";
constexpr const char* kTmp = "C:\\Apache2\\conf\\httpd.tmp";

// The text one pass writes for the pieces.
std::string Apply(ConfigurationRewrite&& rewrite, const std::vector<std::string>& pieces) {
  std::string out;
  for (const auto& piece : pieces) out += rewrite.Feed(piece);
  return out + rewrite.Finish();
}

std::string Joined(const std::vector<std::string>& pieces) {
  std::string out;
  for (const auto& piece : pieces) out += piece;
  return out;
}

TEST(ServerIdentityRewriteTest, LooksOnlyForTheCurrentMarker) {
  EXPECT_EQ(Apply(ServerIdentityRewrite("C:\\Apache2", "name.example", "admin@example"),
                  {"ServerName early\n", "ServerAdmin early\n", "#ServerRoot \"x\"\n",
                   " ServerRoot \"x\"\n", "ServerRoot \"C:/old\"\n", "ServerRoot again\n",
                   "ServerName before admin\n", "ServerAdmin me@old\n", "ServerAdmin twice\n",
                   "#ServerName commented\n", "ServerName one\n", "ServerNameTwo\n", "end"}),
            Joined({"ServerName early\n", "ServerAdmin early\n", "#ServerRoot \"x\"\n",
                    " ServerRoot \"x\"\n",
                    "ServerRoot \"C:\\Apache2\"\n\nScriptAlias /cgi-bin/ \"C:\\Apache2/cgi-bin/\"\n\n",
                    "ServerRoot again\n", "ServerName before admin\n",
                    "ServerAdmin \"admin@example\"\n\n", "ServerAdmin twice\n",
                    "#ServerName commented\n", "ServerName \"name.example\"\n\n",
                    "ServerName \"name.example\"\n\n", "end"}));
}

TEST(DocumentRootRewriteTest, FollowsTheOldRootToItsDirectoryBlock) {
  EXPECT_EQ(Apply(DocumentRootRewrite("D:\\Home"),
                  {"<Directory \"C:/htdocs\">\n", "DocumentRoot \"C:/htdocs\"\n",
                   "DocumentRoot \"C:/second\"\n", "<Directory />\n",
                   "<Directory \"C:/htdocs\">\n", "<Directory \"C:/htdocs/sub\">\n",
                   "<Directory \"C:/htdocs\"> trailing\n", "<Directory \"C:/htdocs\">"}),
            Joined({"<Directory \"C:/htdocs\">\n",
                    "DocumentRoot \"D:\\Home\"\n\nPassEnv KOR_VERSION\nPassEnv PROP_PATH\n",
                    "DocumentRoot \"C:/second\"\n", "<Directory />\n",
                    "<Directory \"D:\\Home\">\n", "<Directory \"C:/htdocs/sub\">\n",
                    "<Directory \"D:\\Home\">\n", "<Directory \"D:\\Home\">\n"}));
}

TEST(DocumentRootRewriteTest, ALastLineWithoutLineEndLosesItsLastCharacter) {
  EXPECT_EQ(Apply(DocumentRootRewrite("H"), {"DocumentRoot \"C:/htdocs\"", "\n",
                                             "<Directory \"C:/htdocs\">\n",
                                             "<Directory \"C:/htdocs>\n"}),
            "DocumentRoot \"H\"\n\nPassEnv KOR_VERSION\nPassEnv PROP_PATH\n\n"
            "<Directory \"C:/htdocs\">\n<Directory \"H\">\n");
}

TEST(DocumentRootRewriteTest, ShortDocumentRootLinesGiveAnEmptyArgument) {
  for (const std::string line : {"DocumentRoot", "DocumentRoot\n", "DocumentRoot x"}) {
    EXPECT_EQ(Apply(DocumentRootRewrite("H"), {line, "<Directory >\n"}),
              "DocumentRoot \"H\"\n\nPassEnv KOR_VERSION\nPassEnv PROP_PATH\n"
              "<Directory \"H\">\n")
        << line;
  }
}

// A file that an earlier run rewrote: values change in place, nothing is
// inserted. Each case is the file before, the command's values and the file after.
struct RerunCase {
  std::string name;
  std::vector<std::string> pieces;
  bool identity;  // "apache" with root R, name N and address A; else "web_svr" to H
  std::string expected;
};

void PrintTo(const RerunCase& c, std::ostream* out) { *out << c.name; }

class RerunTest : public testing::TestWithParam<RerunCase> {};

TEST_P(RerunTest, ChangesOnlyTheValues) {
  const RerunCase& c = GetParam();
  const std::string out = c.identity ? Apply(ServerIdentityRewrite("R", "N", "A"), c.pieces)
                                     : Apply(DocumentRootRewrite("H"), c.pieces);
  EXPECT_EQ(out, c.expected);
}

const std::string kIdentityOnce =
    "ServerRoot \"R\"\n\nScriptAlias /cgi-bin/ \"R/cgi-bin/\"\n\nListen 80\n"
    "ServerAdmin \"A\"\n\nServerName \"N\"\n\n";
const std::string kRootOnce =
    "DocumentRoot \"H\"\n\nPassEnv KOR_VERSION\nPassEnv PROP_PATH\n<Directory \"H\">\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, RerunTest,
    testing::Values(
        RerunCase{"IdentitySameValuesSameBytes",
                  {"ServerRoot \"R\"\n", "\n", "ScriptAlias /cgi-bin/ \"R/cgi-bin/\"\n", "\n",
                   "Listen 80\n", "ServerAdmin \"A\"\n", "\n", "ServerName \"N\"\n", "\n"},
                  true, kIdentityOnce},
        RerunCase{"IdentityOtherValuesOnlyValues",
                  {"ServerRoot \"old\"\n", "\n", "ScriptAlias /cgi-bin/ \"old/cgi-bin/\"\n",
                   "\n", "Listen 80\n", "ServerAdmin \"a@old\"\n", "\n", "ServerName \"n\"\n",
                   "\n", "ServerName \"m\"\n"},
                  true, kIdentityOnce + "ServerName \"N\"\n"},
        RerunCase{"IdentityBlankWithoutScriptAliasIsAFirstRun",
                  {"ServerRoot x\n", "\n", "ServerAdmin a\n"}, true,
                  "ServerRoot \"R\"\n\nScriptAlias /cgi-bin/ \"R/cgi-bin/\"\n\n\n"
                  "ServerAdmin \"A\"\n\n"},
        RerunCase{"IdentityScriptAliasWithoutBlankIsAFirstRun",
                  {"ServerRoot x\n", "ScriptAlias /cgi-bin/ \"x\"\n", "ServerName n\n"}, true,
                  "ServerRoot \"R\"\n\nScriptAlias /cgi-bin/ \"R/cgi-bin/\"\n\n"
                  "ScriptAlias /cgi-bin/ \"x\"\n" "ServerName n\n"},
        RerunCase{"IdentityOtherAliasIsAFirstRun",
                  {"ServerRoot x\n", "\n", "ScriptAlias /icons/ \"x\"\n"}, true,
                  "ServerRoot \"R\"\n\nScriptAlias /cgi-bin/ \"R/cgi-bin/\"\n\n\n"
                  "ScriptAlias /icons/ \"x\"\n"},
        RerunCase{"IdentityAnchorAtTheEndIsAFirstRun", {"ServerRoot x\n", "\n"}, true,
                  "ServerRoot \"R\"\n\nScriptAlias /cgi-bin/ \"R/cgi-bin/\"\n\n\n"},
        RerunCase{"IdentityAdminRightAfterTheAnchor", {"ServerRoot x\n", "ServerAdmin a\n"},
                  true,
                  "ServerRoot \"R\"\n\nScriptAlias /cgi-bin/ \"R/cgi-bin/\"\n\n"
                  "ServerAdmin \"A\"\n\n"},
        RerunCase{"RootSameValueSameBytes",
                  {"DocumentRoot \"H\"\n", "\n", "PassEnv KOR_VERSION\n", "PassEnv PROP_PATH\n",
                   "<Directory \"H\">\n"},
                  false, kRootOnce},
        RerunCase{"RootOtherValueOnlyValues",
                  {"DocumentRoot \"G\"\n", "\n", "PassEnv KOR_VERSION\n", "PassEnv PROP_PATH\n",
                   "<Directory \"G\">\n", "<Directory \"H\">\n"},
                  false, kRootOnce + "<Directory \"H\">\n"},
        RerunCase{"RootOnePassEnvIsAFirstRun",
                  {"DocumentRoot \"G\"\n", "\n", "PassEnv KOR_VERSION\n", "<Directory \"G\">\n"},
                  false,
                  "DocumentRoot \"H\"\n\nPassEnv KOR_VERSION\nPassEnv PROP_PATH\n\n"
                  "PassEnv KOR_VERSION\n<Directory \"H\">\n"},
        RerunCase{"RootPassEnvInOtherOrderIsAFirstRun",
                  {"DocumentRoot \"G\"\n", "\n", "PassEnv PROP_PATH\n", "PassEnv KOR_VERSION\n"},
                  false,
                  "DocumentRoot \"H\"\n\nPassEnv KOR_VERSION\nPassEnv PROP_PATH\n\n"
                  "PassEnv PROP_PATH\nPassEnv KOR_VERSION\n"}),
    [](const testing::TestParamInfo<RerunCase>& param) { return param.param.name; });

class WebServerFrameTest : public testing::Test {
 protected:
  void SetRoot(const std::string& root) {
    system_.SetRegistryString(RegistryRoot::LocalMachine, kApacheKey, "ServerRoot", root);
  }
  void Identity() { ConfigureServerIdentity(operations_, {"apache", false, "N", "A"}); }
  std::vector<std::string> Effects() const {
    std::vector<std::string> effects;
    for (const auto& call : system_.Calls()) {
      if (call.rfind("registry", 0) != 0) effects.push_back(call);
    }
    return effects;
  }

  platform::RecordingSystem system_;
  Operations operations_{system_};
};

TEST_F(WebServerFrameTest, RewritesIntoTheTemporaryFileThenMovesBoth) {
  SetRoot("C:\\Apache2");
  system_.SetFile(kConf, "ServerRoot \"old\"\nServerAdmin a\nServerName n\n");
  Identity();
  EXPECT_EQ(*system_.File(kTmp),
            "ServerRoot \"C:\\Apache2\"\n\nScriptAlias /cgi-bin/ \"C:\\Apache2/cgi-bin/\"\n\n"
            "ServerAdmin \"A\"\n\nServerName \"N\"\n\n");
  EXPECT_EQ(Effects(),
            (std::vector<std::string>{
                "wait cursor on", "lock: C:\\Apache2\\conf\\httpd.lck within 30000 ms",
                "open r: C:\\Apache2\\conf\\httpd.conf", "open w: C:\\Apache2\\conf\\httpd.tmp",
                "shell: move \"C:\\Apache2\\conf\\httpd.conf\" \"C:\\Apache2\\conf\\httpd.old\"",
                "shell: move \"C:\\Apache2\\conf\\httpd.tmp\" \"C:\\Apache2\\conf\\httpd.conf\"",
                "unlock: C:\\Apache2\\conf\\httpd.lck", "wait cursor off"}));
}

TEST_F(WebServerFrameTest, PiecesOfLongLinesAreMatchedOneByOne) {
  SetRoot("R");
  const std::string filler(199, '#');
  system_.SetFile("R\\conf\\httpd.conf", filler + "ServerRoot \"x\"\n");
  Identity();
  EXPECT_EQ(*system_.File("R\\conf\\httpd.tmp"),
            filler + "ServerRoot \"R\"\n\nScriptAlias /cgi-bin/ \"R/cgi-bin/\"\n\n");
}

TEST_F(WebServerFrameTest, ReplacementsAreNotLimitedByThePieceBuffer) {
  const std::string home(240, 'h');
  SetRoot("R");
  system_.SetFile("R\\conf\\httpd.conf", "DocumentRoot \"x\"\n<Directory \"x\">\n");
  ConfigureDocumentRoot(operations_, {"web_svr", false, home, ""});
  EXPECT_EQ(*system_.File("R\\conf\\httpd.tmp"),
            "DocumentRoot \"" + home + "\"\n\nPassEnv KOR_VERSION\nPassEnv PROP_PATH\n" +
                "<Directory \"" + home + "\">\n");
}

TEST_F(WebServerFrameTest, RegistryFailuresStopBeforeAnyFile) {
  Identity();
  system_.SetRegistryKey(RegistryRoot::LocalMachine, kApacheKey);
  Identity();
  SetRoot(std::string(256, 'r'));
  Identity();
  EXPECT_EQ(system_.Messages(),
            (std::vector<std::string>{
                "Unable to open registry for environment settings!!!\n\nExiting.",
                "Unable to find Apache path.\n\nExiting.",
                "The registry value \"ServerRoot\" of HKEY_LOCAL_MACHINE\\SOFTWARE\\Apache "
                "Group\\Apache\\2.0.54 is longer than 255 characters.\n\nExiting."}));
  EXPECT_EQ(system_.CallsOf({"open "}), std::vector<std::string>{});
  EXPECT_EQ(system_.WaitCursorDepth(), 0);
}

TEST_F(WebServerFrameTest, AServerRootTooLongForTheMovesChangesNothing) {
  // "move "<root>\conf\httpd.conf" "<root>\conf\httpd.old"" is 2 * root + 41 characters.
  const std::string root(108, 'r');
  SetRoot(root);
  system_.SetFile(root + "\\conf\\httpd.conf", "ServerRoot x\n");
  Identity();
  EXPECT_EQ(system_.File(root + "\\conf\\httpd.tmp"), nullptr);
  ASSERT_EQ(system_.Messages().size(), 1u);
  EXPECT_EQ(system_.Messages()[0].rfind("Unable to run the command move \"rrr", 0), 0u);
}

TEST_F(WebServerFrameTest, AMissingConfigurationLeavesNoTemporaryFile) {
  SetRoot("C:\\Apache2");
  Identity();
  EXPECT_EQ(system_.File(kTmp), nullptr);
  EXPECT_EQ(system_.Messages(),
            std::vector<std::string>{"Unable to open either C:\\Apache2\\conf\\httpd.conf or "
                                     "C:\\Apache2\\conf\\httpd.tmp.\n\nWeb Server not configured."});
}

TEST_F(WebServerFrameTest, ATemporaryFileThatCannotBeCreatedKeepsTheConfiguration) {
  SetRoot("C:\\Apache2");
  system_.SetFile(kConf, "ServerRoot x\n");
  system_.RefuseOpening(kTmp);
  Identity();
  EXPECT_EQ(*system_.File(kConf), "ServerRoot x\n");
  EXPECT_EQ(system_.Messages().size(), 1u);
  EXPECT_EQ(system_.CallsOf({"shell"}), std::vector<std::string>{});
}

TEST_F(WebServerFrameTest, ALockHeldByAnotherRunLeavesEverythingAsItWas) {
  SetRoot("C:\\Apache2");
  system_.SetFile(kConf, "ServerRoot x\n");
  system_.HoldLock("C:\\Apache2\\conf\\httpd.lck");
  Identity();
  EXPECT_EQ(*system_.File(kConf), "ServerRoot x\n");
  EXPECT_EQ(system_.CallsOf({"open ", "shell"}), std::vector<std::string>{});
  EXPECT_EQ(system_.Messages(),
            std::vector<std::string>{"Unable to lock C:\\Apache2\\conf\\httpd.lck: another run is "
                                     "configuring the web server.\n\nWeb Server not configured."});
  EXPECT_EQ(system_.WaitCursorDepth(), 0);
}

// Nothing to rewrite: a message, and httpd.conf as it was, without a move.
struct NotFoundCase {
  std::string name;
  bool identity;
  std::string conf;
  std::string message;
};

void PrintTo(const NotFoundCase& c, std::ostream* out) { *out << c.name; }

class NothingToRewriteTest : public WebServerFrameTest,
                             public testing::WithParamInterface<NotFoundCase> {};

TEST_P(NothingToRewriteTest, SaysSoAndLeavesTheFile) {
  const NotFoundCase& c = GetParam();
  SetRoot("C:\\Apache2");
  system_.SetFile(kConf, c.conf);
  if (c.identity) {
    Identity();
  } else {
    ConfigureDocumentRoot(operations_, {"web_svr", false, "H", ""});
  }
  EXPECT_EQ(system_.Messages(), std::vector<std::string>{c.message});
  EXPECT_EQ(*system_.File(kConf), c.conf);
  EXPECT_EQ(system_.File(kTmp), nullptr);
  EXPECT_EQ(system_.CallsOf({"shell"}), std::vector<std::string>{});
  EXPECT_EQ(system_.CallsOf({"unlock"}),
            std::vector<std::string>{"unlock: C:\\Apache2\\conf\\httpd.lck"});
}

const std::string kNoServerRoot =
    "Unable to find a ServerRoot line in C:\\Apache2\\conf\\httpd.conf.\n\n"
    "The file was left as it was.";
const std::string kNoDocumentRoot =
    "Unable to find a DocumentRoot line in C:\\Apache2\\conf\\httpd.conf.\n\n"
    "The file was left as it was.";

INSTANTIATE_TEST_SUITE_P(
    Cases, NothingToRewriteTest,
    testing::Values(
        NotFoundCase{"IdentityInAnEmptyFile", true, "", kNoServerRoot},
        NotFoundCase{"IdentityWithOnlyAdminAndName", true, "ServerAdmin a\nServerName n\n",
                     kNoServerRoot},
        NotFoundCase{"IdentityWithACommentedRoot", true, "#ServerRoot x\n ServerRoot y\n",
                     kNoServerRoot},
        NotFoundCase{"RootInAnEmptyFile", false, "", kNoDocumentRoot},
        NotFoundCase{"RootWithOnlyADirectory", false, "<Directory \"x\">\n", kNoDocumentRoot},
        NotFoundCase{"RootIndented", false, "  DocumentRoot x\n", kNoDocumentRoot}),
    [](const testing::TestParamInfo<NotFoundCase>& param) { return param.param.name; });

}  // namespace
}  // namespace configurator
