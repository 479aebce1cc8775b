#include "base/texte.h"

#include <gtest/gtest.h>

using namespace quorva;

// The messages shown in Qt's boxes: each line end, whichever system wrote
// it, becomes the LF that breaks the line on Linux and on Windows alike.
TEST(Texte, LineEndsForQtBecomeLf) {
    const struct {
        const char* texte;
        const char* attendu;
    } cas[] = {
        {"Verify\r- zoom\r- move\r", "Verify\n- zoom\n- move\n"},
        {"one\r\ntwo\nthree", "one\ntwo\nthree"},
        {"\r\r\n\n", "\n\n\n"},
        {"no line end", "no line end"},
        {"", ""},
        {"caf\xe9\r", "caf\xe9\n"},
    };
    for (const auto& c : cas) EXPECT_EQ(fins_de_ligne_lf(c.texte), c.attendu) << c.texte;
}

// The wide Win32 calls' boundary: UTF-16 both ways, a lone surrogate of a
// Windows name kept so that it names the same file again, and a text that is
// not UTF-8 refused rather than turned into another name.
TEST(Texte, Utf8AndUtf16BothWays) {
    const struct {
        std::string utf8;
        std::u16string utf16;
    } aller_retour[] = {
        {"", u""},
        {"essai.wav", u"essai.wav"},
        {"\xC5\x81ukasz", u"\u0141ukasz"},
        {"Nguy\xE1\xBB\x85n", u"Nguy\u1EC5n"},
        {"\xE5\xAD\xA6\xE7\x94\x9F", u"\u5B66\u751F"},
        {"\xF0\x9F\x8E\xB5.wav", u"\U0001F3B5.wav"},
        {"a\xED\xA0\x80" "b", std::u16string(u"a") + char16_t(0xD800) + u"b"},
        {"\xED\xB0\x80", std::u16string(1, char16_t(0xDC00))},
    };
    for (const auto& c : aller_retour) {
        EXPECT_EQ(utf8_vers_utf16(c.utf8), c.utf16) << c.utf8;
        EXPECT_EQ(utf16_vers_utf8(c.utf16), c.utf8) << c.utf8;
    }
    for (const std::string pas_utf8 : {"\xE9t\xE9", "\xC0\xAF", "\xE0\x80\xAF", "\xF4\x90\x80\x80", "\xC3",
                                       "\xED\xA0\xBD\xED\xBE\xB5"})
        EXPECT_EQ(utf8_vers_utf16(pas_utf8), std::nullopt) << pas_utf8;
}

// The workbook's title cell: Windows-1252 for the spreadsheets, "?" for a
// character it lacks or a byte that is not UTF-8.
TEST(Texte, Utf8ToWindows1252ForTheTitleCell) {
    const struct {
        const char* utf8;
        const char* cp1252;
    } cas[] = {
        {"S\xC3\xA9isme \xE2\x82\xAC \xC5\x93", "S\xE9isme \x80 \x9C"},
        {"\xC5\x81ukasz", "?ukasz"},
        {"\xE5\xAD\xA6\xE7\x94\x9F-\xF0\x9F\x8E\xB5", "??" "-?"},
        {"caf\xE9", "caf?"},
    };
    for (const auto& c : cas) EXPECT_EQ(utf8_vers_cp1252(c.utf8), c.cp1252) << c.utf8;
}
