#pragma once

#include <QString>
#include <QStringView>
#include <compare>
#include <optional>

// A money amount: a 64-bit count of ten-thousandths, the range of the classic
// currency type (about ±922 trillion). Arithmetic that would leave the range is
// reported, never wrapped.
class Currency {
  public:
    enum class Error { None, NotANumber, Overflow };

    static constexpr qint64 UnitsPerYen = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromUnits(qint64 units) { return Currency(units); }
    static std::optional<Currency> fromYen(qint64 yen);

    // Reads "1000000", "-380", "+12.5", " 1,234,567.89 " and the same with
    // full-width digits and signs. More than four decimals are rounded half
    // away from zero. Anything else is NotANumber; a value out of range is
    // Overflow.
    static std::optional<Currency> parse(QStringView text, Error* error = nullptr);

    constexpr qint64 units() const { return units_; }
    bool isZero() const { return units_ == 0; }

    // Plain number text: no separators, a decimal part only when it is not
    // zero, without trailing zeros ("1000000", "-380", "12.5").
    QString toString() const;

    std::optional<Currency> plus(Currency other) const;
    std::optional<Currency> minus(Currency other) const;

    friend constexpr auto operator<=>(Currency, Currency) = default;

  private:
    constexpr explicit Currency(qint64 units) : units_(units) {}
    qint64 units_ = 0;
};
