// The one conversion between the program's texts (UTF-8) and the wide
// ("W") Win32 calls (UTF-16). Every text that reaches or leaves a Win32 call
// goes through these two, and nothing else converts.
#pragma once

#include <string>
#include <string_view>

#include "base/erreur.h"
#include "base/texte.h"

namespace quorva {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the wide Win32 calls take UTF-16");

constexpr const char* texte_nom_impossible = "Le nom %s ne peut pas être donné au système";

// The text for a wide call. Throws erreur_quorva naming the text when it is
// not UTF-8: a look-alike would be another file.
inline std::wstring to_wide(std::string_view utf8) {
    const auto utf16 = utf8_vers_utf16(utf8);
    if (!utf16) throw erreur_quorva(message(texte_nom_impossible, std::string(utf8)));
    return std::wstring(utf16->begin(), utf16->end());
}

// A text a wide call gave, in UTF-8 (see utf16_vers_utf8).
inline std::string from_wide(std::wstring_view wide) {
    return utf16_vers_utf8(std::u16string(wide.begin(), wide.end()));
}

}  // namespace quorva
