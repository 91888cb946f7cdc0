// Keyboard: cursor movement and in-place editing with the parent's veto.

#include "editors/grid_geometry.h"
#include "editors/grid_widget.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

#include <algorithm>

namespace {

constexpr int kEnter = 13;
constexpr int kBackspace = 8;

// The one character a key gives, or -1.
int KeyCharacter(const QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kEnter;
    case Qt::Key_Backspace:
        return kBackspace;
    default:
        break;
    }
    QString text = event->text();
    return text.size() == 1 ? text.at(0).unicode() : -1;
}

} // namespace

void GridWidget::keyPressEvent(QKeyEvent* event) {
    GridState& s = *s_;
    const int perPage = std::max(1, GridRowsPerPage(s, ClientHeight()));
    const int row = s.cursorRow, column = s.cursorColumn;
    event->accept();
    switch (event->key()) {
    case Qt::Key_Escape:
        CancelEditing(true);
        return;
    case Qt::Key_F1:
        NotifyCursor(GN_F1);
        return;
    case Qt::Key_Delete:
        NotifyCursor(GN_DELETEKEY);
        return;
    case Qt::Key_PageDown:
        if (EndEditing() && s.rowCount > 0 && row < s.rowCount)
            MoveCursorByKey(std::min(s.rowCount, row + perPage), column);
        return;
    case Qt::Key_PageUp:
        // From the header row too: it lands on the first data row.
        if (EndEditing() && s.rowCount > 0 && row != 1)
            MoveCursorByKey(std::max(1, row - perPage), column);
        return;
    case Qt::Key_Down:
        if (EndEditing() && s.rowCount > 0 && row < s.rowCount)
            MoveCursorByKey(row + 1, column);
        return;
    case Qt::Key_Up:
        if (EndEditing() && s.rowCount > 0 && row > 1)
            MoveCursorByKey(row - 1, column);
        return;
    case Qt::Key_Left:
    case Qt::Key_Right: {
        if (!EndEditing())
            return;
        int next = GridNextShownColumn(s, column, event->key() == Qt::Key_Left ? -1 : 1);
        if (next > 0)
            MoveCursorByKey(row, next);
        return;
    }
    default:
        HandleCharacter(KeyCharacter(event));
        return;
    }
}

bool GridWidget::HandleCharacter(int ch) {
    GridState& s = *s_;
    ReadCurrentLock();
    if (s.currentLocked || !s.editable)
        return ch == kEnter ? EnterMovesDown() : true;
    if (s.rowCount == 0 || s.cursorRow == 0 || s.cursorColumn == 0)
        return true;
    if (ch == kEnter)
        return EnterMovesDown();
    if (ch != kBackspace && (ch < 32 || ch > 125))
        return true;
    BringCursorIntoView();
    // The edit box marks the cell now; the frame comes back with the next
    // full repaint.
    frameHidden_ = true;
    if (!s.editing) {
        if (!NotifyCursor(GN_EDITBEGIN))
            return false;
        s.editing = true;
        s.editText.clear();
    }
    if (ch == kBackspace) {
        if (!s.editText.empty())
            s.editText.pop_back();
    } else if (s.editText.size() < size_t(kGridEditMax)) {
        s.editText.push_back(char(ch));
    } else {
        QApplication::beep();
    }
    // The cursor row may have come back into view: the bars follow.
    Changed();
    return true;
}

bool GridWidget::EnterMovesDown() {
    GridState& s = *s_;
    if (!EndEditing())
        return false;
    if (s.rowCount > 0 && s.cursorRow < s.rowCount)
        return MoveCursorByKey(s.cursorRow + 1, s.cursorColumn);
    return true;
}

bool GridWidget::MoveCursorByKey(int row, int column) {
    GridState& s = *s_;
    bool rowChanged = row != s.cursorRow;
    bool columnChanged = column != s.cursorColumn;
    UpdateCell(s.cursorRow, s.cursorColumn);
    s.cursorRow = row;
    s.cursorColumn = column;
    frameHidden_ = false;
    if (rowChanged && !(NotifyCursor(GN_ROWCHANGE) && NotifyCursor(GN_SELCHANGE)))
        return false;
    if (columnChanged && !(NotifyCursor(GN_COLCHANGE) && NotifyCursor(GN_SELCHANGE)))
        return false;
    AfterCursorMove();
    return true;
}

void GridWidget::AfterCursorMove() {
    frameHidden_ = false;
    ReadCurrentLock();
    BringCursorIntoView();
    Changed();
}

bool GridWidget::EndEditing() {
    GridState& s = *s_;
    if (!s.editing || endingEdit_)
        return true;
    const std::string text = s.editText;
    const int row = s.cursorRow, column = s.cursorColumn;
    int answer = 0;
    if (validator_) {
        // The parent may run a message box here; a second end of the same
        // edit meanwhile must not ask again.
        QPointer<GridWidget> self(this);
        endingEdit_ = true;
        // A copy: a parent that destroys the grid must not pull the running
        // answer out from under itself.
        const GridEditValidator validate = validator_;
        answer = validate(GridPack(s.controlId, column), text.c_str());
        if (self.isNull())
            return false;
        endingEdit_ = false;
    }
    s.editText.clear();
    s.editing = false;
    frameHidden_ = false;
    if (answer == 0) {
        StoreCellText(row, column, false, text.c_str());
        ReadCurrentLock();
    }
    Changed();
    return answer != 0 || Notify(GN_EDITEND, GridPack(row, column));
}

void GridWidget::CancelEditing(bool report) {
    GridState& s = *s_;
    if (!s.editing)
        return;
    s.editText.clear();
    s.editing = false;
    frameHidden_ = false;
    Changed();
    if (report)
        NotifyCursor(GN_EDITEND);
}
