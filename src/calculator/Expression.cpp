#include "calculator/Expression.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <numbers>
#include <optional>
#include <string>
#include <system_error>

#include "text/Texts.h"
#include "text/Utf.h"

namespace kelo {

namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180;
constexpr double kDegPerRad = 180 / std::numbers::pi;
// The sines of the angles a draftsman meets, correctly rounded, so that they
// compare equal on the way back through asin and acos.
constexpr double kSin45 = std::numbers::sqrt2 / 2;
constexpr double kSin60 = std::numbers::sqrt3 / 2;
// What tan gives at 30° and 60° (sine over cosine), so that atan maps them back.
constexpr double kTan30 = 0.5 / kSin60;
constexpr double kTan60 = kSin60 / 0.5;
// An unknown name longer than this is cut in its message, which stays one line.
constexpr std::size_t kShownNameLength = 20;
constexpr long kExponentCap = 100000;

// A syntax error: it ends the reading at once.
struct Problem {
    std::size_t position;
    std::string reason;
};

[[noreturn]] void Throw(std::size_t position, std::string_view reason) { throw Problem{position, std::string(reason)}; }

// A character that cannot be shown inside a one-line message as itself
// (controls, line separators, invisible format characters) is named by its code.
std::string Shown(char32_t c) {
    const bool invisible = c < 0x20 || (c >= 0x7F && c < 0xA0) || (c >= 0x200B && c <= 0x200F) ||
                           (c >= 0x2028 && c <= 0x202E) || (c >= 0x2060 && c <= 0x2064) || c == 0xFEFF;
    if (!invisible) return Utf32ToUtf8(std::u32string_view(&c, 1));
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(c));
    return buf;
}

// A Japanese keyboard gives full-width digits, letters, operators and
// parentheses, "×", "÷" and the ideographic blank: each reads as its ASCII
// counterpart. All blanks become ' '.
char32_t Normalize(char32_t c) {
    switch (c = NarrowWidth(c)) {
        case U'\u00D7': return '*';
        case U'\u00F7': return '/';
        case U'\u2212': return '-';
        case '\t':
        case '\r':
        case '\n': return ' ';
        default: return c;
    }
}

bool IsDigit(char32_t c) { return c >= '0' && c <= '9'; }
bool IsLetter(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

enum class Kind { End, Number, Name, Plus, Minus, Times, Divide, Power, Open, Close, Stray };

struct Token {
    Kind kind = Kind::End;
    std::size_t position = 0;  // 1-based
    double number = 0;
    std::string name;   // lower-case ASCII
    std::string shown;  // as typed
};

// Hands out one token at a time, so that the parser meets problems in the
// order of the text.
class Lexer {
   public:
    explicit Lexer(std::string_view text) : typed_(Utf8ToUtf32(text)) {
        chars_.reserve(typed_.size());
        for (const char32_t c : typed_) chars_.push_back(Normalize(c));
    }

    Token Next() {
        while (At(at_) == ' ') ++at_;
        Token token;
        token.position = at_ + 1;
        if (at_ >= chars_.size()) return token;
        const char32_t c = chars_[at_];
        if (IsDigit(c) || (c == '.' && IsDigit(At(at_ + 1)))) return ReadNumber(token);
        if (IsLetter(c)) return ReadName(token);
        ++at_;
        switch (c) {
            case '+': token.kind = Kind::Plus; break;
            case '-': token.kind = Kind::Minus; break;
            case '*': token.kind = Kind::Times; break;
            case '/': token.kind = Kind::Divide; break;
            case '^': token.kind = Kind::Power; break;
            case '(': token.kind = Kind::Open; break;
            case ')': token.kind = Kind::Close; break;
            case '.': token.kind = Kind::Stray; break;  // a point with no digits: out of place wherever it is
            default: Throw(token.position, Fill(texts::kCalcBadCharacter, Shown(typed_[at_ - 1])));
        }
        return token;
    }

   private:
    char32_t At(std::size_t i) const { return i < chars_.size() ? chars_[i] : 0; }

    Token ReadNumber(Token& token) {
        std::string ascii;
        long intDigits = 0;        // significant digits before the point
        long zerosAfterPoint = 0;  // before the first significant digit, when there is none before the point
        bool nonZero = false;
        while (IsDigit(At(at_))) {
            nonZero = nonZero || chars_[at_] != '0';
            if (nonZero) ++intDigits;
            ascii += static_cast<char>(chars_[at_++]);
        }
        if (ascii.empty()) ascii = "0";
        if (At(at_) == '.') {
            ++at_;
            if (IsDigit(At(at_))) ascii += '.';
            while (IsDigit(At(at_))) {
                if (chars_[at_] != '0') nonZero = true;
                if (!nonZero) ++zerosAfterPoint;
                ascii += static_cast<char>(chars_[at_++]);
            }
        }
        if (At(at_) == '.') Throw(at_ + 1, texts::kCalcSecondPoint);
        long exponent = 0;
        if (At(at_) == 'e' || At(at_) == 'E') {
            ++at_;
            ascii += 'e';
            bool negative = false;
            if (At(at_) == '+' || At(at_) == '-') {
                negative = At(at_) == '-';
                ascii += static_cast<char>(chars_[at_++]);
            }
            if (!IsDigit(At(at_))) Throw(at_ + 1, texts::kCalcExponentDigits);
            while (IsDigit(At(at_))) {
                if (exponent < kExponentCap) exponent = exponent * 10 + static_cast<long>(chars_[at_] - '0');
                ascii += static_cast<char>(chars_[at_++]);
            }
            if (negative) exponent = -exponent;
        }
        const auto res = std::from_chars(ascii.data(), ascii.data() + ascii.size(), token.number);
        if (res.ec == std::errc::result_out_of_range) {
            // Out of range either way: the decimal order tells too large from too small.
            const long order = intDigits > 0 ? exponent + intDigits : exponent - zerosAfterPoint;
            if (order > 0) Throw(token.position, texts::kCalcNumberTooLarge);
            token.number = 0;
        }
        token.kind = Kind::Number;
        return token;
    }

    Token ReadName(Token& token) {
        const std::size_t start = at_;
        while (IsLetter(At(at_))) {
            token.name += static_cast<char>(chars_[at_] | 0x20);  // ASCII lower case
            ++at_;
        }
        const std::size_t shownLength = std::min(at_ - start, kShownNameLength);
        token.shown = Utf32ToUtf8(std::u32string_view(typed_).substr(start, shownLength));
        if (at_ - start > kShownNameLength) token.shown += "…";
        token.kind = Kind::Name;
        return token;
    }

    std::u32string typed_;
    std::u32string chars_;
    std::size_t at_ = 0;
};

struct SinCos {
    double sin;
    double cos;
};

// d within [-45°, 45°]; 0°, 30° and 45° exactly.
SinCos SinCosNear(double d) {
    const double a = std::fabs(d);
    SinCos r{std::sin(a * kRadPerDeg), std::cos(a * kRadPerDeg)};
    if (a == 0) r = {0, 1};
    if (a == 30) r = {0.5, kSin60};
    if (a == 45) r = {kSin45, kSin45};
    if (d < 0) r.sin = -r.sin;
    return r;
}

// Reduces to (-180°, 180°] and then to a quarter turn plus d in [-45°, 45°];
// both steps are exact in floating point (the differences stay within a factor
// two of what they subtract), so every multiple of 30° and 45° lands exactly.
SinCos SinCosDegrees(double x) {
    double r = std::fmod(x, 360.0);
    r = r > 180 ? r - 360 : (r <= -180 ? r + 360 : r);
    const double quarter = std::round(r / 90);
    const SinCos n = SinCosNear(r - 90 * quarter);
    if (quarter == 1) return {n.cos, -n.sin};
    if (quarter == -1) return {-n.cos, n.sin};
    if (quarter == 0) return n;
    return {-n.sin, -n.cos};
}

struct ExactAngle {
    double ratio;
    double degrees;
};

constexpr ExactAngle kExactSines[] = {{0, 0}, {0.5, 30}, {kSin45, 45}, {kSin60, 60}, {1, 90}};
constexpr ExactAngle kExactTangents[] = {{0, 0}, {kTan30, 30}, {1, 45}, {kTan60, 60}};

// The angle whose sine (or tangent) is exactly `x`, when the table has it.
template <std::size_t N>
std::optional<double> ExactAngleOf(double x, const ExactAngle (&table)[N]) {
    for (const ExactAngle& e : table) {
        if (std::fabs(x) == e.ratio) return x < 0 ? -e.degrees : e.degrees;
    }
    return std::nullopt;
}

constexpr std::string_view kFunctions[] = {"sin", "cos", "tan", "asin", "acos", "atan", "sqrt"};

// Recursive descent, evaluating as it reads:
//   expression = term { ("+" | "-") term }
//   term       = unary { ("*" | "/") unary }
//   unary      = { "+" | "-" } power
//   power      = primary [ "^" unary ]          (right-associative, above the sign)
//   primary    = number | "(" expression ")" | name [ "(" expression ")" ]
// An arithmetic error is remembered and the reading goes on, so that a syntax
// error further on still wins; from then on every value is NaN and nothing new
// is recorded.
class Parser {
   public:
    Parser(std::string_view text, double ans) : lexer_(text), ans_(ans) { Advance(); }

    EvalResult Run() {
        if (token_.kind == Kind::End) return {};
        const double value = Expression();
        if (token_.kind == Kind::Close) Throw(token_.position, texts::kCalcExtraClose);
        if (token_.kind != Kind::End) Throw(token_.position, texts::kCalcOperatorExpected);
        if (!failed_ && !std::isfinite(value)) Fail(1, texts::kCalcTooLarge);  // a non-finite `ans` given in
        if (failed_) return {std::nullopt, error_.reason, error_.position};
        return {value + 0.0, "", 0};  // + 0.0: a negative zero shows and copies as "0"
    }

   private:
    void Advance() { token_ = lexer_.Next(); }

    double Fail(std::size_t position, std::string_view reason) {
        if (!failed_) error_ = {position, std::string(reason)};
        failed_ = true;
        return std::nan("");
    }

    double Checked(double value, std::size_t position) {
        if (failed_) return std::nan("");
        return std::isfinite(value) ? value : Fail(position, texts::kCalcTooLarge);
    }

    void Nest(std::size_t position) {
        if (++depth_ > kMaxExpressionDepth) Throw(position, texts::kCalcTooDeep);
    }

    double Expression() {
        double value = Term();
        while (token_.kind == Kind::Plus || token_.kind == Kind::Minus) {
            const bool plus = token_.kind == Kind::Plus;
            const std::size_t at = token_.position;
            Advance();
            const double right = Term();
            value = Checked(plus ? value + right : value - right, at);
        }
        return value;
    }

    double Term() {
        double value = Unary();
        while (token_.kind == Kind::Times || token_.kind == Kind::Divide) {
            const bool times = token_.kind == Kind::Times;
            const std::size_t at = token_.position;
            Advance();
            const double right = Unary();
            if (!times && right == 0) value = Fail(at, texts::kCalcDivideByZero);
            value = Checked(times ? value * right : value / right, at);
        }
        return value;
    }

    // Signs are counted in a loop, not by recursion: "-----1" costs no stack.
    double Unary() {
        bool negative = false;
        while (token_.kind == Kind::Plus || token_.kind == Kind::Minus) {
            if (token_.kind == Kind::Minus) negative = !negative;
            Advance();
        }
        const double value = Power();
        return negative ? -value : value;
    }

    double Power() {
        const double base = Primary();
        if (token_.kind != Kind::Power) return base;
        const std::size_t at = token_.position;
        Advance();
        Nest(at);
        const double exponent = Unary();
        --depth_;
        if (failed_) return std::nan("");
        if (base == 0 && exponent < 0) return Fail(at, texts::kCalcDivideByZero);
        const double value = std::pow(base, exponent);
        if (std::isnan(value)) return Fail(at, texts::kCalcNegativePower);  // only a negative base to a fraction
        return Checked(value, at);
    }

    double Primary() {
        if (token_.kind == Kind::Number) {
            const double value = token_.number;
            Advance();
            return value;
        }
        if (token_.kind == Kind::Open) return Parenthesized();
        if (token_.kind == Kind::Name) return Named();
        Throw(token_.position, texts::kCalcOperandExpected);
    }

    // At "(": reads up to and including the matching ")".
    double Parenthesized() {
        Nest(token_.position);
        Advance();
        const double value = Expression();
        --depth_;
        if (token_.kind == Kind::End) Throw(token_.position, texts::kCalcCloseExpected);
        if (token_.kind != Kind::Close) Throw(token_.position, texts::kCalcOperatorOrCloseExpected);
        Advance();
        return value;
    }

    double Named() {
        const Token name = token_;
        const bool function =
            std::find(std::begin(kFunctions), std::end(kFunctions), name.name) != std::end(kFunctions);
        if (!function && name.name != "pi" && name.name != "ans") {
            Throw(name.position, Fill(texts::kCalcUnknownName, name.shown));
        }
        Advance();
        if (name.name == "pi") return std::numbers::pi;
        if (name.name == "ans") return ans_;
        if (token_.kind != Kind::Open) Throw(token_.position, texts::kCalcOpenExpected);
        const double argument = Parenthesized();
        return Apply(name.name, argument, name.position);
    }

    double Apply(std::string_view function, double x, std::size_t at) {
        if (failed_) return std::nan("");
        if (function == "sin") return SinCosDegrees(x).sin;
        if (function == "cos") return SinCosDegrees(x).cos;
        if (function == "tan") return Tangent(x, at);
        if (function == "sqrt") return x < 0 ? Fail(at, texts::kCalcSqrtNegative) : std::sqrt(x);
        if (function == "atan") {
            const auto exact = ExactAngleOf(x, kExactTangents);
            return exact ? *exact : std::atan(x) * kDegPerRad;
        }
        if (!(x >= -1 && x <= 1)) return Fail(at, Fill(texts::kCalcOutsideUnit, function));
        const auto exact = ExactAngleOf(x, kExactSines);
        if (function == "asin") return exact ? *exact : std::asin(x) * kDegPerRad;
        return exact ? 90 - *exact : std::acos(x) * kDegPerRad;  // acos
    }

    // Reduced exactly to (-90°, 90°], where only 90° has no tangent.
    double Tangent(double x, std::size_t at) {
        double r = std::fmod(x, 180.0);
        r = r > 90 ? r - 180 : (r <= -90 ? r + 180 : r);
        const SinCos sc = SinCosDegrees(r);
        if (r == 90 || sc.cos == 0) return Fail(at, texts::kCalcTanUndefined);
        return Checked(sc.sin / sc.cos, at);
    }

    Lexer lexer_;
    Token token_;
    double ans_;
    int depth_ = 0;
    bool failed_ = false;
    Problem error_{0, {}};
};

}  // namespace

EvalResult EvaluateExpression(std::string_view text, double ans) {
    try {
        Parser parser(text, ans);
        return parser.Run();
    } catch (const Problem& problem) {
        const std::string where = Fill(texts::kCalcAtPosition, std::to_string(problem.position));
        return {std::nullopt, Fill(where, problem.reason), problem.position};
    }
}

}  // namespace kelo
