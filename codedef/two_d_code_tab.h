#pragma once
// TwoDCodeTab: what the PDF417, QR Code and Aztec Code tabs share. Polarity
// and mirroring lists, number fields with spins and their check on leaving,
// the whole-tab check's steps, strict model, the module geometry button,
// Teach, "Use code properties", the two reverts with their messages, the
// enabling and the change marks. A family adds its fields and says how a
// result record and its settings block map onto them.
#include <array>
#include <string>
#include <vector>

#include "code_tab.h"
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

class TwoDCodeTab : public CodeTab {
  Q_OBJECT
public:
  explicit TwoDCodeTab(CodeDefinitionContext& ctx, QWidget* parent = nullptr);
  ~TwoDCodeTab() override;

  void LoadLanguageTexts() override;
  void EnableControls(bool on) override;
  void UseCodeProperties(int resultIndex) override;
  void EnableTeach(bool on) override;
  void Teach();
  void OnRevert(int kind);
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
  };

  // The family's window: its rows first (AddListRow, AddFieldRow), then
  // AddCommonRows, then FinishSetup once every field exists.
  QLabel* AddLabel(int textId);
  int AddField(int editId, int spinId, int min, int max, int limit, int messageId, int initial);
  void AddListRow(int textId, QWidget* list);
  // A row "label [from] to [to]"; to < 0 puts a single field.
  void AddFieldRow(int textId, int from, int to = -1);
  void AddCommonRows(int strictId);
  void FinishSetup(const QList<QWidget*>& marked);

  // The family's part.
  virtual void LoadFamilyTexts() {}
  virtual int RunGeometry() = 0;
  // Code i of the last reading in the family's form; false when it is another.
  virtual bool CodeAt(int index, TaughtCode& out) const = 0;
  // Every field from the codes (one code: its values; more: the range over all).
  virtual void ApplyCodes(const std::vector<TaughtCode>& codes) = 0;
  // The field's range and message as they stand now (QR: by model and type).
  virtual void RangeOf(int field, int& min, int& max, int& messageId) const;
  // The check of a field on leaving it; the family may wrap it.
  virtual void CheckField(int field);

  // The leave check's procedure; false when the value was refused.
  bool CheckFieldRange(int field);
  // Whole-tab steps: the first empty field of `order` focused (-1), then the
  // first out of range reset to its reset value and selected (-1); 0 when all pass.
  int CheckEmpty(std::initializer_list<int> order);
  int CheckRanges(std::initializer_list<std::pair<int, int>> fieldAndReset);
  // 6071 with the focus on `focus` when from > to; false then.
  bool CheckOrder(int from, int to, QWidget* focus);
  void SetFieldValue(int field, int v);
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
  bool eventFilter(QObject* watched, QEvent* event) override;

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
};

// The mirrored word of a list index: no selection (or any other index) is "any".
std::string MirrorWordOfIndex(int index);
