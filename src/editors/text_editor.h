#pragma once
// The text editor: the site's display texts in one grid (control 601) of 192
// rows and 3 columns: device texts, zone texts and the two banner lines.

class GridWidget;

// Fills the grid, already sized 192 x 3, from the site store; an absent
// setting shows "NULL".
void TextEditorFill(GridWidget& grid);

// Writes the cells back into the site store: device texts 1 to 192, zone
// texts 1 to 32, then "BannerText_1" and "BannerText_2". Banner texts 3 and 4
// are never touched.
void TextEditorWriteBack(GridWidget& grid);
