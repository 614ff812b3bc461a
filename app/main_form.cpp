#include "app/main_form.h"

#include <clocale>
#include <functional>

#include "app/program_folders.h"
#include "app/temp_measurements.h"
#include "runtime/application.h"
#include "win/text.h"

namespace klarvik {

TForm1* Form1 = nullptr;

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner) {
  SetName(L"Form1");
  SetCaption(L"Klarvik");
  SetBorderStyle(TFormBorderStyle::bsSingle);
  SetClientWidth(440);
  SetClientHeight(211);
  SetPosition(TPosition::poScreenCenter);
  SetColor(clBtnFace);
  Font().SetName(L"MS Sans Serif");
  Font().SetHeight(-11);
  CreateControls();
  CreateMainMenu();
  CreateSkinManager();
  CreateSkinProvider();
  CreateActions();
  CreateTimer();
  OnCreate = [this](TObject* sender) { FormCreate(sender); };
  OnCloseQuery = [this](TObject* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
  EndLoading();
}

void TForm1::CreateControls() {
  auto place = [this](TControl* control, const wchar_t* name, int left, int top, int width, int height) {
    control->SetName(name);
    control->SetParent(this);
    control->SetBounds(left, top, width, height);
  };
  sLabel1 = new TsLabel(this);
  place(sLabel1, L"sLabel1", 24, 72, 85, 13);
  sLabel1->SetCaption(L"Temp Folder Size:");
  sLabel2 = new TsLabel(this);
  place(sLabel2, L"sLabel2", 24, 16, 82, 13);
  sLabel2->SetCaption(L"Free Disk Space:");
  for (TsGauge** gauge : {&sGauge1, &sGauge2}) {
    *gauge = new TsGauge(this);
    (*gauge)->SetForeColor(clBlack);
    (*gauge)->SetSuffix(L"%");
  }
  place(sGauge1, L"sGauge1", 24, 32, 393, 25);
  place(sGauge2, L"sGauge2", 24, 88, 393, 25);
  sCheckBox1 = new TsCheckBox(this);
  place(sCheckBox1, L"sCheckBox1", 72, 128, 218, 19);
  sCheckBox1->SetCaption(L"Clean temporary files on Windows starup");
  sCheckBox1->SetTabOrder(0);
  sCheckBox1->SetShowFocus(false);
  sButton1 = new TsButton(this);
  place(sButton1, L"sButton1", 144, 168, 75, 25);
  sButton1->SetCaption(L"&Clean");
  sButton1->SetTabOrder(1);
  sButton1->OnClick = [this](TObject* sender) { sButton1Click(sender); };
  sButton2 = new TsButton(this);
  place(sButton2, L"sButton2", 240, 168, 75, 25);
  sButton2->SetCaption(L"&Exit");
  sButton2->SetTabOrder(2);
  sButton2->OnClick = [this](TObject* sender) { sButton2Click(sender); };
}

TMenuItem* TForm1::AddMenuItem(TMenuItem* parent, const wchar_t* name, const wchar_t* caption) {
  auto* item = new TMenuItem(this);
  item->SetName(name);
  item->SetCaption(caption);
  parent->Add(item);
  return item;
}

// The radio items check themselves when chosen; what the choice does comes with
// the skin and schedule settings.
TMenuItem* TForm1::AddRadioItem(TMenuItem* parent, const wchar_t* name, const wchar_t* caption, BYTE group) {
  TMenuItem* item = AddMenuItem(parent, name, caption);
  item->SetGroupIndex(group);
  item->SetRadioItem(true);
  item->OnClick = [item](TObject*) { item->SetChecked(true); };
  return item;
}

void TForm1::CreateMainMenu() {
  MainMenu1 = new TMainMenu(this);
  MainMenu1->SetName(L"MainMenu1");
  TMenuItem* bar = MainMenu1->Items();

  F1 = AddMenuItem(bar, L"F1", L"&File");
  N15 = AddMenuItem(F1, L"N15", L"&Refresh");
  N15->SetShortCut(ShortCut(VK_F5, scNone));
  N15->OnClick = [this](TObject* sender) { N15Click(sender); };
  N16 = AddMenuItem(F1, L"N16", L"-");
  N1 = AddMenuItem(F1, L"N1", L"&Exit");
  N1->OnClick = [this](TObject* sender) { sButton2Click(sender); };

  constexpr BYTE kSkinGroup = 10;
  N2 = AddMenuItem(bar, L"N2", L"&Skin");
  N3 = AddRadioItem(N2, L"N3", L"&No Skin", kSkinGroup);
  A1 = AddRadioItem(N2, L"A1", L"&Afterburner", kSkinGroup);
  N10 = AddRadioItem(N2, L"N10", L"&Blue Gauze", kSkinGroup);
  N11 = AddRadioItem(N2, L"N11", L"&Fallout", kSkinGroup);
  N12 = AddRadioItem(N2, L"N12", L"&Garnet", kSkinGroup);
  N13 = AddRadioItem(N2, L"N13", L"&Matrix", kSkinGroup);
  N14 = AddRadioItem(N2, L"N14", L"&Steam", kSkinGroup);
  N13->SetChecked(true);
  N3->OnClick = [this](TObject* sender) { N3Click(sender); };
  A1->OnClick = [this](TObject* sender) { A1Click(sender); };
  N10->OnClick = [this](TObject* sender) { N10Click(sender); };
  N11->OnClick = [this](TObject* sender) { N11Click(sender); };
  N12->OnClick = [this](TObject* sender) { N12Click(sender); };
  N13->OnClick = [this](TObject* sender) { N13Click(sender); };
  N14->OnClick = [this](TObject* sender) { N14Click(sender); };

  constexpr BYTE kAutoCleanGroup = 20;
  A2 = AddMenuItem(bar, L"A2", L"&Auto Clean");
  N17 = AddRadioItem(A2, L"N17", L"&Never", kAutoCleanGroup);
  E1 = AddRadioItem(A2, L"E1", L"Every &1 Hour", kAutoCleanGroup);
  E2 = AddRadioItem(A2, L"E2", L"Every &2 Hour", kAutoCleanGroup);
  E3 = AddRadioItem(A2, L"E3", L"Every &3 Hour", kAutoCleanGroup);
  E4 = AddRadioItem(A2, L"E4", L"Every &4 Hour", kAutoCleanGroup);
  E5 = AddRadioItem(A2, L"E5", L"Every &5 Hour", kAutoCleanGroup);
  E6 = AddRadioItem(A2, L"E6", L"Every &6 Hour", kAutoCleanGroup);
  E8 = AddRadioItem(A2, L"E8", L"Every &8 Hour", kAutoCleanGroup);
  E12 = AddRadioItem(A2, L"E12", L"Every 12 &Hour", kAutoCleanGroup);
  N17->SetChecked(true);
  N17->OnClick = [this](TObject* sender) { N17Click(sender); };
  E1->OnClick = [this](TObject* sender) { E1Click(sender); };
  E2->OnClick = [this](TObject* sender) { E2Click(sender); };
  E3->OnClick = [this](TObject* sender) { E3Click(sender); };
  E4->OnClick = [this](TObject* sender) { E4Click(sender); };
  E5->OnClick = [this](TObject* sender) { E5Click(sender); };
  E6->OnClick = [this](TObject* sender) { E6Click(sender); };
  E8->OnClick = [this](TObject* sender) { E8Click(sender); };
  E12->OnClick = [this](TObject* sender) { E12Click(sender); };

  N4 = AddMenuItem(bar, L"N4", L"&Help");
  N5 = AddMenuItem(N4, L"N5", L"&Help");
  N6 = AddMenuItem(N4, L"N6", L"-");
  N7 = AddMenuItem(N4, L"N7", L"&Visit Home Page");
  G1 = AddMenuItem(N4, L"G1", L"Get &Support");
  N8 = AddMenuItem(N4, L"N8", L"-");
  N9 = AddMenuItem(N4, L"N9", L"&About");
  N5->OnClick = [this](TObject* sender) { N5Click(sender); };
  N7->OnClick = [this](TObject* sender) { N7Click(sender); };
  G1->OnClick = [this](TObject* sender) { G1Click(sender); };
  N9->OnClick = [this](TObject* sender) { N9Click(sender); };

  SetMenu(MainMenu1);
}

TAction* TForm1::AddAction(const wchar_t* name) {
  auto* action = new TAction(this);
  action->SetName(name);
  action->SetCaption(name);
  action->SetActionList(ActionList1);
  return action;
}

void TForm1::CreateActions() {
  ActionList1 = new TActionList(this);
  ActionList1->SetName(L"ActionList1");
  SaveSkinSetting = AddAction(L"SaveSkinSetting");
  SaveSkinSetting->OnExecute = [this](TObject* sender) { SaveSkinSettingExecute(sender); };
  LoadSkinSetting = AddAction(L"LoadSkinSetting");
  LoadSkinSetting->OnExecute = [this](TObject* sender) { LoadSkinSettingExecute(sender); };
  GetTempSize = AddAction(L"GetTempSize");
  GetTempSize->OnExecute = [this](TObject* sender) { GetTempSizeExecute(sender); };
  AddEntryToRegistryAuto = AddAction(L"AddEntryToRegistryAuto");
  AddEntryToRegistryAuto->OnExecute = [this](TObject* sender) { AddEntryToRegistryAutoExecute(sender); };
  RemoveEntryFromRegistryAuto = AddAction(L"RemoveEntryFromRegistryAuto");
  RemoveEntryFromRegistryAuto->OnExecute = [this](TObject* sender) { RemoveEntryFromRegistryAutoExecute(sender); };
  CheckEntryToRegistryAuto = AddAction(L"CheckEntryToRegistryAuto");
  CheckEntryToRegistryAuto->OnExecute = [this](TObject* sender) { CheckEntryToRegistryAutoExecute(sender); };
  QuitNoSave = AddAction(L"QuitNoSave");
  QuitNoSave->OnExecute = [this](TObject* sender) { QuitNoSaveExecute(sender); };
}

void TForm1::CreateTimer() {
  ThreadedTimer1 = new TThreadedTimer(this);
  ThreadedTimer1->SetName(L"ThreadedTimer1");
  ThreadedTimer1->SetInterval(250);
  ThreadedTimer1->SetThreadPriority(TThreadPriority::tpLowest);
  ThreadedTimer1->OnTimer = [this](TObject* sender) { ThreadedTimer1Timer(sender); };
}

void TForm1::RunStartupStep(const std::function<void()>& step) {
  try {
    step();
  } catch (...) {
    Application->HandleException(this);
  }
}

// Each step runs on its own: one that fails must not skip the ones after it.
void TForm1::FormCreate(TObject*) {
  // Our number texts never consult the locale; the C runtime is told the same, so
  // nothing else in the process writes or parses "12,5".
  RunStartupStep([] { std::setlocale(LC_NUMERIC, "C"); });
  RunStartupStep([] { klarvik::InitProgramFolders(); });
  RunStartupStep([this] { sCheckBox1->SetChecked(HasAutorunEntry()); });
  RunStartupStep([this] { LoadSkinSettingExecute(nullptr); });
  RunStartupStep([this] { GetTempSizeExecute(nullptr); });
  RunStartupStep([this] { CheckEntryToRegistryAutoExecute(nullptr); });
}

void TForm1::GetTempSizeExecute(TObject*) {
  const klarvik::MeasurementReport report = klarvik::MeasureTempFolder();
  sLabel2->SetCaption(FromUtf8(report.freeSpaceCaption));
  sGauge1->SetMaxValue(report.freeSpaceGauge.maxValue);
  sGauge1->SetMinValue(0);
  sGauge1->SetProgress(report.freeSpaceGauge.progress);
  sLabel1->SetCaption(FromUtf8(report.tempSizeCaption));
  sGauge2->SetMaxValue(report.tempSizeGauge.maxValue);
  sGauge2->SetMinValue(0);
  sGauge2->SetProgress(report.tempSizeGauge.progress);
}

void TForm1::N15Click(TObject*) { GetTempSizeExecute(nullptr); }

// Closing by the title bar, the system menu or Alt+F4 applies nothing.
void TForm1::FormCloseQuery(TObject*, bool& CanClose) {
  CanClose = false;
  QuitNoSaveExecute(nullptr);
}

void TForm1::QuitNoSaveExecute(TObject*) {
  CloseHelpWindows();
  Application->Terminate();
}

void TForm1::OnQueryEndSession(bool& allow) { allow = true; }

void TForm1::OnEndSession(bool ending) {
  if (ending) QuitNoSaveExecute(nullptr);
}

}  // namespace klarvik
