#pragma once
// CAboutDlg: product picture and texts, the link of the product site and a
// button that starts the system's information program.
#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class ResourceLibraries;

class CAboutDlg : public QDialog {
  Q_OBJECT
public:
  explicit CAboutDlg(const ResourceLibraries& resources, QWidget* parent = nullptr);
  QString linkTarget() const { return link_; }

private:
  void OnSystemInfo();
  QString link_;
};
