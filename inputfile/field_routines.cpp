#include "inputfile/field_routines.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace kv {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A number as its sign and decimal digits: the whole part without leading zeros ("0"
// below one), then the fraction without trailing zeros. Every number field read or
// written passes through one, so its digits are kept in place, not in strings.
struct Decimal {
  bool negative = false;
  char digits[400];  // a double's fixed text has at most 330 digits
  std::size_t wholeSize = 0, fracSize = 0;
  std::string_view Whole() const { return {digits, wholeSize}; }
  std::string_view Frac() const { return {digits + wholeSize, fracSize}; }
  bool IsZero() const { return fracSize == 0 && wholeSize == 1 && digits[0] == '0'; }
  void SetZero() { digits[0] = '0', wholeSize = 1, fracSize = 0; }
};

// The shortest decimal text that reads back as v, split into its parts.
void ToDecimal(double v, Decimal& d) {
  char buf[400];
  auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
  std::string_view s(buf, std::size_t(res.ptr - buf));
  d.negative = !s.empty() && s[0] == '-';
  if (d.negative) s.remove_prefix(1);
  const auto dot = s.find('.');
  const std::string_view whole = s.substr(0, dot);
  std::string_view frac;
  if (dot != std::string_view::npos) {
    frac = s.substr(dot + 1);
    while (!frac.empty() && frac.back() == '0') frac.remove_suffix(1);
  }
  // (an empty view may hold no pointer at all, which memcpy must not be given)
  if (!whole.empty()) std::memcpy(d.digits, whole.data(), whole.size());
  if (!frac.empty()) std::memcpy(d.digits + whole.size(), frac.data(), frac.size());
  d.wholeSize = whole.size();
  d.fracSize = frac.size();
}

// What a field's text holds, read in one pass.
enum class NumberText {
  None,   // not a number (reads as 0)
  Exact,  // a number, its decimal taken off its own digits
  Other,  // a number to read through a double (exponent, too many digits, a long text)
};

// Reads text t as a number field with d implied decimals: optional blanks around it, a
// sign, digits with at most one point, an optional exponent. Where the text's own digits
// carry ParseNumberField(t, d) exactly (no exponent, at most 15 significant digits and a
// whole part below 10^15; with implied decimals, an integer below 10^15), its decimal goes
// to out: a double holds every such number as the one nearest to it, and its shortest text
// is that number again, so the detour through a double would give the same digits. Blanks
// and the sign count as zeros where they stand, as they do when the field is read.
NumberText ScanNumber(std::string_view t, int d, Decimal& out) {
  const std::size_t size = t.size();
  std::size_t i = 0;
  while (i < size && IsBlank(t[i])) ++i;
  bool negative = false;
  if (i < size && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  const std::size_t wholeFrom = i;
  while (i < size && IsDigit(t[i])) ++i;
  const std::size_t wholeTo = i;
  std::size_t fracFrom = i, fracTo = i;
  const bool point = i < size && t[i] == '.';
  if (point) {
    fracFrom = ++i;
    while (i < size && IsDigit(t[i])) ++i;
    fracTo = i;
  }
  if (wholeTo == wholeFrom && fracTo == fracFrom) return NumberText::None;
  bool exponent = false;
  if (i < size && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < size && (t[i] == '+' || t[i] == '-')) ++i;
    const std::size_t from = i;
    while (i < size && IsDigit(t[i])) ++i;
    if (i == from) return NumberText::None;
    exponent = true;
  }
  while (i < size && IsBlank(t[i])) ++i;
  if (i != size) return NumberText::None;
  if (exponent || size > 30 || d < 0 || d > 22) return NumberText::Other;

  // Every character but the point is one digit: blanks and the sign are zeros. Digit k is
  // the text's character k before the point and k + 1 after it.
  const int n = int(size) - (point ? 1 : 0);
  const int at = point ? int(wholeTo) : n - d;  // digits before the point
  out.negative = negative;
  // The first nonzero digit and one past the last, as characters of the text.
  int j = int(wholeFrom), k = int(fracTo);
  while (j < k && (t[j] == '0' || t[j] == '.')) ++j;
  if (j == k) {  // zero
    out.SetZero();
    return NumberText::Exact;
  }
  while (t[k - 1] == '0' || t[k - 1] == '.') --k;
  const int first = point && j > int(wholeTo) ? j - 1 : j;
  const int last = point && k > int(wholeTo) ? k - 1 : k;
  const int wholeSize = std::max(at - first, 0);
  if (wholeSize > 15 || last - first > 15 || (!point && n - first > 15)) return NumberText::Other;
  char* o = out.digits;
  if (wholeSize == 0) *o++ = '0';
  // Past the digits of a text without a point come its trailing blanks.
  const int digitsTo = std::min(at, int(wholeTo));
  int q = first;
  for (; q < digitsTo; ++q) *o++ = t[q];
  for (; q < at; ++q) *o++ = '0';
  out.wholeSize = std::size_t(o - out.digits);
  for (q = at; q < first; ++q) *o++ = '0';
  for (const int shift = point ? 1 : 0; q < last; ++q) *o++ = t[q + shift];
  out.fracSize = std::size_t(o - out.digits) - out.wholeSize;
  return NumberText::Exact;
}

// The shortest decimal of ParseNumberField(text, d); false for a text that is not a
// number, which reads as 0.
bool ReadDecimal(std::string_view text, int d, Decimal& out) {
  switch (ScanNumber(text, d, out)) {
    case NumberText::Exact:
      return true;
    case NumberText::Other:
      ToDecimal(ParseNumberField(text, d), out);
      return true;
    case NumberText::None:
      break;
  }
  out.negative = false;
  out.SetZero();
  return false;
}

// Room for the digits of a double's whole part and a shift of up to 64 places.
constexpr std::size_t kDigitRoom = 400 + 64 + 2;

// |v| * 10^shift (shift 0 to 64) rounded to a whole number, halves away from zero: its
// digits without leading zeros ("0" for zero), built inside `room`.
std::string_view ScaledDigits(const Decimal& d, int shift, char (&room)[kDigitRoom]) {
  const std::string_view whole = d.Whole(), frac = d.Frac();
  const std::size_t n = std::size_t(std::clamp(shift, 0, 64));
  const std::size_t kept = std::min(n, frac.size());
  char* p = room + 1;  // room[0] takes a carry out of the first digit
  std::size_t size = whole.size() + n;
  std::memcpy(p, whole.data(), whole.size());
  if (kept > 0) std::memcpy(p + whole.size(), frac.data(), kept);
  std::memset(p + whole.size() + kept, '0', n - kept);
  if (frac.size() > n && frac[n] >= '5') {
    std::size_t i = size;
    while (i > 0 && p[i - 1] == '9') p[--i] = '0';
    if (i == 0)
      *--p = '1', ++size;
    else
      ++p[i - 1];
  }
  while (size > 1 && *p == '0') ++p, --size;
  return {p, size};
}

// Appends |v| * 10^shift rounded to a whole number as a picture such as "000": the sign
// when it is negative and not zero, its digits with zeros in front up to zerosTo digits,
// and blanks in front of it all up to blanksTo characters.
void AppendPicture(std::string& out, const Decimal& d, int shift, std::size_t zerosTo,
                   std::size_t blanksTo = 0) {
  char room[kDigitRoom];
  const std::string_view digits = ScaledDigits(d, shift, room);
  const bool minus = d.negative && digits != "0";
  const std::size_t body = std::max(digits.size(), zerosTo) + (minus ? 1 : 0);
  if (body < blanksTo) out.append(blanksTo - body, ' ');
  if (minus) out += '-';
  if (digits.size() < zerosTo) out.append(zerosTo - digits.size(), '0');
  out += digits;
}

// The same for a field's text read with d implied decimals (a text that is no number is 0).
void AppendPicture(std::string& out, std::string_view text, int d, int shift,
                   std::size_t zerosTo, std::size_t blanksTo = 0) {
  Decimal dec;
  ReadDecimal(text, d, dec);
  AppendPicture(out, dec, shift, zerosTo, blanksTo);
}

double Pow10(int d) {
  // Every power up to 10^22 is a double exactly; the loop gives the same ones.
  static constexpr double kExact[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                      1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  if (d >= 0 && d <= 22) return kExact[d];
  double p = 1;
  for (int i = 0; i < d; ++i) p *= 10;
  return p;
}

}  // namespace

bool IsNumberText(std::string_view t) {
  Decimal unused;
  return ScanNumber(t, -1, unused) != NumberText::None;
}

double ParseNumberField(std::string_view text, int d) {
  Decimal dec;
  switch (ScanNumber(text, d, dec)) {
    case NumberText::None:
      return 0.0;
    case NumberText::Exact:
      // At most 15 significant digits: a whole number a double holds exactly, over a power
      // of ten it holds exactly, and the one rounding of the division is the nearest double.
      if (dec.fracSize <= 22) {
        std::uint64_t m = 0;  // the whole part's digits and the fraction's stand together
        for (const char c : std::string_view(dec.digits, dec.wholeSize + dec.fracSize))
          m = m * 10 + std::uint64_t(c - '0');
        const double v = double(m) / Pow10(int(dec.fracSize));
        return dec.negative ? -v : v;
      }
      break;
    case NumberText::Other:
      break;
  }
  char shortText[32] = {};
  std::string longText;
  char* s = shortText;
  if (text.size() > sizeof shortText) {
    longText.assign(text);
    s = longText.data();
  } else {
    if (!text.empty()) std::memcpy(s, text.data(), text.size());
  }
  bool negative = false, point = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char& c = s[i];
    if (c == '-') negative = true;
    if (c == '.') point = true;
    if (IsBlank(c) || c == '-' || c == '+') c = '0';
  }
  double v = 0.0;
  std::from_chars(s, s + text.size(), v);
  if (!point) v /= Pow10(d);
  return negative ? -v : v;
}

namespace {

// A decimal that is not zero as plain text: sign, whole part, point and fraction.
std::string PlainText(const Decimal& d) {
  std::string s;
  s.reserve(d.wholeSize + d.fracSize + 2);
  if (d.negative) s += '-';
  s += d.Whole();
  if (d.fracSize > 0) s.append(".").append(d.Frac());
  return s;
}

}  // namespace

std::string PlainDecimalText(double v) {
  if (v == 0 || !std::isfinite(v)) return "0";
  Decimal d;
  ToDecimal(v, d);
  return PlainText(d);
}

std::string NumberFieldText(std::string_view text, int d) {
  Decimal dec;
  switch (ScanNumber(text, d, dec)) {
    case NumberText::Exact:
      return dec.IsZero() ? "0" : PlainText(dec);
    case NumberText::Other:
      return PlainDecimalText(ParseNumberField(text, d));
    case NumberText::None:
      break;
  }
  return "0";
}

std::string Columns(std::string_view line, int first, int width) {
  std::string out(std::max(width, 0), ' ');
  // The part of the columns that lies in the line, 0-based.
  const long long from = std::max(first - 1LL, 0LL);
  const long long to = std::min(first - 1LL + width, static_cast<long long>(line.size()));
  if (to > from)
    std::memcpy(out.data() + (from - (first - 1LL)), line.data() + from, std::size_t(to - from));
  return out;
}

std::string PadRight(std::string_view text, std::size_t w) {
  std::string s;
  s.reserve(std::max(text.size(), w));
  s.assign(text);
  if (s.size() < w) s.append(w - s.size(), ' ');
  return s;
}

std::string FormatStation(std::string_view text, int d, int metricUnits) {
  if (text.find_first_not_of(' ') == std::string_view::npos) return "";
  const int L = int(text.size());
  const int pDigits = metricUnits == 1 ? 3 : 2;
  // Positions are 1-based; a field too short for its parts reads the missing parts as 0
  // (the empty text reads as 0).
  auto part = [&](int first, int count) -> std::string_view {
    if (first < 1) {
      count += first - 1;
      first = 1;
    }
    if (count <= 0) return {};
    return text.substr(std::size_t(first - 1), std::size_t(count));
  };
  std::string out = NumberFieldText(part(1, L - d - pDigits), 0);
  out += '+';
  AppendPicture(out, part(L - d - pDigits + 1, pDigits), 0, 0, std::size_t(pDigits));
  out += '.';
  if (d == 0)
    out += '0';
  else
    AppendPicture(out, part(L - d + 1, d), 0, 0, std::size_t(d));
  return out;
}

namespace {

// The three parts of a packed angle field: degrees, minutes, seconds.
struct DmsTexts {
  std::string_view degrees, minutes, seconds;
};

DmsTexts SplitDms(std::string_view text, int n, int s) {
  const int L = int(text.size());
  auto sub = [&](int first, int count) -> std::string_view {
    if (first < 1) {
      count += first - 1;
      first = 1;
    }
    if (count <= 0 || first > L) return {};
    return text.substr(first - 1, std::min(count, L - first + 1));
  };
  return {sub(1, n), sub(n + 1, 2), sub(L - (s + 2) + 1, s + 2)};
}

}  // namespace

DmsParts ParseDmsParts(std::string_view text, int n, int s) {
  const DmsTexts t = SplitDms(text, n, s);
  return {ParseNumberField(t.degrees, 0), ParseNumberField(t.minutes, 0),
          ParseNumberField(t.seconds, s)};
}

std::string FormatDmsAngle(std::string_view text, int n, int s) {
  const DmsTexts t = SplitDms(text, n, s);
  std::string out;
  out.reserve(20);
  AppendPicture(out, t.degrees, 0, 0, 1);
  out += kDegreeSign;
  out += ' ';
  AppendPicture(out, t.minutes, 0, 0, 1);
  out += "' ";
  AppendPicture(out, t.seconds, s, 2, 3);  // hundredths of a second
  out.insert(out.size() - 2, 1, '.');
  out += '"';
  return out;
}

std::string PackDmsAngle(std::string_view text, int w, int s) {
  const std::size_t len = text.size();
  std::string out;
  out.reserve(std::size_t(std::max(w, 0)) + std::size_t(std::max(s, 0)) + 4);
  std::size_t minStart = 0;
  if (text.empty()) {
    AppendPicture(out, "", 0, 0, 1, std::size_t(w));
  } else {
    std::size_t blank = text.find(' ');
    std::string_view deg = text.substr(0, blank);
    if (!deg.empty() && deg.back() == kDegreeSign) deg.remove_suffix(1);
    AppendPicture(out, deg, 0, 0, 1, std::size_t(w));
    minStart = blank == std::string_view::npos ? len + 1 : blank + 1;
  }
  std::size_t secStart = len + 1;
  if (text.empty() || minStart + 1 >= len) {
    out += " 0";
  } else {
    std::size_t blank = text.find(' ', minStart);
    std::string_view m = text.substr(minStart, blank == std::string_view::npos
                                                   ? std::string_view::npos
                                                   : blank - minStart);
    if (!m.empty() && m.back() == '\'') m.remove_suffix(1);
    AppendPicture(out, m, 0, 0, 1, 2);
    secStart = blank == std::string_view::npos ? len + 1 : blank + 1;
  }
  if (text.empty() || secStart + 1 >= len) {
    out += " 00";
    out.append(std::size_t(std::max(s - 1, 0)), '0');
  } else {
    std::size_t blank = text.find(' ', secStart);
    std::string_view sec = text.substr(secStart, blank == std::string_view::npos
                                                     ? std::string_view::npos
                                                     : blank - secStart);
    if (!sec.empty() && sec.back() == '"') sec.remove_suffix(1);
    AppendPicture(out, sec, s, s, std::size_t(s + 1), std::size_t(s + 2));
  }
  return out;
}

std::string FormatFixedNumber(std::string_view text, int w, int d, bool point) {
  // A "+" after the first character (a station's) is left out.
  std::string withoutPlus;
  std::string_view t = text;
  if (t.size() > 1) {
    if (auto plus = t.find('+', 1); plus != std::string_view::npos) {
      withoutPlus.reserve(t.size() - 1);
      withoutPlus.append(t.substr(0, plus)).append(t.substr(plus + 1));
      t = withoutPlus;
    }
  }
  Decimal dec;
  if (t.empty() || !ReadDecimal(t, 0, dec)) return std::string(std::clamp(w, 0, 30), ' ');
  d = std::clamp(d, 0, 64);
  char room[kDigitRoom];
  const std::string_view digits = ScaledDigits(dec, d, room);
  const bool zero = digits == "0";
  const bool minus = dec.negative && !zero;
  // The number, its point and zeros, right-justified in w columns: filled from the right.
  const std::size_t size = digits.size();
  std::size_t body;
  if (point) {
    body = std::max(size, std::size_t(d) + 1) + 1;
  } else {
    std::size_t minDigits = d;
    if (w > d && !dec.negative) minDigits = d + 1;
    body = std::max(size, minDigits);
  }
  const std::size_t used = body + (minus ? 1 : 0);
  std::string out(std::max(used, std::size_t(std::max(w, 0))), ' ');
  char* o = out.data() + out.size();
  std::size_t left = size;  // digits not yet placed
  auto digit = [&] { return left > 0 ? digits[--left] : '0'; };
  if (point) {
    for (int i = 0; i < d; ++i) *--o = digit();
    *--o = '.';
    for (std::size_t i = std::size_t(d) + 1; i < body; ++i) *--o = digit();
  } else {
    for (std::size_t i = 0; i < body; ++i) *--o = digit();
  }
  if (minus) *--o = '-';
  return out;
}

bool IsBlankText(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

bool IsBlankField(std::string_view text) {
  return text.size() <= 20 && IsBlankText(text);
}

}  // namespace kv
