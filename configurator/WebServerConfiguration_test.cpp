#include "WebServerConfiguration.h"

#include <gtest/gtest.h>

#include "fake/RecordingSystem.h"

namespace configurator {
namespace {

using platform::RegistryRoot;

constexpr const char* kApacheKey = "SOFTWARE\\Apache Group\\Apache\\2.0.54";
constexpr const char* kConf = "C:\\Apache2\\conf\\httpd.conf";
constexpr const char* kTmp = "C:\\Apache2\\conf\\httpd.tmp";

template <typename Rewrite>
std::vector<std::string> Apply(Rewrite rewrite, const std::vector<std::string>& pieces) {
  std::vector<std::string> out;
  for (const auto& piece : pieces) out.push_back(rewrite(piece));
  return out;
}

TEST(ServerIdentityRewriteTest, LooksOnlyForTheCurrentMarker) {
  ServerIdentityRewrite rewrite("C:\\Apache2", "name.example", "admin@example");
  EXPECT_EQ(Apply(rewrite,
                  {"ServerName early\n", "ServerAdmin early\n", "#ServerRoot \"x\"\n",
                   " ServerRoot \"x\"\n", "ServerRoot \"C:/old\"\n", "ServerRoot again\n",
                   "ServerName before admin\n", "ServerAdmin me@old\n", "ServerAdmin twice\n",
                   "#ServerName commented\n", "ServerName one\n", "ServerNameTwo\n", "end"}),
            (std::vector<std::string>{
                "ServerName early\n", "ServerAdmin early\n", "#ServerRoot \"x\"\n",
                " ServerRoot \"x\"\n",
                "ServerRoot \"C:\\Apache2\"\n\nScriptAlias /cgi-bin/ \"C:\\Apache2/cgi-bin/\"\n\n",
                "ServerRoot again\n", "ServerName before admin\n",
                "ServerAdmin \"admin@example\"\n\n", "ServerAdmin twice\n",
                "#ServerName commented\n", "ServerName \"name.example\"\n\n",
                "ServerName \"name.example\"\n\n", "end"}));
}

TEST(DocumentRootRewriteTest, FollowsTheOldRootToItsDirectoryBlock) {
  DocumentRootRewrite rewrite("D:\\Home");
  EXPECT_EQ(Apply(rewrite, {"<Directory \"C:/htdocs\">\n", "DocumentRoot \"C:/htdocs\"\n",
                            "DocumentRoot \"C:/second\"\n", "<Directory />\n",
                            "<Directory \"C:/htdocs\">\n", "<Directory \"C:/htdocs/sub\">\n",
                            "<Directory \"C:/htdocs\"> trailing\n", "<Directory \"C:/htdocs\">"}),
            (std::vector<std::string>{
                "<Directory \"C:/htdocs\">\n",
                "DocumentRoot \"D:\\Home\"\n\nPassEnv KOR_VERSION\nPassEnv PROP_PATH\n",
                "DocumentRoot \"C:/second\"\n", "<Directory />\n", "<Directory \"D:\\Home\">\n",
                "<Directory \"C:/htdocs/sub\">\n", "<Directory \"D:\\Home\">\n",
                "<Directory \"D:\\Home\">\n"}));
}

TEST(DocumentRootRewriteTest, ALastLineWithoutLineEndLosesItsLastCharacter) {
  DocumentRootRewrite rewrite("H");
  rewrite("DocumentRoot \"C:/htdocs\"");
  EXPECT_EQ(rewrite("<Directory \"C:/htdocs\">\n"), "<Directory \"C:/htdocs\">\n");
  EXPECT_EQ(rewrite("<Directory \"C:/htdocs>\n"), "<Directory \"H\">\n");
}

TEST(DocumentRootRewriteTest, ShortDocumentRootLinesGiveAnEmptyArgument) {
  for (const std::string line : {"DocumentRoot", "DocumentRoot\n", "DocumentRoot x"}) {
    DocumentRootRewrite rewrite("H");
    rewrite(line);
    EXPECT_EQ(rewrite("<Directory >\n"), "<Directory \"H\">\n") << line;
  }
}

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
                "wait cursor on", "open r: C:\\Apache2\\conf\\httpd.conf",
                "open w: C:\\Apache2\\conf\\httpd.tmp",
                "shell: move \"C:\\Apache2\\conf\\httpd.conf\" \"C:\\Apache2\\conf\\httpd.old\"",
                "shell: move \"C:\\Apache2\\conf\\httpd.tmp\" \"C:\\Apache2\\conf\\httpd.conf\"",
                "wait cursor off"}));
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

}  // namespace
}  // namespace configurator
