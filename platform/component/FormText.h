#pragma once

// Form text: the readable spelling of binary form data, as in
//
//   object Root1: TvxBackground
//     Width = 479.000000000000000000
//     Text = '关机倒计时'
//     Sides = [vxSideTop, vxSideLeft]
//     Items.Strings = (
//       'a'
//       'b')
//     Fill.Gradient.Points = <
//       item
//         Color = '#FF000000'
//       end>
//     Path.Path = {
//       0400000000000000}
//     object TvxRectangle [2]
//     end
//   end
//
// Objects start with `object`, `inherited`, `inline` or `inherited inline` (prefix flags 1, 4,
// 5), then `Name: Class` or just `Class`, then an optional child position `[N]`. Values:
// integers (decimal or `$` hexadecimal, a 32-bit pattern) take the smallest of the 1, 2 and
// 4-byte types; numbers with a decimal point or exponent are 80-bit floats, read exactly;
// `True`, `False`, `Null`; other words are identifiers; `'…'` strings with `''` for a quote,
// `#NNNN` codes and `+` joins; `{hex}` binary; `( )` lists; `[a, b]` sets; `< >` collections of
// `item [N]` … `end`. Files are UTF-8; indentation is ignored; there are no comments.
//
// A plain string becomes a wide string when any character is above 127, else a short string,
// or a long one above 255 bytes. The writer only adds these spellings where the plain one would
// not give back the same bytes:
//   W'…'  wide string          U'…'  UTF-8 string (codes are bytes)
//   A'…'  8-bit string in code page 936 (codes are bytes); L'…' the same kept long
//   Int16(N), Int32(N)         an integer wider than its value needs
//   +INF, -INF, +NAN, -NAN     infinities and the default NaN
//   Extended{20 hex digits}    any other 80-bit pattern, bytes as stored
//   &'…'                       a name that is no plain word or is a keyword (codes are bytes)

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "platform/component/FormData.h"

// Throws EFormError with the 1-based line for malformed text.
TFormObject ReadFormText(std::string_view utf8);
// Form data in either form: binary when it starts with the signature, else text. Throws
// EFormError; data after a binary form's end is malformed too. Binary data given as a string
// is kept as it is rather than copied.
TFormData ReadFormData(std::span<const uint8_t> data);
TFormData ReadFormData(std::string data);
std::string WriteFormText(const TFormData& form);
// Hands the text to `sink` in pieces as it is made.
void WriteFormText(const TFormData& form, const std::function<void(std::string_view)>& sink);
