#include "rapport/dessin_synthese.h"

#include <QApplication>
#include <QBuffer>
#include <QFileDialog>
#include <QProgressDialog>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainterPath>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

#include "base/echecs_fichiers.h"
#include "base/erreur.h"
#include "base/fenetres_qt.h"
#include "base/services_systeme.h"
#include "base/texte.h"
#include "rapport/dessin_rapport.h"
#include "rapport/page_rapport.h"

namespace quorva {

namespace {

constexpr double marge = 28;
constexpr double haut_tableau = 66;
constexpr double largeur_tableau = 520;
// The table's columns (points from its left), the last one's end.
constexpr double colonnes[] = {0, 74, 186, 252, 296, 356, 412, 458, 504, largeur_tableau};
constexpr int nb_colonnes = 9;

void police(QPainter& peintre, double taille, bool gras = false) {
    QFont f = peintre.font();
    f.setFamily("DejaVu Sans");
    f.setPointSizeF(taille);
    f.setBold(gras);
    f.setStyleStrategy(QFont::PreferNoShaping);
    peintre.setFont(f);
}

// Each recording's colour and marker in the plot, shown before its name in
// the table: ten colours, then the next marker.
QColor couleur(int i) {
    static const QColor palette[] = {{31, 119, 180}, {214, 39, 40},  {44, 160, 44},  {255, 127, 14}, {148, 103, 189},
                                     {140, 86, 75},  {227, 119, 194}, {127, 127, 127}, {188, 189, 34}, {23, 190, 207}};
    return palette[i % 10];
}

void marqueur(QPainter& peintre, QPointF c, int i, double r) {
    peintre.setPen(Qt::NoPen);
    peintre.setBrush(couleur(i));
    switch ((i / 10) % 4) {
        case 0: peintre.drawEllipse(c, r, r); break;
        case 1: peintre.drawRect(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r)); break;
        case 2: {
            QPainterPath triangle;
            triangle.moveTo(c.x(), c.y() - 1.2 * r);
            triangle.lineTo(c.x() + 1.1 * r, c.y() + 0.8 * r);
            triangle.lineTo(c.x() - 1.1 * r, c.y() + 0.8 * r);
            triangle.closeSubpath();
            peintre.drawPath(triangle);
            break;
        }
        default:
            peintre.setPen(QPen(couleur(i), r * 0.6));
            peintre.drawLine(QPointF(c.x() - r, c.y() - r), QPointF(c.x() + r, c.y() + r));
            peintre.drawLine(QPointF(c.x() - r, c.y() + r), QPointF(c.x() + r, c.y() - r));
    }
}

void dessiner_rangees(QPainter& peintre, const synthese_classe& s, const textes_synthese& t, int premiere, int nb,
                      int langue, char separateur, double k) {
    const double rangee = hauteur_rangee * k, gauche = marge * k;
    double y = haut_tableau * k;
    police(peintre, taille_petite, true);
    for (int c = 0; c < nb_colonnes; ++c)
        peintre.drawText(QRectF(gauche + colonnes[c] * k, y, (colonnes[c + 1] - colonnes[c] - 3) * k, 2 * rangee),
                         Qt::AlignLeft | Qt::AlignBottom | Qt::TextWordWrap, qt(t.colonnes[static_cast<std::size_t>(c)]));
    y += 2 * rangee;
    peintre.setPen(QPen(Qt::black, 0));
    peintre.drawLine(QPointF(gauche, y), QPointF(gauche + largeur_tableau * k, y));
    police(peintre, taille_petite);
    const QFontMetricsF mesure(peintre.font(), peintre.device());
    for (int i = premiere; i < premiere + nb && i < static_cast<int>(s.lignes.size()); ++i, y += rangee) {
        const auto textes = cellules(s.lignes[static_cast<std::size_t>(i)], langue, separateur);
        const double base = y + (rangee + mesure.ascent() - mesure.descent()) / 2;
        for (int c = 0; c < static_cast<int>(textes.size()); ++c) {
            // An unreadable recording's cause takes the rest of the row.
            const double fin = c + 1 == static_cast<int>(textes.size()) ? largeur_tableau : colonnes[c + 1];
            double x = gauche + colonnes[c] * k;
            if (c == 1) {
                marqueur(peintre, QPointF(x + 2.5 * k, y + rangee / 2), i, 1.8 * k);
                x += 7 * k;
            }
            const double place = gauche + (fin - 3) * k - x;
            peintre.setPen(Qt::black);
            peintre.drawText(QPointF(x, base), mesure.elidedText(qt(textes[static_cast<std::size_t>(c)]),
                                                                 c == 1 ? Qt::ElideMiddle : Qt::ElideRight, place));
        }
    }
}

void dessiner_nuage(QPainter& peintre, const synthese_classe& s, const textes_synthese& t, double k) {
    const QRectF zone((marge + largeur_tableau + 18) * k, haut_tableau * k,
                      (largeur_page - 2 * marge - largeur_tableau - 18) * k, 330 * k);
    police(peintre, taille_texte, true);
    const QFontMetricsF mesure(peintre.font(), peintre.device());
    peintre.setPen(Qt::black);
    peintre.drawText(QRectF(zone.left(), zone.top(), zone.width(), 3 * mesure.height()),
                     Qt::AlignLeft | Qt::TextWordWrap, qt(t.relation));
    police(peintre, taille_texte);
    peintre.drawText(QPointF(zone.left(), zone.top() + 3.2 * mesure.height()), qt(t.coefficient));
    const QRectF cadre(zone.left() + 34 * k, zone.top() + 4 * mesure.height(), zone.width() - 36 * k,
                       zone.height() - 4 * mesure.height() - 24 * k);
    peintre.setPen(QPen(Qt::black, 0));
    peintre.setBrush(Qt::NoBrush);
    peintre.drawRect(cadre);
    double x1 = 0, y1 = 0;
    for (const auto& l : s.lignes)
        for (const auto& p : l.points) {
            x1 = std::max(x1, p.x);
            y1 = std::max(y1, p.y);
        }
    x1 = x1 > 0 ? x1 * 1.06 : 1;
    y1 = y1 > 0 ? y1 * 1.06 : 1;
    const auto px = [&](double x) { return cadre.left() + x / x1 * cadre.width(); };
    const auto py = [&](double y) { return cadre.bottom() - y / y1 * cadre.height(); };
    police(peintre, taille_petite);
    const QFontMetricsF petite(peintre.font(), peintre.device());
    peintre.drawText(QPointF(cadre.left(), cadre.bottom() + petite.ascent() + k), "0");
    const QString fin_x = QString::number(x1, 'g', 3), fin_y = QString::number(y1, 'g', 3);
    peintre.drawText(QPointF(cadre.right() - petite.horizontalAdvance(fin_x), cadre.bottom() + petite.ascent() + k), fin_x);
    peintre.drawText(QPointF(cadre.left() - 2 * k - petite.horizontalAdvance(fin_y), cadre.top() + petite.ascent()), fin_y);
    peintre.drawText(QPointF(cadre.center().x() - petite.horizontalAdvance(qt(t.axe_x)) / 2,
                             cadre.bottom() + petite.ascent() + petite.height() + k),
                     qt(t.axe_x));
    peintre.save();
    peintre.translate(cadre.left() - 4 * k, cadre.center().y());
    peintre.rotate(-90);
    peintre.drawText(QPointF(-petite.horizontalAdvance(qt(t.axe_y)) / 2, 0), qt(t.axe_y));
    peintre.restore();

    peintre.save();
    peintre.setClipRect(cadre);
    peintre.setRenderHint(QPainter::Antialiasing, true);
    if (s.commune.coefficient) {
        peintre.setPen(QPen(Qt::black, 0.8 * k));
        peintre.drawLine(QPointF(px(0), py(s.commune.ordonnee)), QPointF(px(x1), py(s.commune.pente * x1 + s.commune.ordonnee)));
    }
    for (std::size_t i = 0; i < s.lignes.size(); ++i)
        for (const auto& p : s.lignes[i].points) marqueur(peintre, QPointF(px(p.x), py(p.y)), static_cast<int>(i), 1.6 * k);
    peintre.restore();
}

// Writes a file whole, its failure said as the report's.
void ecrire_fichier(services& ctx, const std::string& chemin, const QByteArray& octets) {
    try {
        auto sortie = ctx.os.create_file(chemin);
        sortie->write(std::string_view(octets.constData(), static_cast<std::size_t>(octets.size())));
        sortie->commit();
    } catch (const WriteError& e) {
        const char* cause = texte_cause_rapport(e.cause());
        const std::string raison =
            cause ? message(cause, chemin) : raison_ecriture("Le compte rendu %s", chemin, e.cause());
        if (raison.empty()) throw;
        throw erreur_quorva(std::string(e.what()) + "\r" + raison);
    }
}

}  // namespace

void dessiner_synthese(QPainter& peintre, const synthese_classe& s, int page, int langue, char separateur) {
    const double k = peintre.device()->logicalDpiX() / 72.0;
    const textes_synthese t = textes_de_synthese(s, langue, separateur);
    peintre.setPen(Qt::black);
    police(peintre, taille_titre, true);
    const int nb_pages = nb_pages_synthese(static_cast<int>(s.lignes.size()));
    QString titre = qt(t.titre);
    if (nb_pages > 1) titre += QString("    %1/%2").arg(page + 1).arg(nb_pages);
    peintre.drawText(QPointF(marge * k, 40 * k), titre);
    police(peintre, taille_texte);
    const QFontMetricsF mesure(peintre.font(), peintre.device());
    peintre.drawText(QPointF(marge * k, 56 * k),
                     mesure.elidedText(qt(t.sous_titre), Qt::ElideMiddle, (largeur_page - 2 * marge) * k));
    if (s.lignes.empty()) {
        peintre.drawText(QPointF(marge * k, (haut_tableau + 20) * k), qt(t.vide));
    } else {
        const int premiere = page == 0 ? 0 : rangees_premiere_page + (page - 1) * rangees_page_suivante;
        dessiner_rangees(peintre, s, t, premiere, page == 0 ? rangees_premiere_page : rangees_page_suivante, langue,
                         separateur, k);
    }
    if (page == 0) dessiner_nuage(peintre, s, t, k);
    if (!t.perdus.empty() && page + 1 == nb_pages) {
        police(peintre, taille_petite);
        peintre.drawText(QRectF(marge * k, (hauteur_page - marge - 22) * k, (largeur_page - 2 * marge) * k, 22 * k),
                         Qt::AlignLeft | Qt::TextWordWrap, qt(t.perdus));
    }
}

void ecrire_synthese(services& ctx, const synthese_classe& s, const std::string& chemin_page, int langue) {
    const int nb_pages = nb_pages_synthese(static_cast<int>(s.lignes.size()));
    const char separateur = ctx.separateur_decimal;
    if (finit_par(minuscules_ascii(chemin_page), ".png")) {
        const QSize a4 = QPageSize(QPageSize::A4).sizePixels(points_par_pouce_rapport).transposed();
        for (int page = 0; page < nb_pages; ++page) {
            QImage image(a4, QImage::Format_RGB32);
            const int par_metre = static_cast<int>(std::lround(points_par_pouce_rapport / 0.0254));
            image.setDotsPerMeterX(par_metre);
            image.setDotsPerMeterY(par_metre);
            image.fill(Qt::white);
            {
                QPainter peintre(&image);
                dessiner_synthese(peintre, s, page, langue, separateur);
            }
            QByteArray octets;
            QBuffer tampon(&octets);
            tampon.open(QIODevice::WriteOnly);
            image.save(&tampon, "PNG", 80);
            const std::string nom = page == 0 ? chemin_page
                                              : chemin_page.substr(0, chemin_page.size() - 4) + "-" +
                                                    std::to_string(page + 1) + chemin_page.substr(chemin_page.size() - 4);
            ecrire_fichier(ctx, nom, octets);
        }
    } else {
        QByteArray octets;
        {
            QBuffer tampon(&octets);
            tampon.open(QIODevice::WriteOnly);
            QPdfWriter pdf(&tampon);
            pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
            pdf.setResolution(points_par_pouce_rapport);
            pdf.setCreator("Quorva");
            QPainter peintre(&pdf);
            for (int page = 0; page < nb_pages; ++page) {
                if (page > 0) pdf.newPage();
                dessiner_synthese(peintre, s, page, langue, separateur);
            }
        }
        ecrire_fichier(ctx, chemin_page, octets);
    }
    ecrire_classeur_synthese(ctx, s, langue, chemin_classeur_synthese(chemin_page));
}

void faire_synthese_classe(services& ctx, int langue, QWidget* parent, const std::string& dossier_propose,
                           const std::function<std::string(const std::string&)>& choisir) {
    const bool fr = langue == 2;
    std::string dossier;
    if (choisir) {
        dossier = choisir(dossier_propose);
    } else {
        const QString titre = fr ? QString::fromUtf8("Synthèse de la classe : dossier des enregistrements")
                                 : QString("Class summary: folder of the recordings");
        const QString choisi =
            QFileDialog::getExistingDirectory(parent, titre, qt(ctx.os.dialog_path(dossier_propose)));
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
    const std::string page = chemin_synthese_propose(dossier, langue);
    ecrire_synthese(ctx, s, page, langue);
    ExecuteFile(ctx, page, "", dossier, 1);
}

}  // namespace quorva
