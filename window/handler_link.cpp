#include "window/handler_link.h"

#include "window/skin_provider.h"

namespace klarvik {

TacHandlerLink::TacHandlerLink(TCustomForm& form, TsSkinProvider& provider)
    : TComponent(&form), form_(form), provider_(&provider), previous_(form.WindowProc()) {
  form.SetWindowProc(MakeWndMethod<&TacHandlerLink::Handle>(this));
}

void TacHandlerLink::Handle(TMessage& message) {
  if (provider_) {
    provider_->HandleMessage(message);
  } else {
    previous_(message);
  }
}

void TacHandlerLink::ProviderGone() {
  provider_ = nullptr;
  if (form_.WindowProc() != MakeWndMethod<&TacHandlerLink::Handle>(this)) return;
  form_.SetWindowProc(previous_);
  Free(this);
}

}  // namespace klarvik
