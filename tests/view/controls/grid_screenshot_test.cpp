// Not a check: renders grids to PNG files for a look by eye
// (--gtest_also_run_disabled_tests --gtest_filter=*Screenshot*; VT_SHOT_DIR
// names the folder, /tmp by default).
#include "grid_fixture.h"

#include "controls/in_place_edit.h"

#include <QDir>
#include <QInputMethodEvent>

namespace {

QString ShotPath(const char* name) {
  const QByteArray dir = qgetenv("VT_SHOT_DIR");
  return QDir(dir.isEmpty() ? QStringLiteral("/tmp") : QString::fromLocal8Bit(dir))
      .filePath(QString::fromLatin1(name));
}

class GridScreenshot : public GridTest {
 protected:
  // As shown, and three times as large for a close look.
  void Save(const char* name) {
    const QPixmap shot = grid->grab();
    ASSERT_TRUE(shot.save(ShotPath(name)));
    ASSERT_TRUE(shot.scaled(shot.size() * 3).save(ShotPath(name).replace(".png", "_x3.png")));
  }
};

TEST_F(GridScreenshot, DISABLED_SaveScreenshots) {
  // Saved connections: one column, a header, four rows per connection.
  MakeGrid(14, 1, 1, 0, 218, 180);
  grid->m_OwnerRole = GridOwnerRole::SavedConnections;
  grid->m_MouseMode = GridMouseMode::kClickableRectangle;
  grid->SetColumnWidth(0, 218);
  grid->SetCellText(0, 0, QStringLiteral("Saved connections"));
  const char* rows[] = {"Line 3 reader", "  192.168.10.21", "  Port 8080", "  Hall B, station 4",
                        "Packaging & labels", "  DHCP", "  Port 8081", "  Hall A",
                        "Spare sensor", "  10.0.0.7", "  Port 8080", "  Store"};
  for (int i = 0; i < 12; ++i) {
    grid->SetCellText(i + 1, 0, QString::fromUtf8(rows[i]));
    grid->SetCellTextColor(i + 1, 0, i % 4 == 0 ? 0 : RGB(96, 96, 96));
  }
  grid->SetRowHeight(13, 0);
  Click(5, 0);
  Save("grid_saved_connections.png");

  // A function-test style grid with a fixed column, a selected row and an
  // in-place edit open.
  MakeGrid(8, 4, 1, 1, 320, 150);
  grid->m_OwnerRole = GridOwnerRole::FunctionTest;
  grid->m_MouseMode = GridMouseMode::kRows;
  const char* heads[] = {"No.", "Result", "Time", "Code"};
  for (int c = 0; c < 4; ++c) grid->SetCellText(0, c, QString::fromLatin1(heads[c]));
  for (int r = 1; r < 8; ++r) {
    grid->SetCellText(r, 0, QString::number(r));
    grid->SetCellText(r, 1, r % 3 ? QStringLiteral("Pass") : QStringLiteral("Fail"));
    grid->SetCellText(r, 2, QStringLiteral("%1 ms").arg(40 + r * 3));
    grid->SetCellText(r, 3, QStringLiteral("0%1%2").arg(r).arg(r * 7));
    grid->SetCellFormat(r, 3, CellFormat::kRight | CellFormat::kVCenter | CellFormat::kSingleLine);
  }
  Click(3, 1);
  grid->m_MouseMode = GridMouseMode::kNone;
  grid->BeginCellEdit(5, 3, QPoint(-1, -1), '7');
  QApplication::processEvents();
  Save("grid_function_test_edit.png");
}

}  // namespace
