#pragma once
// The panel's time fields and the texts that the settings show for them:
// 5-second units as "m:ss", half-seconds as "s.s", clock times as "h:mm".
// The encoders normalise a setting's text in place, as the panel will read it.

#include <cstddef>
#include <cstdint>

// The byte lowered to max, times 5 seconds, as "%d:%02d".
void FormatFiveSeconds(char* out, size_t size, uint8_t units, int max);
// "m:ss" to 5-second units (low 8 bits); rewrites text in place as the
// "m:ss" of the total seconds. No text or no colon gives 0, text untouched.
// text must be a settings value field (room for the rewrite).
uint8_t EncodeFiveSeconds(char* text);

// The byte as seconds with one decimal.
void FormatHalfSeconds(char* out, size_t size, uint8_t halves);
// A decimal fraction of seconds, kept within 0.5 to 127.5, to whole
// half-seconds; rewrites text in place in the one-decimal form.
uint8_t EncodeHalfSeconds(char* text);

void FormatClock(char* out, size_t size, uint8_t hours, uint8_t minutes);
// "h:mm" to its two bytes; the text is left as it is.
void EncodeClock(const char* text, uint8_t* hours, uint8_t* minutes);
