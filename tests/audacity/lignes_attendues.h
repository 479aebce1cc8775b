// Expected lines of a preferences file, by their position.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace quorva::test {

using lignes_numerotees = std::vector<std::pair<std::size_t, std::string>>;

// The file has `nombre` lines, and each numbered one is as given.
inline void verifier_lignes(const std::vector<std::string>& lignes, std::size_t nombre, const lignes_numerotees& attendues) {
    EXPECT_EQ(lignes.size(), nombre);
    for (const auto& [position, texte] : attendues) {
        if (position >= lignes.size()) {
            ADD_FAILURE() << "no line " << position;
            continue;
        }
        EXPECT_EQ(lignes[position], texte) << "line " << position;
    }
}

}  // namespace quorva::test
