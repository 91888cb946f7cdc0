#pragma once
// What the open editor's grid reports lead to: the main window routes each
// notification of the current editor here by control ID.

#include <QtGlobal>

#include <cstdint>

class MainWindow;
class GridWidget;

void MatrixCellAction(MainWindow& w, GridWidget& grid, int code, quint32 param);            // 501
void TextCellAction(MainWindow& w, GridWidget& grid, int code, quint32 param);              // 601
void DeviceCellAction(MainWindow& w, GridWidget& grid, int code, quint32 param);            // 701
int DeviceValidateEdit(MainWindow& w, GridWidget& grid, uint32_t wParam, const char* text); // 701
void CoincidenceCellAction(MainWindow& w, GridWidget& grid, int code, quint32 param);       // 901

// Writes the open editor's grid back into the store (device and text editors).
void DeviceEditorCommit(GridWidget& grid);
void TextEditorCommit(GridWidget& grid);
