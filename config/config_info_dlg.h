#pragma once
// CConfigInfoDlg: a read-only summary of one configuration on the sensor.
#include <QDialog>
#include <QMap>

class CVarnisDatamatrixDlg;
class QLabel;

class CConfigInfoDlg : public QDialog {
  Q_OBJECT
public:
  CConfigInfoDlg(CVarnisDatamatrixDlg& dlg, QWidget* parent);
  QLabel* control(int id) const { return controls_.value(id); }
  // The full text of a value control (before it was shortened).
  QString fullText(int id) const { return full_.value(id); }

private:
  void Fill();
  CVarnisDatamatrixDlg& dlg_;
  QMap<int, QLabel*> controls_;
  QMap<int, QString> full_;
};
