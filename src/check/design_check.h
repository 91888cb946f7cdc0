// Design checker: examines the site store for configuration faults and totals
// the loop currents.
#pragma once

// Size of the report buffer a caller may hand to CheckDesign. The report never
// grows beyond kDesignReportSize - 1 characters plus its NUL.
inline constexpr int kDesignReportSize = 65536;

// Checks the current site store. `report` is nullptr (count only) or a buffer
// of kDesignReportSize bytes that receives the fault lines ("\r\n" line ends).
// Gives the fault count. Writes QuiescentCurrent and AlarmCurrent ("%.02fmA")
// into the store on every run.
int CheckDesign(char* report);
