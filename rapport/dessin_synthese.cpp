#include "rapport/dessin_synthese.h"

#include <QApplication>
#include <QFileDialog>
#include <QProgressDialog>
#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

#include "base/chemins.h"
#include "base/erreur.h"
#include "base/fenetres_qt.h"
#include "base/services_systeme.h"
#include "base/texte.h"
#include "conversion/rapport_convert.h"
#include "rapport/dessin_rapport.h"
#include "rapport/page_rapport.h"

namespace quorva {

namespace {

constexpr double marge = 28;
constexpr double haut_tableau = 66;
constexpr double largeur_tableau = 540;
// The table's columns (points from its left), the last one's end.
constexpr double colonnes[] = {0, 56, 156, 228, 278, 332, 384, 434, 484, largeur_tableau};
constexpr int nb_colonnes = 9;

// Each recording's colour and marker in the plot, shown before its name in
// the table: ten colours, then the next marker.
QColor couleur(int i) {
    static const QColor palette[] = {{31, 119, 180}, {214, 39, 40},  {44, 160, 44},  {255, 127, 14}, {148, 103, 189},
                                     {140, 86, 75},  {227, 119, 194}, {127, 127, 127}, {188, 189, 34}, {23, 190, 207}};
    return palette[i % 10];
}

// Each recording's marker: a shape for every ten colours.
int forme(int i) { return (i / 10) % 4; }

void dessiner_rangees(QPainter& peintre, const synthese_classe& s, const textes_synthese& t, int premiere, int nb,
                      int langue, char separateur, double k) {
    const double rangee = hauteur_rangee * k, gauche = marge * k;
    double y = haut_tableau * k;
    police_page(peintre, taille_petite, true);
    for (int c = 0; c < nb_colonnes; ++c)
        peintre.drawText(QRectF(gauche + colonnes[c] * k, y, (colonnes[c + 1] - colonnes[c] - 3) * k, 2 * rangee),
                         Qt::AlignLeft | Qt::AlignBottom | Qt::TextWordWrap, qt(t.colonnes[static_cast<std::size_t>(c)]));
    y += 2 * rangee;
    peintre.setPen(QPen(Qt::black, 0));
    peintre.drawLine(QPointF(gauche, y), QPointF(gauche + largeur_tableau * k, y));
    police_page(peintre, taille_petite);
    const QFontMetricsF mesure(peintre.font(), peintre.device());
    for (int i = premiere; i < premiere + nb && i < static_cast<int>(s.lignes.size()); ++i, y += rangee) {
        const auto textes = cellules(s.lignes[static_cast<std::size_t>(i)], langue, separateur);
        const double base = y + (rangee + mesure.ascent() - mesure.descent()) / 2;
        for (int c = 0; c < static_cast<int>(textes.size()); ++c) {
            // An unreadable recording's cause takes the rest of the row.
            const double fin = c + 1 == static_cast<int>(textes.size()) ? largeur_tableau : colonnes[c + 1];
            double x = gauche + colonnes[c] * k;
            // The recording's marker in the plot, before its name.
            if (c == 1) {
                if (s.lignes[static_cast<std::size_t>(i)].lue)
                    dessiner_marqueur(peintre, QPointF(x + 2.5 * k, y + rangee / 2), couleur(i), forme(i), 1.8 * k);
                x += 7 * k;
            }
            const double place = gauche + (fin - 3) * k - x;
            peintre.setPen(Qt::black);
            peintre.drawText(QPointF(x, base), mesure.elidedText(qt(textes[static_cast<std::size_t>(c)]),
                                                                 c == 1 ? Qt::ElideMiddle : Qt::ElideRight, place));
        }
    }
}

void dessiner_relation_commune(QPainter& peintre, const synthese_classe& s, const textes_synthese& t, char separateur,
                               double k) {
    const QRectF zone((marge + largeur_tableau + 16) * k, haut_tableau * k,
                      (largeur_page - 2 * marge - largeur_tableau - 16) * k, 360 * k);
    police_page(peintre, taille_texte, true);
    const QFontMetricsF mesure(peintre.font(), peintre.device());
    peintre.setPen(Qt::black);
    peintre.drawText(QRectF(zone.left(), zone.top(), zone.width(), 2.4 * mesure.height()),
                     Qt::AlignLeft | Qt::TextWordWrap, qt(t.relation));
    police_page(peintre, taille_texte);
    peintre.drawText(QPointF(zone.left(), zone.top() + 3.1 * mesure.height()), qt(t.coefficient));
    police_page(peintre, taille_petite);
    peintre.drawText(QPointF(zone.left(), zone.top() + 4.1 * mesure.height()), qt(t.droite));
    std::vector<serie_nuage> series;
    for (std::size_t i = 0; i < s.lignes.size(); ++i)
        series.push_back({s.lignes[i].points, couleur(static_cast<int>(i)), forme(static_cast<int>(i))});
    // The class's line, over every series.
    serie_nuage classe;
    classe.couleur = Qt::black;
    classe.avec_droite = s.commune.existe;
    classe.pente = s.commune.pente;
    classe.ordonnee = s.commune.ordonnee;
    series.push_back(classe);
    const QRectF cadre(zone.left() + 40 * k, zone.top() + 5 * mesure.height(), zone.width() - 42 * k,
                       zone.height() - 5 * mesure.height() - 26 * k);
    dessiner_nuage(peintre, cadre, series, qt(t.axe_x), qt(t.axe_y), separateur);
}

// Under the last page's table: why marks files were not read, and the
// folders lost meanwhile.
void dessiner_notes(QPainter& peintre, const synthese_classe& s, const textes_synthese& t, int page, double k) {
    const int rangees = static_cast<int>(s.lignes.size()) - premiere_rangee_synthese(page);
    double y = (haut_tableau + 2 * hauteur_rangee + (std::max(rangees, 1) + 1) * hauteur_rangee) * k;
    police_page(peintre, taille_petite);
    peintre.setPen(Qt::black);
    const double largeur = (page == 0 ? largeur_tableau : largeur_page - 2 * marge) * k;
    std::vector<std::string> lignes = t.notes;
    if (!t.perdus.empty()) lignes.push_back(t.perdus);
    for (const auto& ligne : lignes) {
        const QRectF place(marge * k, y, largeur, (hauteur_page - marge) * k - y);
        const QRectF occupe = peintre.boundingRect(place, Qt::AlignLeft | Qt::TextWordWrap, qt(ligne));
        peintre.drawText(place, Qt::AlignLeft | Qt::TextWordWrap, qt(ligne));
        y += occupe.height() + 2 * k;
    }
}

}  // namespace

void dessiner_synthese(QPainter& peintre, const synthese_classe& s, int page, int langue, char separateur) {
    const double k = peintre.device()->logicalDpiX() / 72.0;
    const textes_synthese t = textes_de_synthese(s, langue, separateur);
    peintre.setPen(Qt::black);
    police_page(peintre, taille_titre, true);
    const int nb_pages = nb_pages_synthese(static_cast<int>(s.lignes.size()));
    QString titre = qt(t.titre);
    if (nb_pages > 1) titre += QString("    %1/%2").arg(page + 1).arg(nb_pages);
    peintre.drawText(QPointF(marge * k, 40 * k), titre);
    police_page(peintre, taille_texte);
    const QFontMetricsF mesure(peintre.font(), peintre.device());
    peintre.drawText(QPointF(marge * k, 56 * k),
                     mesure.elidedText(qt(t.sous_titre), Qt::ElideMiddle, (largeur_page - 2 * marge) * k));
    if (s.lignes.empty()) {
        peintre.drawText(QPointF(marge * k, (haut_tableau + 20) * k), qt(t.vide));
    } else {
        dessiner_rangees(peintre, s, t, premiere_rangee_synthese(page), rangees_de_page_synthese(page), langue,
                         separateur, k);
    }
    if (page == 0) dessiner_relation_commune(peintre, s, t, separateur, k);
    if (page + 1 == nb_pages) dessiner_notes(peintre, s, t, page, k);
}

void ecrire_synthese(services& ctx, const synthese_classe& s, const std::string& chemin_page, int langue) {
    const bool png = est_rapport_png(chemin_page);
    const auto pages = octets_pages(nb_pages_synthese(static_cast<int>(s.lignes.size())), png, s.dossier, chemin_page,
                                    langue, [&](QPainter& peintre, int page) {
                                        dessiner_synthese(peintre, s, page, langue, ctx.separateur_decimal);
                                    });
    for (std::size_t page = 0; page < pages.size(); ++page) {
        // A PNG holds one page: the next ones beside it, "-2.png"...
        const std::string nom = page == 0 ? chemin_page
                                          : chemin_page.substr(0, chemin_page.size() - 4) + "-" +
                                                std::to_string(page + 1) + chemin_page.substr(chemin_page.size() - 4);
        ecrire_page(ctx, nom, pages[page], langue);
    }
    ecrire_classeur_synthese(ctx, s, langue, chemin_classeur_synthese(chemin_page));
}

void faire_synthese_classe(services& ctx, int langue, QWidget* parent, const std::string& dossier_propose,
                           const std::function<std::string(const std::string&)>& choisir) {
    const bool fr = francais(langue);
    std::string dossier;
    // Before any recording the folder may not exist yet: its nearest folder that does.
    std::string propose = dossier_propose;
    while (!propose.empty() && !ctx.os.folder_exists(propose)) propose = dossier_de(propose);
    if (choisir) {
        dossier = choisir(propose);
    } else {
        const QString titre = fr ? QString::fromUtf8("Synthèse de la classe : dossier des enregistrements")
                                 : QString("Class summary: folder of the recordings");
        const QString choisi =
            QFileDialog::getExistingDirectory(parent, titre, qt(ctx.os.dialog_path(propose)));
        if (!choisi.isEmpty()) dossier = ctx.os.path_from_dialog(utf8(choisi));
    }
    if (dossier.empty()) return;
    QProgressDialog progression(fr ? QString::fromUtf8("Lecture des enregistrements...")
                                   : QString("Reading the recordings..."),
                                QString(), 0, 1, parent);
    progression.setObjectName("Progression_synthese");
    progression.setWindowTitle(fr ? QString::fromUtf8("Synthèse de la classe") : QString("Class summary"));
    progression.setWindowModality(Qt::WindowModal);
    progression.setMinimumDuration(0);
    const synthese_classe s = preparer_synthese(ctx, dossier, langue, [&](const ligne_synthese& l, int rang, int total) {
        progression.setMaximum(total);
        progression.setValue(rang);
        progression.setLabelText(qt(texte_ligne(l, rang, total, langue)));
        QApplication::processEvents();
    });
    progression.close();
    const std::string page = chemin_synthese_propose(ctx.os, dossier, langue);
    ecrire_synthese(ctx, s, page, langue);
    ExecuteFile(ctx, page, "", dossier, 1);
}

}  // namespace quorva
