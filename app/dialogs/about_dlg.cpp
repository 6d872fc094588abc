#include "dialogs/about_dlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>

#include "resources/resource_libraries.h"
#include "services/view_services.h"

CAboutDlg::CAboutDlg(const ResourceLibraries& resources, QWidget* parent, StaticTextsService* texts, Prompt* prompt)
    : QDialog(parent) {
  setObjectName("CAboutDlg");
  setWindowTitle(resources.text(1051));

  auto* picture = new QLabel(this);
  picture->setObjectName("id1018");
  picture->setPixmap(QPixmap(resources.picturePath(80)));

  auto language = [&resources](int id) { return resources.text(id); };
  auto common = [&resources](int id) { return resources.definition(id); };
  QWidget* product = texts ? texts->MakeAboutText(this, language, common)
                           : new QLabel(resources.definition(301) + '\n' + resources.definition(105), this);
  product->setObjectName("id1209");

  auto* version = new QLabel(resources.text(932), this);
  version->setObjectName("id1207");

  auto* notes = new QPlainTextEdit(resources.text(921), this);
  notes->setObjectName("id1208");
  notes->setReadOnly(true);
  notes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont notesFont(resources.text(10000));
  notesFont.setPixelSize(14);
  notes->setFont(notesFont);

  // A single blank means: no link.
  const QString target = resources.definition(302);
  link_ = target == QStringLiteral(" ") ? QString() : target;
  QWidget* link = nullptr;
  if (texts) {
    link = texts->MakeLink(this, link_, prompt, resources.definition(104), language);
  } else {
    auto* plain = new QLabel(this);
    plain->setOpenExternalLinks(true);
    if (!link_.isEmpty()) plain->setText(QStringLiteral("<a href=\"%1\"><u>%1</u></a>").arg(link_.toHtmlEscaped()));
    link = plain;
  }
  link->setObjectName("id1206");
  link->setVisible(!link_.isEmpty());

  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);

  auto* info = new QPushButton(resources.text(933), this);
  info->setObjectName("id1017");
  connect(info, &QPushButton::clicked, this, &CAboutDlg::OnSystemInfo);
  auto* ok = new QPushButton(resources.text(9203), this);
  ok->setObjectName("id1");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* grid = new QGridLayout(this);
  grid->addWidget(picture, 0, 0, 3, 1, Qt::AlignTop);
  grid->addWidget(product, 0, 1, 1, 2);
  grid->addWidget(link, 1, 1, 1, 2);
  grid->addWidget(version, 2, 1, 1, 2);
  grid->addWidget(notes, 3, 0, 1, 3);
  grid->addWidget(line, 4, 0, 1, 3);
  grid->addWidget(info, 5, 1);
  grid->addWidget(ok, 5, 2);
  grid->setColumnStretch(1, 1);
  resize(480, 400);
}

void CAboutDlg::OnSystemInfo() {
  // The system's information program, where one is installed; nothing otherwise.
  QProcess::startDetached(QStringLiteral("hardinfo"), {});
}
