// Texts: the program's texts are cp1252 bytes; Unicode appears only where a
// text meets the windowing toolkit or a POSIX file name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorva {

std::string cp1252_vers_utf8(std::string_view cp1252);
// Characters that cp1252 cannot hold become '?'; broken UTF-8 bytes are
// taken as cp1252 bytes as they stand.
std::string utf8_vers_cp1252(std::string_view utf8);

// A text file as the program reads it: UTF-8 (with or without a byte-order
// mark, as Notepad saves it now) becomes cp1252; any other file is taken as
// cp1252 bytes as they stand.
std::string texte_fichier_cp1252(std::string_view octets);

// ASCII letters A..Z to a..z; every other byte as it is.
std::string minuscules_ascii(std::string_view texte);
// Case-insensitive comparison of cp1252 texts (ASCII and Latin-1 letters).
bool egal_sans_casse(std::string_view a, std::string_view b);

// Splits a text into lines; accepts CR LF, LF and a lone CR. A last line
// without an end is kept; a final line end does not add an empty line.
std::vector<std::string> decouper_lignes(std::string_view texte);
// Joins lines, each ended by CR LF.
std::string joindre_lignes(const std::vector<std::string>& lignes);
// The text with every line end (CR LF, LF, a lone CR) as LF: the one line
// break that Qt's labels show on every system. The program's messages
// separate their lines with CR, which Qt on Windows runs together.
std::string fins_de_ligne_lf(std::string_view texte);

bool finit_par(std::string_view texte, std::string_view fin);
// A folder text ready to be joined with a name: one trailing backslash. An
// empty folder stays empty (a bare "\" would be the root of the drive).
std::string avec_barre_finale(std::string dossier);
bool commence_par(std::string_view texte, std::string_view debut);

}  // namespace quorva
