#pragma once
// The pictures and texts of resources/app.qrc, linked from a static library:
// registered once before the first use.

void InitAppResources();
