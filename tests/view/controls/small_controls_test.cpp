// Buttons, link, illumination picture, tab controls and the shared dialog
// handlers: the table of what each must do.
#include <QDialog>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

#include "controls/button_draw.h"
#include "window/colours.h"
#include "controls/dialog_key_filter.h"
#include "gui_test_env.h"
#include "controls/hyperlink.h"
#include "controls/illum_widget.h"
#include "controls/image_quality_tabctrl.h"
#include "controls/process_interface_tab_ctrl.h"
#include "services/recording_prompt.h"
#include "controls/transparent_button.h"

namespace {

// The top-left edge pixel: light when raised, dark when sunken.
bool looksSunken(QWidget& button) {
  const QImage image = button.grab().toImage();
  return QColor(image.pixel(0, 0)).lightness() <
         QColor(image.pixel(button.width() - 1, button.height() - 1)).lightness();
}

TEST(ButtonDraw, ToggleFlipsOncePerPressAndNormalIsSunkenOnlyWhileHeld) {
  struct Case {
    bool toggle;
    int presses;
    bool checked;
  };
  for (const Case& c : {Case{true, 1, true}, Case{true, 2, false}, Case{true, 3, true},
                        Case{false, 1, false}, Case{false, 2, false}}) {
    CButtonDraw button(QStringLiteral("Results"));
    button.setToggleMode(c.toggle);
    button.resize(80, 24);
    button.show();
    for (int i = 0; i < c.presses; ++i) {
      QTest::mousePress(&button, Qt::LeftButton);
      // Repaints while held must not flip the state again.
      button.repaint();
      button.repaint();
      EXPECT_TRUE(looksSunken(button)) << "held";
      QTest::mouseRelease(&button, Qt::LeftButton);
    }
    EXPECT_EQ(button.isChecked(), c.checked) << c.toggle << " x" << c.presses;
    EXPECT_EQ(looksSunken(button), c.checked) << c.toggle << " x" << c.presses;
  }
}

TEST(ButtonDraw, DisabledTextIsGrey) {
  CButtonDraw button(QStringLiteral("Reset"));
  button.resize(80, 24);
  QImage image = button.grab().toImage();
  EXPECT_TRUE(hasColour(image, button.rect().adjusted(3, 3, -3, -3), Qt::black));
  button.setEnabled(false);
  image = button.grab().toImage();
  EXPECT_FALSE(hasColour(image, button.rect().adjusted(3, 3, -3, -3), Qt::black));
}

// 20x20 picture: green (the transparent colour) with a blue middle.
QPixmap greenFramedPicture() {
  QImage image(20, 20, QImage::Format_RGB32);
  image.fill(QColor(0, 255, 0));
  QPainter painter(&image);
  painter.fillRect(5, 5, 10, 10, QColor(0, 0, 255));
  painter.end();
  return QPixmap::fromImage(image);
}

struct RedParent : QWidget {
  RedParent() {
    resize(60, 60);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(200, 0, 0));
    setPalette(colours);
  }
};

// A button at (10,10) 30x30 on the red parent; its picture at (15,15).
struct ButtonOnRed {
  RedParent parent;
  CTransparentButton button;
  ButtonOnRed() {
    button.setParent(&parent);
    button.setGeometry(10, 10, 30, 30);
  }
  QColor at(int x, int y) { return QColor(parent.grab().toImage().pixel(x, y)); }
};

TEST(TransparentButton, TransparentPixelsShowTheParent) {
  ButtonOnRed b;
  ASSERT_EQ(b.button.SetBitmaps(greenFramedPicture(), 0x00FF00), 0);
  // The green frame of the picture is (15..19).
  EXPECT_EQ(b.at(17, 17), QColor(200, 0, 0));
  EXPECT_EQ(b.at(25, 25), QColor(0, 0, 255));
  EXPECT_FALSE(hasColour(b.parent.grab().toImage(), b.parent.rect(), QColor(0, 255, 0)));
}

TEST(TransparentButton, PictureWithoutTheColourIsOpaque) {
  ButtonOnRed b;
  ASSERT_EQ(b.button.SetBitmaps(greenFramedPicture(), 0xFFFFFF), 0);
  EXPECT_EQ(b.at(17, 17), QColor(0, 255, 0));
}

TEST(TransparentButton, LoadsResourceBitmapsAndReportsMissingOnes) {
  CTransparentButton button;
  EXPECT_EQ(button.LoadBitmaps(219, 0x00FF00, 217, 0x00FF00), 0);
  EXPECT_FALSE(button.sizeHint().isEmpty());
  EXPECT_EQ(button.LoadBitmaps(9999, 0x00FF00), 1);
  EXPECT_EQ(button.LoadBitmaps(219, 0x00FF00, 9998, 0x00FF00), 1);
}

TEST(TransparentButton, SecondPictureShowsUnlessHeldOrHovered) {
  ButtonOnRed b;
  CTransparentButton& button = b.button;
  QPixmap blue(20, 20);
  blue.fill(Qt::blue);
  QPixmap yellow(20, 20);
  yellow.fill(Qt::yellow);
  ASSERT_EQ(button.SetBitmaps(blue, 0x00FF00, yellow, 0x00FF00), 0);
  b.parent.show();
  EXPECT_EQ(QColor(button.grab().toImage().pixel(15, 15)), QColor(Qt::yellow));
  QTest::mousePress(&button, Qt::LeftButton);
  EXPECT_EQ(QColor(button.grab().toImage().pixel(15, 15)), QColor(Qt::blue));
  QTest::mouseRelease(&button, Qt::LeftButton);
}

TEST(TransparentButton, CheckBoxModeFlipsOnClick) {
  CTransparentButton button;
  button.setCheckBoxMode(true);
  button.resize(30, 30);
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_TRUE(button.isChecked());
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_FALSE(button.isChecked());
}

TEST(Hyperlink, FailedOpenShowsTheMessageAndSuccessMarksVisited) {
  RecordingPrompt prompt;
  CHyperlink link;
  link.setPrompt(&prompt, QStringLiteral("Varnis Tarvel"));
  link.setTexts(installedTable("VarnisLang09"));
  std::vector<QUrl> opened;
  bool succeed = false;
  link.setOpener([&](const QUrl& url) {
    opened.push_back(url);
    return succeed;
  });
  link.SetURL(QStringLiteral("https://example.invalid/help"));
  EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
  EXPECT_TRUE(link.font().underline());
  EXPECT_EQ(link.textColour(), 0xEE0000u);
  link.show();

  QTest::mouseClick(&link, Qt::LeftButton, {}, QPoint(3, 3));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], QUrl(QStringLiteral("https://example.invalid/help")));
  ASSERT_EQ(prompt.messages().size(), 1);
  EXPECT_EQ(prompt.messages()[0].icon, QMessageBox::Warning);
  EXPECT_EQ(prompt.messages()[0].caption, QStringLiteral("Varnis Tarvel"));
  EXPECT_EQ(prompt.messages()[0].text, QStringLiteral("The link could not be opened.\nCheck that a web "
                                                "browser is installed and set as the default for "
                                                "web links."));
  EXPECT_EQ(link.visited(), 0);

  succeed = true;
  QTest::mouseClick(&link, Qt::LeftButton, {}, QPoint(3, 3));
  EXPECT_EQ(prompt.messages().size(), 1);
  EXPECT_EQ(link.visited(), 1);
  EXPECT_EQ(link.textColour(), 0x8B1A55u);
  EXPECT_TRUE(hasColour(link.grab().toImage(), link.rect(), FromColorRef(0x8B1A55)));
}

TEST(IllumWidget, ReloadsTheRingOnlyWhenAPictureIsHeldAndKeepsTheClick) {
  CIllumWidget picture;
  picture.ReloadBitmap();
  EXPECT_FALSE(picture.hasBitmap());
  QPixmap segments(10, 10);
  segments.fill(Qt::yellow);
  picture.setBitmap(segments);
  picture.ReloadBitmap();
  EXPECT_EQ(picture.pixmap().size(), QSize(161, 161));
  picture.resize(161, 161);
  QTest::mouseClick(&picture, Qt::LeftButton, {}, QPoint(40, 70));
  EXPECT_EQ(picture.clickX(), 40);
  EXPECT_EQ(picture.clickY(), 70);
}

struct Pages {
  QWidget* pages[3] = {new QWidget, new QWidget, nullptr};
  template <typename Tabs>
  void fill(Tabs& tabs) {
    tabs.resize(300, 200);
    tabs.AddPage(pages[0], QStringLiteral("Output"));
    tabs.AddPage(pages[1], QStringLiteral("Test"));
    tabs.AddPage(pages[2], QStringLiteral("Spare"));
    tabs.show();
  }
};

void clickTab(CPagedTabCtrl& tabs, int index) {
  QTest::mouseClick(tabs.tabBar(), Qt::LeftButton, {}, tabs.tabBar()->tabRect(index).center());
}

TEST(TabControls, ADisabledTabKeepsThePreviousPage) {
  CProcessInterfaceTabCtrl tabs;
  Pages p;
  p.fill(tabs);
  tabs.EnableTab(1, false);
  QSignalSpy changes(tabs.tabBar(), &QTabBar::currentChanged);
  clickTab(tabs, 1);
  EXPECT_EQ(tabs.currentTab(), 0);
  EXPECT_EQ(tabs.tabBar()->currentIndex(), 0);
  EXPECT_TRUE(p.pages[0]->isVisible());
  EXPECT_FALSE(p.pages[1]->isVisible());
  tabs.EnableTab(1, true);
  clickTab(tabs, 1);
  EXPECT_EQ(tabs.currentTab(), 1);
  EXPECT_FALSE(p.pages[0]->isVisible());
  EXPECT_TRUE(p.pages[1]->isVisible());
}

TEST(TabControls, SelectPageTable) {
  CImageQualityTabctrl tabs;
  Pages p;
  p.fill(tabs);
  tabs.EnableTab(1, false);
  tabs.EnableTab(7, false);  // outside the tabs: nothing
  struct Case {
    int index;
    int result;
    int currentAfter;
  };
  for (const Case& c : {Case{0, 1, 0}, Case{-1, 0, 0}, Case{3, 0, 0}, Case{1, 0, 0},
                        Case{2, 1, 2}, Case{0, 1, 0}}) {
    EXPECT_EQ(tabs.SelectPage(c.index), c.result) << c.index;
    EXPECT_EQ(tabs.currentTab(), c.currentAfter) << c.index;
    EXPECT_EQ(tabs.tabBar()->currentIndex(), c.currentAfter) << c.index;
  }
  EXPECT_TRUE(p.pages[0]->isVisible());
  EXPECT_EQ(tabs.GetPage(0), 1);
  EXPECT_EQ(tabs.GetPage(1), 0);
  EXPECT_EQ(tabs.GetPage(-1), 0);
  EXPECT_EQ(tabs.GetPage(3), 0);
}

TEST(TabControls, ImageQualityTabsFollowTheHooks) {
  CImageQualityTabctrl tabs;
  Pages p;
  p.fill(tabs);
  bool busy = true;
  bool keepTrigger = false;
  std::vector<int> selected;
  int focused = 0;
  tabs.setHooks({[&] { return busy; }, [&](int tab, bool) { selected.push_back(tab); },
                 [&](int) { return keepTrigger; }, [&] { ++focused; }});
  clickTab(tabs, 1);
  EXPECT_EQ(tabs.currentTab(), 0) << "no change while busy";
  EXPECT_TRUE(selected.empty());

  busy = false;
  clickTab(tabs, 1);
  EXPECT_EQ(tabs.currentTab(), 1);
  EXPECT_EQ(focused, 1);
  EXPECT_TRUE(p.pages[1]->isVisible());

  keepTrigger = true;
  clickTab(tabs, 0);
  EXPECT_EQ(tabs.currentTab(), 1) << "the trigger tab stays";
  EXPECT_EQ(tabs.tabBar()->currentIndex(), 1);
  EXPECT_TRUE(p.pages[1]->isVisible());

  keepTrigger = false;
  clickTab(tabs, 2);  // no page: back to the tab before
  EXPECT_EQ(tabs.currentTab(), 1);
  EXPECT_EQ(tabs.tabBar()->currentIndex(), 1);
  EXPECT_EQ(selected, (std::vector<int>{1, 0, 2}));
}

TEST(TabControls, ProcessInterfaceChecksTheFirstTabBeforeTheSecond) {
  CProcessInterfaceTabCtrl tabs;
  Pages p;
  p.fill(tabs);
  bool stringsGood = false;
  tabs.setFirstTabCheck([&] { return stringsGood; });
  clickTab(tabs, 1);
  EXPECT_EQ(tabs.currentTab(), 0);
  EXPECT_TRUE(p.pages[0]->isVisible());
  stringsGood = true;
  clickTab(tabs, 1);
  EXPECT_EQ(tabs.currentTab(), 1);
}

TEST(SharedDialogHandlers, EnterEscapeAndSpaceNeitherCloseNorPress) {
  QDialog dialog;
  auto* edit = new QLineEdit(&dialog);
  auto* button = new QPushButton(QStringLiteral("Apply"), &dialog);
  button->setDefault(true);
  DialogKeyFilter::install(&dialog);
  auto* later = new QPushButton(QStringLiteral("Later"), &dialog);  // added after the filter
  QSignalSpy pressed(button, &QPushButton::clicked);
  QSignalSpy laterPressed(later, &QPushButton::clicked);
  QSignalSpy finished(&dialog, &QDialog::finished);
  dialog.show();

  for (QWidget* target : {static_cast<QWidget*>(edit), static_cast<QWidget*>(button),
                          static_cast<QWidget*>(later), static_cast<QWidget*>(&dialog)}) {
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Space}) {
      QTest::keyClick(target, key);
    }
  }
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(finished.count(), 0);
  EXPECT_EQ(pressed.count(), 0);
  EXPECT_EQ(laterPressed.count(), 0);
  QTest::keyClick(edit, Qt::Key_A);
  EXPECT_EQ(edit->text(), QStringLiteral("a"));
}

}  // namespace
