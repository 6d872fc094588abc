#pragma once
// TwoDCodeTab: what the 2-D family tabs (Data Matrix ECC 200, PDF417, QR
// Code, Aztec Code) share. Polarity and mirroring lists, number fields with spins and their check on leaving,
// the whole-tab check's steps, strict model, the module geometry button,
// Teach, "Use code properties", the two reverts with their messages, the
// enabling and the change marks. A family adds its fields and says how a
// result record and its settings block map onto them.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "code_tab.h"
#include "core/main_dialog_state.h"
#include "text/fixed_text.h"

class CButtonDraw;
class CNumSpinCtrl;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// The properties of one decoded code that Teach and "Use code properties" take.
struct TaughtCode {
  std::string polarity;
  std::string mirror;
  std::array<int, 4> values{};  // the family's numbers (rows, columns, version ...)
};

// Where the families part ways in the shared steps (the Data Matrix tab is
// the older one and keeps its own ways).
struct TwoDRules {
  int mirrorAnyText = 7101;          // caption of the third mirrored item
  bool emptyStrictIsYes = false;     // an empty strict-model word shows checked
  bool refuseEmptyField = false;     // leaving an emptied field shows its message
  bool repeatRevertMessage = true;   // the revert mark outlives its message
  bool noMirrorSelectionIsAny = true;  // else the first word, as for polarity
};

class TwoDCodeTab : public CodeTab {
  Q_OBJECT
public:
  // captionId: the language text of the tab's caption (its window title).
  TwoDCodeTab(CodeDefinitionContext& ctx, int captionId, QWidget* parent = nullptr);
  ~TwoDCodeTab() override;

  void LoadLanguageTexts() override;
  void EnableControls(bool on) override;
  void UseCodeProperties(int resultIndex) override;
  bool TakesCode(int resultIndex) const override;
  void EnableTeach(bool on) override;
  void Teach();
  void OnRevert(int kind);
  void RevertFailed() override;
  void OnModuleGeometry();

  QComboBox* polarity() const { return polarity_; }
  QComboBox* mirror() const { return mirror_; }
  QCheckBox* strictModel() const { return strict_; }
  QPushButton* geometryButton() const { return geometry_; }
  QPushButton* teachButton() const { return teach_; }
  CButtonDraw* revertButton(int kind) const { return revert_[kind]; }
  QLineEdit* edit(int field) const { return fields_[static_cast<std::size_t>(field)].edit; }
  CNumSpinCtrl* spin(int field) const { return fields_[static_cast<std::size_t>(field)].spin; }
  int value(int field) const { return fields_[static_cast<std::size_t>(field)].value; }

protected:
  struct Field {
    QLineEdit* edit = nullptr;
    CNumSpinCtrl* spin = nullptr;
    int min = 0;
    int max = 0;
    int messageId = 0;
    int value = 0;  // the dialog data
    bool even = false;  // a spin step of 2: odd values are refused (6074)
  };

  // The family's window: its rows first (AddWordRows, AddListRow,
  // AddFieldRow), then AddCommonRows, then FinishSetup once every field exists.
  QLabel* AddLabel(int textId);
  int AddField(int editId, int spinId, int min, int max, int limit, int messageId, int initial, int step = 1);
  void AddListRow(int textId, QWidget* list);
  // Polarity and mirrored.
  void AddWordRows();
  // A row "label [from] to [to]"; to < 0 puts a single field.
  void AddFieldRow(int textId, int from, int to = -1);
  void AddCommonRows(int strictId);
  // A control the family keeps off whatever the page enables (Freeze).
  void KeepOff(QWidget* w);
  // Changes of the lists, strict model and every field are marked, and of
  // the family's own lists in `alsoMarked`.
  void FinishSetup(const QList<QWidget*>& alsoMarked = {});

  // The family's part.
  virtual void LoadFamilyTexts() {}
  virtual int RunGeometry() = 0;
  // Code i of the last reading in the family's form; false when it is another.
  virtual bool CodeAt(int index, TaughtCode& out) const = 0;
  // True when every field takes the code's values as they stand.
  virtual bool Accepts(const TaughtCode& code) const = 0;
  // Every field from the codes (one code: its values; more: the range over all).
  virtual void ApplyCodes(const std::vector<TaughtCode>& codes) = 0;
  // The field's range and message as they stand now (QR: by model and type).
  virtual void RangeOf(int field, int& min, int& max, int& messageId) const;
  // The check of a field on leaving it; the family may wrap it.
  virtual void CheckField(int field);

  // v inside the field's own range (and even where the field wants it).
  bool FitsField(int field, int v) const;
  // The codes of the last reading the tab takes (at most the 100 kept).
  std::vector<TaughtCode> TeachableCodes() const;

  // The leave check's procedure; false when the value was refused.
  bool CheckFieldRange(int field);
  // Whole-tab steps: the first empty field of `order` focused (-1), then the
  // first out of range reset to its reset value and selected (-1); 0 when all pass.
  int CheckEmpty(std::initializer_list<int> order);
  int CheckRanges(std::initializer_list<std::pair<int, int>> fieldAndReset);
  // 6071 with the focus on `focus` when from > to; false then.
  bool CheckOrder(int from, int to, QWidget* focus);
  void SetFieldValue(int field, int v);
  // Fields from..to take the smallest and largest of the codes' values[value].
  void ApplyRange(const std::vector<TaughtCode>& codes, int value, int from, int to);
  void DataToControls();
  void ControlsToData();

  // Words between the lists and the block.
  void ShowWords(const Text256& polarity, const Text256& mirror, const Text256& strict);
  void StoreWords(Text256& polarity, Text256& mirror, Text256& strict) const;
  // The block into its list and the Set posted (busy), or nothing sent and busy cleared.
  int PostWritten(int writeResult, int command);
  // After ShowCodeData: the revert's message while a revert mark is set.
  void ShowRevertMessage();
  void SelectWords(const std::string& polarity, const std::string& mirror);
  bool Exempt(QWidget* to) const;

  // Result record `index` of the last reading when it is of the family's kind.
  template <class Record>
  const Record* ResultAt(int index) const;
  template <class Record>
  static TaughtCode Taught(const Record& r, std::array<int, 4> values) {
    return TaughtCode{std::string(r.texts0[0].view()), std::string(r.texts0[1].view()), values};
  }
  // The family's geometry dialog, made on first use; shown and run.
  template <class Dialog>
  Dialog* OwnedDialog(std::unique_ptr<Dialog>& slot) {
    if (!slot) slot = std::make_unique<Dialog>(ctx_);
    return slot.get();
  }
  template <class Dialog>
  static int ShowAndRun(Dialog* dialog) {
    dialog->ShowGeometry();
    return dialog->Run();
  }
  bool eventFilter(QObject* watched, QEvent* event) override;

  int captionId_ = 0;
  TwoDRules rules_;
  std::vector<Field> fields_;
  QGridLayout* grid_ = nullptr;
  int row_ = 0;
  QComboBox* polarity_ = nullptr;   // 1089
  QComboBox* mirror_ = nullptr;     // 1090
  QCheckBox* strict_ = nullptr;     // 1194 / 1195
  QPushButton* geometry_ = nullptr;  // 32863
  QPushButton* teach_ = nullptr;     // 1112
  std::array<CButtonDraw*, 2> revert_{};  // 1106 standard, 1111 enhanced
  std::array<bool, 2> revertMarks_{};     // live as long as the tab
  QList<QLabel*> labels_;
  QList<QWidget*> keptOff_;
};

// The mirrored word of a list index: no selection (or any other index) is "any".
std::string MirrorWordOfIndex(int index);

template <class Record>
const Record* TwoDCodeTab::ResultAt(int index) const {
  return std::get_if<Record>(&ctx_.state().m_CodeResults[static_cast<std::size_t>(index)]);
}
