#pragma once
// The grid editors opened from their menu commands in a shown main window,
// with clicks, typing and drags sent to the real grid.

#include "app/app_fixture.h"
#include "app/commands.h"
#include "editors/grid_widget.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>

#include <cstdio>
#include <string>

class GridEditorAppTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        window_->resize(1600, 900); // every column in view
        window_->show();
        QApplication::setActiveWindow(window_);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
    }

    GridWidget* Open(int command) {
        window_->Dispatch(command);
        grid_ = App().currentEditor;
        EXPECT_NE(grid_, nullptr);
        return grid_;
    }
    // Closes the open editor as the next view command does, writing it back.
    void Close() {
        window_->CloseCurrentEditor(App().currentKind);
        grid_ = nullptr;
    }

    // Centre of a cell, scrolled into view first (data cells).
    QPoint CellCentre(int row, int column) {
        if (row >= 1 && column >= 1)
            grid_->SetCursor(row, column); // brings it into view
        const GridState& s = grid_->State();
        int x =
            column == 0 ? s.columnWidth[0] / 2 : s.columnWidth[0] + 1 + s.columnWidth[column] / 2;
        for (int c = s.firstColumn; c < column; ++c)
            x += s.columnWidth[c] + s.columnGap;
        int y = row == 0 ? s.titleHeight + s.headerHeight / 2
                         : s.titleHeight + s.headerHeight + (row - s.firstRow) * s.rowHeight +
                               s.rowHeight / 2 + 1;
        return QPoint(x, y);
    }
    void Click(int row, int column) {
        QTest::mouseClick(grid_, Qt::LeftButton, {}, CellCentre(row, column));
    }
    void Drag(int fromRow, int toRow, int column) {
        const QPoint from = CellCentre(fromRow, column);
        const QPoint to = CellCentre(toRow, column);
        QTest::mousePress(grid_, Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, to, grid_->mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid_, &move);
        QTest::mouseRelease(grid_, Qt::LeftButton, {}, to);
    }
    // Types into the cell and ends the edit with Enter.
    void Type(int row, int column, const char* text) {
        Click(row, column);
        QTest::keyClicks(grid_, text);
        QTest::keyClick(grid_, Qt::Key_Return);
    }

    std::string Text(int row, int column) {
        char buffer[kGridTextSize];
        GridGetText(grid_, row, column, buffer);
        return buffer;
    }
    uint32_t Colour(int row, int column) {
        GridCell cell;
        cell.row = row;
        cell.column = column;
        return grid_->CellColour(cell);
    }

    static std::string Name(const char* format, int a) {
        char name[kSettingNameSize];
        std::snprintf(name, sizeof name, format, a);
        return name;
    }
    static std::string Value(const std::string& name) {
        const char* value = SettingGet(name.c_str());
        return value ? value : "(absent)";
    }
    static void Put(const std::string& name, const char* value) { SettingPut(name.c_str(), value); }

    // Runs action while a modal dialog opens; inspect gets the dialog and
    // closes it (with its own buttons).
    static void WithDialog(const std::function<void()>& action,
                           const std::function<void(QDialog*)>& inspect) {
        WithModal(action, inspect, false);
    }

    template <typename T> T* Find(const char* objectName) {
        return window_->findChild<T*>(objectName);
    }

    // The messages shown, in order.
    std::vector<std::string> Messages() const { return ui_.Texts(); }

    GridWidget* grid_ = nullptr;
};
