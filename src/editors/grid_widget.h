#pragma once
// The grid control: a sparse table of text cells with a header row, a
// row-header column, an optional title band, a keyboard cursor and in-place
// typing vetoed by the parent. The parent drives it through Message() (or the
// typed helpers that wrap it) and hears from it through Notification().

#include "editors/grid_state.h"
#include "editors/grid_types.h"

#include <QFont>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <functional>

class QPainter;
class QScrollBar;
struct GridSpan;

// Answers GM_VALIDATEEDIT: w holds the control ID in its low 16 bits and the
// cursor column in its high 16 bits; 0 accepts the text, non-zero rejects it.
using GridEditValidator = std::function<int(uint32_t w, const char* text)>;

class GridWidget : public QWidget {
    Q_OBJECT

  public:
    // Creates a grid in a free slot of the five; nullptr when none is free or
    // the control ID is 0. The name becomes the title.
    static GridWidget* Create(QWidget* parent, int controlId, const char* name);
    ~GridWidget() override;

    // The one entry point for the GM_ messages.
    intptr_t Message(uint32_t message, uintptr_t w = 0, intptr_t l = 0);

    // Typed forms of the messages.
    int LockCell(GridCell& cell, bool locked) {
        return int(Message(GM_LOCKCELL, reinterpret_cast<uintptr_t>(&cell), locked));
    }
    int SetCellText(GridCell& cell, const char* text) {
        return int(Message(GM_SETCELLTEXT, reinterpret_cast<uintptr_t>(&cell),
                           reinterpret_cast<intptr_t>(text)));
    }
    void Clear() { Message(GM_CLEAR); }
    void SetSize(int rows, int columns) { Message(GM_SETSIZE, uintptr_t(rows), columns); }
    int DeleteCell(GridCell& cell) {
        return int(Message(GM_DELETECELL, reinterpret_cast<uintptr_t>(&cell)));
    }
    void SetCursor(int row, int column) { Message(GM_SETCURSOR, uintptr_t(row), column); }
    void SetAutoAppend(bool on) { Message(GM_SETAUTOAPPEND, on); }
    void SetColumnWidth(int column, int width) {
        Message(GM_SETCOLWIDTH, uintptr_t(column), width);
    }
    void SetHeaderHeight(int height) { Message(GM_SETHEADERHEIGHT, uintptr_t(height)); }
    void SetColumnGap(int gap) { Message(GM_SETCOLGAP, uintptr_t(gap)); }
    void SetRowHeight(int height) { Message(GM_SETROWHEIGHT, uintptr_t(height)); }
    void SetCursorColour(uint32_t colour) { Message(GM_SETCURSORCOLOUR, colour); }
    void SetLockColour(uint32_t colour) { Message(GM_SETLOCKCOLOUR, colour); }
    void SetAbsentColour(uint32_t colour) { Message(GM_SETABSENTCOLOUR, colour); }
    void SetRowHighlight(bool on) { Message(GM_SETROWHIGHLIGHT, on); }
    int CursorRow() { return int(Message(GM_GETCURSORROW)); }
    int CursorColumn() { return int(Message(GM_GETCURSORCOL)); }
    void SetTitleHeight(int height) { Message(GM_SETTITLEHEIGHT, uintptr_t(height)); }
    void SetHighlightColour(uint32_t colour) { Message(GM_SETHIGHLIGHTCOLOUR, colour); }
    void SetHighlightTextColour(uint32_t colour) { Message(GM_SETHIGHLIGHTTEXTCOLOUR, colour); }
    void SetEditable(bool on) { Message(GM_SETEDITABLE, on); }
    void SetGridLineColour(uint32_t colour) { Message(GM_SETGRIDLINECOLOUR, colour); }
    void SetExtendLastColumn(bool on) { Message(GM_SETEXTENDLASTCOL, on); }
    void EndEdit() { Message(GM_ENDEDIT); }
    void SetAutoWidth(bool on) { Message(GM_SETAUTOWIDTH, on); }
    void SetColumnResize(bool on) { Message(GM_SETCOLRESIZE, on); }
    void SetTitleFont(const QFont& font) {
        Message(GM_SETTITLEFONT, reinterpret_cast<uintptr_t>(&font));
    }
    void SetHeadingFont(const QFont& font) {
        Message(GM_SETHEADINGFONT, reinterpret_cast<uintptr_t>(&font));
    }
    uint32_t CellColour(GridCell& cell) {
        return uint32_t(Message(GM_GETCELLCOLOUR, reinterpret_cast<uintptr_t>(&cell)));
    }
    void SetCellColour(GridCell& cell, uint32_t colour) {
        Message(GM_SETCELLCOLOUR, reinterpret_cast<uintptr_t>(&cell), intptr_t(colour));
    }
    void SetDoubleClickReport(bool on) { Message(GM_SETDBLCLKREPORT, on); }
    int GetCell(GridCell& cell) {
        return int(Message(GM_GETCELL, reinterpret_cast<uintptr_t>(&cell)));
    }

    // The window-level settings: the title (as setting the window text does)
    // and the cell font (as setting the window font does).
    void SetTitle(const char* title);
    void SetCellFont(const QFont& font);

    void SetEditValidator(GridEditValidator validator) { validator_ = std::move(validator); }

    int ControlId() const { return s_->controlId; }
    const GridState& State() const { return *s_; }
    // The area inside the scroll bars.
    int ClientWidth() const;
    int ClientHeight() const;
    QFont CellFont() const { return cellFont_; }
    QFont HeadingFont() const { return headingFont_; }
    QFont TitleFont() const { return titleFont_; }

  signals:
    // code is a GN_ value; param packs the cursor row (low 16 bits) and column
    // (high 16 bits), 0 for the focus reports and the start and end rows for
    // GN_ROWDRAG.
    void Notification(int controlId, int code, quint32 param);

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    GridWidget(QWidget* parent, GridState* state);

    // Message handlers.
    intptr_t CellMessage(uint32_t message, GridCell* cell, intptr_t l);
    void StoreCellText(int row, int column, bool locked, const char* text);
    void AutoSize(int row, int column, const char* text);
    void ApplySize(int rows, int columns);
    void ApplyTitleHeight(int height);

    // Repaints everything after the scroll bars have followed the state.
    void Changed();
    void UpdateCell(int row, int column);
    void UpdateScrollBars();
    void LayoutScrollBars();
    void OnVerticalScroll(int value);
    void OnHorizontalScroll(int value);
    void ScrollRows(int delta);
    void OnScrollTimer();

    // Reports; false when the parent destroyed the grid meanwhile.
    bool Notify(int code, uint32_t param);
    bool NotifyCursor(int code) { return Notify(code, GridPack(s_->cursorRow, s_->cursorColumn)); }

    // Cursor and editing.
    bool MoveCursorByKey(int row, int column);
    void AfterCursorMove();
    void ReadCurrentLock();
    void BringCursorIntoView();
    bool EndEditing();
    void CancelEditing(bool report);
    bool HandleCharacter(int ch);
    bool EnterMovesDown();
    bool PressAt(QPoint point, bool right);
    int ColumnBorderAt(QPoint point) const;

    // Painting.
    void PaintColumn(QPainter& painter, const GridSpan& span, int lastRow, const QRect& dirty);
    void PaintEditBox(QPainter& painter);
    void PaintCursorFrame(QPainter& painter);

    GridState* s_;
    QFont cellFont_, headingFont_, titleFont_;
    bool headingFontSet_ = false, titleFontSet_ = false;
    QScrollBar* vbar_ = nullptr;
    QScrollBar* hbar_ = nullptr;
    bool vShown_ = false, hShown_ = false;
    bool syncingBars_ = false;
    bool sized_ = false;
    bool frameHidden_ = false;
    bool endingEdit_ = false;
    bool resizing_ = false;
    bool resizeShape_ = false;
    int resizeColumn_ = 0, resizeStartWidth_ = 0, resizeStartX_ = 0;
    int wheelRemainder_ = 0;
    QTimer scrollTimer_;
    GridEditValidator validator_;
};

// Marks all five grid slots free (the live grids keep theirs).
void RegisterGridClass();

// The live grid of a control ID, or nullptr.
GridWidget* FindGrid(int controlId);

// Cell operations shared by the editors: one GridCell buffer serves them all.
// GridSetText writes an unlocked white cell; nullptr text stores "NULL".
int GridSetText(GridWidget* grid, int row, int column, const char* text);
int GridLock(GridWidget* grid, int row, int column);
// Copies the cell text (empty for an absent cell) into buffer when given;
// at most size - 1 characters.
int GridGetText(GridWidget* grid, int row, int column, char* buffer, size_t size = kGridTextSize);
