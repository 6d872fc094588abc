#pragma once
// StatisticsFields: the read-only fields of the reading statistics (good,
// failed and total readings, the good and failed shares; controls 1139 to
// 1143) as the monitor panel and the function test show them. They hold
// copies; the statistics live in the window's state.
#include <QString>

class QLineEdit;
class QWidget;

class StatisticsFields {
public:
  // The five fields as children of parent; the owner places them.
  explicit StatisticsFields(QWidget* parent);

  // The counts and their shares ("%5.2f"; "0.00" for no readings).
  void Show(int total, int good, int failed);
  void Clear() { Show(0, 0, 0); }

  int good() const { return good_; }
  int failed() const { return failed_; }
  int total() const { return total_; }
  const QString& goodShare() const { return goodShare_; }
  const QString& failedShare() const { return failedShare_; }

  QLineEdit* goodEdit = nullptr;         // 1139
  QLineEdit* failedEdit = nullptr;       // 1140
  QLineEdit* totalEdit = nullptr;        // 1141
  QLineEdit* goodShareEdit = nullptr;    // 1142
  QLineEdit* failedShareEdit = nullptr;  // 1143

private:
  int good_ = 0;
  int failed_ = 0;
  int total_ = 0;
  QString goodShare_ = QStringLiteral("0.00");
  QString failedShare_ = QStringLiteral("0.00");
};
