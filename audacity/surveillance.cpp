#include "audacity/surveillance.h"

#include <algorithm>

#include "base/chemins.h"
#include "base/echecs_fichiers.h"
#include "base/erreur.h"
#include "base/garde.h"
#include "base/listage.h"
#include "base/occupation.h"
#include "audacity/lancement_audacity.h"

namespace quorva {

namespace {

// The reader never looks past its first 10,000,000 bytes; one more tells a
// file cut there from a longer one.
constexpr std::size_t octets_lus = 10'000'001;

void appeler(const std::function<void()>& crochet) {
    if (crochet) crochet();
}

bool contient(const std::vector<std::string>& noms, const std::string& nom) {
    return std::find(noms.begin(), noms.end(), nom) != noms.end();
}

std::string chemin_de(const etat_audacity& etat, const std::string& nom) { return joindre(etat.dossier_enreg, nom); }

// The recording is known from now on, as it was at its last look.
void connaitre(etat_audacity& etat, const std::string& nom) {
    if (!contient(etat.ListBox1, nom)) {
        etat.ListBox1.push_back(nom);
        trier_noms(etat.ListBox1);
    }
    const auto attente = etat.en_attente.find(nom);
    if (attente != etat.en_attente.end() && attente->second.empreinte)
        etat.empreintes[nom] = *attente->second.empreinte;
    etat.en_attente.erase(nom);
}

// One more look at a name that is still no WAV file. One that has not
// changed for vues_avant_abandon looks is reported once and left alone.
void compter_vue_sans_wav(services& ctx, etat_audacity& etat, const std::string& nom, bool inchange) {
    auto& attente = etat.en_attente[nom];
    attente.vues_sans_changement = inchange ? attente.vues_sans_changement + 1 : 0;
    if (attente.vues_sans_changement < vues_avant_abandon) return;
    connaitre(etat, nom);
    ctx.message(
        message("Le fichier %s n'est pas un enregistrement .WAV : il ne sera pas converti.", chemin_de(etat, nom)));
}

// One more look that could not read a recording (held by another program,
// its share gone meanwhile): it stays new and is tried again at the next
// looks; after vues_avant_abandon of them it is said once and left alone
// until it changes. A path too long for the system will not get shorter: said
// at once.
void compter_lecture_impossible(services& ctx, etat_audacity& etat, const std::string& nom, const ReadError& e) {
    if (++etat.en_attente[nom].lectures_impossibles < vues_avant_abandon && e.cause() != FileFailure::too_long) return;
    connaitre(etat, nom);
    ctx.erreur(e.what());
}

std::uint32_t mot32(const std::string& octets, std::size_t position) {
    std::uint32_t valeur = 0;
    for (int i = 3; i >= 0; --i)
        valeur = (valeur << 8) | static_cast<unsigned char>(octets[position + static_cast<std::size_t>(i)]);
    return valeur;
}

// Whether a header says that the recording is finished: both sizes written
// and matching the file. Recorders write them last; a data size still 0 (or
// any size that does not fit) says nothing.
bool entete_complete(const std::string& contenu) {
    if (contenu.size() < 44 || contenu.compare(36, 4, "data") != 0) return false;
    const std::uint64_t donnees = mot32(contenu, 40);
    return donnees > 0 && 44 + donnees <= contenu.size() &&
           static_cast<std::uint64_t>(mot32(contenu, 4)) + 8 == contenu.size();
}

// Whether a new (or changed) name is a finished recording that may be
// converted now. A file that Audacity is still writing is left for a later
// tick: no header yet, or a header that does not say it is finished and a
// file that still changed since the previous look.
bool enregistrement_pret(services& ctx, etat_audacity& etat, const std::string& nom) {
    const auto empreinte = ctx.os.file_stamp(chemin_de(etat, nom));
    std::string contenu;
    FileFailure cause = FileFailure::other;
    if (!empreinte) {
        etat.en_attente[nom].empreinte.reset();
        return false;
    }
    // A recording held by another program is not waited for here, which
    // would freeze the toolbar and the chart: the next looks try it again.
    if (!ctx.os.read_file(chemin_de(etat, nom), contenu, octets_lus, &cause, false)) {
        etat.en_attente[nom].empreinte.reset();
        compter_lecture_impossible(ctx, etat, nom, erreur_ouverture(chemin_de(etat, nom), cause));
        return false;
    }
    auto& attente = etat.en_attente[nom];
    const bool inchange = attente.empreinte && *attente.empreinte == *empreinte;
    attente.empreinte = empreinte;

    const bool entete = contenu.size() >= 44 && contenu.compare(0, 4, "RIFF") == 0 &&
                        contenu.compare(8, 4, "WAVE") == 0 && contenu.compare(12, 4, "fmt ") == 0;
    if (!entete) {
        compter_vue_sans_wav(ctx, etat, nom, inchange);
        return false;
    }
    return entete_complete(contenu) || inchange;
}

void convertir(services& ctx, etat_audacity& etat, etat_conversion& conversion, const actions_surveillance& actions,
               const std::string& nom) {
    occupation occupee(conversion.conversion_en_cours);
    options_conversion options;
    options.fichier_en_cours = nom;  // the chart's title
    try {
        const resultat_conversion resultat = actions.convertir(chemin_de(etat, nom), options);
        appeler(actions.masquer_patience);
        if (resultat.lecture == resultat_lecture::ignore && !resultat.annulee) {
            // Not a WAV file yet for the reader: tried again at the next
            // ticks, without leaving the progress window up meanwhile.
            compter_vue_sans_wav(ctx, etat, nom, true);
            return;
        }
        // Converted, cancelled in the size dialog, or refused (the reader
        // has said why): not offered again while it stays as it is. Only
        // this name becomes known, never the whole listing: the other new
        // exports of this look are still to convert.
        connaitre(etat, nom);
    } catch (const ReadError& e) {
        appeler(actions.masquer_patience);
        // Deleted meanwhile: said at once. Still there (held), or its folder
        // gone with a share (which the next look says): tried again.
        const bool efface = !ctx.os.file_stamp(e.path()) && ctx.os.folder_exists(etat.dossier_enreg);
        if (e.path() != chemin_de(etat, nom) || efface) {
            connaitre(etat, nom);
            throw;
        }
        compter_lecture_impossible(ctx, etat, nom, e);
    } catch (...) {
        // Shown by the caller's guard. The recording is not offered again
        // while it stays as it is: a retry would show the same error every
        // four seconds.
        appeler(actions.masquer_patience);
        connaitre(etat, nom);
        throw;
    }
}

void un_tour(services& ctx, etat_audacity& etat, etat_conversion& conversion, const actions_surveillance& actions) {
    if (!ctx.os.folder_exists(etat.dossier_enreg)) {
        etat.FileListBox1.clear();
        if (!etat.dossier_enreg_absent) {
            etat.dossier_enreg_absent = true;
            ctx.erreur(message("Le dossier des enregistrements %s est introuvable.", etat.dossier_enreg));
        }
        return;
    }
    etat.dossier_enreg_absent = false;
    etat.FileListBox1 = ctx.os.list_files(etat.dossier_enreg, "*.wav");

    // New names, and known ones whose file changed since it was last seen
    // (exported again under the same name): both wait until they are
    // finished.
    std::vector<std::string> nouveaux;
    for (const auto& nom : etat.FileListBox1) {
        if (contient(etat.ListBox1, nom)) {
            const auto empreinte = ctx.os.file_stamp(chemin_de(etat, nom));
            if (!empreinte) continue;
            const auto vue = etat.empreintes.find(nom);
            if (vue == etat.empreintes.end()) {
                etat.empreintes[nom] = *empreinte;  // known from the start, not seen yet
                continue;
            }
            if (vue->second == *empreinte) continue;
            std::erase(etat.ListBox1, nom);
            etat.en_attente[nom].empreinte = vue->second;
        }
        nouveaux.push_back(nom);
    }
    std::erase_if(etat.en_attente, [&](const auto& entree) { return !contient(nouveaux, entree.first); });

    // Every finished one is converted, one after the other, the one that
    // comes last in the listing first; each failure is shown and the others
    // go on.
    for (auto nom = nouveaux.rbegin(); nom != nouveaux.rend(); ++nom) {
        if (contient(etat.ListBox1, *nom)) continue;  // just given up
        if (!enregistrement_pret(ctx, etat, *nom)) continue;
        garde(ctx.afficheur_erreurs(), [&] { convertir(ctx, etat, conversion, actions, *nom); });
    }
}

}  // namespace

void Timer_surveilleTimer(services& ctx, etat_audacity& etat, etat_conversion& conversion,
                          const actions_surveillance& actions) {
    // While the conversion's modal windows are open the timer may still
    // fire: such a tick, and one during a conversion from the menu, waits.
    if (!etat.Timer_surveille_actif || conversion.conversion_en_cours) return;
    const auto lancements = etat.nb_lancements;
    armer_surveillance(etat, false);
    etat.couleur_Shape1 = etat.couleur_Shape1 == couleur_rouge ? couleur_blanche : couleur_rouge;
    // Shown now: the pupil sees the watcher at work before a chart opens.
    appeler(actions.colorer_indicateur);

    garde(ctx.afficheur_erreurs(), [&] { un_tour(ctx, etat, conversion, actions); });

    // A launch made meanwhile has decided whether the watcher runs.
    if (etat.nb_lancements == lancements) armer_surveillance(etat, true);
}

}  // namespace quorva
