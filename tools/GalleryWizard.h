#pragma once
// The gallery's wizard: a new link's name, its address and whether it is
// watched, asked on three pages of a property sheet in wizard mode. Each
// page keeps what was typed in it while the person goes back and forth.

#include <string>

#include "brenmoor/core/CResourceModule.h"
#include "brenmoor/core/CString.h"

struct LinkSettings {
  CString name;
  CString host;
  CString port;
  int watched = 0;
};

// The wizard's caption, its pages' templates and the ids of their fields.
namespace link_wizard {
constexpr UINT kCaption = 7000;
constexpr UINT kLinkPage = 7001;
constexpr UINT kAddressPage = 7002;
constexpr UINT kWatchPage = 7003;
constexpr int kName = 1101;
constexpr int kHost = 1102;
constexpr int kPort = 1103;
constexpr int kWatched = 1104;
}  // namespace link_wizard

void RegisterLinkWizardResources(CResourceModule& host);

// A text as the gallery's lines write it: in double quotes.
std::string QuotedText(const CString& text);

// Runs the wizard over the settings, which it changes only on Finish; the
// line tells how it ended and, on Finish, the settings.
std::string RunLinkWizard(LinkSettings& settings);
