#include "controls/label.h"

#include <gtest/gtest.h>

#include "runtime/application.h"
#include "runtime/forms.h"

namespace klarvik {

namespace {

// A measurement text is longer than the designed width: the label must grow, not cut it.
TEST(Label, SizesItselfToItsCaption) {
  TForm form(nullptr);
  form.EndLoading();
  auto* label = new TsLabel(&form);
  label->SetParent(&form);
  label->SetBounds(24, 72, 85, 13);
  label->SetCaption(L"Temp Folder Size:");
  const int shortWidth = label->Width();
  label->SetCaption(L"Temp Folder Size: 1023.99 MB");
  EXPECT_GT(label->Width(), shortWidth);
  const int lineHeight = label->Height();
  EXPECT_GT(lineHeight, 0);
  label->SetCaption(L"");
  EXPECT_EQ(label->Height(), lineHeight);  // an empty caption still takes one line
  EXPECT_EQ(label->Left(), 24);
  EXPECT_EQ(label->Top(), 72);
}

}  // namespace

}  // namespace klarvik
