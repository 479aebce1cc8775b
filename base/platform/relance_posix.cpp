#include <unistd.h>

#include <string>
#include <vector>

#include "base/relance.h"

namespace quorva {

std::optional<std::uint32_t> relancer_voisin(const char* nom, int argc, char** argv) {
    std::string chemin(4096, '\0');
    const ssize_t n = readlink("/proc/self/exe", chemin.data(), chemin.size() - 1);
    if (n <= 0) return std::nullopt;
    chemin.resize(static_cast<std::size_t>(n));
    chemin = chemin.substr(0, chemin.rfind('/') + 1) + nom;
    std::vector<char*> arguments(argv, argv + argc);
    arguments.push_back(nullptr);
    arguments[0] = chemin.data();
    execv(chemin.c_str(), arguments.data());
    return std::nullopt;
}

}  // namespace quorva
