#pragma once

#include <functional>
#include <memory>

#include "controls/edit_ex_widget.h"
#include "controls/spin_value.h"
#include "controls/units_panel_widget.h"
#include "controls/up_down_button.h"

namespace trochodraw {

using TWrapEvent = std::function<void(QObject* Sender, TWrapMode WrapMode)>;

// What the real and integer spin edits share: the edit bound to the value rules, the arrow
// pair at its right end and the units label between text and arrows, the key filter, the
// arrow keys and the focus handling.
class TCustomSpin : public TCustomEditEx {
  Q_OBJECT

 public:
  ~TCustomSpin() override;

  TUpDownButton* UpDown() const { return FUpDown; }
  TDisPanel* UnitsPanel() const { return FUnitsPanel; }

  bool EditorEnabled() const { return FRules->EditorEnabled; }
  void SetEditorEnabled(bool Value);
  bool UseLimit() const { return FRules->UseLimit; }
  void SetUseLimit(bool Value) { FRules->UseLimit = Value; }
  bool Wrap() const { return FRules->Wrap; }
  void SetWrap(bool Value) { FRules->Wrap = Value; }
  bool BlockChangeEvent() const { return FRules->BlockChangeEvent; }
  void SetBlockChangeEvent(bool Value) { FRules->BlockChangeEvent = Value; }

  QString UnitsString() const { return FUnitsPanel->Caption(); }
  void SetUnitsString(const QString& Value);
  // 0: the units text's width plus 6.
  int PanelWidth() const { return FPanelWidth; }
  void SetPanelWidth(int Value);

  // The font's text height, the frame above and below, and two pixels.
  int MinimumHeight() const;

  // One arrow step (ten with Ctrl held now); a read-only control only beeps.
  virtual void StepUp();
  virtual void StepDown();
  // Characters the key filter lets through.
  virtual bool AcceptsKey(char32_t Ch) const;

  TWrapEvent OnWrap;

  // Whether Ctrl is held down now (the step factor).
  static bool CtrlDown();

 protected:
  explicit TCustomSpin(std::unique_ptr<TCustomSpinValue> Rules, QWidget* Parent);
  TCustomSpinValue& Rules() const { return *FRules; }
  // The current regional separators were loaded into the rules.
  virtual void SeparatorsChanged(const TFormatSettings& Separators);

  void Change() override;
  void DoExit() override;
  void keyPressEvent(QKeyEvent* Event) override;
  void contextMenuEvent(QContextMenuEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  void changeEvent(QEvent* Event) override;

 private:
  void Step(bool Up, bool Ctrl);
  void AdjustUnitsPanel();
  void LayoutChildren();
  void FitTextArea();
  int FrameWidth() const;

  std::unique_ptr<TCustomSpinValue> FRules;
  TUpDownButton* FUpDown;
  TDisPanel* FUnitsPanel;
  int FPanelWidth = 0;
};

}  // namespace trochodraw
