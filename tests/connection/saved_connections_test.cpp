// Saved connections: the grid's four rows per connection, save with its
// replace questions and limit, delete by any of a connection's rows.
// The shared records name a member "slots": before any Qt header.
#include "core/misc_checks.h"

#include "connection_fixture.h"

namespace {

class SavedConnections : public ConnectionTest {
protected:
  // Only the connections a test writes (start-up stored a default one).
  void startEmpty() {
    window->settings().DeleteConnection(text(1040));
    window->settings().WriteLastConnection({});
    window->setLastConnection({});
    panel().RefreshList();
  }
  void select(int row) {
    panel().grid()->ClearSelection();
    panel().grid()->SetCellState(row, 0, CellStateFlags::kSelected);
  }
  QString cell(int row) { return panel().grid()->GetCellText(row, 0); }
};

TEST_F(SavedConnections, EachConnectionTakesFourRowsAndAFourthInsertsRows) {
  startEmpty();
  store(conn("Press", "192.168.0.10"));
  store(conn("Label", "", "00:0A:3C:00:00:02", "ON", "255.255.255.0"));
  store(conn("Spare", "10.0.0.7"));
  store(SavedConnection{"Ghost", "", "-", "-", "", "OFF", "8080", ""});
  panel().RefreshList();
  EXPECT_EQ(panel().grid()->GetRowCount(), 15);
  EXPECT_EQ(cell(1), "Label");
  EXPECT_EQ(cell(2), "    " + text(8707) + ": Hall");
  EXPECT_EQ(cell(3), text(8711) + " DHCP");
  EXPECT_EQ(cell(4), text(8712) + " 00:0A:3C:00:00:02");
  EXPECT_EQ(cell(5), "Press");
  EXPECT_EQ(cell(7), text(8711) + " 192.168.0.10 [8080]");
  EXPECT_EQ(cell(9), "Spare");
  EXPECT_EQ(cell(13), "") << "a connection without MAC and address is not listed";
  panel().SelectConnection("Press");
  SaveScreenshot(panel(), "connection_panel");

  store(conn("Zeta", "10.0.0.8"));
  panel().RefreshList();
  EXPECT_EQ(cell(13), "Zeta");
  EXPECT_EQ(panel().grid()->GetRowCount(), 19);
}

TEST_F(SavedConnections, SavingAddsReplacesOrKeepsByTheAnswer) {
  startEmpty();
  ASSERT_EQ(panel().SaveConnection(conn("Press", "192.168.0.10")), 0);
  EXPECT_TRUE(messages().isEmpty());
  EXPECT_EQ(storedNames(), QStringList{"Press"});
  QString last;
  window->settings().ReadLastConnection(last);
  EXPECT_EQ(last, "Press") << "every save sets the last connection";

  struct Case {
    SavedConnection c;
    QString question;
    QMessageBox::StandardButton answer;
    int result;
    QStringList names;
  };
  const QString sameAddress = text(8708) + ' ' + text(8709);
  const Case cases[] = {
      // Same name, other address.
      {conn("Press", "192.168.0.11"), text(8710), QMessageBox::No, -1, {"Press"}},
      // Same address written with leading zeros, other name.
      {conn("Other", "192.168.000.010"), sameAddress, QMessageBox::No, -1, {"Press"}},
      {conn("Other", "192.168.000.010"), sameAddress, QMessageBox::Yes, 0, {"Other"}},
      {conn("Other", "192.168.0.12"), text(8710), QMessageBox::Yes, 0, {"Other"}},
  };
  for (const Case& k : cases) {
    prompt.clear();
    prompt.queueAnswer(k.answer);
    EXPECT_EQ(panel().SaveConnection(k.c), k.result) << k.c.name.toStdString();
    EXPECT_EQ(messages(), QStringList{k.question}) << k.c.name.toStdString();
    EXPECT_EQ(storedNames(), k.names);
    EXPECT_EQ(state().m_bBusy, 0);
  }
  SavedConnection stored;
  window->settings().ReadConnection("\\Connections\\Other", stored);
  EXPECT_EQ(stored.ipAddress, "192.168.0.12");
  EXPECT_EQ(cell(1), "Other");
}

// Every name the name check allows is stored as it was given and comes back
// at the next start, listed, selectable and deletable: "/" and "\\" are no
// key separators there.
TEST_F(SavedConnections, AnyNameTheCheckAllowsComesBackAtTheNextStart) {
  startEmpty();
  const QStringList names = {"Line 3/Press", "Hall\\West", "a/b\\c/", "50% duty", "a%2Fb", "Prüfstand Süd",
                             "Łódź Ĉambro", "倉庫 3", "x=y;z", "[Hall] #1 \"Gate\""};
  for (int i = 0; i < names.size(); ++i) {
    ASSERT_EQ(CMisc::ValidateSensorName(names[i].toStdU16String()), 0) << names[i].toStdString();
    ASSERT_EQ(panel().SaveConnection(conn(names[i], QStringLiteral("10.0.0.%1").arg(i + 1))), 0);
  }
  EXPECT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();

  // The next start, on the same settings file.
  window.reset();
  SetUp();
  QStringList listed;
  for (int row = 1; row < panel().grid()->GetRowCount(); row += 4)
    if (!cell(row).isEmpty()) listed << cell(row);
  QStringList expected = names;
  listed.sort();
  expected.sort();
  EXPECT_EQ(listed, expected);
  EXPECT_EQ(window->lastConnection(), names.last());
  ASSERT_NE(panel().SelectedConnection(), nullptr) << "the last saved is preselected";
  EXPECT_EQ(panel().SelectedConnection()->name, names.last());
  for (int i = 0; i < names.size(); ++i) {
    ASSERT_TRUE(panel().SelectConnection(names[i])) << names[i].toStdString();
    EXPECT_EQ(panel().SelectedConnectionAddress(), QStringLiteral("10.0.0.%1").arg(i + 1));
  }
  ASSERT_TRUE(panel().SelectConnection("Line 3/Press"));
  panel().DeleteSelectedConnection();
  EXPECT_FALSE(storedNames().contains("Line 3/Press"));
  EXPECT_EQ(storedNames().size(), names.size() - 1);
}

TEST_F(SavedConnections, AReplaceTakesExactlyTheConnectionTheSearchNamed) {
  startEmpty();
  store(conn("A", "10.0.0.5"));
  store(conn("B", "010.0.0.1"));
  panel().RefreshList();
  // "10.0.0.1" is B's address: B goes, A stays, and the new one is stored.
  prompt.queueAnswer(QMessageBox::Yes);
  ASSERT_EQ(panel().SaveConnection(conn("C", "10.0.0.1")), 0);
  EXPECT_EQ(storedNames(), (QStringList{"A", "C"}));
}

TEST_F(SavedConnections, ConnectionsWithoutAddressAreToldApartByMac) {
  startEmpty();
  ASSERT_EQ(panel().SaveConnection(conn("Dhcp1", "", "00:0A:3C:00:00:0A", "ON")), 0);
  ASSERT_EQ(panel().SaveConnection(conn("Dhcp2", "", "00:0A:3C:00:00:0B", "ON")), 0);
  EXPECT_TRUE(messages().isEmpty()) << "two sensors without an address are no match";
  EXPECT_EQ(storedNames(), (QStringList{"Dhcp1", "Dhcp2"}));
  prompt.queueAnswer(QMessageBox::Yes);
  ASSERT_EQ(panel().SaveConnection(conn("Renamed", "", "00:0a:3c:00:00:0a", "ON")), 0);
  EXPECT_EQ(messages().size(), 1);
  EXPECT_EQ(storedNames(), (QStringList{"Dhcp2", "Renamed"}));
}

TEST_F(SavedConnections, TheLimitRefusesANewConnectionPast128ButNotAReplace) {
  startEmpty();
  {
    QSettings s(lib.settingsFile(), QSettings::IniFormat);
    for (int i = 0; i < 127; ++i) {
      const QString g = QStringLiteral("Connections/S%1/").arg(i, 3, 10, QLatin1Char('0'));
      s.setValue(g + "IPAddress", QStringLiteral("10.0.%1.%2").arg(i / 200).arg(i % 200 + 1));
      s.setValue(g + "XMLPort", "8080");
    }
  }
  // With 127 stored the 128th is taken (the count is checked before it is added).
  EXPECT_EQ(panel().SaveConnection(conn("N128", "10.1.0.1")), 0);
  EXPECT_EQ(storedNames().size(), 128);
  EXPECT_EQ(panel().SaveConnection(conn("N129", "10.1.0.2")), -1);
  EXPECT_EQ(messages(), QStringList{errorText(-14021)});
  EXPECT_EQ(state().m_bBusy, 0) << "busy is cleared on the refusal";
  EXPECT_EQ(storedNames().size(), 128);
  prompt.clear();
  prompt.queueAnswer(QMessageBox::Yes);
  EXPECT_EQ(panel().SaveConnection(conn("N128", "10.1.0.3")), 0) << "a replace keeps the count";
}

TEST_F(SavedConnections, DeleteActsOnTheConnectionOfAnyOfItsRows) {
  for (int offset = 0; offset < 4; ++offset) {
    startEmpty();
    for (const char* name : {"A", "B", "C"}) window->settings().DeleteConnection(name);
    store(conn("A", "10.0.0.1"));
    store(conn("B", "10.0.0.2"));
    store(conn("C", "10.0.0.3"));
    panel().RefreshList();
    select(5 + offset);
    prompt.clear();
    panel().DeleteSelectedConnection();
    EXPECT_EQ(messages(), QStringList{text(6011)});
    EXPECT_EQ(storedNames(), (QStringList{"A", "C"})) << "row offset " << offset;
    EXPECT_EQ(cell(1), "A");
    EXPECT_EQ(cell(5), "C");
    EXPECT_EQ(cell(9), "");
    EXPECT_EQ(panel().grid()->GetRowCount(), 15);
  }
  // No: nothing goes.
  select(1);
  prompt.queueAnswer(QMessageBox::No);
  panel().DeleteSelectedConnection();
  EXPECT_EQ(storedNames(), (QStringList{"A", "C"}));
}

TEST_F(SavedConnections, DeletingTheLastConnectionEmptiesItAndDisablesConnect) {
  startEmpty();
  ASSERT_EQ(panel().SaveConnection(conn("Press", "192.168.1.20")), 0);
  ASSERT_EQ(window->lastConnection(), "Press");
  ASSERT_TRUE(panel().SelectConnection("Press"));
  QTest::keyClick(panel().grid(), Qt::Key_Delete);
  EXPECT_EQ(messages(), QStringList{text(6011)});
  QString last = "x";
  window->settings().ReadLastConnection(last);
  EXPECT_EQ(last, "");
  EXPECT_EQ(window->lastConnection(), "");
  EXPECT_FALSE(button(1015)->isEnabled());
  EXPECT_FALSE(window->action(5000)->isEnabled());
  EXPECT_TRUE(storedNames().isEmpty());
}

}  // namespace
