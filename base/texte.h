// Texts: the program's texts are UTF-8. Each boundary converts once: the
// Win32 layer to UTF-16 (base/platform/wide_win32.h), the SYLK workbook
// to Windows-1252, the readers of the older system's files from it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorva {

std::string cp1252_vers_utf8(std::string_view cp1252);
// Windows-1252 for the spreadsheets: a character it cannot hold, and a byte
// that is not UTF-8, becomes '?'. For shown texts only, never for a path.
std::string utf8_vers_cp1252(std::string_view utf8);

// UTF-16 for the wide Win32 calls; nothing when the text is not UTF-8 (it
// would name something else). The three-byte form of a lone surrogate is
// taken, so that a name utf16_vers_utf8 gave names the same file again.
std::optional<std::u16string> utf8_vers_utf16(std::string_view utf8);
// UTF-8 from UTF-16; a lone surrogate (Windows names may hold one) keeps its
// three-byte form.
std::string utf16_vers_utf8(std::u16string_view utf16);

// A text file of the older system as the program reads it: UTF-8 (with or
// without a byte-order mark, as Notepad saves it now) as it is; any other
// file is Windows-1252, made UTF-8.
std::string texte_fichier_utf8(std::string_view octets);

// The first `nb_caracteres` characters of a UTF-8 text (a byte that is not
// UTF-8 counts as one), never cutting one in two.
std::string debut_utf8(std::string_view texte, std::size_t nb_caracteres);
// The characters of a UTF-8 text, as a person counts them (a letter is one).
std::size_t nb_caracteres_utf8(std::string_view texte);

// ASCII letters A..Z to a..z; every other byte as it is.
std::string minuscules_ascii(std::string_view texte);
// Case-insensitive comparison of UTF-8 texts (ASCII and Latin-1 letters,
// and the capitals Windows-1252 adds; other characters as they are).
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
