#pragma once
// The module geometry dialogs of the 2-D families, opened from a code tab's
// "Module geometry ..." (32863). They edit the family's settings block of
// the main window and send nothing: OK writes the block once every field
// passes, Cancel and a disconnect write nothing. CodeGeometryDialog serves
// ECC 200 (with the module grid), QR Code and Aztec Code (module size and
// gaps); CPDF417CodeGeometry edits module widths and aspects.
#include <QDialog>
#include <memory>

#include "code_definition_context.h"
#include "text/fixed_text.h"

class CNumSpinCtrl;
class FieldCheck;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Where a family keeps its module size and gaps.
struct GeometryFields {
  int32_t* sizeMin = nullptr;
  int32_t* sizeMax = nullptr;
  Text256* gapColMin = nullptr;
  Text256* gapColMax = nullptr;
  Text256* gapRowMin = nullptr;
  Text256* gapRowMax = nullptr;
  Text256* grid = nullptr;  // ECC 200 only
};

// Shared by both shapes: the OK/Cancel buttons, the field checks and the
// keyboard and clipboard filter.
class GeometryDialogBase : public QDialog {
  Q_OBJECT
public:
  GeometryDialogBase(CodeDefinitionContext& ctx, int titleId);
  ~GeometryDialogBase() override;
  // Runs the dialog through the program's prompt (modal); its result.
  int Run();

  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }

protected:
  // An integer field 2..100 and a real field; false when the check failed
  // (message, focus and selection done). Leaving an emptied field shows the
  // last accepted value again; OK (fromOk) refuses it.
  bool CheckIntField(QLineEdit* edit, int& member, int messageId, bool fromOk);
  bool CheckRealField(QLineEdit* edit, double& member, int messageId, bool fromOk);
  // The field's message (caption 9860), the focus and its text selected.
  bool FailField(QLineEdit* edit, int messageId);
  QLineEdit* AddEdit(int id, int limit);
  CNumSpinCtrl* AddSpin(int id, QLineEdit* buddy, double min, double max, double step, int decimals);
  void WatchEdit(QLineEdit* edit, std::function<void()> check);
  // 6071 with the application's title, the focus on w.
  void ShowOrderError(QWidget* w);
  void reject() override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  virtual QLineEdit* firstEdit() const = 0;
  virtual bool CheckFirstEdit() = 0;
  virtual void LoadLanguageTexts() = 0;

  CodeDefinitionContext& ctx_;
  std::unique_ptr<FieldCheck> check_;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  int titleId_ = 0;
  bool cancelling_ = false;
};

class CodeGeometryDialog : public GeometryDialogBase {
  Q_OBJECT
public:
  CodeGeometryDialog(CodeDefinitionContext& ctx, int titleId, GeometryFields fields);

  void ShowGeometry();
  void accept() override;  // OnOK

  QLineEdit* sizeFrom() const { return from_; }
  QLineEdit* sizeTo() const { return to_; }
  QComboBox* gap(int i) const { return gaps_[i]; }  // col min, col max, row min, row max
  QComboBox* grid() const { return grid_; }

protected:
  QLineEdit* firstEdit() const override { return from_; }
  bool CheckFirstEdit() override;
  void LoadLanguageTexts() override;

private:
  GeometryFields fields_;
  QLineEdit* from_ = nullptr;  // 1147
  QLineEdit* to_ = nullptr;    // 1148
  QComboBox* gaps_[4] = {};    // 1135, 1151, 1152, 1153
  QComboBox* grid_ = nullptr;  // 1154
  QList<QLabel*> labels_;
  int sizeMin_ = 2;
  int sizeMax_ = 100;
};

class CECC200CodeGeometry : public CodeGeometryDialog {
public:
  explicit CECC200CodeGeometry(CodeDefinitionContext& ctx);
};
class CQRCodeGeometry : public CodeGeometryDialog {
public:
  explicit CQRCodeGeometry(CodeDefinitionContext& ctx);
};
class CAztecCodeGeometry : public CodeGeometryDialog {
public:
  explicit CAztecCodeGeometry(CodeDefinitionContext& ctx);
};

class CPDF417CodeGeometry : public GeometryDialogBase {
  Q_OBJECT
public:
  explicit CPDF417CodeGeometry(CodeDefinitionContext& ctx);

  void ShowGeometry();
  void accept() override;

  QLineEdit* widthMin() const { return widthMin_; }
  QLineEdit* widthMax() const { return widthMax_; }
  QLineEdit* aspectMin() const { return aspectMin_; }
  QLineEdit* aspectMax() const { return aspectMax_; }

protected:
  QLineEdit* firstEdit() const override { return widthMin_; }
  bool CheckFirstEdit() override;
  void LoadLanguageTexts() override;

private:
  void FilterAspect(QLineEdit* edit);

  QLineEdit* widthMin_ = nullptr;   // 1141
  QLineEdit* widthMax_ = nullptr;   // 1142
  QLineEdit* aspectMin_ = nullptr;  // 1147
  QLineEdit* aspectMax_ = nullptr;  // 1149
  QList<QLabel*> labels_;
  int widthMinValue_ = 2;
  int widthMaxValue_ = 100;
  double aspectMinValue_ = 1.0;
  double aspectMaxValue_ = 4.0;
};

// The aspect as the dialog keeps it: the text cut one character after the
// first point (1.25 gives 1.2), read as a number.
double CutAspect(const QString& text);
