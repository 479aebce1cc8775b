#include "conversion/classeur_sylk.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "base/chemins.h"
#include "base/erreur.h"
#include "base/lecture_bornee.h"
#include "base/nombres.h"
#include "base/texte.h"

namespace quorva {

const char* const texte_classeur_base_abime = "Le classeur de base %s est abîmé : ce n'est pas un fichier SYLK.";

namespace {

constexpr std::int64_t derniere_ligne_tables = 100;  // tables fill rows 6..100
// Rows are formatted a block at a time; a row (tables included) never
// takes more than the margin.
constexpr std::size_t taille_bloc = 1 << 20;
constexpr std::size_t marge_ligne = 1024;

template <std::size_t N>
char* litteral(char* p, const char (&texte)[N]) {
    std::memcpy(p, texte, N - 1);
    return p + N - 1;
}

char* entier(char* p, std::int64_t valeur) { return std::to_chars(p, p + 24, valeur).ptr; }

// The workbook's texts in the encoding the system's spreadsheets read a
// SYLK file in: LibreOffice takes the system's own (it reads no SYLK escape
// sequence such as ESC N B e), which is UTF-8 on Linux; Excel and
// LibreOffice on Windows read Windows-1252 there, a letter it lacks becoming
// "?". Every text of the workbook goes through here: the base workbook's,
// the title cell's, the correlation's.
std::string texte_classeur(std::string_view utf8) {
#ifdef _WIN32
    return utf8_vers_cp1252(utf8);
#else
    return std::string(utf8);
#endif
}

std::string titre_correlation(int langue) {
    return texte_classeur(langue == 2 ? "\"Corrélation\"" : "\"Correlation\"");
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

}  // namespace

// Writes the blocks to the file on a thread of its own, one block at a time,
// so that the next block is formatted while the previous one is written.
// Only this thread touches the file until attendre() returns; an error of
// the write comes back to the formatting thread at its next hand-over.
class ecrivain_classeur::ecriture_en_fond {
public:
    explicit ecriture_en_fond(OutputFile& sortie) : sortie_(sortie), fil_([this] { boucle(); }) {}
    ~ecriture_en_fond() {
        {
            std::lock_guard<std::mutex> verrou(mutex_);
            fin_ = true;
        }
        signal_.notify_all();
        fil_.join();
    }
    ecriture_en_fond(const ecriture_en_fond&) = delete;
    ecriture_en_fond& operator=(const ecriture_en_fond&) = delete;

    // Hands bloc[0..longueur) over and gives back an empty block of the same
    // capacity, once the previous block is written.
    void echanger(std::string& bloc, std::size_t longueur) {
        std::unique_lock<std::mutex> verrou(mutex_);
        signal_.wait(verrou, [this] { return !plein_; });
        if (erreur_) std::rethrow_exception(erreur_);
        std::swap(bloc, en_cours_);
        longueur_ = longueur;
        plein_ = true;
        verrou.unlock();
        signal_.notify_all();
    }

    // Waits until every block handed over is written.
    void attendre() {
        std::unique_lock<std::mutex> verrou(mutex_);
        signal_.wait(verrou, [this] { return !plein_; });
        if (erreur_) std::rethrow_exception(erreur_);
    }

private:
    void boucle() {
        std::unique_lock<std::mutex> verrou(mutex_);
        for (;;) {
            signal_.wait(verrou, [this] { return plein_ || fin_; });
            if (!plein_) return;
            verrou.unlock();
            std::exception_ptr erreur;
            try {
                if (!erreur_) sortie_.write(std::string_view(en_cours_.data(), longueur_));
            } catch (...) {
                erreur = std::current_exception();
            }
            verrou.lock();
            if (erreur) erreur_ = erreur;
            plein_ = false;
            signal_.notify_all();
        }
    }

    OutputFile& sortie_;
    std::mutex mutex_;
    std::condition_variable signal_;
    std::string en_cours_;
    std::size_t longueur_ = 0;
    bool plein_ = false, fin_ = false;
    std::exception_ptr erreur_;
    std::thread fil_;  // last: starts once the rest is ready
};

std::string chemin_classeur_base(const services& ctx, int langue) {
    const std::string nom = langue == 2 ? "patin_tracte_base.slk" : "patin_tracte_base_EN.slk";
    const std::string& appli = ctx.chemins.chemin_appli;
    const std::string donnees = dossier_donnees(ctx.chemins);
    if (ctx.os.file_exists(donnees + nom)) return donnees + nom;
    if (ctx.os.file_exists(appli + nom)) return appli + nom;
    return {};
}

std::string lire_classeur_base(const services& ctx, int langue) {
    const std::string base = chemin_classeur_base(ctx, langue);
    if (base.empty()) {
        const std::string attendu =
            joindre(dossier_donnees(ctx.chemins), langue == 2 ? "patin_tracte_base.slk" : "patin_tracte_base_EN.slk");
        throw erreur_quorva(message("Impossible d'ouvrir le fichier %s", attendu));
    }
    // A base workbook is a page of SYLK records starting with "ID;": an
    // empty, cut or foreign file would give a workbook without its sheet.
    std::string contenu = lire_fichier_borne(ctx.os, base, 16u << 20);
    if (contenu.compare(0, 3, "ID;") != 0) throw erreur_quorva(message(texte_classeur_base_abime, base));
    return contenu;
}

std::string avertissement_tableur(std::int64_t nb_echantillons) {
    if (!depasse_tableur(nb_echantillons)) return {};
    return "Attention : " + std::to_string(nb_echantillons) + " valeurs, mais Excel et LibreOffice n'en montrent que " +
           std::to_string(echantillons_max_tableur) + " ; la fin du classeur sera coupée.";
}

std::string texte_sylk(std::string_view utf8) {
    std::string texte = texte_classeur(utf8);
    for (std::size_t p = texte.find(';'); p != std::string::npos; p = texte.find(';', p + 2)) texte.insert(p, 1, ';');
    return texte;
}

void ecrire_tableau_sylk(const services& ctx, const std::string& chemin,
                         const std::vector<std::vector<cellule_sylk>>& lignes) {
    std::string texte = "ID;P\r\n";
    for (std::size_t y = 0; y < lignes.size(); ++y)
        for (std::size_t x = 0; x < lignes[y].size(); ++x) {
            const cellule_sylk& c = lignes[y][x];
            if (!c.nombre && c.texte.empty()) continue;
            texte += "C;Y" + std::to_string(y + 1) + ";X" + std::to_string(x + 1) + ";K";
            texte += c.nombre ? reel(*c.nombre, '.') : "\"" + texte_sylk(c.texte) + "\"";
            texte += "\r\n";
        }
    texte += "E\r\n";
    auto sortie = ctx.os.create_file(chemin);
    sortie->write(texte);
    sortie->commit();
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

int nb_enregistrements(const std::array<point_xy, capacite_pointes + 1>& table) {
    int k = 0;
    while (k < capacite_pointes && table[static_cast<std::size_t>(k) + 1].x != 0) ++k;
    return k;
}

// The CORREL of an event table as the spreadsheet computes it: over the
// records it holds, from the values as written.
double correlation_classeur(const std::array<point_xy, capacite_pointes + 1>& table) {
    const int k = std::min(nb_enregistrements(table), enregistrements_max_classeur);
    std::vector<point_xy> lus(static_cast<std::size_t>(k) + 1);
    for (int i = 1; i <= k; ++i)
        lus[static_cast<std::size_t>(i)] = {relu(table[static_cast<std::size_t>(i)].x, '.'),
                                            relu(table[static_cast<std::size_t>(i)].y, '.')};
    return correlation_table(lus.data(), k);
}

ecrivain_classeur::ecrivain_classeur(const services& ctx, const etat_conversion& etat, const std::string& chemin_wav,
                                     int langue)
    : etat_(etat), separateur_(ctx.separateur_decimal), langue_(langue == 2 ? 2 : 1) {
    // The base workbooks are Windows-1252 files of the older system.
    const std::string contenu = texte_classeur(texte_fichier_utf8(lire_classeur_base(ctx, langue_)));
    sortie_ = ctx.os.create_file(chemin_wav + ".slk");
    bloc_.resize(taille_bloc + marge_ligne);
    energies_ = std::make_unique_for_overwrite<char[]>(65536 * taille_energie);
    longueurs_.assign(65536, 0);
    for (std::int64_t i = 1; i < premiere_ligne_echantillons; ++i) texte_rang_.plus_un();

    const char sep = ctx.separateur_decimal;
    // The title cell names the workbook (the path keeps every letter).
    const std::string nom = texte_sylk(nom_de(chemin_wav) + ".slk");

    curseur_sylk curseur;
    bool r2c2_lu = false;
    for (std::string ligne : decouper_lignes(contenu)) {
        if (ligne.find("C;Y1;X1;K") != std::string::npos && !ligne.empty())
            ligne.insert(ligne.size() - 1, ": " + nom);
        if (ligne == "C;X2;K0") ligne = "C;X2;K" + reel(etat.niveau_base, sep);
        if (ligne == "C;X5;Kcoefficient_a") ligne = "C;X5;K" + reel(etat.coefficient_a, sep);
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

    correl_intervalles_ = correlation_classeur(etat.intervalles);
    correl_pointes_ = correlation_classeur(etat.pointes);
}

ecrivain_classeur::~ecrivain_classeur() = default;

void ecrivain_classeur::ecrire(std::string_view texte) {
    while (!texte.empty()) {
        if (rempli_ >= taille_bloc) envoyer();
        const std::size_t morceau = std::min(texte.size(), taille_bloc - rempli_);
        std::memcpy(bloc_.data() + rempli_, texte.data(), morceau);
        rempli_ += morceau;
        texte.remove_prefix(morceau);
    }
}

void ecrivain_classeur::envoyer() {
    if (rempli_ == 0) return;
    if (!fond_) fond_ = std::make_unique<ecriture_en_fond>(*sortie_);
    fond_->echanger(bloc_, rempli_);
    if (bloc_.size() < taille_bloc + marge_ligne) bloc_.resize(taille_bloc + marge_ligne);
    rempli_ = 0;
}

void ecrivain_classeur::compteur::plus_un() {
    std::size_t i = sizeof chiffres;
    while (i > debut && chiffres[i - 1] == '9') chiffres[--i] = '0';
    if (i == debut) chiffres[--debut] = '1';
    else ++chiffres[i - 1];
}

char* ecrivain_classeur::valeur_et_energie(std::int32_t v, char* p) {
    const double c3 = (v / r2c2_) * (v / r2c2_);
    const bool en_cache = v >= -32768 && v <= 32767;
    const std::size_t indice = static_cast<std::size_t>(v + 32768);
    if (en_cache && longueurs_[indice] != 0) {
        std::memcpy(p, energies_.get() + indice * taille_energie, longueurs_[indice]);
        return p + longueurs_[indice];
    }
    char* debut = p;
    p = entier(p, v);
    p = litteral(p, "\r\nC;X3;K");
    p = ecrire_reel(p, c3, '.');
    if (en_cache) {
        longueurs_[indice] = static_cast<std::uint8_t>(p - debut);
        std::memcpy(energies_.get() + indice * taille_energie, debut, longueurs_[indice]);
    }
    return p;
}

void ecrivain_classeur::echantillon(std::int32_t v) {
    ++rang_;
    texte_rang_.plus_un();
    texte_n_.plus_un();
    const std::int64_t n = rang_ - (premiere_ligne_echantillons - 1);
    const double c3 = (v / r2c2_) * (v / r2c2_);
    const double c4 = n == 1 ? c3 - r3c2_ : cumul_ + c3 - r3c2_;
    cumul_ = c4;
    const double c5 = r3c5_ * static_cast<double>(n) + r2c5_;
    const double c6 = c5 - c4;

    if (rempli_ >= taille_bloc) envoyer();
    const auto compte = [](char* p, const compteur& c) {
        std::memcpy(p, c.chiffres + c.debut, sizeof c.chiffres - c.debut);
        return p + (sizeof c.chiffres - c.debut);
    };
    // Reals in the workbook always with a point (see reel()).
    char* p = bloc_.data() + rempli_;
    p = litteral(p, "C;Y");
    p = compte(p, texte_rang_);
    p = litteral(p, ";X1;K");
    p = compte(p, texte_n_);
    p = n == 1 ? litteral(p, "\r\n") : litteral(p, ";ER[-1]C+1\r\n");
    p = litteral(p, "C;X2;K");
    p = valeur_et_energie(v, p);
    p = litteral(p, ";E(RC[-1]/R2C2)*(RC[-1]/R2C[-1])\r\nC;X4;K");
    p = ecrire_reel(p, c4, '.');
    p = n == 1 ? litteral(p, ";ERC[-1]-R3C2\r\n") : litteral(p, ";ER[-1]C+RC[-1]-R3C2\r\n");
    p = litteral(p, "C;X5;K");
    p = ecrire_reel(p, c5, '.');
    p = litteral(p, ";ER3C5*RC[-4]+R2C5\r\nC;X6;K");
    p = ecrire_reel(p, c6, '.');
    p = litteral(p, ";ERC[-1]-RC[-2]\r\n");
    rempli_ = static_cast<std::size_t>(p - bloc_.data());
    if (rang_ <= derniere_ligne_tables) tables(static_cast<std::int32_t>(rang_));
}

void ecrivain_classeur::tables(std::int32_t r) {
    const char sep = separateur_;
    const auto& etat = etat_;
    const auto i = static_cast<std::size_t>(r - (premiere_ligne_echantillons - 1));
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
    if (fond_) {
        envoyer();
        fond_->attendre();
        fond_.reset();
    } else {  // a workbook of one block needs no second thread
        sortie_->write(std::string_view(bloc_.data(), rempli_));
    }
    sortie_->commit();
}

}  // namespace quorva
