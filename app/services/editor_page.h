#pragma once
// A page of the configuration editor that the page buttons (the strip of
// four, TaskButtonsService) switch to. A panel plugged into MainPanels that
// also derives from EditorPage is handed to the page buttons by the main
// window at start-up under its kind; there is nothing else to wire.
class QWidget;

enum class EditorPageKind { ImageQuality = 0, CodeDefinition = 1, ProcessInterface = 2, FunctionTest = 3 };

class EditorPage {
public:
  virtual ~EditorPage() = default;
  virtual EditorPageKind editorPageKind() const = 0;
  // The page's saving step, run before a switch whether or not the page is
  // the one shown (the code definition, the process interface): 0 stored,
  // the switch goes on; else the page has told the user why (its message, the
  // focus on the bad field) and the page shown stays.
  virtual int Validate() { return 0; }
  // The page is being shown; the others are hidden already. first: its first
  // entry since the editor opened the configuration.
  virtual void Enter(bool /*first*/) {}
  // The page is hidden by a switch to another one.
  virtual void Leave() {}
};
