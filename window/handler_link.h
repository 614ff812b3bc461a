#pragma once
// Stands in a form's handler slot for its skin provider. The form owns it, so that a
// handler installed after the provider, which calls this one for what it leaves alone,
// never calls into freed memory: when the provider goes while such a handler sits on top,
// the link stays and only hands messages on to the handler the provider replaced.
#include "runtime/forms.h"

namespace klarvik {

class TsSkinProvider;

class TacHandlerLink : public TComponent {
 public:
  // Installs the link in the form's handler slot.
  TacHandlerLink(TCustomForm& form, TsSkinProvider& provider);

  // The handler the provider replaced.
  void CallPrevious(TMessage& message) const { previous_(message); }
  // The provider goes: when the slot still holds the link, the previous handler goes
  // back and the link is freed; otherwise the link stays in the chain, forwarding only.
  void ProviderGone();

 private:
  void Handle(TMessage& message);

  TCustomForm& form_;
  TsSkinProvider* provider_;
  TWndMethod previous_;
};

}  // namespace klarvik
