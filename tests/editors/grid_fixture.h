#pragma once
// A grid in a shown, active parent window, with its reports recorded.

#include "editors/grid_widget.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct GridReport {
    int code;
    quint32 param;
    bool operator==(const GridReport&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const GridReport& r) {
    return out << "{" << r.code << ", row/low " << GridLow(r.param) << ", col/high "
               << GridHigh(r.param) << "}";
}

class GridTest : public ::testing::Test {
  protected:
    static constexpr int kId = 701;

    void SetUp() override {
        parent_.resize(400, 300);
        grid_ = GridWidget::Create(&parent_, kId, "");
        ASSERT_NE(grid_, nullptr);
        grid_->setGeometry(0, 0, 400, 300);
        QObject::connect(grid_, &GridWidget::Notification, [this](int id, int code, quint32 param) {
            EXPECT_EQ(id, kId);
            reports_.push_back({code, param});
        });
        grid_->SetEditValidator([this](uint32_t w, const char* text) {
            validated_.push_back({int(w), text});
            return rejectEdits_ ? 1 : 0;
        });
        parent_.show();
        QApplication::setActiveWindow(&parent_);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&parent_));
    }

    void TearDown() override { delete grid_; }

    // A rows x columns table of unlocked cells "r<row>c<col>" with headers
    // "H<col>" and row labels "<row>", fixed column widths of 60 pixels and
    // the cursor on (1, 1) with the focus.
    void Fill(int rows, int columns) {
        grid_->SetAutoWidth(false);
        grid_->SetSize(rows, columns);
        for (int c = 1; c <= columns; ++c) {
            grid_->SetColumnWidth(c, 60);
            GridSetText(grid_, 0, c, ("H" + std::to_string(c)).c_str());
        }
        for (int r = 1; r <= rows; ++r) {
            GridSetText(grid_, r, 0, std::to_string(r).c_str());
            for (int c = 1; c <= columns; ++c)
                GridSetText(grid_, r, c,
                            ("r" + std::to_string(r) + "c" + std::to_string(c)).c_str());
        }
        grid_->setFocus();
        reports_.clear();
    }

    std::string Text(int row, int column) {
        char buffer[kGridTextSize];
        GridGetText(grid_, row, column, buffer);
        return buffer;
    }

    std::vector<int> Codes() const {
        std::vector<int> codes;
        for (const GridReport& r : reports_)
            codes.push_back(r.code);
        return codes;
    }

    // Centre of a shown cell, in grid coordinates.
    QPoint CellCentre(int row, int column) const {
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

    QImage Shot() { return grid_->grab().toImage(); }

    QWidget parent_;
    GridWidget* grid_ = nullptr;
    std::vector<GridReport> reports_;
    std::vector<std::pair<int, std::string>> validated_;
    bool rejectEdits_ = false;
};
