// Numbers as text: the one place that knows how the program writes and reads
// numbers. The user's decimal separator is read once and passed in.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorva {

// General real format: up to 15 significant digits, no trailing zeros; fixed
// notation from a magnitude of 0.00001 up to 15 integer digits, otherwise a
// mantissa, "E" and the exponent without plus sign or padding
// ("1E-7", "1.5E20", "0.00001", "1E15", "0.25", "-500").
std::string format_reel(double valeur, char separateur = '.');
// The same written at `sortie`, which has room for taille_max_reel
// characters; returns the end. For writers of millions of reals.
constexpr std::size_t taille_max_reel = 32;
char* ecrire_reel(char* sortie, double valeur, char separateur = '.');

// Replaces the first comma by a point, so that a spreadsheet reads the value
// whatever the separator it was written with.
std::string point_fixe(std::string texte);

// The marks-file field of 23 characters: a blank (or "-"), one digit, a
// point, 14 digits, "E", the exponent's sign and 4 digits:
// 1234 -> " 1.23400000000000E+0003".
std::string format_exposant(double valeur);

// Decimal integer, as the system reads it: optional blanks, an optional sign,
// digits (or "$" and hexadecimal digits), nothing else; out of the 32-bit
// range is an error. Raises erreur_quorva
// "'%s' n'est pas une valeur entière correcte".
std::int32_t entier_de_texte(std::string_view texte);
// Same without raising: false when the text is not an integer.
bool essai_entier(std::string_view texte, std::int32_t& valeur);

// Real with the given decimal separator, blanks around allowed, exponent
// allowed. Raises erreur_quorva
// "'%s' n'est pas une valeur en virgule flottante correcte".
double reel_de_texte(std::string_view texte, char separateur = '.');
bool essai_reel(std::string_view texte, char separateur, double& valeur);

// Nearest integer, a half to the even neighbour (2.5 -> 2, 3.5 -> 4). Values
// beyond the 64-bit range are clamped.
std::int64_t arrondi(double valeur);

}  // namespace quorva
