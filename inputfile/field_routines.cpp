#include "inputfile/field_routines.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kv {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A number as sign and decimal digits: value = (negative ? -1 : 1) * 0.digits * 10^pointPos
// is awkward to carry around, so keep the integer and fraction digit strings.
struct Decimal {
  bool negative = false;
  std::string whole;  // no leading zeros except a lone "0"
  std::string frac;   // no trailing zeros
};

// The shortest decimal text that reads back as v, split into its parts.
// Called for every number field read or written, so it works on the buffer.
Decimal ToDecimal(double v) {
  char buf[400];
  auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
  std::string_view s(buf, std::size_t(res.ptr - buf));
  Decimal d;
  if (!s.empty() && s[0] == '-') {
    d.negative = true;
    s.remove_prefix(1);
  }
  auto dot = s.find('.');
  d.whole.assign(s.substr(0, dot));
  if (dot != std::string_view::npos) {
    std::string_view frac = s.substr(dot + 1);
    while (!frac.empty() && frac.back() == '0') frac.remove_suffix(1);
    d.frac.assign(frac);
  }
  return d;
}

// |v| * 10^shift rounded to a whole number, halves away from zero, as digits.
std::string ScaledDigits(const Decimal& d, int shift) {
  std::string digits;
  bool up = false;
  if (shift >= 0) {
    const std::size_t n = std::size_t(shift);
    const std::size_t kept = std::min(n, d.frac.size());
    digits.reserve(d.whole.size() + n + 1);
    digits.append(d.whole).append(d.frac, 0, kept).append(n - kept, '0');
    up = d.frac.size() > n && d.frac[n] >= '5';
  } else {
    // Not used by the callers; keep it correct anyway.
    std::string w = d.whole;
    const std::size_t cut = std::size_t(-shift);
    if (w.size() <= cut) w.insert(0, cut - w.size() + 1, '0');
    digits = w.substr(0, w.size() - cut);
    up = w[w.size() - cut] >= '5';
  }
  if (up) {
    int i = int(digits.size()) - 1;
    while (i >= 0 && digits[i] == '9') digits[i--] = '0';
    if (i < 0)
      digits.insert(0, "1");
    else
      ++digits[i];
  }
  auto nz = digits.find_first_not_of('0');
  if (nz == std::string::npos)
    digits.assign("0");
  else
    digits.erase(0, nz);
  return digits;
}

std::string PadLeftTo(std::string s, std::size_t n, char c) {
  if (s.size() < n) s.insert(0, n - s.size(), c);
  return s;
}

// A whole number written with at least minDigits digits (pictures such as "000").
std::string WholeText(double v, int minDigits) {
  Decimal d = ToDecimal(v);
  std::string digits = PadLeftTo(ScaledDigits(d, 0), minDigits, '0');
  bool zero = digits.find_first_not_of('0') == std::string::npos;
  return (d.negative && !zero ? "-" : "") + digits;
}

double Pow10(int d) {
  double p = 1;
  for (int i = 0; i < d; ++i) p *= 10;
  return p;
}

}  // namespace

bool IsNumberText(std::string_view t) {
  std::size_t i = 0, n = t.size();
  while (i < n && IsBlank(t[i])) ++i;
  if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < n && IsDigit(t[i])) ++i, ++digits;
  if (i < n && t[i] == '.') {
    ++i;
    while (i < n && IsDigit(t[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < n && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
    std::size_t exp = 0;
    while (i < n && IsDigit(t[i])) ++i, ++exp;
    if (exp == 0) return false;
  }
  while (i < n && IsBlank(t[i])) ++i;
  return i == n;
}

double ParseNumberField(std::string_view text, int d) {
  if (!IsNumberText(text)) return 0.0;
  std::string s(text);
  bool negative = false;
  for (char& c : s) {
    if (c == '-') negative = true;
    if (IsBlank(c) || c == '-' || c == '+') c = '0';
  }
  double v = 0.0;
  std::from_chars(s.data(), s.data() + s.size(), v);
  if (s.find('.') == std::string::npos) v /= Pow10(d);
  return negative ? -v : v;
}

std::string PlainDecimalText(double v) {
  if (v == 0 || !std::isfinite(v)) return "0";
  Decimal d = ToDecimal(v);
  std::string s = d.negative ? "-" : "";
  s += d.whole;
  if (!d.frac.empty()) s += "." + d.frac;
  return s;
}

std::string Columns(std::string_view line, int first, int width) {
  std::string out(std::max(width, 0), ' ');
  for (int i = 0; i < width; ++i) {
    std::size_t pos = std::size_t(first - 1 + i);
    if (first - 1 + i >= 0 && pos < line.size()) out[i] = line[pos];
  }
  return out;
}

std::string PadRight(std::string_view text, std::size_t w) {
  std::string s(text);
  if (s.size() < w) s.append(w - s.size(), ' ');
  return s;
}

std::string FormatStation(std::string_view text, int d, int metricUnits) {
  if (text.find_first_not_of(' ') == std::string_view::npos) return "";
  const int L = int(text.size());
  const int pDigits = metricUnits == 1 ? 3 : 2;
  // Positions are 1-based; a field too short for its parts reads the missing parts as 0.
  auto part = [&](int first, int count) -> double {
    if (count <= 0) return 0.0;
    if (first < 1) {
      count += first - 1;
      first = 1;
      if (count <= 0) return 0.0;
    }
    return ParseNumberField(text.substr(first - 1, count), 0);
  };
  double h = part(1, L - d - pDigits);
  double p = part(L - d - pDigits + 1, pDigits);
  std::string f = d == 0 ? "0" : WholeText(part(L - d + 1, d), d);
  return PlainDecimalText(h) + "+" + WholeText(p, pDigits) + "." + f;
}

DmsParts ParseDmsParts(std::string_view text, int n, int s) {
  const int L = int(text.size());
  auto sub = [&](int first, int count) -> std::string_view {
    if (first < 1) {
      count += first - 1;
      first = 1;
    }
    if (count <= 0 || first > L) return {};
    return text.substr(first - 1, std::min(count, L - first + 1));
  };
  return {ParseNumberField(sub(1, n), 0), ParseNumberField(sub(n + 1, 2), 0),
          ParseNumberField(sub(L - (s + 2) + 1, s + 2), s)};
}

std::string FormatDmsAngle(std::string_view text, int n, int s) {
  const DmsParts a = ParseDmsParts(text, n, s);
  Decimal ds = ToDecimal(a.seconds);
  std::string secDigits = PadLeftTo(ScaledDigits(ds, 2), 3, '0');
  bool secZero = secDigits.find_first_not_of('0') == std::string::npos;
  std::string secText = (ds.negative && !secZero ? "-" : "") +
                        secDigits.substr(0, secDigits.size() - 2) + "." +
                        secDigits.substr(secDigits.size() - 2);
  return WholeText(a.degrees, 1) + kDegreeSign + " " + WholeText(a.minutes, 1) + "' " + secText + "\"";
}

std::string PackDmsAngle(std::string_view text, int w, int s) {
  const std::size_t len = text.size();
  std::string degPart, minPart, secPart;
  std::size_t minStart = 0;
  if (text.empty()) {
    degPart = PadLeftTo("0", w, ' ');
  } else {
    std::size_t blank = text.find(' ');
    std::string deg(text.substr(0, blank));
    if (!deg.empty() && deg.back() == kDegreeSign) deg.pop_back();
    degPart = PadLeftTo(WholeText(ParseNumberField(deg, 0), 1), w, ' ');
    minStart = blank == std::string_view::npos ? len + 1 : blank + 1;
  }
  std::size_t secStart = len + 1;
  if (text.empty() || minStart + 1 >= len) {
    minPart = " 0";
  } else {
    std::size_t blank = text.find(' ', minStart);
    std::string m(text.substr(minStart, blank == std::string_view::npos ? std::string_view::npos
                                                                       : blank - minStart));
    if (!m.empty() && m.back() == '\'') m.pop_back();
    minPart = PadLeftTo(WholeText(ParseNumberField(m, 0), 1), 2, ' ');
    secStart = blank == std::string_view::npos ? len + 1 : blank + 1;
  }
  if (text.empty() || secStart + 1 >= len) {
    secPart = " 00" + std::string(std::max(s - 1, 0), '0');
  } else {
    std::size_t blank = text.find(' ', secStart);
    std::string sec(text.substr(secStart, blank == std::string_view::npos ? std::string_view::npos
                                                                         : blank - secStart));
    if (!sec.empty() && sec.back() == '"') sec.pop_back();
    double v = ParseNumberField(sec, s);
    Decimal d = ToDecimal(v);
    std::string digits = PadLeftTo(ScaledDigits(d, s), s + 1, '0');
    bool zero = digits.find_first_not_of('0') == std::string::npos;
    secPart = PadLeftTo((d.negative && !zero ? "-" : "") + digits, s + 2, ' ');
  }
  return degPart + minPart + secPart;
}

std::string FormatFixedNumber(std::string_view text, int w, int d, bool point) {
  std::string t(text);
  if (t.size() > 1) {
    auto plus = t.find('+', 1);
    if (plus != std::string::npos) t.erase(plus, 1);
  }
  if (t.empty() || !IsNumberText(t)) return std::string(std::clamp(w, 0, 30), ' ');
  double v = ParseNumberField(t, 0);
  Decimal dec = ToDecimal(v);
  std::string digits = ScaledDigits(dec, d);
  bool zero = digits.find_first_not_of('0') == std::string::npos;
  std::string out;
  if (point) {
    digits = PadLeftTo(digits, d + 1, '0');
    out = digits.substr(0, digits.size() - d) + "." + digits.substr(digits.size() - d);
  } else {
    std::size_t minDigits = d;
    if (w > d && !dec.negative) minDigits = d + 1;
    out = PadLeftTo(digits, minDigits, '0');
  }
  if (dec.negative && !zero) out.insert(0, "-");
  return PadLeftTo(out, std::max(w, 0), ' ');
}

bool IsBlankField(std::string_view text) {
  return text.size() <= 20 && text.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace kv
