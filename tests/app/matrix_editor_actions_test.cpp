// Matrix editor opened from its menu command: clicks on the grid, the bar's
// presets and arrows, output delays through the time delay dialog.

#include "device_editor_app_fixture.h"
#include "editors/matrix_editor.h"

namespace {

class MatrixActionsTest : public GridEditorAppTest {
  protected:
    void SetUp() override {
        GridEditorAppTest::SetUp();
        Open(kCmdMatrixEditor);
    }
    // Clicks an output delay cell and, in the dialog, presses the named
    // buttons after typing text (when given).
    void EditDelay(int row, int g, const char* typed, std::initializer_list<const char*> presses,
                   bool ok) {
        WithDialog([&] { Click(row, g); },
                   [&](QDialog* dialog) {
                       seenTitle_ = dialog->windowTitle().toStdString();
                       auto* edit = dialog->findChild<QLineEdit*>("1008");
                       ASSERT_NE(edit, nullptr);
                       if (typed)
                           edit->setText(typed);
                       for (const char* name : presses) {
                           auto* button = dialog->findChild<QAbstractButton*>(name);
                           ASSERT_NE(button, nullptr) << name;
                           button->click();
                       }
                       shownText_ = edit->text().toStdString();
                       dialog->findChild<QAbstractButton*>(ok ? "1006" : "1007")->click();
                   });
    }
    std::string seenTitle_, shownText_;
};

TEST_F(MatrixActionsTest, OpensWithItsBarUnderTheGrid) {
    ASSERT_NE(grid_, nullptr);
    EXPECT_EQ(App().currentKind, EditorKind::kMatrix);
    EXPECT_EQ(grid_->ControlId(), 501);
    EXPECT_EQ(grid_->State().title, "Input / Output Matrix Editor");
    EXPECT_EQ(grid_->State().headerHeight, 21);
    EXPECT_EQ(grid_->State().rowCount, 35);
    QWidget* bar = App().editorBar;
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->geometry().top(), grid_->geometry().bottom() + 1);
    // The editor's next view closes the bar with it.
    window_->Dispatch(kCmdCoincidence);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(App().editorBar, nullptr);
    EXPECT_EQ(Find<QWidget>("1500"), nullptr);
}

TEST_F(MatrixActionsTest, EntryClicksCycleWithColours) {
    const struct {
        const char* text;
        uint32_t colour;
    } cycle[] = {{"O", GridRgb(255, 255, 255)},
                 {"P", GridRgb(0, 255, 0)},
                 {"W", GridRgb(255, 255, 0)},
                 {"C", GridRgb(255, 0, 0)}};
    for (const auto& step : cycle) {
        Click(4, 1);
        EXPECT_EQ(Value("Matrix_1_1"), step.text);
        EXPECT_EQ(Text(4, 1), step.text);
        EXPECT_EQ(Colour(4, 1), step.colour);
    }
    // Only the first character steps; any other letter starts again at C.
    Put("Matrix_2_3", "Px");
    Put("Matrix_32_3", "X");
    Click(5, 3);
    EXPECT_EQ(Value("Matrix_2_3"), "Wx");
    Click(35, 3);
    EXPECT_EQ(Value("Matrix_32_3"), "C");
    EXPECT_EQ(Colour(35, 3), GridRgb(255, 0, 0));
    // The row labels change nothing.
    Click(4, 0);
    EXPECT_EQ(Value("Matrix_1_1"), "C");
}

TEST_F(MatrixActionsTest, OutputGroupHeaderClicksDisableAndEnable) {
    // Inside the header cell's top left corner: white on an etched edge,
    // dark grey on a sunken one.
    const auto headerCorner = [this](int g) {
        return grid_->grab().toImage().pixelColor(CellCentre(0, g) -
                                                  QPoint(grid_->State().columnWidth[g] / 2, 0) +
                                                  QPoint(0, 1 - grid_->State().headerHeight / 2));
    };
    EXPECT_EQ(headerCorner(2), QColor(255, 255, 255));
    Click(0, 2);
    EXPECT_EQ(Value("DisabledOPGroups"), "2");
    EXPECT_EQ(Text(0, 2), "X");
    EXPECT_EQ(Colour(0, 2), kDisabledHeaderColour);
    EXPECT_EQ(grid_->State().headerHeight, 21);
    // The column turns grey and the header sunken at once.
    const QPoint in = CellCentre(6, 2) + QPoint(-8, 5);
    grid_->SetCursor(1, 1);
    EXPECT_EQ(grid_->grab().toImage().pixelColor(in), QColor(128, 128, 128));
    EXPECT_EQ(headerCorner(2), QColor(105, 105, 105));
    Click(0, 2);
    EXPECT_EQ(Value("DisabledOPGroups"), "0");
    EXPECT_EQ(Text(0, 2), "OPG2");
    EXPECT_EQ(headerCorner(2), QColor(255, 255, 255));
    EXPECT_EQ(grid_->State().headerHeight, 21);

    // Group 32 round trip: written signed, read back unsigned.
    Click(0, 32);
    EXPECT_EQ(Value("DisabledOPGroups"), "-2147483648");
    Click(0, 1);
    EXPECT_EQ(Value("DisabledOPGroups"), "-2147483647");
    Put("DisabledOPGroups", "2147483648");
    Click(0, 2);
    EXPECT_EQ(Value("DisabledOPGroups"), "-2147483646");
}

TEST_F(MatrixActionsTest, AlarmTypeClicksToggleExistingSettings) {
    Put("AlarmType_4", "0");
    SettingDelete("AlarmType_5");
    Click(3, 4);
    EXPECT_EQ(Value("AlarmType_4"), "1");
    EXPECT_EQ(Text(3, 4), "Control");
    EXPECT_EQ(Colour(3, 4), GridRgb(200, 200, 255));
    Click(3, 4);
    EXPECT_EQ(Value("AlarmType_4"), "0");
    EXPECT_EQ(Text(3, 4), "Alarm");
    EXPECT_EQ(Colour(3, 4), GridRgb(255, 200, 200));
    Click(3, 5);
    EXPECT_EQ(Value("AlarmType_5"), "(absent)");
}

TEST_F(MatrixActionsTest, PresetsFromTheBar) {
    Put("Matrix_7_7", "Wq");
    Find<QPushButton>("1504")->click();
    EXPECT_EQ(Value("Matrix_7_7"), "Oq");
    EXPECT_EQ(Value("Matrix_31_32"), "O");
    EXPECT_EQ(Value("Matrix_32_5"), "C");
    EXPECT_EQ(Text(10, 7), "Oq");
    EXPECT_EQ(Colour(10, 7), GridRgb(255, 255, 255));
    EXPECT_EQ(Text(35, 5), "C");
    Find<QPushButton>("1505")->click();
    EXPECT_EQ(Value("Matrix_7_7"), "Cq");
    EXPECT_EQ(Colour(10, 7), GridRgb(255, 0, 0));
    EXPECT_TRUE(Messages().empty()); // no confirmation
}

TEST_F(MatrixActionsTest, ConventionalGroupArrowsStopAt1And32) {
    auto* edit = Find<QLineEdit>("1506");
    auto* up = Find<QToolButton>("1507-up");
    auto* down = Find<QToolButton>("1507-down");
    ASSERT_TRUE(edit && up && down);
    EXPECT_TRUE(edit->isReadOnly());
    SettingDelete("ConvAlarmOpGroup");
    down->click(); // from nothing
    EXPECT_EQ(Value("ConvAlarmOpGroup"), "1");
    EXPECT_EQ(edit->text(), "1");
    down->click();
    EXPECT_EQ(Value("ConvAlarmOpGroup"), "1");
    Put("ConvAlarmOpGroup", "31");
    edit->setText("31");
    up->click();
    up->click();
    EXPECT_EQ(Value("ConvAlarmOpGroup"), "32");
    // The keyboard steps as the arrows do.
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(Value("ConvAlarmOpGroup"), "31");
    // Escape leaves the bar where it is.
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_TRUE(App().editorBar->isVisible());
}

TEST_F(MatrixActionsTest, UsableWithTheKeyboardAlone) {
    const auto focused = [] { return QApplication::focusWidget(); };
    const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(focused(), key, modifiers);
    };
    grid_->setFocus();
    // Tab walks round the grid and the bar; Shift+Tab goes back.
    const std::vector<QWidget*> ring = {Find<QWidget>("1504"), Find<QWidget>("1505"),
                                        Find<QWidget>("1506"), grid_};
    for (QWidget* next : ring) {
        press(Qt::Key_Tab);
        EXPECT_EQ(focused(), next);
    }
    for (auto it = ring.rbegin() + 1; it != ring.rend(); ++it) {
        press(Qt::Key_Backtab);
        EXPECT_EQ(focused(), *it);
    }
    press(Qt::Key_Tab, Qt::ShiftModifier); // from 1504 back to the grid
    EXPECT_EQ(focused(), grid_);

    // The grid keeps its own keys: Enter moves down and changes nothing.
    grid_->SetCursor(4, 1);
    press(Qt::Key_Return);
    EXPECT_EQ(grid_->CursorRow(), 5);
    EXPECT_EQ(Value("Matrix_2_1"), "C");
    // Space clicks the cursor cell; Shift+Space its column's header.
    press(Qt::Key_Space);
    EXPECT_EQ(Value("Matrix_2_1"), "O");
    EXPECT_EQ(Colour(5, 1), GridRgb(255, 255, 255));
    press(Qt::Key_Space, Qt::ShiftModifier);
    EXPECT_EQ(Value("DisabledOPGroups"), "1");
    EXPECT_EQ(Text(0, 1), "X");
    Put("AlarmType_1", "0");
    grid_->SetCursor(3, 1);
    press(Qt::Key_Space);
    EXPECT_EQ(Value("AlarmType_1"), "1");
    grid_->SetCursor(1, 3);
    WithDialog([&] { press(Qt::Key_Space); },
               [&](QDialog* dialog) {
                   auto* edit = dialog->findChild<QLineEdit*>("1008");
                   ASSERT_NE(edit, nullptr);
                   QTest::keyClick(edit, Qt::Key_Up);
                   QTest::keyClick(edit, Qt::Key_Return);
               });
    EXPECT_EQ(Value("OutputDelay_3"), "0:05");
    // The offscreen platform does not hand the activation back by itself.
    QApplication::setActiveWindow(window_);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
    EXPECT_EQ(focused(), grid_);

    // The bar: Enter or Space presses a preset, Up and Down step the group.
    Put("Matrix_7_7", "Wq");
    press(Qt::Key_Tab);
    press(Qt::Key_Return);
    EXPECT_EQ(Value("Matrix_7_7"), "Oq");
    press(Qt::Key_Tab);
    press(Qt::Key_Space);
    EXPECT_EQ(Value("Matrix_7_7"), "Cq");
    Put("ConvAlarmOpGroup", "5");
    Find<QLineEdit>("1506")->setText("5");
    press(Qt::Key_Tab);
    press(Qt::Key_Up);
    EXPECT_EQ(Value("ConvAlarmOpGroup"), "6");
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    EXPECT_EQ(Value("ConvAlarmOpGroup"), "4");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(MatrixActionsTest, OutputDelays) {
    SettingDelete("OutputDelay_5");
    EditDelay(1, 5, nullptr, {}, false);
    EXPECT_EQ(seenTitle_, "Output Delay (m:ss)");
    EXPECT_EQ(Value("OutputDelay_5"), "0:00"); // Cancel keeps what the click created

    EditDelay(1, 5, "1:07", {"1009-up"}, true);
    EXPECT_EQ(Value("OutputDelay_5"), "1:10");
    EXPECT_EQ(Text(1, 5), "1:10");
    EditDelay(1, 5, nullptr, {"1010"}, true);
    EXPECT_EQ(Value("OutputDelay_5"), "(absent)");
    EXPECT_EQ(Text(1, 5), "0:00");

    // T2 goes to 20:00 and no further; T1 stops at 10:00.
    EditDelay(2, 6, "19:58", {"1009-up", "1009-up"}, true);
    EXPECT_EQ(shownText_, "20:00");
    EXPECT_EQ(Value("OutputDelayT2_6"), "20:00");
    EditDelay(1, 6, "19:58", {}, true);
    EXPECT_EQ(Value("OutputDelay_6"), "10:00");
    // A negative time is never written.
    EditDelay(1, 7, "-1:00", {}, true);
    EXPECT_EQ(Value("OutputDelay_7"), "(absent)");
    EXPECT_EQ(Text(1, 7), "0:00");
}

} // namespace
