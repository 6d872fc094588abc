#pragma once
// CAboutDlg: product picture and texts, the link of the product site and a
// button that starts the system's information program.
#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class Prompt;
class ResourceLibraries;
class StaticTextsService;

class CAboutDlg : public QDialog {
  Q_OBJECT
public:
  // texts paints the product block and makes the link (else plain labels);
  // the link's failure is told through the prompt.
  explicit CAboutDlg(const ResourceLibraries& resources, QWidget* parent = nullptr,
                     StaticTextsService* texts = nullptr, Prompt* prompt = nullptr);
  QString linkTarget() const { return link_; }

private:
  void OnSystemInfo();
  QString link_;
};
