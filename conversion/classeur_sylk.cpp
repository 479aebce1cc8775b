#include "conversion/classeur_sylk.h"

#include <charconv>
#include <cmath>
#include <vector>

#include "app/erreur.h"
#include "app/lecture_bornee.h"
#include "app/nombres.h"
#include "app/texte.h"

namespace quorva {

const char* const texte_classeur_base_abime = "Le classeur de base %s est ab\xEEm\xE9 : ce n'est pas un fichier SYLK.";

namespace {

constexpr std::int64_t derniere_ligne_tables = 100;  // tables fill rows 6..100
constexpr std::size_t taille_tampon = 1 << 16;

const char* titre_correlation(int langue) {
    // In French the SYLK escape ESC N B puts an acute accent on the next e.
    return langue == 2 ? "\"Corr\x1B" "NBelation\"" : "\"Correlation\"";
}

// Reals in the workbook always with a point: the spreadsheet reads SYLK
// numbers that way whatever the system's separator. (Writing them with the
// point directly is the point-fixed real without a second pass over it.)
std::string reel(double valeur, char /*separateur*/) { return format_reel(valeur, '.'); }

// The value the spreadsheet reads back from a real we wrote.
double relu(double valeur, char separateur) {
    double v = 0;
    return essai_reel(reel(valeur, separateur), '.', v) ? v : valeur;
}

// Row, column and numeric value of the cells a SYLK record sets (C and F
// records move the current cell).
struct curseur_sylk {
    std::int64_t ligne = 1, colonne = 1;

    // Returns true with `valeur` when the record is a C record with a
    // numeric K value.
    bool lire(const std::string& enregistrement, double& valeur) {
        if (enregistrement.size() < 2 || enregistrement[1] != ';' ||
            (enregistrement[0] != 'C' && enregistrement[0] != 'F'))
            return false;
        bool numerique = false;
        std::size_t i = 2;
        while (i < enregistrement.size()) {
            std::size_t fin = enregistrement.find(';', i);
            const char champ = enregistrement[i];
            if (champ == 'K' && i + 1 < enregistrement.size() && enregistrement[i + 1] == '"') {
                const auto guillemet = enregistrement.find('"', i + 2);
                fin = guillemet == std::string::npos ? std::string::npos : enregistrement.find(';', guillemet);
            }
            const std::string contenu =
                enregistrement.substr(i + 1, fin == std::string::npos ? std::string::npos : fin - i - 1);
            std::int32_t n = 0;
            if (champ == 'Y' && essai_entier(contenu, n)) ligne = n;
            if (champ == 'X' && essai_entier(contenu, n)) colonne = n;
            if (champ == 'K' && enregistrement[0] == 'C') numerique = essai_reel(contenu, '.', valeur);
            if (fin == std::string::npos) break;
            i = fin + 1;
        }
        return numerique;
    }
};

std::string nom_sans_dossier(const std::string& chemin) {
    const auto separateur = chemin.find_last_of("\\/");
    return separateur == std::string::npos ? chemin : chemin.substr(separateur + 1);
}

}  // namespace

std::string chemin_classeur_base(const contexte& ctx, int langue) {
    const std::string nom = langue == 2 ? "patin_tracte_base.slk" : "patin_tracte_base_EN.slk";
    const std::string& appli = ctx.chemins.chemin_appli;
    if (ctx.os.file_exists(appli + "fic_quorva\\" + nom)) return appli + "fic_quorva\\" + nom;
    if (ctx.os.file_exists(appli + nom)) return appli + nom;
    return {};
}

double correlation_table(const point_xy* table, int k) {
    if (k < 2) return 0;
    long double sx = 0, sy = 0;
    for (int i = 1; i <= k; ++i) {
        sx += table[i].x;
        sy += table[i].y;
    }
    const long double mx = sx / k, my = sy / k;
    long double sxy = 0, sxx = 0, syy = 0;
    for (int i = 1; i <= k; ++i) {
        const long double dx = table[i].x - mx, dy = table[i].y - my;
        sxy += dx * dy;
        sxx += dx * dx;
        syy += dy * dy;
    }
    if (sxx <= 0 || syy <= 0) return 0;
    return static_cast<double>(sxy / std::sqrt(sxx * syy));
}

ecrivain_classeur::ecrivain_classeur(contexte& ctx, const std::string& chemin_wav, int langue)
    : ctx_(ctx), langue_(langue == 2 ? 2 : 1) {
    const std::string base = chemin_classeur_base(ctx, langue_);
    std::string contenu;
    if (base.empty()) {
        const std::string attendu = ctx.chemins.chemin_appli + "fic_quorva\\" +
                                    (langue_ == 2 ? "patin_tracte_base.slk" : "patin_tracte_base_EN.slk");
        throw erreur_quorva(message("Impossible d'ouvrir le fichier %s", attendu));
    }
    // A base workbook is a page of SYLK records starting with "ID;": an
    // empty, cut or foreign file would give a workbook without its sheet.
    contenu = lire_fichier_borne(ctx.os, base, 16u << 20);
    if (contenu.compare(0, 3, "ID;") != 0)
        throw erreur_quorva(message(texte_classeur_base_abime, base));
    sortie_ = ctx.os.create_file(chemin_wav + ".slk");
    tampon_.reserve(taille_tampon + 512);
    energies_.resize(65536);

    const char sep = ctx.separateur_decimal;
    std::string nom = nom_sans_dossier(chemin_wav) + ".slk";
    for (std::size_t p = nom.find(';'); p != std::string::npos; p = nom.find(';', p + 2)) nom.insert(p, ";");

    curseur_sylk curseur;
    bool r2c2_lu = false;
    for (std::string ligne : decouper_lignes(contenu)) {
        if (ligne.find("C;Y1;X1;K") != std::string::npos && !ligne.empty())
            ligne.insert(ligne.size() - 1, ": " + nom);
        if (ligne == "C;X2;K0") ligne = "C;X2;K" + reel(ctx.conversion.niveau_base, sep);
        if (ligne == "C;X5;Kcoefficient_a") ligne = "C;X5;K" + reel(ctx.conversion.coefficient_a, sep);
        ecrire(ligne);
        ecrire("\r\n");
        double valeur = 0;
        if (curseur.lire(ligne, valeur)) {
            if (curseur.ligne == 2 && curseur.colonne == 2) {
                r2c2_ = valeur;
                r2c2_lu = true;
            }
            if (curseur.ligne == 2 && curseur.colonne == 5) r2c5_ = valeur;
            if (curseur.ligne == 3 && curseur.colonne == 2) r3c2_ = valeur;
            if (curseur.ligne == 3 && curseur.colonne == 5) r3c5_ = valeur;
        }
    }
    // A base workbook without a usable divisor: the cached values assume 1000.
    if (!r2c2_lu || r2c2_ == 0) r2c2_ = 1000;

    const auto& etat = ctx.conversion;
    int k = 0;
    while (k < capacite_pointes && etat.intervalles[static_cast<std::size_t>(k) + 1].x != 0) ++k;
    std::vector<point_xy> lus(static_cast<std::size_t>(k) + 1);
    for (int i = 1; i <= k; ++i)
        lus[static_cast<std::size_t>(i)] = {relu(etat.intervalles[static_cast<std::size_t>(i)].x, sep),
                                            relu(etat.intervalles[static_cast<std::size_t>(i)].y, sep)};
    correl_intervalles_ = correlation_table(lus.data(), k);
    k = 0;
    while (k < capacite_pointes && etat.pointes[static_cast<std::size_t>(k) + 1].x != 0) ++k;
    lus.assign(static_cast<std::size_t>(k) + 1, {});
    for (int i = 1; i <= k; ++i)
        lus[static_cast<std::size_t>(i)] = {relu(etat.pointes[static_cast<std::size_t>(i)].x, sep),
                                            relu(etat.pointes[static_cast<std::size_t>(i)].y, sep)};
    correl_pointes_ = correlation_table(lus.data(), k);
}

ecrivain_classeur::~ecrivain_classeur() = default;

void ecrivain_classeur::ecrire(const std::string& texte) {
    tampon_ += texte;
    if (tampon_.size() >= taille_tampon) vider();
}

void ecrivain_classeur::vider() {
    if (tampon_.empty()) return;
    sortie_->write(tampon_);
    tampon_.clear();
}

void ecrivain_classeur::echantillon(std::int32_t v) {
    const char sep = ctx_.separateur_decimal;
    ++rang_;
    const std::int64_t n = rang_ - 5;
    const double c3 = (v / r2c2_) * (v / r2c2_);
    const double c4 = n == 1 ? c3 - r3c2_ : cumul_ + c3 - r3c2_;
    cumul_ = c4;
    const double c5 = r3c5_ * static_cast<double>(n) + r2c5_;
    const double c6 = c5 - c4;

    std::string& t = tampon_;
    char entier[24];
    const auto ajoute_entier = [&](std::int64_t valeur) {
        t.append(entier, static_cast<std::size_t>(std::to_chars(entier, entier + sizeof entier, valeur).ptr - entier));
    };
    t += "C;Y";
    ajoute_entier(rang_);
    t += ";X1;K";
    ajoute_entier(n);
    t += n == 1 ? "\r\n" : ";ER[-1]C+1\r\n";
    t += "C;X2;K";
    ajoute_entier(v);
    t += "\r\nC;X3;K";
    if (v >= -32768 && v <= 32767) {
        std::string& energie = energies_[static_cast<std::size_t>(v + 32768)];
        if (energie.empty()) energie = reel(c3, sep);
        t += energie;
    } else {
        t += reel(c3, sep);
    }
    t += ";E(RC[-1]/R2C2)*(RC[-1]/R2C[-1])\r\nC;X4;K";
    t += reel(c4, sep);
    t += n == 1 ? ";ERC[-1]-R3C2\r\n" : ";ER[-1]C+RC[-1]-R3C2\r\n";
    t += "C;X5;K";
    t += reel(c5, sep);
    t += ";ER3C5*RC[-4]+R2C5\r\nC;X6;K";
    t += reel(c6, sep);
    t += ";ERC[-1]-RC[-2]\r\n";
    if (rang_ <= derniere_ligne_tables) tables(static_cast<std::int32_t>(rang_));
    if (t.size() >= taille_tampon) vider();
}

void ecrivain_classeur::tables(std::int32_t r) {
    const char sep = ctx_.separateur_decimal;
    const auto& etat = ctx_.conversion;
    const auto i = static_cast<std::size_t>(r - 5);
    const std::string ligne = std::to_string(r);
    const std::string correl = ";ECORREL(R[-" + std::to_string(r - 6) + "]C[-1]:R[-1]C[-1],R[-" +
                               std::to_string(r - 6) + "]C:R[-1]C)\r\n";
    const auto une_table = [&](const point_xy& enr, bool& titre, double valeur_correl, int colonne) {
        const std::string gauche = std::to_string(colonne), droite = std::to_string(colonne + 1);
        if (enr.x != 0) {
            ecrire("C;X" + gauche + ";K" + reel(enr.x, sep) + "\r\n");
            ecrire("C;Y" + ligne + ";X" + droite + ";K" + reel(enr.y, sep) + "\r\n");
        } else if (!titre) {
            titre = true;
            ecrire("C;Y" + ligne + ";X" + gauche + ";K" + titre_correlation(langue_) + "\r\n");
            ecrire("C;Y" + ligne + ";X" + droite + ";K" + reel(valeur_correl, sep) + correl);
        }
    };
    une_table(etat.intervalles[i], titre_intervalles_, correl_intervalles_, 7);
    une_table(etat.pointes[i], titre_pointes_, correl_pointes_, 9);
}

void ecrivain_classeur::termine() {
    ecrire("E\r\n");
    vider();
    sortie_->commit();
}

}  // namespace quorva
