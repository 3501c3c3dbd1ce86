// The web server, data carry-over and installer check commands of the
// installed configurator, run on an emulated machine.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "Machine.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using testsupport::Machine;
using testsupport::RunResult;
using Strings = std::vector<std::string>;

// A realistic Apache 2.0 httpd.conf after samples/machine's, with CR LF
// line ends as on disk, cut at the lines the commands rewrite.
const std::string kBeforeServerRoot =
    "#\r\n"
    "# Web server configuration of the suite's home page server.\r\n"
    "#\r\n"
    "\r\n"
    "### Global environment\r\n"
    "\r\n"
    "#\r\n"
    "# ServerRoot: The top of the directory tree under which the server's\r\n"
    "# configuration, error, and log files are kept.\r\n"
    "#\r\n"
    "# Do NOT add a slash at the end of the directory path.\r\n"
    "#\r\n";
const std::string kServerRootLine =
    "ServerRoot \"C:/Program Files/Apache Group/Apache2\"\r\n";
const std::string kBeforeServerAdmin =
    "\r\n"
    "#\r\n"
    "# PidFile: The file in which the server should record its process\r\n"
    "# identification number when it starts.\r\n"
    "#\r\n"
    "PidFile logs/httpd.pid\r\n"
    "\r\n"
    "Timeout 300\r\n"
    "KeepAlive On\r\n"
    "MaxKeepAliveRequests 100\r\n"
    "KeepAliveTimeout 15\r\n"
    "\r\n"
    "<IfModule mpm_winnt.c>\r\n"
    "ThreadsPerChild 250\r\n"
    "MaxRequestsPerChild  0\r\n"
    "</IfModule>\r\n"
    "\r\n"
    "#\r\n"
    "# Listen: Allows you to bind Apache to chosen IP addresses and/or\r\n"
    "# ports, instead of the default.\r\n"
    "#\r\n"
    "Listen 80\r\n"
    "\r\n"
    "#\r\n"
    "# Dynamic Shared Object (DSO) Support\r\n"
    "#\r\n"
    "LoadModule access_module modules/mod_access.so\r\n"
    "LoadModule actions_module modules/mod_actions.so\r\n"
    "LoadModule alias_module modules/mod_alias.so\r\n"
    "LoadModule cgi_module modules/mod_cgi.so\r\n"
    "LoadModule dir_module modules/mod_dir.so\r\n"
    "LoadModule env_module modules/mod_env.so\r\n"
    "LoadModule log_config_module modules/mod_log_config.so\r\n"
    "LoadModule mime_module modules/mod_mime.so\r\n"
    "\r\n"
    "### The main server\r\n"
    "\r\n"
    "#\r\n"
    "# ServerAdmin: Your address, where problems with the server should be\r\n"
    "# e-mailed.  This address appears on some server-generated pages, such\r\n"
    "# as error documents.  e.g. admin@your-domain.com\r\n"
    "#\r\n";
const std::string kServerAdminLine =
    "ServerAdmin admin@example.com\r\n";
const std::string kBeforeServerName =
    "\r\n"
    "#\r\n"
    "# ServerName gives the name and port that the server uses to identify itself.\r\n"
    "#\r\n"
    "#ServerName www.example.com:80\r\n";
const std::string kServerNameLine =
    "ServerName localhost:80\r\n";
const std::string kBeforeDocumentRoot =
    "\r\n"
    "UseCanonicalName Off\r\n"
    "\r\n"
    "#\r\n"
    "# DocumentRoot: The directory out of which you will serve your\r\n"
    "# documents.\r\n"
    "#\r\n";
const std::string kDocumentRootLine =
    "DocumentRoot \"C:/Program Files/Apache Group/Apache2/htdocs\"\r\n";
const std::string kBeforeHtdocsDirectory =
    "\r\n"
    "#\r\n"
    "# Each directory to which Apache has access can be configured as\r\n"
    "# to which services and features are allowed and/or disabled in that\r\n"
    "# directory (and its subdirectories).\r\n"
    "#\r\n"
    "<Directory />\r\n"
    "    Options FollowSymLinks\r\n"
    "    AllowOverride None\r\n"
    "</Directory>\r\n"
    "\r\n"
    "#\r\n"
    "# This should be changed to whatever you set DocumentRoot to.\r\n"
    "#\r\n";
const std::string kHtdocsDirectoryLine =
    "<Directory \"C:/Program Files/Apache Group/Apache2/htdocs\">\r\n";
const std::string kAfterHtdocsDirectory =
    "    Options Indexes FollowSymLinks\r\n"
    "    AllowOverride None\r\n"
    "    Order allow,deny\r\n"
    "    Allow from all\r\n"
    "</Directory>\r\n"
    "\r\n"
    "DirectoryIndex index.html index.html.var\r\n"
    "\r\n"
    "AccessFileName .htaccess\r\n"
    "\r\n"
    "<Files ~ \"^\\.ht\">\r\n"
    "    Order allow,deny\r\n"
    "    Deny from all\r\n"
    "</Files>\r\n"
    "\r\n"
    "TypesConfig conf/mime.types\r\n"
    "DefaultType text/plain\r\n"
    "\r\n"
    "HostnameLookups Off\r\n"
    "ErrorLog logs/error.log\r\n"
    "LogLevel warn\r\n"
    "LogFormat \"%h %l %u %t \\\"%r\\\" %>s %b "
    "\\\"%{Referer}i\\\" \\\"%{User-Agent}i\\\"\" combined\r\n"
    "CustomLog logs/access.log combined\r\n"
    "\r\n"
    "ServerTokens Full\r\n"
    "ServerSignature On\r\n"
    "\r\n"
    "Alias /icons/ \"C:/Program Files/Apache Group/Apache2/icons/\"\r\n"
    "\r\n"
    "<Directory \"C:/Program Files/Apache Group/Apache2/icons\">\r\n"
    "    Options Indexes MultiViews\r\n"
    "    AllowOverride None\r\n"
    "    Order allow,deny\r\n"
    "    Allow from all\r\n"
    "</Directory>\r\n"
    "\r\n"
    "#\r\n"
    "# ScriptAlias: This controls which directories contain server scripts.\r\n"
    "#\r\n"
    "ScriptAlias /cgi-bin/ \"C:/Program Files/Apache Group/Apache2/cgi-bin/\"\r\n"
    "\r\n"
    "<Directory \"C:/Program Files/Apache Group/Apache2/cgi-bin\">\r\n"
    "    AllowOverride None\r\n"
    "    Options None\r\n"
    "    Order allow,deny\r\n"
    "    Allow from all\r\n"
    "</Directory>\r\n"
    "\r\n"
    "AddLanguage en .en\r\n"
    "AddLanguage fr .fr\r\n"
    "LanguagePriority en fr\r\n"
    "ForceLanguagePriority Prefer Fallback\r\n"
    "AddDefaultCharset ISO-8859-1\r\n"
    "\r\n"
    "AddType application/x-tar .tgz\r\n"
    "AddType image/x-icon .ico\r\n";

// Added to the sample: a folder below the document root and a virtual host
// whose directives are indented, as Apache's own examples write them.
const std::string kVirtualHosts =
    "\r\n"
    "#\r\n"
    "# The manual, below the document root.\r\n"
    "#\r\n"
    "Alias /manual \"C:/Program Files/Apache Group/Apache2/htdocs/manual\"\r\n"
    "<Directory \"C:/Program Files/Apache Group/Apache2/htdocs/manual\">\r\n"
    "    Options Indexes\r\n"
    "    AllowOverride None\r\n"
    "</Directory>\r\n"
    "\r\n"
    "#\r\n"
    "# Name-based virtual hosts.\r\n"
    "#\r\n"
    "NameVirtualHost *:80\r\n"
    "<VirtualHost *:80>\r\n"
    "    ServerAdmin webmaster@intranet.example.com\r\n"
    "    DocumentRoot \"C:/Program Files/Apache Group/Apache2/htdocs\"\r\n"
    "    ServerName intranet.example.com\r\n"
    "    ErrorLog logs/intranet-error.log\r\n"
    "</VirtualHost>\r\n";

const std::string kConfiguration = kBeforeServerRoot + kServerRootLine + kBeforeServerAdmin +
                                   kServerAdminLine + kBeforeServerName + kServerNameLine +
                                   kBeforeDocumentRoot + kDocumentRootLine +
                                   kBeforeHtdocsDirectory + kHtdocsDirectoryLine +
                                   kAfterHtdocsDirectory + kVirtualHosts;

const std::string kSampleRoot = "C:\\Program Files\\Apache Group\\Apache2";
const std::string kRoot = "C:\\Apache2";
const std::string kConf = "C:\\Apache2\\conf\\httpd.conf";
const std::string kOld = "C:\\Apache2\\conf\\httpd.old";
const std::string kTmp = "C:\\Apache2\\conf\\httpd.tmp";
const std::string kTwoMoves = "        1 file(s) moved.\n        1 file(s) moved.\n";
const std::string kOneCopied = "        1 file(s) copied.\n";
const std::string kNotFound = "The system cannot find the file specified.\n";

// What the rewrites put in, as written on disk, for the short root "C:\Apache2".
const std::string kRootLines =
    "ServerRoot \"C:\\Apache2\"\r\n\r\nScriptAlias /cgi-bin/ \"C:\\Apache2/cgi-bin/\"\r\n\r\n";
const std::string kAdminLines = "ServerAdmin \"admin@brenmoor.test\"\r\n\r\n";
const std::string kNameLines = "ServerName \"www.brenmoor.test\"\r\n\r\n";
const std::string kHomeLines =
    "DocumentRoot \"C:\\Home\"\r\n\r\nPassEnv KOR_VERSION\r\nPassEnv PROP_PATH\r\n";
const std::string kHomeDirectory = "<Directory \"C:\\Home\">\r\n";

const Strings kApache = {"-c", "apache", "-d", "www.brenmoor.test", "admin@brenmoor.test"};
const Strings kWebServer = {"-c", "web_svr", "-d", "C:\\Home"};

std::string Message(const std::string& text) { return "Kelvane|" + text; }

// REGEDIT4 escapes backslashes and quotes in string values.
std::string RegistryText(std::string_view text) {
  std::string escaped;
  for (char c : text) {
    if (c == '\\' || c == '"') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

std::string ApacheKey(std::string_view values) {
  return "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Apache Group\\Apache\\2.0.54]\r\n" + std::string(values);
}

void SetServerRoot(Machine& machine, std::string_view root) {
  machine.SetRegistry(ApacheKey("\"ServerRoot\"=\"" + RegistryText(root) + "\"\r\n"));
}

// Every entry below a host folder, sorted: folders end in "/", links show
// their target.
Strings Entries(const fs::path& folder) {
  Strings entries;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    std::string name = entry.path().lexically_relative(folder).generic_string();
    if (entry.is_symlink()) {
      name += " -> " + fs::read_symlink(entry.path()).string();
    } else if (entry.is_directory()) {
      name += "/";
    }
    entries.push_back(name);
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

// The machine without the harness's own files.
Strings MachineTree(const Machine& machine) {
  Strings entries;
  for (const auto& entry : Entries(machine.Root())) {
    if (entry != "registry.reg" && entry != "messages.jsonl" && entry != "stdout.txt" &&
        entry != "stderr.txt") {
      entries.push_back(entry);
    }
  }
  return entries;
}

// Large files are compared without printing them whole.
testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected) {
  if (actual == expected) return testing::AssertionSuccess();
  const auto difference = std::mismatch(actual.begin(), actual.end(), expected.begin(),
                                        expected.end());
  const auto at = static_cast<std::size_t>(difference.first - actual.begin());
  return testing::AssertionFailure()
         << actual.size() << " bytes instead of " << expected.size() << ", first difference at "
         << at << ": " << testing::PrintToString(actual.substr(at, 40)) << " instead of "
         << testing::PrintToString(expected.substr(at, 40));
}

// Both files after a successful rewrite, and nothing else in the folder.
void ExpectRewritten(const Machine& machine, const RunResult& run, const std::string& before,
                     const std::string& after) {
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.out, kTwoMoves);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(machine.Messages(), Strings{});
  EXPECT_TRUE(SameBytes(machine.File(kConf), after));
  EXPECT_TRUE(SameBytes(machine.File(kOld), before));
  EXPECT_EQ(Entries(machine.Host("C:\\Apache2\\conf")), (Strings{"httpd.conf", "httpd.old"}));
}

TEST(KelvaneApacheTest, RewritesTheSampleConfigurationAndKeepsTheOldOne) {
  Machine machine;
  SetServerRoot(machine, kSampleRoot);
  const std::string conf = kSampleRoot + "\\conf\\httpd.conf";
  const std::string old = kSampleRoot + "\\conf\\httpd.old";
  machine.SetFile(conf, kConfiguration);

  const std::string rootLines =
      "ServerRoot \"C:\\Program Files\\Apache Group\\Apache2\"\r\n"
      "\r\n"
      "ScriptAlias /cgi-bin/ \"C:\\Program Files\\Apache Group\\Apache2/cgi-bin/\"\r\n"
      "\r\n";
  const std::string unchangedTail = kBeforeDocumentRoot + kDocumentRootLine +
                                    kBeforeHtdocsDirectory + kHtdocsDirectoryLine +
                                    kAfterHtdocsDirectory + kVirtualHosts;
  const std::string first = kBeforeServerRoot + rootLines + kBeforeServerAdmin +
                            "ServerAdmin \"webmaster@brenmoor.test\"\r\n\r\n" +
                            kBeforeServerName + "ServerName \"www.brenmoor.test\"\r\n\r\n" +
                            unchangedTail;
  auto run = machine.Run("kelvane", {"-c", "apache", "-d", "www.brenmoor.test",
                                     "webmaster@brenmoor.test"});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.out, kTwoMoves);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(machine.File(conf), first);
  EXPECT_EQ(machine.File(old), kConfiguration);

  // The first run's lines are found again and only their values change.
  const std::string second =
      kBeforeServerRoot + rootLines + kBeforeServerAdmin +
      "ServerAdmin \"root@intranet.test\"\r\n\r\n" + kBeforeServerName +
      "ServerName \"intranet.test\"\r\n\r\n" + unchangedTail;
  run = machine.Run("kelvane", {"-c", "apache", "-d", "intranet.test", "root@intranet.test"});
  EXPECT_EQ(run.out, kTwoMoves);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(machine.File(conf), second);
  EXPECT_EQ(machine.File(old), first);

  EXPECT_EQ(machine.Messages(), Strings{});
  EXPECT_EQ(MachineTree(machine),
            (Strings{"c/", "c/Kelvane.txt", "c/Program Files/", "c/Program Files/Apache Group/",
                     "c/Program Files/Apache Group/Apache2/",
                     "c/Program Files/Apache Group/Apache2/conf/",
                     "c/Program Files/Apache Group/Apache2/conf/httpd.conf",
                     "c/Program Files/Apache Group/Apache2/conf/httpd.old"}));
}

TEST(KelvaneWebServerTest, RewritesTheSampleDocumentRootAndItsDirectoryBlock) {
  Machine machine;
  SetServerRoot(machine, kSampleRoot);
  const std::string conf = kSampleRoot + "\\conf\\httpd.conf";
  const std::string old = kSampleRoot + "\\conf\\httpd.old";
  machine.SetFile(conf, kConfiguration);

  const std::string unchangedHead = kBeforeServerRoot + kServerRootLine + kBeforeServerAdmin +
                                    kServerAdminLine + kBeforeServerName + kServerNameLine +
                                    kBeforeDocumentRoot;
  const std::string passEnv = "PassEnv KOR_VERSION\r\nPassEnv PROP_PATH\r\n";
  const std::string first = unchangedHead + "DocumentRoot \"C:\\Brenmoor\\Home Page\"\r\n\r\n" +
                            passEnv + kBeforeHtdocsDirectory +
                            "<Directory \"C:\\Brenmoor\\Home Page\">\r\n" +
                            kAfterHtdocsDirectory + kVirtualHosts;
  auto run = machine.Run("kelvane", {"-c", "web_svr", "-d", "C:\\Brenmoor\\Home Page"});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.out, kTwoMoves);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(machine.File(conf), first);
  EXPECT_EQ(machine.File(old), kConfiguration);

  // The new document root leads to the block the first run rewrote; the
  // PassEnv lines are not added again.
  const std::string second = unchangedHead + "DocumentRoot \"D:\\Intranet\"\r\n\r\n" + passEnv +
                             kBeforeHtdocsDirectory +
                             "<Directory \"D:\\Intranet\">\r\n" + kAfterHtdocsDirectory +
                             kVirtualHosts;
  run = machine.Run("kelvane", {"-c", "web_svr", "-d", "D:\\Intranet"});
  EXPECT_EQ(run.out, kTwoMoves);
  EXPECT_EQ(machine.File(conf), second);
  EXPECT_EQ(machine.File(old), first);
  EXPECT_EQ(machine.Messages(), Strings{});
}

struct RewriteCase {
  std::string what;
  std::string before;
  std::string after;
};

void ExpectRewrites(const Strings& arguments, const std::vector<RewriteCase>& cases) {
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Machine machine;
    SetServerRoot(machine, kRoot);
    machine.SetFile(kConf, c.before);
    ExpectRewritten(machine, machine.Run("kelvane", arguments), c.before, c.after);
  }
}

TEST(KelvaneApacheTest, RewritesPiecesByTheirFirstCharacters) {
  const std::string sampleWithoutServerName = kBeforeServerRoot + kServerRootLine +
                                              kBeforeServerAdmin + kServerAdminLine +
                                              kBeforeServerName + kBeforeDocumentRoot +
                                              kDocumentRootLine + kAfterHtdocsDirectory;
  ExpectRewrites(
      kApache,
      {
          {"the only ServerName is commented out", sampleWithoutServerName,
           kBeforeServerRoot + kRootLines + kBeforeServerAdmin + kAdminLines +
               kBeforeServerName + kBeforeDocumentRoot + kDocumentRootLine +
               kAfterHtdocsDirectory},
          {"each marker only after the one before it",
           "ServerName early\r\nServerAdmin early\r\nServerRoot \"C:/old\"\r\n"
           "ServerName middle\r\nServerAdmin a@old\r\nServerRoot again\r\n"
           "ServerAdmin again\r\nServerName one\r\nServerName two\r\nServerRoot late\r\n",
           "ServerName early\r\nServerAdmin early\r\n" + kRootLines + "ServerName middle\r\n" +
               kAdminLines + "ServerRoot again\r\nServerAdmin again\r\n" + kNameLines +
               kNameLines + "ServerRoot late\r\n"},
          {"comments and indented lines",
           "#ServerRoot \"C:/x\"\r\n ServerRoot \"C:/x\"\r\n\tServerRoot \"C:/x\"\r\n"
           "# ServerRoot\r\nServerRoot \"C:/x\"\r\n  ServerAdmin a@x\r\n#ServerAdmin a@x\r\n"
           "ServerAdmin a@x\r\n<VirtualHost *:80>\r\n    ServerName v.test\r\n"
           "</VirtualHost>\r\n",
           "#ServerRoot \"C:/x\"\r\n ServerRoot \"C:/x\"\r\n\tServerRoot \"C:/x\"\r\n"
           "# ServerRoot\r\n" +
               kRootLines + "  ServerAdmin a@x\r\n#ServerAdmin a@x\r\n" + kAdminLines +
               "<VirtualHost *:80>\r\n    ServerName v.test\r\n</VirtualHost>\r\n"},
          {"no line end at the end", "ServerRoot \"C:/x\"\r\nServerAdmin a@x\r\nServerName old",
           kRootLines + kAdminLines + kNameLines},
          {"a last comment without line end", "ServerRoot x\r\n# the end",
           kRootLines + "# the end"},
          {"LF line ends", "# lf\nServerRoot x\nListen 80\nServerAdmin y\n",
           "# lf\r\n" + kRootLines + "Listen 80\r\n" + kAdminLines},
          {"stray CRs", "Listen 80\r\r\n# a\rb\r\nServerRoot x\r\n\r",
           "Listen 80\r\r\n# a\rb\r\n" + kRootLines + "\r"},
          {"NUL bytes",
           "# \0 nul\r\n\0ServerRoot x\r\nServerRoot x\0y\r\nLoadModule a\0b c.so\r\n"
           "ServerAdmin \0\r\nServerName n\r\n\0\0\0"s,
           "# \0 nul\r\n\0ServerRoot x\r\n"s + kRootLines + "LoadModule a\0b c.so\r\n"s +
               kAdminLines + kNameLines + "\0\0\0"s},
          // Text mode reads CR LF as one character: a piece holds 199 of them.
          {"pieces of 199 characters",
           std::string(199, '#') + "ServerRoot \"x\"\r\n" + "#" + std::string(197, 'x') +
               "ServerAdmin a\r\n" + "ServerAdmin a\r\n" + std::string(200, '#') +
               "ServerName n\r\n" + std::string(198, '#') + "\r\n" + "ServerName n\r\n" +
               std::string(199, '#') + "\r\n" + "ServerName n",
           std::string(199, '#') + kRootLines + "#" + std::string(197, 'x') +
               "ServerAdmin a\r\n" + kAdminLines + std::string(200, '#') + "ServerName n\r\n" +
               std::string(198, '#') + "\r\n" + kNameLines + std::string(199, '#') + "\r\n" +
               kNameLines},
      });
}

TEST(KelvaneWebServerTest, RewritesTheFirstDocumentRootAndTheBlocksAfterIt) {
  ExpectRewrites(
      kWebServer,
      {
          {"the sample's start and end around the document root",
           kBeforeDocumentRoot + kDocumentRootLine + kBeforeHtdocsDirectory +
               kHtdocsDirectoryLine + kAfterHtdocsDirectory + kVirtualHosts,
           kBeforeDocumentRoot + kHomeLines + kBeforeHtdocsDirectory + kHomeDirectory +
               kAfterHtdocsDirectory + kVirtualHosts},
          // Only pieces after it are looked at: its block, before it, stays.
          {"DocumentRoot last, without line end",
           kBeforeHtdocsDirectory + kHtdocsDirectoryLine + kAfterHtdocsDirectory +
               "DocumentRoot \"C:/Program Files/Apache Group/Apache2/htdocs\"",
           kBeforeHtdocsDirectory + kHtdocsDirectoryLine + kAfterHtdocsDirectory + kHomeLines},
          {"only later blocks, only the first DocumentRoot",
           "<Directory \"C:/htdocs\">\r\n# DocumentRoot \"C:/x\"\r\n  DocumentRoot \"C:/x\"\r\n"
           "DocumentRoot \"C:/htdocs\"\r\nDocumentRoot \"C:/second\"\r\n"
           "<Directory \"C:/htdocs\">\r\n<Directory \"C:/htdocs/sub\">\r\n"
           "  <Directory \"C:/htdocs\">\r\n<Directory \"C:/second\">\r\n"
           "<Directory \"C:/htdocs\">\r\n",
           "<Directory \"C:/htdocs\">\r\n# DocumentRoot \"C:/x\"\r\n  DocumentRoot \"C:/x\"\r\n" +
               kHomeLines + "DocumentRoot \"C:/second\"\r\n" + kHomeDirectory +
               "<Directory \"C:/htdocs/sub\">\r\n  <Directory \"C:/htdocs\">\r\n"
               "<Directory \"C:/second\">\r\n" +
               kHomeDirectory},
          {"a document root without quotes",
           "DocumentRoot C:/htdocs\r\n<Directory C:/htdocs>\r\n<Directory \"C:/htdocs\">\r\n",
           kHomeLines + kHomeDirectory + "<Directory \"C:/htdocs\">\r\n"},
          {"the continuation of a long line begins with the marker",
           "#" + std::string(198, '-') + "DocumentRoot \"C:/htdocs\"\r\n" +
               "#" + std::string(198, '-') + "<Directory \"C:/htdocs\">\r\n",
           "#" + std::string(198, '-') + kHomeLines + "#" + std::string(198, '-') +
               kHomeDirectory},
          // Its first piece is replaced, the rest of the line stays, and the
          // cut marker finds no block.
          {"a DocumentRoot longer than a piece",
           "DocumentRoot \"C:/" + std::string(250, 'd') + "\"\r\n<Directory \"C:/" +
               std::string(250, 'd') + "\">\r\n",
           kHomeLines + std::string(68, 'd') + "\"\r\n<Directory \"C:/" + std::string(250, 'd') +
               "\">\r\n"},
      });
}

// Comment lines of 64 bytes on disk, about bytes in all.
std::string Comments(std::size_t bytes) {
  const std::string line = "# " + std::string(60, 'c') + "\r\n";
  std::string text;
  text.reserve(bytes + line.size());
  while (text.size() < bytes) text += line;
  return text;
}

TEST(KelvaneApacheTest, LargeInputsLoseNothing) {
  const std::string longComment = "#" + std::string(99'999, 'x') + "\r\n";
  const std::string longDirective = "LoadModule " + std::string(100'000 - 11, 'l') + "\r\n";
  const std::string longTail(100'000, 'z');
  const std::string megabytes = Comments(10'000'000);
  const std::string some = Comments(5'000'000);
  ExpectRewrites(
      kApache,
      {
          // Only the first piece of the long ServerName line is replaced.
          {"lines of 100 000 characters",
           longComment + "ServerRoot \"C:/old\"\r\n" + longDirective + "ServerAdmin a@old\r\n" +
               "ServerName " + std::string(100'000 - 11, 'n') + "\r\n" + longTail,
           longComment + kRootLines + longDirective + kAdminLines + kNameLines +
               std::string(100'000 - 199, 'n') + "\r\n" + longTail},
          {"20 MB of comments",
           megabytes + "ServerRoot x\r\n" + some + "ServerAdmin y\r\n" + some +
               "ServerName z\r\n# end",
           megabytes + kRootLines + some + kAdminLines + some + kNameLines + "# end"},
      });
}

// One run of either command over a configuration that cannot be rewritten.
struct FailureCase {
  std::string what;
  void (*prepare)(Machine&);
  std::string message;
  Strings confFolderAfter;
  bool smallFileLimit = false;
};

// Files of the programs run meanwhile cannot grow past 16 KB: writes beyond
// fail as on a full disk.
class SmallFileLimit {
 public:
  SmallFileLimit() {
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit small = saved_;
    small.rlim_cur = 16 * 1024;
    setrlimit(RLIMIT_FSIZE, &small);
    // Ignored, the signal leaves the failed write to report the error.
    previous_ = signal(SIGXFSZ, SIG_IGN);
  }
  ~SmallFileLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, previous_);
  }
  SmallFileLimit(const SmallFileLimit&) = delete;
  SmallFileLimit& operator=(const SmallFileLimit&) = delete;

 private:
  rlimit saved_{};
  sighandler_t previous_ = SIG_DFL;
};

void SampleAndFullDisk(Machine& machine) {
  machine.SetFile(kConf, kConfiguration);
  fs::create_symlink("/dev/full", machine.Host(kTmp));
}

void LargeAndFullDisk(Machine& machine) {
  machine.SetFile(kConf, Comments(64'000) + kConfiguration);
  fs::create_symlink("/dev/full", machine.Host(kTmp));
}

TEST(KelvaneWebServerTest, FileFailuresKeepTheConfiguration) {
  const std::string openFailed =
      "Unable to open either C:\\Apache2\\conf\\httpd.conf or C:\\Apache2\\conf\\httpd.tmp."
      "\n\nWeb Server not configured.";
  const std::string writeFailed =
      "Unable to write C:\\Apache2\\conf\\httpd.tmp.\n\nWeb Server not configured.";
  const std::string readFailed =
      "Unable to read C:\\Apache2\\conf\\httpd.conf.\n\nWeb Server not configured.";
  const std::vector<FailureCase> cases = {
      {"no httpd.conf",
       [](Machine& machine) { fs::create_directories(machine.Host("C:\\Apache2\\conf")); },
       openFailed, {}},
      {"httpd.conf is a folder",
       [](Machine& machine) { fs::create_directories(machine.Host(kConf)); }, openFailed,
       {"httpd.conf/"}},
      {"httpd.tmp cannot be created",
       [](Machine& machine) {
         machine.SetFile(kConf, kConfiguration);
         fs::create_directories(machine.Host(kTmp));
       },
       openFailed, {"httpd.conf", "httpd.tmp/"}},
      {"the disk is full when httpd.tmp is closed", SampleAndFullDisk, writeFailed,
       {"httpd.conf"}},
      {"the disk is full while httpd.tmp is written", LargeAndFullDisk, writeFailed,
       {"httpd.conf"}},
      {"httpd.tmp reaches the file size limit",
       [](Machine& machine) { machine.SetFile(kConf, Comments(64'000) + kConfiguration); },
       writeFailed, {"httpd.conf"}, true},
      // Reading a process's memory at address 0 fails.
      {"httpd.conf cannot be read",
       [](Machine& machine) {
         fs::create_directories(machine.Host("C:\\Apache2\\conf"));
         fs::create_symlink("/proc/self/mem", machine.Host(kConf));
       },
       readFailed, {"httpd.conf -> /proc/self/mem"}},
  };
  for (const Strings& arguments : {kApache, kWebServer}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(arguments[1] + ": " + c.what);
      Machine machine;
      SetServerRoot(machine, kRoot);
      c.prepare(machine);
      const bool keepsBytes = fs::is_regular_file(fs::symlink_status(machine.Host(kConf)));
      const std::string before = keepsBytes ? machine.File(kConf) : "";
      RunResult run;
      if (c.smallFileLimit) {
        SmallFileLimit limit;
        run = machine.Run("kelvane", arguments);
      } else {
        run = machine.Run("kelvane", arguments);
      }
      EXPECT_EQ(run.exitStatus, 0);
      EXPECT_EQ(run.out, "");
      EXPECT_EQ(run.err, "Kelvane\n" + c.message + "\n");
      EXPECT_EQ(machine.Messages(), Strings{Message(c.message)});
      EXPECT_EQ(Entries(machine.Host("C:\\Apache2\\conf")), c.confFolderAfter);
      if (keepsBytes) {
        EXPECT_TRUE(SameBytes(machine.File(kConf), before));
      }
    }
  }
}

TEST(KelvaneWebServerTest, RegistryAndLengthLimitsStopBeforeAnyFile) {
  const std::string keyName = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Apache Group\\Apache\\2.0.54";
  const std::string root255 = "C:\\" + std::string(252, 'r');
  const std::string root256 = "C:\\" + std::string(253, 'r');
  const std::string root108 = "C:\\" + std::string(105, 'r');
  ASSERT_EQ(root255.size(), 255u);
  ASSERT_EQ(root256.size(), 256u);
  const auto tooLong = [](const std::string& root) {
    return "Unable to run the command move \"" + root + "\\conf\\httpd.conf\" \"" + root +
           "\\conf\\httpd.old\"\nbecause it is longer than 255 characters.\n\nNothing was run.";
  };
  struct Case {
    std::string what;
    std::string registry;
    std::string root;  // where httpd.conf lies
    std::string message;
  };
  const std::vector<Case> cases = {
      {"no Apache key", "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Apache Group]\r\n\"x\"=\"y\"\r\n", kRoot,
       "Unable to open registry for environment settings!!!\n\nExiting."},
      {"no ServerRoot value", ApacheKey("\"Version\"=\"2.0.54\"\r\n"), kRoot,
       "Unable to find Apache path.\n\nExiting."},
      {"a ServerRoot of 256 characters", ApacheKey("\"ServerRoot\"=\"" + RegistryText(root256) +
                                                   "\"\r\n"),
       root256,
       "The registry value \"ServerRoot\" of " + keyName +
           " is longer than 255 characters.\n\nExiting."},
      // Read whole: it is the move that no longer fits.
      {"a ServerRoot of 255 characters", ApacheKey("\"ServerRoot\"=\"" + RegistryText(root255) +
                                                   "\"\r\n"),
       root255, tooLong(root255)},
      {"a ServerRoot of 108 characters", ApacheKey("\"ServerRoot\"=\"" + RegistryText(root108) +
                                                   "\"\r\n"),
       root108, tooLong(root108)},
  };
  for (const Strings& arguments : {kApache, kWebServer}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(arguments[1] + ": " + c.what);
      Machine machine;
      machine.SetRegistry(c.registry);
      machine.SetFile(c.root + "\\conf\\httpd.conf", kConfiguration);
      const Strings before = MachineTree(machine);
      auto run = machine.Run("kelvane", arguments);
      EXPECT_EQ(run.out, "");
      EXPECT_EQ(machine.Messages(), Strings{Message(c.message)});
      EXPECT_EQ(machine.File(c.root + "\\conf\\httpd.conf"), kConfiguration);
      Strings after = before;
      after.push_back("c/Kelvane.txt");
      std::sort(after.begin(), after.end());
      EXPECT_EQ(MachineTree(machine), after);
    }
  }
}

TEST(KelvaneApacheTest, AServerRootOf107CharactersJustFits) {
  const std::string root = "C:\\Web Server\\" + std::string(93, 'r');
  const std::string keepOld = "move \"" + root + "\\conf\\httpd.conf\" \"" + root +
                              "\\conf\\httpd.old\"";
  ASSERT_EQ(root.size(), 107u);
  ASSERT_EQ(keepOld.size(), 255u);
  for (const Strings& arguments : {kApache, kWebServer}) {
    SCOPED_TRACE(arguments[1]);
    Machine machine;
    SetServerRoot(machine, root);
    machine.SetFile(root + "\\conf\\httpd.conf", "ServerRoot x\r\nDocumentRoot \"y\"\r\n");
    auto run = machine.Run("kelvane", arguments);
    EXPECT_EQ(run.out, kTwoMoves);
    EXPECT_EQ(machine.Messages(), Strings{});
    EXPECT_EQ(machine.File(root + "\\conf\\httpd.old"), "ServerRoot x\r\nDocumentRoot \"y\"\r\n");
    EXPECT_EQ(machine.File(root + "\\conf\\httpd.conf"),
              arguments[1] == "apache"
                  ? "ServerRoot \"" + root + "\"\r\n\r\nScriptAlias /cgi-bin/ \"" + root +
                        "/cgi-bin/\"\r\n\r\nDocumentRoot \"y\"\r\n"
                  : "ServerRoot x\r\n" + kHomeLines);
  }
}

TEST(KelvaneWebServerTest, BlanksQuotesSemicolonsAndAmpersandsAreOnlyText) {
  Machine machine;
  const std::string root = "C:\\Web & Co; Server";
  SetServerRoot(machine, root);
  machine.SetFile(root + "\\conf\\httpd.conf",
                  "ServerRoot x\r\nServerAdmin y\r\nServerName z\r\nDocumentRoot \"C:/htdocs\"\r\n"
                  "<Directory \"C:/htdocs\">\r\n");
  const std::string name = "a \"b\" c; d & echo e > C:\\name.txt";
  const std::string admin = "x&y;\"z\" | w";
  const std::string home = "C:\\My \"Home\" Page; & echo x > C:\\pwned.txt";
  auto apache = machine.Run("kelvane", {"-c", "apache", "-d", name, admin});
  auto webServer = machine.Run("kelvane", {"-c", "web_svr", "-d", home});
  EXPECT_EQ(apache.out, kTwoMoves);
  EXPECT_EQ(webServer.out, kTwoMoves);
  EXPECT_EQ(apache.err + webServer.err, "");
  EXPECT_EQ(machine.Messages(), Strings{});
  EXPECT_EQ(machine.File(root + "\\conf\\httpd.conf"),
            "ServerRoot \"C:\\Web & Co; Server\"\r\n\r\n"
            "ScriptAlias /cgi-bin/ \"C:\\Web & Co; Server/cgi-bin/\"\r\n\r\n"
            "ServerAdmin \"x&y;z | w\"\r\n\r\n"
            "ServerName \"a b c; d & echo e > C:\\name.txt\"\r\n\r\n"
            "DocumentRoot \"C:\\My Home Page; & echo x > C:\\pwned.txt\"\r\n\r\n"
            "PassEnv KOR_VERSION\r\nPassEnv PROP_PATH\r\n"
            "<Directory \"C:\\My Home Page; & echo x > C:\\pwned.txt\">\r\n");
  EXPECT_EQ(MachineTree(machine),
            (Strings{"c/", "c/Kelvane.txt", "c/Web & Co; Server/", "c/Web & Co; Server/conf/",
                     "c/Web & Co; Server/conf/httpd.conf", "c/Web & Co; Server/conf/httpd.old"}));
  // Logged as given, quotes and all.
  const std::string log = machine.File("C:\\Kelvane.txt");
  EXPECT_NE(log.find("\r\n\t-d " + name + " " + admin + "\r\n"), std::string::npos) << log;
  EXPECT_NE(log.find("\r\n\t-d " + home + " \r\n"), std::string::npos) << log;
}

TEST(KelvaneCopyTest, DataFilesOfTheTopFolderReplaceTheirNamesakes) {
  const std::string binary = "\0\x1a\xff\r\nbytes\n"s;
  for (const std::string command : {"DREX", "PELL"}) {
    SCOPED_TRACE(command);
    Machine machine;
    machine.SetFile("C:\\Old Data\\a.txt", "new a\r\n");
    machine.SetFile("C:\\Old Data\\B.DAT", binary);
    machine.SetFile("C:\\Old Data\\noext", "new n");
    machine.SetFile("C:\\Old Data\\sub\\inner.txt", "inner");
    // Names are one whatever their case: A.TXT is a.txt's namesake.
    machine.SetFile("C:\\New Data\\A.TXT", "old a, longer than the new one\r\n");
    machine.SetFile("C:\\New Data\\noext", "old n");
    machine.SetFile("C:\\New Data\\keep.txt", "keep");
    auto run = machine.Run("kelvane", {"-c", command, "-d", "C:\\New Data", "C:\\Old Data"});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out,
              "C:\\Old Data\\a.txt\nC:\\Old Data\\B.DAT\nC:\\Old Data\\noext\n"
              "        3 file(s) copied.\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(machine.Messages(), Strings{});
    EXPECT_EQ(Entries(machine.Host("C:\\New Data")),
              (Strings{"A.TXT", "B.DAT", "keep.txt", "noext"}));
    EXPECT_EQ(machine.File("C:\\New Data\\A.TXT"), "new a\r\n");
    EXPECT_EQ(machine.File("C:\\New Data\\B.DAT"), binary);
    EXPECT_EQ(machine.File("C:\\New Data\\noext"), "new n");
    EXPECT_EQ(machine.File("C:\\New Data\\keep.txt"), "keep");
    EXPECT_EQ(Entries(machine.Host("C:\\Old Data")),
              (Strings{"B.DAT", "a.txt", "noext", "sub/", "sub/inner.txt"}));
  }
}

TEST(KelvaneCopyTest, AnEmptyOldFolderCopiesNothingWithoutAMessage) {
  Machine machine;
  fs::create_directories(machine.Host("C:\\Old"));
  fs::create_directories(machine.Host("C:\\New"));
  auto run = machine.Run("kelvane", {"-c", "DREX", "-d", "C:\\New", "C:\\Old"});
  EXPECT_EQ(run.out, "        0 file(s) copied.\n");
  EXPECT_EQ(run.err, kNotFound);
  EXPECT_EQ(machine.Messages(), Strings{});
  EXPECT_EQ(MachineTree(machine), (Strings{"c/", "c/Kelvane.txt", "c/New/", "c/Old/"}));
}

TEST(KelvaneCopyTest, BlanksQuotesSemicolonsAndAmpersandsAreOnlyPathText) {
  // Left in, the quotes would end the path early and put "> C:\pwned.txt"
  // outside them, where it redirects.
  const std::string given = "C:\\Old \"&\" Data\" > C:\\pwned.txt & \"x";
  const std::string folder = "C:\\Old & Data > C:\\pwned.txt & x";
  Machine machine;
  machine.SetFile(folder + "\\a;b & c.txt", "a");
  fs::create_directories(machine.Host("C:\\New Data; & more"));
  auto run = machine.Run("kelvane", {"-c", "DREX", "-d", "\"C:\\New Data; & more\"", given});
  EXPECT_EQ(run.out, folder + "\\a;b & c.txt\n" + kOneCopied);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(machine.Messages(), Strings{});
  EXPECT_EQ(machine.File("C:\\New Data; & more\\a;b & c.txt"), "a");
  EXPECT_EQ(MachineTree(machine),
            (Strings{"c/", "c/Kelvane.txt", "c/New Data; & more/",
                     "c/New Data; & more/a;b & c.txt", "c/Old & Data > C:/",
                     "c/Old & Data > C:/pwned.txt & x/",
                     "c/Old & Data > C:/pwned.txt & x/a;b & c.txt"}));
  EXPECT_NE(machine.File("C:\\Kelvane.txt").find("\r\n\t-d \"C:\\New Data; & more\" " + given +
                                                 "\r\n"),
            std::string::npos);
}

TEST(KelvaneCopyTest, QuorCarriesOverTheStateFileOfItsKindOfFolder) {
  struct Case {
    std::string given;
    std::string folder;
    std::string copied;
  };
  const std::vector<Case> cases = {
      {"C:\\Suite\\user", "C:\\Suite\\user", "persist.dat"},
      {"C:\\Suite\\superusers", "C:\\Suite\\superusers", "persist.dat"},
      {"C:\\Suite\\User", "C:\\Suite\\User", "IPAdrToDevice.txt"},
      {"C:\\Suite\\USER", "C:\\Suite\\USER", "IPAdrToDevice.txt"},
      {"C:\\Suite\\data", "C:\\Suite\\data", "IPAdrToDevice.txt"},
      // The quotes go before "user" is looked for.
      {"C:\\Suite\\us\"er\"", "C:\\Suite\\user", "persist.dat"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.given);
    Machine machine;
    machine.SetFile(c.folder + "\\persist.dat", "persisted state");
    machine.SetFile(c.folder + "\\IPAdrToDevice.txt", "10.0.0.1 device\r\n");
    machine.SetFile(c.folder + "\\other.txt", "other");
    fs::create_directories(machine.Host("C:\\New"));
    auto run = machine.Run("kelvane", {"-c", "QUOR", "-d", "C:\\New", c.given});
    EXPECT_EQ(run.out, kOneCopied);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(machine.Messages(), Strings{});
    EXPECT_EQ(Entries(machine.Host("C:\\New")), Strings{c.copied});
    EXPECT_EQ(machine.File("C:\\New\\" + c.copied), machine.File(c.folder + "\\" + c.copied));
  }
}

TEST(KelvaneCopyTest, HobbCopiesTheLauncherToTheDriveRoot) {
  const std::string launcher = "MZ\x90\0\x03\0launcher\r\n\x1a tail"s;
  struct Case {
    std::string what;
    std::string given;
    bool hasLauncher;
    bool hasOldCopy;
  };
  const std::vector<Case> cases = {
      {"a launcher", "C:\\Brenmoor Suite", true, false},
      {"a launcher replacing the old copy", "C:\\Brenmoor Suite", true, true},
      {"a quoted folder", "\"C:\\Brenmoor Suite\"", true, false},
      {"no launcher", "C:\\Brenmoor Suite", false, false},
      {"no launcher, an old copy", "C:\\Brenmoor Suite", false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Machine machine;
    machine.SetFile("C:\\Brenmoor Suite\\Kestle.exe", "other program");
    if (c.hasLauncher) machine.SetFile("C:\\Brenmoor Suite\\Morrant.exe", launcher);
    if (c.hasOldCopy) machine.SetFile("C:\\Morrant.exe", "old launcher, longer than the new one");
    auto run = machine.Run("kelvane", {"-c", "HOBB", "-d", c.given});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out, c.hasLauncher ? kOneCopied : "        0 file(s) copied.\n");
    EXPECT_EQ(run.err, c.hasLauncher ? "" : kNotFound);
    EXPECT_EQ(machine.Messages(), Strings{});
    EXPECT_EQ(machine.File("C:\\Morrant.exe"),
              c.hasLauncher ? launcher
                            : c.hasOldCopy ? "old launcher, longer than the new one" : "<missing>");
    Strings tree = {"c/", "c/Brenmoor Suite/", "c/Brenmoor Suite/Kestle.exe", "c/Kelvane.txt"};
    if (c.hasLauncher) tree.push_back("c/Brenmoor Suite/Morrant.exe");
    if (c.hasLauncher || c.hasOldCopy) tree.push_back("c/Morrant.exe");
    std::sort(tree.begin(), tree.end());
    EXPECT_EQ(MachineTree(machine), tree);
  }
}

TEST(KelvaneCopyTest, CopyCommandsLongerThan255CharactersRunNothing) {
  struct Case {
    Strings arguments;
    std::string command;  // as it must be run
    std::string source;
    std::string target;
  };
  const auto cases = [](std::size_t padding) {
    const std::string oldData = "C:\\" + std::string(234 + padding, 'o');
    const std::string userData = "C:\\user" + std::string(222 + padding, 'u');
    const std::string suite = "C:\\" + std::string(229 + padding, 's');
    return std::vector<Case>{
        {{"-c", "DREX", "-d", "C:\\N", oldData},
         "copy \"" + oldData + "\\*.*\" \"C:\\N\"",
         oldData + "\\data.bin",
         "C:\\N\\data.bin"},
        {{"-c", "QUOR", "-d", "C:\\N", userData},
         "copy \"" + userData + "\\persist.dat\" \"C:\\N\"",
         userData + "\\persist.dat",
         "C:\\N\\persist.dat"},
        {{"-c", "HOBB", "-d", suite},
         "copy \"" + suite + "\\Morrant.exe\" C:\\",
         suite + "\\Morrant.exe",
         "C:\\Morrant.exe"},
    };
  };
  for (const auto& c : cases(0)) {
    SCOPED_TRACE(c.command);
    ASSERT_EQ(c.command.size(), 255u);
    Machine machine;
    machine.SetFile(c.source, "carried");
    fs::create_directories(machine.Host("C:\\N"));
    auto run = machine.Run("kelvane", c.arguments);
    EXPECT_TRUE(run.out.ends_with(kOneCopied)) << run.out;
    EXPECT_EQ(machine.Messages(), Strings{});
    EXPECT_EQ(machine.File(c.target), "carried");
  }
  for (const auto& c : cases(1)) {
    SCOPED_TRACE(c.command);
    ASSERT_EQ(c.command.size(), 256u);
    Machine machine;
    machine.SetFile(c.source, "carried");
    fs::create_directories(machine.Host("C:\\N"));
    auto run = machine.Run("kelvane", c.arguments);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(machine.Messages(),
              Strings{Message("Unable to run the command " + c.command +
                              "\nbecause it is longer than 255 characters.\n\nNothing was run.")});
    EXPECT_FALSE(machine.Exists(c.target));
  }
}

// A copy of /bin/sleep running under another file name: a stand-in for an
// installer process. It is killed and reaped with the object, however the
// test ends.
class StandIn {
 public:
  explicit StandIn(const std::string& name) {
    const fs::path file = folder_.Path() / name;
    fs::copy_file("/bin/sleep", file);
    const std::string path = file.string();
    char seconds[] = "30";
    char* argv[] = {const_cast<char*>(path.c_str()), seconds, nullptr};
    if (posix_spawn(&pid_, path.c_str(), nullptr, nullptr, argv, environ) != 0) {
      throw std::runtime_error("cannot start " + path);
    }
  }
  ~StandIn() {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  StandIn(const StandIn&) = delete;
  StandIn& operator=(const StandIn&) = delete;

  // The name the process list gives it.
  std::string ProgramName() const {
    std::error_code error;
    return fs::read_symlink("/proc/" + std::to_string(pid_) + "/exe", error).filename().string();
  }

 private:
  testsupport::TempFolder folder_;
  pid_t pid_ = -1;
};

// Machine::Run would also wait for the stand-in processes, children of the test.
RunResult RunWaitingForKelvaneOnly(const Machine& machine, const Strings& arguments) {
  return machine.Run("kelvane", arguments, {}, Machine::Wait::ForProgramOnly);
}

// One test for every case: the stand-ins are seen machine-wide, so cases
// run side by side would switch each other's service.
TEST(KelvaneInstallerCheckTest, SwitchesTheServiceOnceForEachInstallerProcess) {
  const std::string service =
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\MSIServer]\r\n"
      "\"DisplayName\"=\"Windows Installer\"\r\n";
  const std::string otherService =
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\EventLog]\r\n";
  const std::string failed = "The stupid service is not started at all";
  struct Case {
    std::string what;
    Strings processes;
    bool hasService;
    std::optional<std::string> stateBefore;  // the bytes of services/msiserver
    std::string stateAfter;                  // its word, or "<missing>"
    bool untouched;                          // the state file is not even rewritten
    Strings messages;
  };
  const std::vector<Case> cases = {
      {"no installer process", {}, true, "running", "running", true, {}},
      {"no installer process, no service", {}, false, std::nullopt, "<missing>", true, {}},
      {"names that only look alike",
       {"msiexec", "msiexec.exe.old", "xmsiexec.exe", "msiexec.ex", "msiexec.exe "},
       true, "running", "running", true, {}},
      {"one, the service running", {"MSIEXEC.EXE"}, true, "running", "stopped", false, {}},
      {"one, the service stopped", {"msiexec.exe"}, true, "stopped", "running", false, {}},
      {"one, no state file", {"MsiExec.Exe"}, true, std::nullopt, "running", false, {}},
      {"two: stopped, then started", {"MSIEXEC.EXE", "msiexec.exe"}, true, "running",
       "running", false, {}},
      {"three", {"MSIEXEC.EXE", "MSIEXEC.EXE", "MSIEXEC.EXE"}, true, "running", "stopped",
       false, {}},
      {"one, no service", {"MSIEXEC.EXE"}, false, std::nullopt, "<missing>", true,
       {Message(failed)}},
      {"two, no service", {"MSIEXEC.EXE", "msiexec.exe"}, false, "running", "running", true,
       {Message(failed), Message(failed)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Machine machine;
    machine.SetRegistry(otherService + (c.hasService ? "\r\n" + service : ""));
    const fs::path stateFile = machine.Root() / "services" / "msiserver";
    if (c.stateBefore) testsupport::WriteFile(stateFile, *c.stateBefore);
    std::vector<std::unique_ptr<StandIn>> processes;
    for (const auto& name : c.processes) {
      processes.push_back(std::make_unique<StandIn>(name));
      ASSERT_EQ(processes.back()->ProgramName(), name);
    }

    auto run = RunWaitingForKelvaneOnly(machine, {"-c", "checkformsi"});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out, "");
    std::string err;
    for (std::size_t i = 0; i < c.messages.size(); ++i) err += "Kelvane\n" + failed + "\n";
    EXPECT_EQ(run.err, err);
    EXPECT_EQ(machine.Messages(), c.messages);
    std::string state = testsupport::ReadFile(stateFile);
    if (c.untouched) {
      EXPECT_EQ(state, c.stateBefore.value_or("<missing>"));
    } else {
      if (state.ends_with("\n")) state.pop_back();
      if (state.ends_with("\r")) state.pop_back();
      EXPECT_EQ(state, c.stateAfter);
    }
  }
}

}  // namespace
