#include "app/base/texte.h"

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
