// A test seam: a face with fixed metrics, so that tests of text layout can
// assert exact numbers on every machine. Any LOGFONT naming it (any case)
// gets, whatever its height: every character from the blank on 8 pixels wide
// (9 when bold), a text height of 16 (ascent 13, descent 3, no leading), and
// each visible character drawn as a box, 1 pixel in from its cell's left edge,
// 2 pixels narrower than its advance, from 10 pixels above the base line to
// the base line. The face is never drawn turned.
#pragma once

inline constexpr const char* kTestFixedFontName = "Yunt Test Fixed";
inline constexpr const char* kTestFixedFontLower = "yunt test fixed";
inline constexpr int kTestFixedAdvance = 8;
inline constexpr int kTestFixedBoldAdvance = 9;
inline constexpr int kTestFixedAscent = 13;
inline constexpr int kTestFixedDescent = 3;
