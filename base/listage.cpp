#include "base/listage.h"

#include <algorithm>

#include "base/texte.h"

namespace quorva {

std::vector<std::string> decouper_masques(const std::string& masques) {
    std::vector<std::string> liste;
    std::string masque;
    for (const char c : masques + ";") {
        if (c == ';') {
            if (!masque.empty()) liste.push_back(masque);
            masque.clear();
        } else if (c != ' ') {
            masque += c;
        }
    }
    return liste;
}

void trier_noms(std::vector<std::string>& noms) {
    std::sort(noms.begin(), noms.end(), [](const std::string& a, const std::string& b) {
        const std::string ma = minuscules_ascii(a), mb = minuscules_ascii(b);
        return ma != mb ? ma < mb : a < b;
    });
    noms.erase(std::unique(noms.begin(), noms.end()), noms.end());
}

}  // namespace quorva
