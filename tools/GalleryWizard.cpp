#include "GalleryWizard.h"

#include <utility>
#include <vector>

#include "brenmoor/win/CPropertySheetPlus.h"
#include "brenmoor/windowing/ClassNames.h"
#include "brenmoor/windowing/DialogTemplate.h"

using namespace link_wizard;

namespace {

DialogItemTemplate Label(const wchar_t* text, int top) {
  return {kStaticClass, -1, text, {7, top + 2, 50, top + 10}, WS_VISIBLE | SS_LEFT, {}};
}

DialogItemTemplate Field(int id, int top) {
  return {kEditClass, id, L"", {55, top, 190, top + 12}, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, {}};
}

DialogTemplate Page(const wchar_t* title, std::vector<DialogItemTemplate> items) {
  return {title, {0, 0, 200, 60}, WS_CHILD, std::move(items)};
}

// A page's fields: a text or a check box's state each.
struct Exchange {
  int id;
  CString* text;
  int* check;
};

class LinkWizardPage : public CPropertyPagePlus {
 public:
  LinkWizardPage(UINT templateId, std::vector<Exchange> fields)
      : CPropertyPagePlus(templateId, 0), fields_(std::move(fields)) {}

  // Back from the second page on, Finish on the last.
  BOOL OnSetActive() override {
    auto* sheet = static_cast<CPropertySheet*>(GetParent());
    const int index = sheet->GetPageIndex(this);
    const DWORD back = index > 0 ? PSWIZB_BACK : 0;
    sheet->SetWizardButtons(back | (index + 1 == sheet->GetPageCount() ? PSWIZB_FINISH : PSWIZB_NEXT));
    return true;
  }
  // Finish leaves no page, so the last one's fields are taken here.
  BOOL OnWizardFinish() override { return UpdateData(true); }

 protected:
  void DoDataExchange(CDataExchange* exchange) override {
    for (const Exchange& field : fields_) {
      if (field.text != nullptr) DDX_Text(exchange, field.id, *field.text);
      if (field.check != nullptr) DDX_Check(exchange, field.id, *field.check);
    }
  }

 private:
  std::vector<Exchange> fields_;
};

}  // namespace

void RegisterLinkWizardResources(CResourceModule& host) {
  host.RegisterString(kCaption, L"New link");
  host.Register<DialogTemplate>(kLinkPage, Page(L"Link", {Label(L"Name:", 7), Field(kName, 7)}));
  host.Register<DialogTemplate>(kAddressPage, Page(L"Address", {Label(L"Host:", 7), Field(kHost, 7),
                                                                Label(L"Port:", 25), Field(kPort, 25)}));
  host.Register<DialogTemplate>(
      kWatchPage, Page(L"Watching", {{kButtonClass, kWatched, L"&Watch the link and warn when it degrades",
                                      {7, 9, 190, 19}, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, {}}}));
}

std::string QuotedText(const CString& text) { return "\"" + text.ToUtf8() + "\""; }

std::string RunLinkWizard(LinkSettings& settings) {
  LinkSettings edited = settings;
  LinkWizardPage link(kLinkPage, {{kName, &edited.name, nullptr}});
  LinkWizardPage address(kAddressPage, {{kHost, &edited.host, nullptr}, {kPort, &edited.port, nullptr}});
  LinkWizardPage watch(kWatchPage, {{kWatched, nullptr, &edited.watched}});
  CPropertySheetPlus sheet(kCaption);
  sheet.AddPage(&link);
  sheet.AddPage(&address);
  sheet.AddPage(&watch);
  sheet.SetWizardMode();
  if (sheet.DoModal() != ID_WIZFINISH) return "wizard: Cancel";
  settings = edited;
  return "wizard: Finish, name " + QuotedText(settings.name) + ", host " + QuotedText(settings.host) + ", port " +
         QuotedText(settings.port) + ", watched " + (settings.watched != 0 ? "on" : "off");
}
