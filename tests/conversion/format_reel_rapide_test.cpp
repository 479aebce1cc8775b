// The workbook writer formats millions of reals through format_reel's fast
// path; its digits must be the correctly rounded 15 digits everywhere,
// halves and the edges of each decade included.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <string>

#include "base/nombres.h"
#include "bench/generateur_wav.h"

namespace quorva::test {
namespace {

// The reference: the standard library's correctly rounded 15 digits.
double quinze_chiffres(double v) {
    char tampon[64];
    const auto fin = std::to_chars(tampon, tampon + sizeof tampon, v, std::chars_format::scientific, 14).ptr;
    double r = 0;
    std::from_chars(tampon, fin, r);
    return r;
}

void verifie(double v) {
    const std::string texte = format_reel(v, '.');
    double relu = 0;
    ASSERT_TRUE(essai_reel(texte, '.', relu)) << texte;
    ASSERT_EQ(relu, quinze_chiffres(v)) << texte;
    ASSERT_EQ(point_fixe(format_reel(v, ',')), texte);
}

TEST(FormatReelRapide, FifteenCorrectlyRoundedDigits) {
    generateur::aleatoire h(99);
    for (int i = 0; i < 200000; ++i) {
        const double v = std::ldexp(1.0 + h.suivant() / 4294967296.0, h.entre(-70, 70)) * (h.entre(0, 1) ? 1 : -1);
        verifie(v);
        verifie(std::nextafter(v, 0.0));
        verifie(static_cast<double>(h.suivant()) * 2097152.0 + h.suivant());  // 16-digit integers: halves
    }
    for (double v : {0.00001, 9.999999999999995e-6, 1e15, 999999999999999.5, 99999999999999.95, 0.1, 0.25,
                     1234567890123456.0, 5e-324, 1.2345678901234567e300, 1000000000000005.0})
        verifie(v);
}

}  // namespace
}  // namespace quorva::test
