// The Help menu: the help file, the maker's pages, the About box; and closing every help
// window on the way out.
#include "app/about_form.h"
#include "app/html_help.h"
#include "app/main_form.h"
#include "app/program_folders.h"
#include "app/version_info.h"
#include "app/web_pages.h"
#include "base/scope_exit.h"
#include "runtime/application.h"

namespace klarvik {

namespace {

constexpr wchar_t kLegalNotice[] = L"Copyright \u00A9 2026 Bramwick. All rights reserved.";

}  // namespace

void TForm1::N5Click(TObject*) {
  if (HtmlHelpEngine* help = ProgramHtmlHelp()) help->DisplayTopic(GetDesktopWindow(), HelpFilePath);
}

void TForm1::CloseHelpWindows() {
  if (const HtmlHelpEngine* help = ProgramHtmlHelp()) help->CloseAll();
}

void TForm1::N7Click(TObject*) { OpenWebPage(kHomePageAddress, OpenWebPageInBrowser); }

void TForm1::G1Click(TObject*) { OpenWebPage(kSupportPageAddress, OpenWebPageInBrowser); }

// One box for each showing, freed as soon as it closes: repeated use leaves nothing behind.
void TForm1::N9Click(TObject*) {
  auto* about = new TAboutForm1(Application);
  const ScopeExit freeAbout([about] { Free(about); });
  about->sLabel1->SetCaption(L"Klarvik");
  about->sLabel2->SetCaption(L"Version: " + GetVersionText());
  about->sLabel3->SetCaption(kLegalNotice);
  about->sWebLabel1->SetCaption(kHomePageAddress);
  about->sWebLabel1->SetURL(about->sWebLabel1->Caption());
  about->ShowModal();
}

}  // namespace klarvik
