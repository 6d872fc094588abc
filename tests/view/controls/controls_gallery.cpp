// Renders each small control as the operator sees it into PNG files, for a
// look after a change: view_controls_gallery <folder>.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <filesystem>
#include <iostream>
#include <platform/string_table.h>

#include "controls/bb_tool_tip.h"
#include "controls/button_draw.h"
#include "controls/color_list_box.h"
#include "controls/color_settings.h"
#include "controls/hyperlink.h"
#include "controls/illum_widget.h"
#include "controls/image_quality_tabctrl.h"
#include "controls/num_spin_ctrl.h"
#include "controls/painted_static_texts.h"
#include "controls/process_interface_tab_ctrl.h"
#include "services/recording_prompt.h"
#include "controls/transparent_button.h"

namespace {

TextLookup table(const char* folder) {
  auto strings = std::make_shared<vt::StringTable>();
  strings->load(std::filesystem::path(VT_BIN_DIR) / "Lib" / folder / "strings.txt");
  return [strings](unsigned id) {
    const auto text = strings->get(id);
    return text ? QString::fromUtf8(text->data(), qsizetype(text->size())) : QString();
  };
}

void save(QWidget& widget, const QString& folder, const char* name) {
  widget.show();
  QApplication::processEvents();
  const QString file = folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
  if (!widget.grab().save(file)) std::cerr << "cannot write " << file.toStdString() << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  const TextLookup language = table("VarnisLang09");
  const TextLookup common = table("Zentrafel");

  QWidget spins;
  auto* spinLayout = new QVBoxLayout(&spins);
  for (const char* text : {"1.5", "0.000001", "32767"}) {
    auto* row = new QWidget;
    auto* edit = new QLineEdit(QString::fromLatin1(text), row);
    auto* spin = new CNumSpinCtrl(row);
    spin->setBuddy(edit);
    spin->SetDecimals(2);
    spin->SetRangeAndStep(0, 100000, 0.25);
    edit->setGeometry(0, 0, 80, 22);
    spin->setGeometry(80, 0, 17, 22);
    row->setFixedSize(100, 22);
    spinLayout->addWidget(row);
  }
  save(spins, folder, "num_spin_ctrl");

  CColorListBox log;
  log.resize(420, 120);
  log.AddColorString(QStringLiteral("Connected to sensor 127.0.0.1"), 0);
  log.AddColorString(QStringLiteral("01: 0123456789 (ECC200 16x16)"), 0x00C800);
  log.AddColorString(QStringLiteral("02: code not read"), 0x2103FF);
  log.AddColorString(QStringLiteral("Good readings 12 (92.31 %)"), 0x0099FF);
  save(log, folder, "color_list_box");
  log.ToggleSelectAll();
  save(log, folder, "color_list_box_all_selected");

  GraphicsColours colours;
  RecordingPrompt prompt;
  CColorSettings settings(colours, {}, prompt, language, common);
  save(settings, folder, "color_settings");

  QWidget owner;
  owner.resize(640, 480);
  owner.setAutoFillBackground(true);
  QPalette grey = owner.palette();
  grey.setColor(QPalette::Window, QColor(90, 90, 90));
  owner.setPalette(grey);
  CBBToolTip tip(&owner, language);
  tip.AddTool(1074, {QStringLiteral("01: ECC200 16x16"), QStringLiteral("Code: 0123456789AB"),
                     QStringLiteral("Contrast: A  Modulation: B"), QStringLiteral("Angle: 90°")},
              0xDCFFFF, 0);
  tip.ShowTool(1074, {600, 440});
  save(owner, folder, "bb_tool_tip");
  QStringList many;
  for (int i = 1; i <= 40; ++i) many << QStringLiteral("%1: line of a tall box").arg(i, 2, 10, QLatin1Char('0'));
  tip.AddTool(1074, many, 0xDCFFFF, 0);
  tip.ShowTool(1074, {40, 300});
  save(owner, folder, "bb_tool_tip_shrunk");

  QWidget buttons;
  buttons.resize(420, 150);
  auto* reset = new CButtonDraw(language(9203).isEmpty() ? QStringLiteral("Reset") : QStringLiteral("Reset statistics"), &buttons);
  reset->setGeometry(10, 10, 130, 26);
  auto* results = new CButtonDraw(QStringLiteral("Results"), &buttons);
  results->setToggleMode(true);
  results->setChecked(true);
  results->setGeometry(150, 10, 100, 26);
  auto* images = new CButtonDraw(QStringLiteral("Images"), &buttons);
  images->setEnabled(false);
  images->setGeometry(260, 10, 100, 26);
  int x = 10;
  for (int id : {217, 218, 219, 220, 221}) {
    auto* page = new CTransparentButton(&buttons);
    page->LoadBitmaps(id, 0x00FF00);
    page->setGeometry(x, 50, 44, 44);
    x += 50;
  }
  auto* link = new CHyperlink(&buttons);
  link->move(10, 110);
  link->SetURL(QStringLiteral("https://www.example.com/"));
  CIllumWidget illum;
  illum.setBitmap(lindaroBitmap(201));
  save(buttons, folder, "small_buttons");
  save(illum, folder, "illum_widget");

  CProcessInterfaceTabCtrl tabs;
  tabs.resize(320, 140);
  auto* output = new QLabel(QStringLiteral("Output strings page"));
  tabs.AddPage(output, QStringLiteral("Output strings"));
  tabs.AddPage(new QLabel(QStringLiteral("Test page")), QStringLiteral("Test output"));
  tabs.AddPage(new QLabel(QStringLiteral("Spare")), QStringLiteral("Disabled"));
  tabs.EnableTab(2, false);
  save(tabs, folder, "process_interface_tabs");

  CStaticTextAbout about(language, common);
  about.resize(about.sizeHint());
  save(about, folder, "static_text_about");
  CStaticTextSplasScreen splash(language, common);
  splash.resize(splash.sizeHint());
  save(splash, folder, "static_text_splash");
  CStaticTextMode mode(language);
  mode.resize(mode.sizeHint());
  save(mode, folder, "static_text_mode");
  return 0;
}
